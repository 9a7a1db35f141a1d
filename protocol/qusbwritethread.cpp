#include "protocol/qusbwritethread.h"

#include "link/frame.h"
#include "protocol/commandframes.h"
#include "protocol/irfileloader.h"

#include <QDebug>

#include <array>
#include <optional>

namespace {

constexpr int kIrBlocks = 4;
constexpr int kIrLanes = 3;

} // namespace

QUsbWriteThread::QUsbWriteThread(QObject* parent) : QMEBaseWriteThread(parent) {}

QUsbWriteThread::~QUsbWriteThread() {
    finishThreads();
}

bool QUsbWriteThread::send(std::vector<unsigned char> frame) {
    if (frame.empty())
        return false;
    return sendFrame(frame, commandTimeoutMs);
}

bool QUsbWriteThread::requestIdentity() {
    return send(CommandFrames::requestIdentity());
}

bool QUsbWriteThread::selectPreset(uint8_t preset, uint8_t cabinet) {
    return send(CommandFrames::selectPreset(preset, cabinet));
}

bool QUsbWriteThread::setLevel(uint8_t cabinet, uint16_t value) {
    qDebug() << "-------mode------" << cabinet << value;
    return send(CommandFrames::setLevel(cabinet, value));
}

bool QUsbWriteThread::setCabinetSlot(uint8_t cabinet, uint16_t slot) {
    return send(CommandFrames::setCabinetSlot(cabinet, slot));
}

bool QUsbWriteThread::setLatency(uint8_t cabinet, uint16_t value) {
    return send(CommandFrames::setLatency(cabinet, value));
}

bool QUsbWriteThread::setLowCut(uint8_t cabinet, uint16_t value) {
    return send(CommandFrames::setLowCut(cabinet, value));
}

bool QUsbWriteThread::setHighCut(uint8_t cabinet, uint16_t value) {
    return send(CommandFrames::setHighCut(cabinet, value));
}

bool QUsbWriteThread::selectCabinet(uint8_t cabinet) {
    return send(CommandFrames::selectCabinet(cabinet));
}

bool QUsbWriteThread::setBypass(uint8_t bypassA, uint8_t bypassB) {
    return send(CommandFrames::setBypass(bypassA, bypassB));
}

bool QUsbWriteThread::requestPreset(uint8_t preset) {
    return send(CommandFrames::requestPreset(preset));
}

bool QUsbWriteThread::writePreset(uint8_t preset, const PresetCodec::Block& values) {
    return send(CommandFrames::writePreset(preset, values));
}

bool QUsbWriteThread::requestCurrent() {
    return send(CommandFrames::requestCurrent());
}

bool QUsbWriteThread::resetDevice() {
    return send(CommandFrames::resetDevice());
}

bool QUsbWriteThread::deleteUserIr(uint8_t slot) {
    return send(CommandFrames::deleteUserIr(slot));
}

bool QUsbWriteThread::enterUpdateMode() {
    return send(CommandFrames::enterUpdateMode());
}

bool QUsbWriteThread::requestIrList() {
    return send(CommandFrames::requestIrList());
}

bool QUsbWriteThread::finishConnect() {
    return send(CommandFrames::finishConnect());
}

bool QUsbWriteThread::beginBackup() {
    return send(CommandFrames::beginBackup());
}

bool QUsbWriteThread::requestBackupBlock(uint16_t block) {
    return send(CommandFrames::requestBackupBlock(block));
}

bool QUsbWriteThread::writeBackupBlock(uint16_t block, const QByteArray& data) {
    return send(CommandFrames::writeBackupBlock(block, data));
}

bool QUsbWriteThread::setParameter(uint8_t cabinet, int index, uint16_t value) {
    switch (index) {
    case 0:
        return setLevel(cabinet, value);
    case 1:
        return setLatency(cabinet, value);
    case 2:
        return setLowCut(cabinet, value);
    case 3:
        return setHighCut(cabinet, value);
    default:
        return false;
    }
}

int QUsbWriteThread::readPresets(int count) {
    for (int preset = 0; preset < count; ++preset) {
        // A stale answer from an earlier exchange must not count for this request.
        presetAnswer.store(-1);
        requestPreset(static_cast<uint8_t>(preset));
        // A lost pedal will not answer: no point holding the caller for the full time.
        if (!presetArrived.waitUntil([this, preset] { return presetAnswer.load() == preset; },
                                     [this] { return !usbIsOpen(); }, answerTimeout(), pollMs))
            return preset;
    }
    return count < 0 ? 0 : count;
}

void QUsbWriteThread::connectSequence() {
    startReceiving();
    requestIdentity();
    readPresets(presetCount);
    requestIrList();
    requestCurrent();
    finishConnect();
}

void QUsbWriteThread::reconnectSequence() {
    startReceiving();
    requestIdentity();
    requestCurrent();
    readPresets(presetCount);
    requestIrList();
    finishConnect();
}

