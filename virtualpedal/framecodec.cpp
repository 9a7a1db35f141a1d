#include "virtualpedal/framecodec.h"

#include <algorithm>

namespace virtualpedal {

std::uint16_t FrameCodec::checkValue(const std::uint8_t* data, std::size_t size) {
    std::uint16_t crc = 0;
    for (std::size_t k = 0; k < size; ++k) {
        crc ^= static_cast<std::uint16_t>(data[k] << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = static_cast<std::uint16_t>(crc & 0x8000 ? (crc << 1) ^ 0x1021 : crc << 1);
    }
    return static_cast<std::uint16_t>(crc ^ 0xFFFF);
}

std::vector<std::uint8_t> FrameCodec::encode(std::uint8_t code,
                                             const std::vector<std::uint8_t>& params) {
    const std::size_t length = params.size() + 1;
    std::vector<std::uint8_t> frame(length + 6);
    frame[0] = 0xAA;
    frame[1] = 0x55;
    frame[2] = static_cast<std::uint8_t>(length);
    frame[3] = static_cast<std::uint8_t>(length >> 8);
    frame[4] = code;
    std::copy(params.begin(), params.end(), frame.begin() + 5);
    const std::uint16_t crc = checkValue(frame.data() + 2, length + 2);
    frame[length + 4] = static_cast<std::uint8_t>(crc >> 8);
    frame[length + 5] = static_cast<std::uint8_t>(crc);
    return frame;
}

} // namespace virtualpedal
