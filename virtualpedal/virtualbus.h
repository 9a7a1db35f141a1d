#pragma once

#include "virtualpedal/pedalconfig.h"
#include "virtualpedal/pedalmodel.h"
#include "virtualpedal/trafficlog.h"

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

namespace virtualpedal {

// The devices of one libusb_init .. libusb_exit span. Everything here runs under mutex();
// wakeup() is notified whenever a blocked read may have something new to see.
class VirtualBus {
public:
    using Clock = PedalModel::Clock;

    struct Device {
        PedalConfig::Device::Kind kind = PedalConfig::Device::Kind::Pedal;
        std::uint16_t vendorId = 0;
        std::uint16_t productId = 0;
        std::uint16_t bcdDevice = 0;
        int interfaceCount = 1;
        std::unique_ptr<PedalModel> model; // none for a foreign device
        // Timing model: earliest time of the next packet in each direction.
        Clock::time_point nextIn;
        Clock::time_point nextOut;
        // Generations whose kernel driver was detached; each comeback binds it again.
        std::set<int> driverDetached;

        bool present() const { return !model || model->present(); }
        int generation() const { return model ? model->generation() : 0; }
        // The interface that carries the endpoints.
        int controlInterface() const { return model ? (interfaceCount >= 4 ? 3 : 0) : -1; }
    };

    static std::mutex& mutex();
    static std::condition_variable& wakeup();
    // The bus, or null outside libusb_init .. libusb_exit.
    static VirtualBus* current();
    // libusb_init: the first call reads the environment and builds the bus.
    static void acquire();
    // libusb_exit: the last call tears the bus down; true then.
    static bool release();

    const PedalConfig& config() const { return config_; }
    std::vector<Device>& devices() { return devices_; }
    // The modelled pedal, if the bus has one.
    Device* pedal();
    // Restarted devices come back, due restarts take effect.
    void enumerate(Clock::time_point now);

private:
    explicit VirtualBus(const PedalConfig& config);
    void save(const PedalState& state) const;

    PedalConfig config_;
    TrafficLog log_;
    std::vector<Device> devices_;
    int pedalIndex_ = -1;
};

} // namespace virtualpedal
