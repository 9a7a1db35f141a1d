#include "virtualpedal/virtualbus.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace virtualpedal {

namespace {

VirtualBus* bus = nullptr;
int users = 0;

PedalState loadState(const PedalConfig& config) {
    PedalState state = PedalState::factory();
    state.runMode = config.runMode;
    state.firmwareVersion = config.firmwareVersion;
    if (config.stateFile.empty())
        return state;
    std::ifstream file(config.stateFile, std::ios::binary);
    if (!file)
        return state;
    std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(file)),
                                   std::istreambuf_iterator<char>());
    PedalState::deserialize(data, state);
    return state;
}

} // namespace

std::mutex& VirtualBus::mutex() {
    static std::mutex lock;
    return lock;
}

std::condition_variable& VirtualBus::wakeup() {
    static std::condition_variable condition;
    return condition;
}

VirtualBus* VirtualBus::current() {
    return bus;
}

void VirtualBus::acquire() {
    if (users++ == 0)
        bus = new VirtualBus(PedalConfig::fromEnvironment());
}

bool VirtualBus::release() {
    if (users == 0 || --users > 0)
        return false;
    // No save here: every change was saved when it happened, and another process may have
    // written a newer state since.
    delete bus;
    bus = nullptr;
    wakeup().notify_all();
    return true;
}

VirtualBus::VirtualBus(const PedalConfig& config) : config_(config), log_(config.logFile) {
    devices_.resize(config.devices.size());
    for (std::size_t k = 0; k < devices_.size(); ++k) {
        const PedalConfig::Device& entry = config.devices[k];
        Device& device = devices_[k];
        device.kind = entry.kind;
        if (entry.kind == PedalConfig::Device::Kind::Foreign) {
            device.vendorId = entry.vendorId;
            device.productId = entry.productId;
            device.bcdDevice = 0x0100;
            continue;
        }
        device.vendorId = 0x0483;
        device.productId = 0x5703;
        device.bcdDevice = config.bcdDevice;
        device.interfaceCount = config.interfaceCount;
        const bool modelled = entry.kind == PedalConfig::Device::Kind::Pedal && pedalIndex_ < 0;
        if (modelled) {
            pedalIndex_ = static_cast<int>(k);
            device.model = std::make_unique<PedalModel>(
                config, config.deviceType, loadState(config),
                [this](const std::string& text) { log_.line(text); },
                [this](const PedalState& state) { save(state); });
        } else {
            // A second pedal: same ids, its own type, nothing persisted.
            const std::string tag = "@" + std::to_string(k + 1);
            device.model = std::make_unique<PedalModel>(
                config, entry.deviceType.empty() ? config.deviceType : entry.deviceType,
                PedalState::factory(),
                [this, tag](const std::string& text) {
                    const auto space = text.find(' ');
                    log_.line(text.substr(0, space) + tag + text.substr(space));
                },
                nullptr);
        }
    }
}

VirtualBus::Device* VirtualBus::pedal() {
    return pedalIndex_ >= 0 ? &devices_[pedalIndex_] : nullptr;
}

void VirtualBus::enumerate(Clock::time_point now) {
    for (Device& device : devices_) {
        if (device.model) {
            device.model->advance(now);
            device.model->enumerate();
        }
    }
}

void VirtualBus::save(const PedalState& state) const {
    if (config_.stateFile.empty())
        return;
    const std::string temporary = config_.stateFile + ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        const std::vector<std::uint8_t> data = state.serialize();
        file.write(reinterpret_cast<const char*>(data.data()),
                   static_cast<std::streamsize>(data.size()));
        if (!file.flush())
            return;
    }
    std::rename(temporary.c_str(), config_.stateFile.c_str());
}

} // namespace virtualpedal
