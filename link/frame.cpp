#include "link/frame.h"

namespace Frame {

std::uint16_t crc16(const unsigned char* data, std::size_t size) {
    std::uint16_t crc = 0x0000;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= static_cast<std::uint16_t>(data[i] << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? static_cast<std::uint16_t>((crc << 1) ^ 0x1021)
                                 : static_cast<std::uint16_t>(crc << 1);
    }
    return static_cast<std::uint16_t>(crc ^ 0xFFFF);
}

std::uint16_t length(const unsigned char* frame) {
    return static_cast<std::uint16_t>(frame[2] | (frame[3] << 8));
}

void complete(unsigned char* frame) {
    const std::size_t l = length(frame);
    const std::uint16_t crc = crc16(frame + 2, l + 2);
    frame[l + 4] = static_cast<unsigned char>(crc >> 8);
    frame[l + 5] = static_cast<unsigned char>(crc & 0xFF);
}

bool complete(std::vector<unsigned char>& frame) {
    if (frame.size() < 4 || frame.size() < length(frame.data()) + overhead)
        return false;
    complete(frame.data());
    return true;
}

bool check(const unsigned char* data, std::size_t size) {
    if (size < overhead || data[0] != startByte0 || data[1] != startByte1)
        return false;
    const std::size_t l = length(data);
    if (l < 1 || size < l + overhead)
        return false;
    const std::uint16_t crc = crc16(data + 2, l + 2);
    return data[l + 4] == (crc >> 8) && data[l + 5] == (crc & 0xFF);
}

bool check(const std::vector<unsigned char>& message) {
    return check(message.data(), message.size());
}

std::vector<unsigned char> make(unsigned char code, const std::vector<unsigned char>& parameters) {
    const std::size_t l = parameters.size() + 1;
    if (l > maxLength)
        return {};
    std::vector<unsigned char> frame;
    frame.reserve(l + overhead);
    frame.push_back(startByte0);
    frame.push_back(startByte1);
    frame.push_back(static_cast<unsigned char>(l & 0xFF));
    frame.push_back(static_cast<unsigned char>(l >> 8));
    frame.push_back(code);
    frame.insert(frame.end(), parameters.begin(), parameters.end());
    frame.resize(l + overhead);
    complete(frame.data());
    return frame;
}

std::optional<unsigned char> code(const std::vector<unsigned char>& message) {
    if (message.size() <= codeIndex || length(message.data()) < 1)
        return std::nullopt;
    return message[codeIndex];
}

std::size_t parameterCount(const std::vector<unsigned char>& message) {
    if (message.size() <= firstParameterIndex)
        return 0;
    const std::size_t l = length(message.data());
    const std::size_t declared = l > 0 ? l - 1 : 0;
    const std::size_t held = message.size() - firstParameterIndex;
    return declared < held ? declared : held;
}

std::optional<unsigned char> parameter(const std::vector<unsigned char>& message, std::size_t k) {
    if (k >= parameterCount(message))
        return std::nullopt;
    return message[firstParameterIndex + k];
}

std::optional<std::uint16_t> parameter16(const std::vector<unsigned char>& message, std::size_t k) {
    const unsigned char* p = parameters(message, k, 2);
    if (!p)
        return std::nullopt;
    return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}

const unsigned char* parameters(const std::vector<unsigned char>& message, std::size_t k,
                                std::size_t count) {
    const std::size_t available = parameterCount(message);
    if (k > available || count > available - k)
        return nullptr;
    return message.data() + firstParameterIndex + k;
}

} // namespace Frame
