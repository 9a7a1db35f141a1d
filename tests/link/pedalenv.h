#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

#include <initializer_list>

// Sets the virtual pedal's environment for one test; every other setting is back at its default.
// The pedal reads it at libusb_init, that is when the link is constructed.
class PedalEnv final {
public:
    PedalEnv(std::initializer_list<QPair<const char*, QByteArray>> settings = {}) {
        clearAll();
        for (const auto& s : settings)
            qputenv(s.first, s.second);
    }
    ~PedalEnv() { clearAll(); }

    PedalEnv(const PedalEnv&) = delete;
    PedalEnv& operator=(const PedalEnv&) = delete;

private:
    static void clearAll() {
        for (const char* name : {"TALIX_VP_STATE",
                                 "TALIX_VP_RUN_MODE",
                                 "TALIX_VP_FIRMWARE",
                                 "TALIX_VP_NEW_FIRMWARE",
                                 "TALIX_VP_DEVICE_TYPE",
                                 "TALIX_VP_INTERFACES",
                                 "TALIX_VP_KERNEL_DRIVER",
                                 "TALIX_VP_OPEN_DENIED",
                                 "TALIX_VP_CLAIM_BUSY",
                                 "TALIX_VP_INIT_FAIL",
                                 "TALIX_VP_BCD",
                                 "TALIX_VP_DEVICES",
                                 "TALIX_VP_NO_DEVICE",
                                 "TALIX_VP_LOG",
                                 "TALIX_VP_TIMING",
                                 "TALIX_VP_UNPLUG_AFTER",
                                 "TALIX_VP_UNPLUG_ON",
                                 "TALIX_VP_SILENT_ON",
                                 "TALIX_VP_DROP_IR_ACK",
                                 "TALIX_VP_CORRUPT",
                                 "TALIX_VP_GARBAGE",
                                 "TALIX_VP_PADDING",
                                 "TALIX_VP_DELAY_MS",
                                 "TALIX_VP_BOOT_CODES",
                                 "TALIX_VP_BOOT_REJECT_START",
                                 "TALIX_VP_BOOT_REFUSE_BLOCK",
                                 "TALIX_VP_BOOT_REFUSE_FINISH",
                                 "TALIX_VP_HANDSHAKE_TYPE"})
            qunsetenv(name);
    }
};
