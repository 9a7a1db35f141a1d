// Arbitrary packet sequences into the receive thread's frame assembly. Input: repeated
// (length byte b, 4 b packet bytes); every published message must start with AA 55 and carry a
// frame whose check value matches.
#include "link/frame.h"
#include "link/qmebasereceivethread.h"

#include <algorithm>
#include <cstdlib>

namespace {

class CheckingReceiver final : public QMEBaseReceiveThread {
protected:
    void publish(std::vector<unsigned char> message) override {
        if (message.size() < 2 || message[0] != 0xAA || message[1] != 0x55 ||
            !Frame::check(message) || !Frame::code(message))
            std::abort();
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    CheckingReceiver receiver;
    std::size_t at = 0;
    while (at < size) {
        // At most 1020 bytes: a read never delivers more than its 1024-byte buffer.
        const std::size_t length = data[at++] * 4u;
        const std::size_t n = std::min(length, size - at);
        receiver.onData(data + at, static_cast<int>(n));
        at += n;
    }
    return 0;
}
