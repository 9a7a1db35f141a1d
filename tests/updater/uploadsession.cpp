#include "tests/updater/uploadsession.h"

#include "virtualpedal/virtualpedal.h"

#include <QtTest>
#include <algorithm>

#include <climits>

UploadSession::PedalEnvironment::PedalEnvironment(const Environment& environment) {
    Environment all = environment;
    all.prepend({"TALIX_VP_RUN_MODE", "B"});
    for (const auto& entry : all) {
        names.append(entry.first);
        qputenv(entry.first.constData(), entry.second);
    }
}

UploadSession::PedalEnvironment::~PedalEnvironment() {
    for (const QByteArray& name : names) {
        qunsetenv(name.constData());
    }
}

UploadSession::UploadSession(const Environment& environment) : pedalEnvironment(environment) {
    link.setTransferMode(QMEBaseLibusb::ModeInterrupt);
    updateThread.attachLink(&link);
    // Queued, as the updater window receives them.
    connect(
        &updateThread, &QMEUpdateWriteThread::emitUpdateMsg, this,
        [this](int type, float progress) {
            messages.append({type, progress});
        },
        Qt::QueuedConnection);
    connect(&updateThread, &QMEBaseWriteThread::emitDeviceLostConnect, this,
            [this] { ++lostConnections; });
    connect(
        &updateThread, &QMEBaseWriteThread::emitAnalysis, this,
        [this](const std::vector<unsigned char>& message) {
            if (message.size() > 4 && message[4] == 0x01) {
                ++identityAnswers;
            }
        },
        Qt::DirectConnection);
}

UploadSession::UploadSession(const QByteArray& name, const QByteArray& value)
    : UploadSession(Environment{{name, value}}) {}

int UploadSession::open() {
    const int result = updateThread.openUsbConnect(0x0483, 0x5703, 200, "TAL_IX");
    updateThread.startReceiving();
    virtualpedal::VirtualPedal::clearReceivedFrames();
    identityAnswers = 0;
    return result;
}

void UploadSession::shortenWaits() {
    updateThread.setAnswerTimeout(kShortAnswerMs);
    updateThread.setCompletionPause(kShortPauseMs);
}

bool UploadSession::start(const QString& firmwarePath) {
    updateThread.setFirmwarePath(firmwarePath);
    return bool(updateThread.startWorker());
}

bool UploadSession::ended() const {
    return !messages.isEmpty() && messages.last().first != QMEUpdateWriteThread::MsgProgress;
}

bool UploadSession::waitForEnd(int timeoutMs) {
    return QTest::qWaitFor([this] { return ended(); }, timeoutMs);
}

UploadSession::Frames UploadSession::framesSent() {
    return virtualpedal::VirtualPedal::receivedFrames();
}

UploadSession::Frames UploadSession::expectedFrames(const FirmwareImageBuilder& image, int blocks,
                                                    bool finish) {
    using virtualpedal::VirtualPedal;
    Frames frames;
    frames.push_back(VirtualPedal::frame(0x00, {0x00}));
    std::vector<std::uint8_t> arg;
    for (int i = 0; i < 4; ++i) {
        arg.push_back(std::uint8_t(image.startArg >> (8 * i)));
    }
    frames.push_back(VirtualPedal::frame(image.startCmd, arg));
    int left = blocks < 0 ? INT_MAX : blocks;
    for (const FirmwareImageBuilder::Section& section : image.sections) {
        for (int i = 0; i + 512 <= section.data.size() && left > 0; i += 512, --left) {
            const std::uint16_t address = std::uint16_t(section.sectorAddrStart + quint32(i / 512));
            std::vector<std::uint8_t> params(2 + 512);
            params[0] = std::uint8_t(address >> 8);
            params[1] = std::uint8_t(address & 0xFF);
            std::copy_n(section.data.begin() + i, 512, params.begin() + 2);
            frames.push_back(VirtualPedal::frame(section.dataCmd, params));
        }
    }
    if (finish) {
        frames.push_back(VirtualPedal::frame(0xFF, {0x00}));
    }
    return frames;
}

QList<int> UploadSession::addresses(const Frames& frames, quint8 dataCmd) {
    QList<int> result;
    for (const auto& frame : frames) {
        if (frame.size() > 7 && frame[4] == dataCmd) {
            result.append(frame[5] << 8 | frame[6]);
        }
    }
    return result;
}
