#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// The report frame: AA 55, length L (low byte first), code, L - 1 parameters, check value (high
// byte first) over the length field and the L bytes behind it. L + 6 bytes in all.
//
// A received message starts with a frame's AA and may carry further bytes behind the frame; the
// accessors below only ever read inside the frame, so a short message reports absence.
namespace Frame {

constexpr unsigned char startByte0 = 0xAA;
constexpr unsigned char startByte1 = 0x55;
constexpr std::size_t codeIndex = 4;
constexpr std::size_t firstParameterIndex = 5;
constexpr std::size_t overhead = 6; // start bytes, length field, check value
constexpr std::size_t maxLength = 0xFFFF;

// CRC-16/GSM: polynomial 0x1021, initial 0, no reflection, final XOR 0xFFFF.
std::uint16_t crc16(const unsigned char* data, std::size_t size);

// L from bytes 2 and 3 of a frame (which must hold at least 4 bytes).
std::uint16_t length(const unsigned char* frame);

// Writes the check value behind the L bytes; the buffer must hold L + 6 bytes.
void complete(unsigned char* frame);

// As above, but false (and nothing written) when the vector is shorter than its frame.
bool complete(std::vector<unsigned char>& frame);

// True when data starts with AA 55, holds the whole frame and its check value matches.
bool check(const unsigned char* data, std::size_t size);
bool check(const std::vector<unsigned char>& message);

// A complete frame with its check value. At most maxLength - 1 parameters.
std::vector<unsigned char> make(unsigned char code, const std::vector<unsigned char>& parameters);

// Answer code of a received message, if it holds one.
std::optional<unsigned char> code(const std::vector<unsigned char>& message);

// Number of parameters that the frame declares and the message really holds.
std::size_t parameterCount(const std::vector<unsigned char>& message);

// Parameter k (index 5 + k), or nothing when it lies beyond the frame or the message.
std::optional<unsigned char> parameter(const std::vector<unsigned char>& message, std::size_t k);

// Parameters k and k + 1 as a 16-bit value, high byte first, if both are present.
std::optional<std::uint16_t> parameter16(const std::vector<unsigned char>& message, std::size_t k);

// Pointer to parameters k .. k + count - 1, or nullptr unless all of them are present.
const unsigned char* parameters(const std::vector<unsigned char>& message, std::size_t k,
                                std::size_t count);

} // namespace Frame
