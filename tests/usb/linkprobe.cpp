// The link on the system libusb, for runs under talix-vpedal-run. One scenario per run, chosen by
// the first argument; prints one line per finding for the test to compare.
//   open      opens the pedal: "open <result> <device type> <claimed interface>", then
//             "failure <reason> <what it names>" (QMEBaseLibusb::OpenFailure as a number)
//   frames    a reader thread takes every packet while the main thread writes requests with long
//             and short answers: "frame <code> <length>" per checked frame, in order
//   during    a reader waits with a long time-out; the request that unplugs the pedal ends it:
//             "read -1 ended early"
//   wait      reads until the pedal goes away (the runner unplugs it on SIGUSR1):
//             "read -1 ended early"
//   between   the pedal goes away after a request: "read -1", "write 0", "reopen 0"
//   edges     a read of no bytes, then a read shorter than the packet: "zero <rc> <moved>",
//             "short <rc> <moved>" (libusb return codes)
//   restart   the pedal restarts into its boot loader; the link finds it again: "read -1",
//             "reopen 1"
//   busy      a second link (another open of the node, as another program's) finds the pedal
//             claimed, then opens it once the first lets go: "second 0 busy", "second 2"
#include "link/frame.h"
#include "link/qmebaselibusb.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int longWaitMs = 20000;

bool send(QMEBaseLibusb& link, unsigned char code, std::vector<unsigned char> parameters) {
    std::vector<unsigned char> frame = Frame::make(code, parameters);
    return link.sendFrame(frame, 1000);
}

// Cuts the IN stream (count byte, then frame bytes) into frames and prints each checked one.
class Assembler {
public:
    void add(const unsigned char* packet) {
        const int count = packet[0];
        if (count < 1 || count > 63)
            return;
        stream_.insert(stream_.end(), packet + 1, packet + 1 + count);
        while (stream_.size() >= Frame::overhead) {
            const std::size_t size = Frame::length(stream_.data()) + Frame::overhead;
            if (stream_.size() < size)
                break;
            const bool ok = Frame::check(stream_.data(), size);
            std::printf("frame %02X %zu%s\n", stream_[Frame::codeIndex], size - Frame::overhead,
                        ok ? "" : " bad");
            stream_.erase(stream_.begin(), stream_.begin() + static_cast<long>(size));
            ++frames;
        }
    }
    int frames = 0;

private:
    std::vector<unsigned char> stream_;
};

int frames(QMEBaseLibusb& link) {
    // Long answers first, short ones between them, so their packets must not mix.
    const int expected = 2 + 14 + 2;
    std::atomic<bool> failed{false};
    Assembler assembler;
    std::thread reader([&] {
        unsigned char packet[64];
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (assembler.frames < expected && std::chrono::steady_clock::now() < deadline) {
            const int got = link.readData(packet, 200);
            if (got < 0) {
                failed = true;
                return;
            }
            if (got == 64)
                assembler.add(packet);
        }
    });
    bool sent = send(link, 0xEC, {1});
    for (unsigned char p = 0; p < 14; ++p)
        sent = sent && send(link, 0x99, {p});
    sent = sent && send(link, 0xEC, {1});
    reader.join();
    std::printf("sent %d failed %d\n", sent ? 1 : 0, failed ? 1 : 0);
    return sent && !failed && assembler.frames == expected ? 0 : 1;
}

// Reads until a read brings nothing; prints how the last one ended.
int readToEnd(QMEBaseLibusb& link) {
    unsigned char packet[64];
    int result = 0;
    const auto start = std::chrono::steady_clock::now();
    do
        result = link.readData(packet, longWaitMs);
    while (result > 0);
    const bool early =
        std::chrono::steady_clock::now() - start < std::chrono::milliseconds(longWaitMs / 2);
    std::printf("read %d %s\n", result, early ? "ended early" : "ran to its time-out");
    return result < 0 && early ? 0 : 1;
}

