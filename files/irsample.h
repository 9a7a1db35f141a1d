#pragma once

#include <cstdint>

// The pedal's IR block: 2048 samples at 44100 Hz, each a signed 24-bit value in the low 24 bits
// of a 32-bit word.
namespace IrSample {

constexpr int kBlockSamples = 2048;
constexpr std::uint32_t kMask = 0x00FFFFFF;

// Float to 24-bit: ±1.0 are pulled in to ±0.999999, everything else truncates toward zero and
// keeps its low 24 bits (no clipping). NaN and infinities give 0.
std::uint32_t fromFloat(float value);

} // namespace IrSample
