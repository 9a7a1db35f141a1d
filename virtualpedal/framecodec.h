#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace virtualpedal {

// The pedal's own frame helpers: AA 55, length L (low byte first), code, L - 1 parameter bytes,
// check value (high byte first) over the length field and the L bytes.
class FrameCodec {
public:
    static std::uint16_t checkValue(const std::uint8_t* data, std::size_t size);
    static std::vector<std::uint8_t> encode(std::uint8_t code,
                                            const std::vector<std::uint8_t>& params);
};

} // namespace virtualpedal
