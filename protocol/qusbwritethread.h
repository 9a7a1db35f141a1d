#pragma once

#include "link/manualresetevent.h"
#include "link/qmebasewritethread.h"
#include "protocol/devicestate.h"
#include "protocol/presetcodec.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

class IrFileLoader;

// The editor's write thread: sends every editor command, waits for preset answers while
// connecting, and uploads IR files on its worker.
class QUsbWriteThread : public QMEBaseWriteThread {
    Q_OBJECT

public:
    static constexpr int commandTimeoutMs = 500;
    // Waits for an answer look at the link (and the stop flag) this often; the answer itself
    // wakes them at once.
    static constexpr int pollMs = 5;
    static constexpr int presetCount = 14;
    // The pedal's last IR slot: the files that find no slot up to it are skipped.
    static constexpr int lastImportSlot = DeviceState::kSlotCount - 1;

    explicit QUsbWriteThread(QObject* parent = nullptr);
    ~QUsbWriteThread() override;

    bool requestIdentity();
    bool selectPreset(uint8_t preset, uint8_t cabinet);
    bool setLevel(uint8_t cabinet, uint16_t value);
    bool setCabinetSlot(uint8_t cabinet, uint16_t slot);
    bool setLatency(uint8_t cabinet, uint16_t value);
    bool setLowCut(uint8_t cabinet, uint16_t value);
    bool setHighCut(uint8_t cabinet, uint16_t value);
    bool selectCabinet(uint8_t cabinet);
    bool setBypass(uint8_t bypassA, uint8_t bypassB);
    bool requestPreset(uint8_t preset);
    bool writePreset(uint8_t preset, const PresetCodec::Block& values);
    bool requestCurrent();
    bool resetDevice();
    bool deleteUserIr(uint8_t slot);
    bool enterUpdateMode();
    bool requestIrList();
    bool finishConnect();
    bool beginBackup();
    bool requestBackupBlock(uint16_t block);
    bool writeBackupBlock(uint16_t block, const QByteArray& data);

    // index 0–3: Level, Latency, Low-Cut, High-Cut; any other index sends nothing.
    bool setParameter(uint8_t cabinet, int index, uint16_t value);

    // Requests presets 0 … count − 1 one at a time, each waiting up to 5000 ms for its answer;
    // the first that stays unanswered, or a lost pedal, ends the reading. Returns the number of
    // presets answered.
    int readPresets(int count);

    // The initial reads after the pedal was accepted, and their order after a firmware hand-over.
    void connectSequence();
    void reconnectSequence();

    // The loader that reads IR files for the upload (not owned).
    void setIrFileLoader(IrFileLoader* loader) { irLoader.store(loader); }
    // Uploads the files into consecutive slots from slot on the worker. Busy, at once and
    // with nothing changed, while an import runs.
    StartResult startIrImport(uint8_t slot, const QStringList& paths);

    int ackSequence() const { return irAck.load(); }
    int presetAck() const { return presetAnswer.load(); }
    uint8_t importSlot() const { return firstImportSlot.load(); }
    QStringList importFiles() const;

signals:
    void emitImportIrProgress(int progress, QString currPath, int MSGType);
    // A file the import could not read and skipped; reason is an IrSkipReason. Emitted before
    // the progress step for that file.
    void emitImportIrSkipped(QString path, int reason);
    // The file whose upload failed; reason is an IrImportFailure. Emitted before the failure's
    // progress message.
    void emitImportIrFailed(QString path, int reason);

protected slots:
    void DealData(std::vector<unsigned char> Data) override;

protected:
    void run() override;

private:
    bool send(std::vector<unsigned char> frame);
    // Waits for the acknowledgement of IR packet `sequence`; false ends the import.
    bool waitForIrAck(int sequence);
    // Sends one IR packet and waits for its acknowledgement, reporting progress after sending.
    bool sendIrPacket(std::vector<unsigned char> frame, int sequence, int& progress, float step,
                      const QString& path);
    void abortImport(int progress, const QString& path);
    void finishImport();

    std::atomic<int> irAck{-1};
    std::atomic<int> presetAnswer{-1};
    std::atomic<uint8_t> firstImportSlot{0};
    std::atomic<IrFileLoader*> irLoader{nullptr};
    mutable std::mutex filesMutex;
    QStringList files;
    // Set by DealData when the awaited answer arrives, so waiters wake at once.
    ManualResetEvent presetArrived;
    ManualResetEvent irAckArrived;
};
