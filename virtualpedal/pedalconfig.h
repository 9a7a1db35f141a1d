#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace virtualpedal {

// Settings of the virtual bus, read from TALIX_VP_* environment variables (see README.md).
struct PedalConfig {
    struct Device {
        enum class Kind { Pedal, OtherPedal, Foreign };
        Kind kind = Kind::Pedal;
        std::string deviceType;      // OtherPedal: the type its identity names
        std::uint16_t vendorId = 0;  // Foreign
        std::uint16_t productId = 0; // Foreign
    };

    std::string stateFile;
    char runMode = 'A';
    std::string firmwareVersion = "V1.2.2";
    std::string newFirmwareVersion = "V1.2.2";
    std::string deviceType = "TAL_IX";
    int interfaceCount = 1;
    std::uint16_t bcdDevice = 0x0200;
    std::vector<Device> devices{Device{}};
    std::string logFile;
    bool timing = false;
    // A kernel driver holds the control interface: 0 none, 1 detachable, 2 refuses to detach.
    int kernelDriver = 0;
    // The pedal may not be opened by this user (no access to its device node).
    bool openDenied = false;
    // Another program holds the pedal: every claim of its control interface is refused as busy.
    bool claimBusy = false;

    int unplugAfter = -1;
    int unplugOn = -1;
    std::set<int> silentOn;
    int dropIrAck = -1;
    // Acknowledges IR packets for slot index 11 (which keeps nothing), or stays silent as a pedal
    // without that slot would.
    bool ackSlot11 = true;
    int corruptCode = -1;
    int corruptNth = 0; // 0: every answer with corruptCode
    int stallCode = -1;
    int stallNth = 0; // 0: every frame with stallCode
    int repeatBlock = -1;
    int longBlock = -1;
    std::vector<std::uint8_t> garbage;
    std::uint32_t paddingSeed = 0;
    int delayAllMs = 0;
    std::map<int, int> delayOnMs;

    std::uint8_t startCmd = 0xA0;
    std::uint8_t startAck = 0xA1;
    std::uint8_t dataCmd = 0xA2;
    std::uint8_t dataAck = 0xA3;
    bool rejectStart = false;
    // The boot loader answers the finish packet with a refusal and keeps waiting.
    bool refuseFinish = false;
    int refuseBlock = -1;
    std::string handshakeType;

    static PedalConfig fromEnvironment();
    // USB cannot start here (a sandbox without USB): libusb_init fails.
    static bool initFails();
};

} // namespace virtualpedal