QUtilThread::StartResult QUsbWriteThread::startIrImport(uint8_t slot, const QStringList& paths) {
    return startWorker([this, slot, &paths] {
        firstImportSlot.store(slot);
        std::lock_guard<std::mutex> lock(filesMutex);
        files = paths;
    });
}

QStringList QUsbWriteThread::importFiles() const {
    std::lock_guard<std::mutex> lock(filesMutex);
    return files;
}

void QUsbWriteThread::DealData(std::vector<unsigned char> Data) {
    const std::optional<unsigned char> code = Frame::code(Data);
    if (code == 0xE3) {
        if (const std::optional<unsigned char> sequence = Frame::parameter(Data, 1)) {
            irAck.store(*sequence);
            irAckArrived.set();
        }
    } else if (code == 0x9A) {
        if (const std::optional<unsigned char> preset = Frame::parameter(Data, 0)) {
            presetAnswer.store(*preset);
            presetArrived.set();
        }
    }
}

void QUsbWriteThread::run() {
    const QStringList paths = importFiles();
    if (paths.isEmpty()) {
        emit emitImportIrProgress(0, QString(), MSG_FAILED);
        finishImport();
        return;
    }
    const float share = 100.0f / static_cast<float>(paths.size());
    int progress = 0;
    int slot = firstImportSlot.load();
    std::vector<uint32_t> samples;
    std::array<uint8_t, CommandFrames::kIrLaneSize> lane{};

    for (const QString& path : paths) {
        if (slot > lastImportSlot) {
            emit emitImportIrSkipped(path, static_cast<int>(IrSkipReason::NoFreeSlot));
            progress = static_cast<int>(static_cast<float>(progress) + share);
            continue;
        }
        if (stopFlag.load()) {
            ackEvent.set();
            stopFlag.store(false);
            emit emitImportIrProgress(progress, path, MSG_STOPPED);
            return;
        }
        samples.assign(IrFileLoader::kSampleCount, 0);
        IrFileLoader* loader = irLoader.load();
        if (!loader || !loader->load(path, samples) ||
            samples.size() < static_cast<size_t>(IrFileLoader::kSampleCount)) {
            emit emitImportIrSkipped(
                path, static_cast<int>(loader ? loader->lastFailure() : IrSkipReason::NotOpened));
            progress = static_cast<int>(static_cast<float>(progress) + share);
            continue;
        }
        const auto irSlot = static_cast<uint8_t>(slot);
        for (int block = 0; block < kIrBlocks; ++block) {
            for (int laneIndex = 0; laneIndex < kIrLanes; ++laneIndex) {
                const int shift = 16 - 8 * laneIndex;
                for (int i = 0; i < CommandFrames::kIrLaneSize; ++i)
                    lane[i] = static_cast<uint8_t>(
                        samples[CommandFrames::kIrLaneSize * block + i] >> shift & 0xFF);
                const int sequence = block * kIrLanes + laneIndex;
                if (!sendIrPacket(
                        CommandFrames::irData(irSlot, static_cast<uint8_t>(sequence), lane.data()),
                        sequence, progress, share / 5 / 3, path))
                    return;
            }
        }
        if (!sendIrPacket(CommandFrames::irName(irSlot, CommandFrames::irFileName(path)),
                          CommandFrames::kIrNameSequence, progress, share / 5, path))
            return;
        emit emitImportIrProgress(progress, path, MSG_PROGRESS);
        ++slot;
    }
    emit emitImportIrProgress(100, QString(), MSG_PROGRESS);
    emit emitImportIrProgress(100, QString(), MSG_FINISHED);
    finishImport();
}

bool QUsbWriteThread::sendIrPacket(std::vector<unsigned char> frame, int sequence, int& progress,
                                   float step, const QString& path) {
    // A late acknowledgement of an earlier upload must not count for this packet.
    irAck.store(-1);
    send(std::move(frame));
    progress = static_cast<int>(static_cast<float>(progress) + step);
    emit emitImportIrProgress(progress, path, MSG_PROGRESS);
    if (waitForIrAck(sequence))
        return true;
    abortImport(progress, path);
    return false;
}

bool QUsbWriteThread::waitForIrAck(int sequence) {
    return irAckArrived.waitUntil([this, sequence] { return irAck.load() == sequence; },
                                  [this] { return !usbIsOpen() || stopFlag.load(); },
                                  answerTimeout(), pollMs);
}

void QUsbWriteThread::abortImport(int progress, const QString& path) {
    IrImportFailure failure = IrImportFailure::NoAnswer;
    if (!usbIsOpen())
        failure = IrImportFailure::LinkLost;
    else if (stopFlag.load())
        failure = IrImportFailure::Stopped;
    emit emitImportIrFailed(path, static_cast<int>(failure));
    ackEvent.set();
    stopFlag.store(false);
    emit emitImportIrProgress(progress, QString(), MSG_FAILED);
}

void QUsbWriteThread::finishImport() {
    irAck.store(-1);
    firstImportSlot.store(0);
    {
        std::lock_guard<std::mutex> lock(filesMutex);
        files.clear();
    }
    ackEvent.set();
}
