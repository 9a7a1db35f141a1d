// The whole connect sequence against the virtual pedal at full-speed timing: from the start of
// the sequence until the pedal's last answer has been received. The median of a few runs on one
// connection, so a busy machine disturbs the figure less.
//
// wire_s: the packets of the exchange on a wire carrying one 64-byte packet per millisecond in
// each direction, taken from the pedal's traffic log. Requests go out back to back except that
// each preset request waits for the previous preset's answer; an answer follows its request.
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
#include <map>
#include <vector>

namespace {

constexpr int kPacketPayload = 63;
constexpr int kRuns = 5;

// Request code that each answer code belongs to.
const std::map<int, int> kRequestOf = {{0x01, 0x00}, {0x9A, 0x99}, {0xE6, 0xEC}, {0xE7, 0xEC},
                                       {0x9C, 0x9B}, {0x98, 0xEE}, {0xED, 0xEE}};

int packets(int bytes) {
    return (bytes + kPacketPayload - 1) / kPacketPayload;
}

double wireSeconds(const QList<QByteArray>& lines) {
    int outFree = 0;
    int inFree = 0;
    int lastPresetAnswer = 0;
    std::map<int, int> requestEnd; // request code -> end of its latest packets
    // Answers to one request go out back to back and share packets.
    int groupRequestEnd = -1;
    int groupStart = 0;
    int groupBytes = 0;
    for (const QByteArray& line : lines) {
        const QList<QByteArray> fields = line.trimmed().split(' ');
        if (fields.size() < 6)
            continue;
        const int size = fields.size() - 1;
        const int code = fields[5].toInt(nullptr, 16);
        if (fields[0] == "OUT") {
            int start = outFree;
            if (code == 0x99)
                start = std::max(start, lastPresetAnswer);
            outFree = start + packets(size);
            requestEnd[code] = outFree;
        } else if (fields[0] == "IN") {
            const auto request = kRequestOf.find(code);
            const int after = request == kRequestOf.end() ? 0 : requestEnd[request->second];
            if (after != groupRequestEnd) {
                groupRequestEnd = after;
                groupStart = std::max(inFree, after);
                groupBytes = 0;
            }
            groupBytes += size;
            inFree = groupStart + packets(groupBytes);
            if (code == 0x9A)
                lastPresetAnswer = inFree;
        }
    }
    return std::max(outFree, inFree) / 1000.0;
}

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
    const double wire = wireSeconds(log.read(logFirstEnd - logStart).split('\n'));
    std::printf("bench connect_sequence time_s=%.4f wire_s=%.4f ratio=%.2f\n", time, wire,
                time / wire);
    return 0;
}
