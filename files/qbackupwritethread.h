#pragma once

#include "link/manualresetevent.h"
#include "link/qmebasewritethread.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

class QWidget;

// Copies the pedal's whole memory image into a backup file and writes such a file back, each
// transfer on this thread's worker. Attached with attachShared to the editor's link and receive
// thread; progress leaves as queued signals (value 0-100, MSGType). A stop request seen between
// steps ends a transfer as stopped, one that arrives while the pedal's answer is awaited as
// failed; a backup writes its file only once every block has arrived, and never in part.
class QBackupWriteThread : public QMEBaseWriteThread {
    Q_OBJECT

public:
    enum Mode { ModeBackup = 0, ModeRestore = 1 };

    static constexpr int commandTimeoutMs = 500;
    static constexpr int pollMs = 5;

    explicit QBackupWriteThread(QObject* parent = nullptr);
    ~QBackupWriteThread() override;

    // Ask for the file with a dialog, then start: Cancelled when no file was chosen; Busy, at
    // once and without a dialog, while a transfer runs (it goes on untouched).
    StartResult startBackup(QWidget* parent = nullptr);
    StartResult startRestore(QWidget* parent = nullptr);
    // Start with a given file, without a dialog; Busy while a transfer runs.
    StartResult startBackupTo(const QString& path);
    StartResult startRestoreFrom(const QString& path);

    // The "BackupFiles" folder under the editor's user data folder.
    static QString backupFolder();

    int mode() const { return transferMode.load(); }
    QString path() const;

signals:
    void emitBackupProgress(int progress, int msgType);
    void emitRecallProgress(int progress, int msgType);

protected slots:
    void DealData(std::vector<unsigned char> Data) override;

protected:
    void run() override;

private:
    enum class StepResult { Done, Failed, Stopped };

    StartResult start(Mode mode, const QString& path);
    bool send(std::vector<unsigned char> frame);
    // Waits for flag, waking early when DealData answers; false when the time runs out, the
    // device closes, a stop arrives or a wrong block came first.
    bool waitForAnswer(const std::atomic<bool>& flag);
    // Signals the acknowledgement event and clears the stop request.
    void acknowledgeStop();

    void runBackup(const QString& file);
    void runRestore(const QString& file);
    bool receiveImage(QByteArray& image);
    static bool readBackupFile(const QString& file, QByteArray& bytes);
    static bool writeBackupFile(const QString& file, const QByteArray& bytes);

    std::atomic<int> transferMode{ModeBackup};
    mutable std::mutex pathMutex;
    QString transferPath;

    std::atomic<bool> receiving{false};
    std::atomic<int> lastBlock{0};
    std::atomic<bool> blockArrived{false};
    // The block number the current step asks for; -1 while none is awaited.
    std::atomic<int> expectedBlock{-1};
    // A block arrived that was not asked for, or not whole: the image cannot be trusted.
    std::atomic<bool> blockFault{false};
    std::mutex receivedMutex; // guards received and the hand-over of the block state
    QByteArray received;

    // The acknowledged block number is not compared: any acknowledgement releases the next block.
    std::atomic<bool> ackArrived{false};

    ManualResetEvent answerEvent;
};
