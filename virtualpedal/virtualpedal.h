#pragma once

#include "virtualpedal/pedalstate.h"

#include <cstdint>
#include <vector>

namespace virtualpedal {

// Test control of the pedal in this process. It acts on the modelled pedal (the "pedal" entry of
// TALIX_VP_DEVICES) of the bus that libusb_init built; between libusb_exit and the next
// libusb_init there is no bus and every call reports failure. All calls are thread-safe.
class VirtualPedal {
public:
    // True while a bus with the modelled pedal exists.
    static bool active();
    // Copy of the pedal's state (factory state when inactive).
    static PedalState snapshot();
    // Replaces the pedal's state (and saves it to the state file). False when inactive.
    static bool setState(const PedalState& state);
    // Queues an answer frame (code, parameters, check value) as if the pedal sent it unasked.
    // It goes out on the interrupt IN endpoint, packed like every answer.
    static bool pushAnswer(std::uint8_t code, const std::vector<std::uint8_t>& params);
    // Queues raw bytes on the interrupt IN stream (no framing): for damaged traffic.
    static bool pushRaw(const std::vector<std::uint8_t>& bytes);
    // Pulls the cable: open handles get LIBUSB_ERROR_NO_DEVICE, device lists omit the pedal.
    static bool unplug();
    // Plugs it in again as a new device (new address); old handles stay dead.
    static bool replug();
    // True when the pedal is plugged in and not restarting.
    static bool present();
    // Every frame with a good check value the pedal received, in order, since libusb_init or
    // the last clearReceivedFrames().
    static std::vector<std::vector<std::uint8_t>> receivedFrames();
    static void clearReceivedFrames();

    // Frame helpers: AA 55, length (low byte first), code, params, check value (high byte first).
    static std::vector<std::uint8_t> frame(std::uint8_t code,
                                           const std::vector<std::uint8_t>& params);
    // CRC-16 (poly 0x1021, init 0, no reflection, final XOR 0xFFFF).
    static std::uint16_t checkValue(const std::uint8_t* data, std::size_t size);
};

} // namespace virtualpedal
