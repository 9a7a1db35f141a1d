// 500 long answers (the IR name list, requested with 0xEC) read through the receive thread from
// the virtual pedal under its full-speed timing model, each request sent once the previous answer
// is in; wire_s is the shared stop-and-wait model (bench/wiretime.h) over the pedal's traffic log.
#include "bench/wiretime.h"
#include "link/frame.h"
#include "link/qmebaselibusb.h"
#include "link/qmebasereceivethread.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {

constexpr int answers = 500;
constexpr int answerTimeoutMs = 5000;

// Counts the name lists that the receive worker assembles.
class CountingReceiver final : public QMEBaseReceiveThread {
public:
    bool waitForNameLists(int expected) {
        std::unique_lock<std::mutex> lock(mutex);
        return arrived.wait_for(lock, std::chrono::milliseconds(answerTimeoutMs),
                                [&] { return nameLists >= expected; });
    }

protected:
    void publish(std::vector<unsigned char> message) override {
        if (Frame::code(message) == 0xE7 && Frame::parameterCount(message) == 550) {
            std::lock_guard<std::mutex> lock(mutex);
            ++nameLists;
            arrived.notify_all();
        }
    }

private:
    std::mutex mutex;
    std::condition_variable arrived;
    int nameLists = 0;
};

} // namespace

int main(int argc, char** argv) {
    // A pedal outside this process (the emulated device) is given its log by the caller.
    QTemporaryDir dir;
    if (!qEnvironmentVariableIsSet("TALIX_VP_LOG"))
        qputenv("TALIX_VP_LOG", dir.filePath(QStringLiteral("traffic.log")).toLocal8Bit());
    const QString logPath = qEnvironmentVariable("TALIX_VP_LOG");
    qputenv("TALIX_VP_TIMING", "1");
    QCoreApplication app(argc, argv);

    QMEBaseLibusb link;
    link.setTransferMode(QMEBaseLibusb::ModeInterrupt);
    if (link.openDevice(0x0483, 0x5703, 200, "TAL_IX", true) != QMEBaseLibusb::OpenRunning) {
        std::fprintf(stderr, "link_throughput: no running pedal\n");
        return 1;
    }
    CountingReceiver receiver;
    receiver.setLink(&link);
    receiver.start();
    const qint64 logStart = QFileInfo(logPath).size();

    const auto begin = std::chrono::steady_clock::now();
    for (int i = 1; i <= answers; ++i) {
        std::vector<unsigned char> request = Frame::make(0xEC, {0x01});
        if (!link.sendFrame(request, 500)) {
            std::fprintf(stderr, "link_throughput: request %d not sent\n", i);
            return 1;
        }
        if (!receiver.waitForNameLists(i)) {
            std::fprintf(stderr, "link_throughput: answer %d missing\n", i);
            return 1;
        }
    }
    const double time =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    receiver.stop();

    QFile log(logPath);
    if (!log.open(QIODevice::ReadOnly) || !log.seek(logStart)) {
        std::fprintf(stderr, "link_throughput: no traffic log\n");
        return 1;
    }
    WireTime wire;
    wire.addLog(log.readAll());
    std::printf("bench link_throughput time_s=%.3f wire_s=%.3f ratio=%.3f\n", time, wire.seconds(),
                time / wire.seconds());
    return 0;
}
