#include "files/irsample.h"

#include <cmath>

namespace IrSample {

std::uint32_t fromFloat(float value) {
    if (value == 1.0f) {
        value = 0.999999f;
    } else if (value == -1.0f) {
        value = -0.999999f;
    }
    const float scaled = std::trunc(value * 8388608.0f);
    // From 2^47 on every float is a multiple of 2^24, so its low 24 bits are zero; checking
    // first keeps the integer conversion defined for huge values, infinities and NaN.
    if (!(std::fabs(scaled) < 140737488355328.0f)) {
        return 0;
    }
    return static_cast<std::uint32_t>(static_cast<std::int64_t>(scaled)) & kMask;
}

} // namespace IrSample
