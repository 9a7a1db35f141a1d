#pragma once

#include "protocol/devicestate.h"

#include <array>
#include <cstdint>

// A preset as the pedal exchanges it: ten 16-bit values, high byte first, in the order of
// DeviceState::current.
namespace PresetCodec {

constexpr int kBlockSize = 2 * DeviceState::kValueCount;
constexpr uint16_t kSlotLimit = 10;
constexpr uint16_t kValueLimit = 100;

using Block = std::array<uint8_t, kBlockSize>;

// Reads kBlockSize bytes; cabinet slots above 10 and other values above 100 become the limit.
DeviceState::Values decode(const uint8_t* block);

Block encode(const DeviceState::Values& values);

} // namespace PresetCodec
