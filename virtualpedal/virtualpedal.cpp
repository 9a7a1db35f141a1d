#include "virtualpedal/virtualpedal.h"

#include "virtualpedal/framecodec.h"
#include "virtualpedal/virtualbus.h"

namespace virtualpedal {

namespace {

using Lock = std::lock_guard<std::mutex>;

PedalModel* model() {
    VirtualBus* bus = VirtualBus::current();
    VirtualBus::Device* device = bus ? bus->pedal() : nullptr;
    if (!device)
        return nullptr;
    device->model->advance(PedalModel::Clock::now());
    return device->model.get();
}

} // namespace

bool VirtualPedal::active() {
    Lock lock(VirtualBus::mutex());
    return model() != nullptr;
}

PedalState VirtualPedal::snapshot() {
    Lock lock(VirtualBus::mutex());
    PedalModel* pedal = model();
    return pedal ? pedal->state() : PedalState::factory();
}

bool VirtualPedal::setState(const PedalState& state) {
    Lock lock(VirtualBus::mutex());
    PedalModel* pedal = model();
    if (pedal)
        pedal->setState(state);
    return pedal != nullptr;
}

bool VirtualPedal::pushAnswer(std::uint8_t code, const std::vector<std::uint8_t>& params) {
    Lock lock(VirtualBus::mutex());
    PedalModel* pedal = model();
    if (!pedal || !pedal->present())
        return false;
    pedal->pushAnswer(code, params, PedalModel::Clock::now());
    VirtualBus::wakeup().notify_all();
    return true;
}

bool VirtualPedal::pushRaw(const std::vector<std::uint8_t>& bytes) {
    Lock lock(VirtualBus::mutex());
    PedalModel* pedal = model();
    if (!pedal || !pedal->present())
        return false;
    pedal->pushRaw(bytes, PedalModel::Clock::now());
    VirtualBus::wakeup().notify_all();
    return true;
}

bool VirtualPedal::unplug() {
    Lock lock(VirtualBus::mutex());
    PedalModel* pedal = model();
    if (pedal)
        pedal->unplug();
    VirtualBus::wakeup().notify_all();
    return pedal != nullptr;
}

bool VirtualPedal::replug() {
    Lock lock(VirtualBus::mutex());
    PedalModel* pedal = model();
    if (pedal)
        pedal->replug();
    VirtualBus::wakeup().notify_all();
    return pedal != nullptr;
}

bool VirtualPedal::present() {
    Lock lock(VirtualBus::mutex());
    PedalModel* pedal = model();
    return pedal && pedal->present();
}

std::vector<std::vector<std::uint8_t>> VirtualPedal::receivedFrames() {
    Lock lock(VirtualBus::mutex());
    PedalModel* pedal = model();
    return pedal ? pedal->receivedFrames() : std::vector<std::vector<std::uint8_t>>{};
}

void VirtualPedal::clearReceivedFrames() {
    Lock lock(VirtualBus::mutex());
    if (PedalModel* pedal = model())
        pedal->clearReceivedFrames();
}

std::vector<std::uint8_t> VirtualPedal::frame(std::uint8_t code,
                                              const std::vector<std::uint8_t>& params) {
    return FrameCodec::encode(code, params);
}

std::uint16_t VirtualPedal::checkValue(const std::uint8_t* data, std::size_t size) {
    return FrameCodec::checkValue(data, size);
}

} // namespace virtualpedal
