#pragma once

#include <libusb.h>

#include <cstdint>
#include <vector>

// Records the libusb calls the link makes. The test executables are linked with
// -Wl,--wrap=<function>, so the link's calls pass through here on their way to the virtual pedal.
class UsbRecorder final {
public:
    struct Transfer {
        std::uint8_t endpoint;
        std::vector<std::uint8_t> bytes; // as sent (OUT) or asked for (IN: the requested size)
        unsigned timeoutMs;
        int result;
    };

    // Clears the records and any failure still pending.
    static void clear();
    // The next transfer in the given direction does not reach the pedal: it reports rc with
    // `transferred` bytes moved.
    static void failNextTransfer(bool in, int rc, int transferred = 0);
    static std::vector<Transfer> transfers();
    static std::vector<Transfer> outTransfers();
    static std::vector<Transfer> inTransfers();
    static std::vector<int> claimedInterfaces();
    static std::vector<int> releasedInterfaces();
    static int opens();
    static int closes();
};
