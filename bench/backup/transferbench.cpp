#include "bench/backup/transferbench.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

namespace {

constexpr int PacketData = 63; // frame bytes per interrupt packet
constexpr auto TransferLimit = std::chrono::seconds(60);

// The worker's diagnostic lines would break the one-line output.
void quietDebug(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtDebugMsg)
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

long packets(int frameBytes) {
    return (frameBytes + PacketData - 1) / PacketData;
}

} // namespace

TransferBench::TransferBench(const char* name) : benchName(name) {
    qInstallMessageHandler(quietDebug);
    // The backup thread creates its folder under the documents folder: keep it in ours.
    qputenv("HOME", dir.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    logPath = dir.filePath("traffic.log");
}

PedalSession::Environment TransferBench::environment() const {
    return {{"TALIX_VP_TIMING", "1"}, {"TALIX_VP_LOG", logPath.toLocal8Bit()}};
}

bool TransferBench::run(QBackupWriteThread& thread, Progress progress,
                        const std::function<bool()>& start) {
    using Clock = std::chrono::steady_clock;
    const qint64 logStart = QFileInfo(logPath).size();
    std::atomic<qint64> endNs{-1};
    std::atomic<int> endType{-1};
    Clock::time_point begin;
    // Direct: the time is taken on the worker as it emits.
    const QMetaObject::Connection connection = QObject::connect(
        &thread, progress, &thread,
        [&](int, int type) {
            if (type != QMEBaseWriteThread::MSG_PROGRESS && endType.load() < 0) {
                endNs = std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - begin)
                            .count();
                endType = type;
            }
        },
        Qt::DirectConnection);
    begin = Clock::now();
    const bool started = start();
    const Clock::time_point limit = begin + TransferLimit;
    while (started && endType.load() < 0 && Clock::now() < limit) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    // The next run may start only once this worker has ended.
    while (thread.isWorkerRunning() && Clock::now() < limit)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    if (thread.isWorkerRunning())
        thread.stopWorker();
    QObject::disconnect(connection);
    if (!started || endType.load() != QMEBaseWriteThread::MSG_FINISHED) {
        std::fprintf(stderr, "bench %s: the transfer did not finish (start %d, end type %d)\n",
                     benchName, int(started), endType.load());
        return false;
    }
    Run result;
    result.time = endNs.load() / 1e9;
    if (!wireSeconds(logStart, result.wire)) {
        std::fprintf(stderr, "bench %s: no exchange in the traffic log\n", benchName);
        return false;
    }
    results.push_back(result);
    return true;
}

bool TransferBench::wireSeconds(qint64 from, double& seconds) const {
    QFile log(logPath);
    if (!log.open(QIODevice::ReadOnly) || !log.seek(from))
        return false;
    long total = 0;
    long answered = 0; // packets of the answers to the latest request
    bool asked = false;
    for (const QByteArray& line : log.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        const int frameBytes = fields.size() - 1;
        if (fields[0] == "OUT" && frameBytes > 0) {
            total += answered + packets(frameBytes);
            answered = 0;
            asked = true;
        } else if (fields[0] == "IN" && frameBytes > 0 && asked) {
            answered += packets(frameBytes);
        }
    }
    seconds = total / 1000.0;
    return total > 0;
}

int TransferBench::report() const {
    if (results.empty())
        return 1;
    std::vector<Run> sorted = results;
    std::sort(sorted.begin(), sorted.end(),
              [](const Run& a, const Run& b) { return a.time < b.time; });
    const Run& median = sorted[sorted.size() / 2];
    std::printf("bench %s time_s=%.3f wire_s=%.3f ratio=%.3f\n", benchName, median.time,
                median.wire, median.time / median.wire);
    return 0;
}
