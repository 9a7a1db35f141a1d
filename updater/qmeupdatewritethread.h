#pragma once

#include "link/qmebasewritethread.h"
#include "updater/image/qfirmwareimage.h"

#include <QString>

#include <atomic>
#include <cstdint>
#include <vector>

// Uploads a firmware image to the pedal's boot loader: handshake, start packet, every section
// in 512-byte blocks, finish packet. Reports progress and failures through emitUpdateMsg.
class QMEUpdateWriteThread final : public QMEBaseWriteThread {
    Q_OBJECT

public:
    enum UpdateMsgType {
        MsgHandshakeFailed = 4,
        MsgStartRejected = 5,
        MsgImageFailed = 6,
        MsgComplete = 10,
        MsgProgress = 11,
        MsgBlockFailed = 12,
        // The boot loader answered the finish packet with a refusal.
        MsgFinishRefused = 13,
    };
    // Figures of the image failures (type 6).
    enum ImageFailure { NoPath = 1, Unreadable = 2, OtherDeviceType = 3 };

    static constexpr int sendTimeoutMs = 500;
    static constexpr int pollMs = 5;
    // The boot loader restarts the pedal after the finish packet.
    static constexpr int completionPauseMs = 3000;

    explicit QMEUpdateWriteThread(QObject* parent = nullptr);
    ~QMEUpdateWriteThread() override;

    void setFirmwarePath(const QString& path) { firmwarePath = path; }
    // Tests shorten the pause after a finished upload; the updater keeps completionPauseMs.
    void setCompletionPause(int ms) { completionPause.store(ms); }
    // Why the image was refused, after an image failure (type 6).
    QFirmwareImage::Problem imageProblem() const {
        return QFirmwareImage::Problem(imageProblemValue.load());
    }

signals:
    void emitUpdateMsg(int type, float progress);

protected slots:
    void DealData(std::vector<unsigned char> Data) override;

protected:
    void run() override;

private:
    struct SectionInfo {
        quint32 dataSize;
        quint8 dataCmd;
        quint8 dataAck;
        quint32 delay;
        quint16 sectorAddrStart;
    };

    static SectionInfo sectionInfo(const unsigned char* header);
    void runUpload();
    bool expectedTypeMatches(const unsigned char* type, int size) const;
    void uploadImage(QFirmwareImage& image);
    bool sendBlocks(const SectionInfo& section);
    bool waitForBlockAck();
    // Clears the flag and the event, then sends the payload; false when the send failed.
    bool sendPacket(const unsigned char* payload, int length);
    // Waits (bounded) for the acknowledgement event; returns the flag. A stop request or a
    // lost pedal ends the wait early with the flag as it is.
    bool waitForAnswer();
    // Sleeps ms unless a stop is requested.
    void pause(int ms);
    // Blocks sent so far as a share of 90.
    quint64 blockPercent() const;
    bool stopRequested() const;

    QString firmwarePath = QStringLiteral(".\\Firmware\\");
    std::atomic<int> completionPause{completionPauseMs};

    unsigned char imageHeader[QFirmwareImage::HeaderSize] = {};
    std::vector<unsigned char> sectionHeaders;
    std::vector<unsigned char> sectionData;
    std::vector<unsigned char> packet;

    int sectionCount = 0;
    qint64 totalBlocks = 0;
    quint32 blocksSent = 0;

    std::atomic<bool> ackFlag{false};
    // Answer codes DealData looks for; -1 while none is expected.
    std::atomic<int> startAck{-1};
    std::atomic<int> sectionAck{-1};
    // Status byte of the last answer with the start code, -1 while none came.
    std::atomic<int> startStatus{-1};
    std::atomic<int> imageProblemValue{QFirmwareImage::NoProblem};
};
