#include "bench/backup/transferbench.h"

#include "bench/wiretime.h"

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

constexpr auto TransferLimit = std::chrono::seconds(60);

// The worker's diagnostic lines would break the one-line output.
void quietDebug(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtDebugMsg)
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

} // namespace

TransferBench::TransferBench(const char* name, LastAnswer last)
    : benchName(name), lastAnswer(last) {
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
    WireTime wire;
    wire.addLog(log.readAll());
    if (lastAnswer == LastAnswerNotAwaited)
        wire.dropLastAnswers();
    seconds = wire.seconds();
    return wire.outPackets() > 0;
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
