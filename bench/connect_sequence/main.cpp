// The whole connect sequence against the virtual pedal at full-speed timing: from the start of
// the sequence until the pedal's last answer has been received. The median of a few runs on one
// connection, so a busy machine disturbs the figure less.
//
// wire_s: the shared stop-and-wait model (bench/wiretime.h) over the first run's part of the
// pedal's traffic log.
#include "bench/wiretime.h"
#include "link/qmebaselibusb.h"
#include "protocol/qdataanalysis.h"
#include "protocol/qusbwritethread.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 5;

} // namespace

int main(int argc, char* argv[]) {
    QTemporaryDir dir;
    const QString logPath = dir.filePath("traffic.log");
    qputenv("TALIX_VP_TIMING", "1");
    qputenv("TALIX_VP_LOG", logPath.toLocal8Bit());
    QCoreApplication app(argc, argv);

    QMEBaseLibusb link;
    link.setTransferMode(QMEBaseLibusb::ModeInterrupt);
    QUsbWriteThread thread;
    thread.attachLink(&link);
    QDataAnalysis parser;
    parser.setWriteThread(&thread);
    if (thread.openUsbConnect(0x0483, 0x5703, 200, "TAL_IX") != 2) {
        std::fprintf(stderr, "no pedal\n");
        return 1;
    }
    const qint64 logStart = QFileInfo(logPath).size();
    qint64 logFirstEnd = logStart;

    std::atomic<qint64> lastAnswerNs{0};
    QElapsedTimer timer;
    QObject::connect(
        &thread, &QUsbWriteThread::emitAnalysis, &thread,
        [&](std::vector<unsigned char> message) {
            if (message.size() > 4 && message[4] == 0xED)
                lastAnswerNs = timer.nsecsElapsed();
        },
        Qt::DirectConnection);

    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        // Each run is a fresh connection, as the editor makes it.
        if (run > 0 && thread.openUsbConnect(0x0483, 0x5703, 200, "TAL_IX") != 2) {
            std::fprintf(stderr, "pedal lost\n");
            return 1;
        }
        lastAnswerNs = 0;
        timer.start();
        thread.connectSequence();
        QElapsedTimer limit;
        limit.start();
        while (lastAnswerNs.load() == 0 && limit.elapsed() < 10000) {
            QCoreApplication::processEvents();
            QThread::usleep(200);
        }
        if (lastAnswerNs.load() == 0) {
            std::fprintf(stderr, "the sequence did not complete\n");
            return 1;
        }
        times.push_back(lastAnswerNs.load() / 1e9);
        if (run == 0)
            logFirstEnd = QFileInfo(logPath).size();
        thread.closeUsbConnect();
    }
    std::sort(times.begin(), times.end());

    QFile log(logPath);
    if (!log.open(QIODevice::ReadOnly) || !log.seek(logStart)) {
        std::fprintf(stderr, "no traffic log\n");
        return 1;
    }
    const double time = times[times.size() / 2];
    WireTime wire;
    wire.addLog(log.read(logFirstEnd - logStart));
    std::printf("bench connect_sequence time_s=%.4f wire_s=%.4f ratio=%.2f\n", time, wire.seconds(),
                time / wire.seconds());
    return 0;
}