int during(QMEBaseLibusb& link) {
    int status = 1;
    std::thread reader([&] { status = readToEnd(link); });
    // Answered, so the reader is past its first packet and waiting again when the next goes out.
    send(link, 0x99, {0});
    send(link, 0x9B, {});
    reader.join();
    return status;
}

int between(QMEBaseLibusb& link) {
    const bool sent = send(link, 0x99, {0});
    unsigned char packet[64];
    const int got = link.readData(packet, 2000);
    std::printf("sent %d\nread %d\n", sent ? 1 : 0, got);
    const bool again = send(link, 0x99, {1});
    std::printf("write %d\n", again ? 1 : 0);
    // The pedal stays away: looking for it again finds nothing that opens.
    const int reopened = link.openDevice(0x0483, 0x5703, 0x0200, "TAL_IX", false);
    std::printf("reopen %d\n", reopened);
    return got < 0 && !again && reopened == QMEBaseLibusb::OpenFailed ? 0 : 1;
}

int edges(QMEBaseLibusb& link) {
    unsigned char packet[64];
    int moved = -1;
    int rc = libusb_interrupt_transfer(link.getHandle(), link.getInterruptInEndpoint(), packet, 0,
                                       &moved, 100);
    std::printf("zero %d %d\n", rc, moved);
    send(link, 0x97, {0});
    moved = -1;
    rc = libusb_interrupt_transfer(link.getHandle(), link.getInterruptInEndpoint(), packet, 32,
                                   &moved, 2000);
    std::printf("short %d %d\n", rc, moved);
    return 0;
}

int restart(QMEBaseLibusb& link) {
    send(link, 0xEB, {1});
    unsigned char packet[64];
    int got = 0;
    for (int attempt = 0; attempt < 50 && got == 0; ++attempt)
        got = link.readData(packet, 100);
    link.closeDevice();
    const int reopened = link.openDevice(0x0483, 0x5703, 0x0200, "TAL_IX", false);
    std::printf("read %d\nreopen %d\n", got, reopened);
    return got < 0 && reopened == QMEBaseLibusb::OpenBootLoader ? 0 : 1;
}

int busy(QMEBaseLibusb& link) {
    QMEBaseLibusb second;
    second.setTransferMode(QMEBaseLibusb::ModeInterrupt);
    const int held = second.openDevice(0x0483, 0x5703, 0x0200, "TAL_IX", false);
    const bool refused = second.lastOpenFailure() == QMEBaseLibusb::OpenFailure::Busy;
    std::printf("second %d %s\n", held, refused ? "busy" : "not busy");
    link.closeDevice();
    const int freed = second.openDevice(0x0483, 0x5703, 0x0200, "TAL_IX", false);
    std::printf("second %d\n", freed);
    return held == QMEBaseLibusb::OpenFailed && refused && freed == QMEBaseLibusb::OpenRunning ? 0
                                                                                               : 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::string scenario = argc > 1 ? argv[1] : "";
    QMEBaseLibusb link;
    link.setTransferMode(QMEBaseLibusb::ModeInterrupt);
    const int opened = link.openDevice(0x0483, 0x5703, 0x0200, "TAL_IX", false);
    std::printf("open %d %.32s %d\n", opened, link.getIdentity().deviceType,
                link.claimedInterface());
    std::fflush(stdout);
    if (scenario == "open") {
        std::printf("failure %d %s\n", int(link.lastOpenFailure()), link.lastOpenDetail().c_str());
        return 0;
    }
    if (opened != QMEBaseLibusb::OpenRunning)
        return 1;
    int status = 2;
    if (scenario == "frames")
        status = frames(link);
    else if (scenario == "during")
        status = during(link);
    else if (scenario == "wait")
        status = readToEnd(link);
    else if (scenario == "between")
        status = between(link);
    else if (scenario == "edges")
        status = edges(link);
    else if (scenario == "restart")
        status = restart(link);
    else if (scenario == "busy")
        status = busy(link);
    link.closeDevice();
    return status;
}
