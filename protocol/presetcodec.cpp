#include "protocol/presetcodec.h"

#include <algorithm>

namespace PresetCodec {

DeviceState::Values decode(const uint8_t* block) {
    DeviceState::Values values{};
    for (int i = 0; i < DeviceState::kValueCount; ++i) {
        const uint16_t raw = static_cast<uint16_t>(block[2 * i] << 8 | block[2 * i + 1]);
        const bool isSlot = i % DeviceState::kCabinetValueCount == DeviceState::CabinetSlot;
        values[i] = std::min(raw, isSlot ? kSlotLimit : kValueLimit);
    }
    return values;
}

Block encode(const DeviceState::Values& values) {
    Block block{};
    for (int i = 0; i < DeviceState::kValueCount; ++i) {
        block[2 * i] = static_cast<uint8_t>(values[i] >> 8);
        block[2 * i + 1] = static_cast<uint8_t>(values[i] & 0xFF);
    }
    return block;
}

} // namespace PresetCodec
