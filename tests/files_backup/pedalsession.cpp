#include "tests/files_backup/pedalsession.h"

#include "virtualpedal/virtualpedal.h"

#include <QRandomGenerator>
#include <QtTest>

using virtualpedal::VirtualPedal;

PedalSession::ScopedEnvironment::ScopedEnvironment(const Environment& environment) {
    for (const auto& entry : environment) {
        names.append(entry.first);
        qputenv(entry.first.constData(), entry.second);
    }
}

PedalSession::ScopedEnvironment::~ScopedEnvironment() {
    for (const QByteArray& name : names)
        qunsetenv(name.constData());
}

PedalSession::PedalSession(const Environment& environment) : variables(environment) {
    usbLink.setTransferMode(QMEBaseLibusb::ModeInterrupt);
    usbThread = std::make_unique<QUsbWriteThread>();
    usbThread->attachLink(&usbLink);
    parser = std::make_unique<QDataAnalysis>();
    parser->setWriteThread(usbThread.get());
    backup = std::make_unique<QBackupWriteThread>();
    backup->attachShared(&usbLink, usbThread->receiveThread());
    connect(
        backup.get(), &QBackupWriteThread::emitBackupProgress, this,
        [this](int progress, int type) {
            backupMessages.append({progress, type});
        },
        Qt::QueuedConnection);
    connect(
        backup.get(), &QBackupWriteThread::emitRecallProgress, this,
        [this](int progress, int type) {
            recallMessages.append({progress, type});
        },
        Qt::QueuedConnection);
}

PedalSession::~PedalSession() {
    // Destroyed in the editor's order: write thread, parser, backup thread, link.
    usbThread->closeUsbConnect();
    usbThread.reset();
    parser.reset();
    backup.reset();
}

bool PedalSession::open() {
    const int result = usbThread->openUsbConnect(0x0483, 0x5703, 200, "TAL_IX");
    usbThread->startReceiving();
    VirtualPedal::clearReceivedFrames();
    return result == QMEBaseLibusb::OpenRunning;
}

bool PedalSession::waitForEnd(const QList<Message>& messages, int timeoutMs) {
    auto ended = [&messages] {
        return !messages.isEmpty() && messages.last().second != QMEBaseWriteThread::MSG_PROGRESS;
    };
    return QTest::qWaitFor(ended, timeoutMs);
}

PedalSession::Frames PedalSession::framesSent() {
    return VirtualPedal::receivedFrames();
}

std::vector<std::uint8_t> PedalSession::frame(std::uint8_t code,
                                              const std::vector<std::uint8_t>& params) {
    return VirtualPedal::frame(code, params);
}

QByteArray PedalSession::randomImage(quint32 seed) {
    QRandomGenerator random(seed);
    QByteArray image(114688, '\0');
    for (char& byte : image)
        byte = char(random.bounded(256));
    return image;
}

bool PedalSession::setPedalImage(const QByteArray& image) {
    virtualpedal::PedalState state = VirtualPedal::snapshot();
    state.memoryImage.assign(image.begin(), image.end());
    return VirtualPedal::setState(state);
}

QByteArray PedalSession::pedalImage() {
    const std::vector<std::uint8_t> image = VirtualPedal::snapshot().memoryImage;
    return QByteArray(reinterpret_cast<const char*>(image.data()), int(image.size()));
}
