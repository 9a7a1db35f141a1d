#include "bench/wiretime.h"
#include "files/irfilereader.h"
#include "link/qmebaselibusb.h"
#include "protocol/qusbwritethread.h"
#include "tests/files_ir/irfileimages.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

// Imports eleven IR files into slots 0–10 with full-speed timing, from startIrImport to the
// finished message; wire_s is the shared stop-and-wait model (bench/wiretime.h) over the
// import's part of the pedal's traffic log.
namespace {

constexpr int FileCount = 11;
constexpr int LimitSeconds = 120;

// The link's diagnostic lines would break the one-line output.
void quietDebug(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtDebugMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
}

QString writeIr(const QTemporaryDir& dir, int number) {
    IrFileImages::Wave layout;
    layout.bits = 24;
    for (int j = 0; j < 2048; ++j) {
        IrFileImages::putSample(layout.samples, 24, (j * 977 + number * 131) % 0xFFFFFF - 0x800000);
    }
    const QString path = dir.filePath(QString("cab%1.wav").arg(number));
    QFile file(path);
    const QByteArray image = IrFileImages::wave(layout);
    if (!file.open(QIODevice::WriteOnly) || file.write(image) != image.size()) {
        return QString();
    }
    return path;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(quietDebug);
    QTemporaryDir dir;
    const QString logPath = dir.filePath(QStringLiteral("traffic.log"));
    qputenv("TALIX_VP_TIMING", "1");
    qputenv("TALIX_VP_LOG", logPath.toLocal8Bit());
    QStringList paths;
    for (int k = 0; k < FileCount; ++k) {
        paths << writeIr(dir, k);
        if (paths.last().isEmpty()) {
            std::fprintf(stderr, "cannot write the IR files\n");
            return 1;
        }
    }

    QMEBaseLibusb link;
    link.setTransferMode(QMEBaseLibusb::ModeInterrupt);
    QUsbWriteThread thread;
    thread.attachLink(&link);
    IrFileReader reader;
    thread.setIrFileLoader(&reader);
    if (thread.openUsbConnect(0x0483, 0x5703, 200, "TAL_IX") != 2) {
        std::fprintf(stderr, "no running pedal\n");
        return 1;
    }
    thread.startReceiving();
    const qint64 logStart = QFileInfo(logPath).size();

    using Clock = std::chrono::steady_clock;
    std::atomic<qint64> endNs{-1};
    std::atomic<int> endType{0};
    const Clock::time_point start = Clock::now();
    // Direct: the time is taken on the worker as it emits.
    QObject::connect(
        &thread, &QUsbWriteThread::emitImportIrProgress, &thread,
        [&](int, QString, int type) {
            if (type != QMEBaseWriteThread::MSG_PROGRESS && endType == 0) {
                endNs = std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start)
                            .count();
                endType = type;
            }
        },
        Qt::DirectConnection);
    if (!thread.startIrImport(0, paths)) {
        return 1;
    }
    const Clock::time_point limit = start + std::chrono::seconds(LimitSeconds);
    while (endType == 0 && Clock::now() < limit) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (endType != QMEBaseWriteThread::MSG_FINISHED) {
        std::fprintf(stderr, "import did not finish (type %d)\n", endType.load());
        return 1;
    }

    QFile log(logPath);
    if (!log.open(QIODevice::ReadOnly) || !log.seek(logStart)) {
        std::fprintf(stderr, "no traffic log\n");
        return 1;
    }
    WireTime wire;
    wire.addLog(log.readAll());
    const double time = endNs.load() / 1e9;
    std::printf("bench ir_import time_s=%.3f wire_s=%.3f ratio=%.3f\n", time, wire.seconds(),
                time / wire.seconds());
    return 0;
}
