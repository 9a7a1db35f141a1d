// 500 long answers (the IR name list, requested with 0xEC) read through the receive thread from
// the virtual pedal under its full-speed timing model. Each exchange is a request followed by its
// answer, so the wire time is every packet of both directions at one per millisecond.
#include "link/frame.h"
#include "link/qmebaselibusb.h"
#include "link/qmebasereceivethread.h"

#include <QCoreApplication>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {

constexpr int answers = 500;
constexpr int answerTimeoutMs = 5000;

// Counts the packets and the name lists that the receive worker assembles.
class CountingReceiver final : public QMEBaseReceiveThread {
public:
    void onData(const unsigned char* packet, int count) override {
        ++inPackets;
        QMEBaseReceiveThread::onData(packet, count);
    }
    bool waitForNameLists(int expected) {
        std::unique_lock<std::mutex> lock(mutex);
        return arrived.wait_for(lock, std::chrono::milliseconds(answerTimeoutMs),
                                [&] { return nameLists >= expected; });
    }
    int packets() const { return inPackets.load(); }

protected:
    void publish(std::vector<unsigned char> message) override {
        if (Frame::code(message) == 0xE7 && Frame::parameterCount(message) == 550) {
            std::lock_guard<std::mutex> lock(mutex);
            ++nameLists;
            arrived.notify_all();
        }
    }

private:
    std::atomic<int> inPackets{0};
    std::mutex mutex;
    std::condition_variable arrived;
    int nameLists = 0;
};

} // namespace

int main(int argc, char** argv) {
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

    int outPackets = 0;
    const auto begin = std::chrono::steady_clock::now();
    for (int i = 1; i <= answers; ++i) {
        std::vector<unsigned char> request = Frame::make(0xEC, {0x01});
        if (!link.sendFrame(request, 500)) {
            std::fprintf(stderr, "link_throughput: request %d not sent\n", i);
            return 1;
        }
        outPackets += static_cast<int>((request.size() + 62) / 63);
        if (!receiver.waitForNameLists(i)) {
            std::fprintf(stderr, "link_throughput: answer %d missing\n", i);
            return 1;
        }
    }
    const double time =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    receiver.stop();

    const double wire = (outPackets + receiver.packets()) / 1000.0;
    std::printf("bench link_throughput time_s=%.3f wire_s=%.3f ratio=%.3f\n", time, wire,
                time / wire);
    return 0;
}
