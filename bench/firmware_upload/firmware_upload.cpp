#include "bench/wiretime.h"
#include "link/qmebaselibusb.h"
#include "tests/updater/firmwareimagebuilder.h"
#include "updater/qmeupdatewritethread.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

// Uploads a 256 KiB image to the virtual pedal's boot loader with full-speed timing, from the
// start of the upload thread to its (11, 99) message; the completion pause is not transfer.
// wire_s is the shared stop-and-wait model (bench/wiretime.h) over the frames before the finish
// packet in the pedal's traffic log.
namespace {

constexpr int SectionCount = 4;
constexpr int SectionSize = 64 * 1024;
constexpr int LimitSeconds = 120;

void quietDebug(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtDebugMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(quietDebug);
    qputenv("TALIX_VP_RUN_MODE", "B");
    QTemporaryDir dir;
    const QString logPath = dir.filePath(QStringLiteral("traffic.log"));
    qputenv("TALIX_VP_TIMING", "1");
    qputenv("TALIX_VP_LOG", logPath.toLocal8Bit());
    FirmwareImageBuilder image;
    for (int k = 0; k < SectionCount; ++k) {
        image.sections.append({FirmwareImageBuilder::pattern(SectionSize, k), 0xA2, 0xA3, 0,
                               quint32(k * SectionSize / 512)});
    }
    const QString path = dir.filePath(QStringLiteral("bench.zv"));
    if (!image.write(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }

    QMEBaseLibusb link;
    link.setTransferMode(QMEBaseLibusb::ModeInterrupt);
    QMEUpdateWriteThread thread;
    thread.attachLink(&link);
    if (thread.openUsbConnect(0x0483, 0x5703, 200, "TAL_IX") != 1) {
        std::fprintf(stderr, "no pedal in its boot loader\n");
        return 1;
    }
    thread.startReceiving();
    const qint64 logStart = QFileInfo(logPath).size();

    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    std::atomic<qint64> lastNinetyNineNs{-1};
    std::atomic<int> endType{0};
    // Direct: the time is taken on the upload thread as it emits.
    QObject::connect(
        &thread, &QMEUpdateWriteThread::emitUpdateMsg, &thread,
        [&](int type, float progress) {
            if (type == QMEUpdateWriteThread::MsgProgress && progress == 99.0f) {
                lastNinetyNineNs =
                    std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start)
                        .count();
            } else if (type != QMEUpdateWriteThread::MsgProgress) {
                endType = type;
            }
        },
        Qt::DirectConnection);

    thread.setFirmwarePath(path);
    if (!thread.startWorker()) {
        return 1;
    }
    const Clock::time_point limit = start + std::chrono::seconds(LimitSeconds);
    while (endType == 0 && Clock::now() < limit) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (endType != QMEUpdateWriteThread::MsgComplete) {
        std::fprintf(stderr, "upload did not complete (type %d)\n", endType.load());
        return 1;
    }

    QFile log(logPath);
    if (!log.open(QIODevice::ReadOnly) || !log.seek(logStart)) {
        std::fprintf(stderr, "no traffic log\n");
        return 1;
    }
    WireTime wire;
    for (const WireTime::Frame& frame : WireTime::frames(log.readAll())) {
        if (frame.out && frame.code == 0xFF) {
            break;
        }
        wire.add(frame);
    }
    const double time = lastNinetyNineNs.load() / 1e9;
    std::printf("bench firmware_upload time_s=%.3f wire_s=%.3f ratio=%.3f\n", time, wire.seconds(),
                time / wire.seconds());
    return 0;
}
