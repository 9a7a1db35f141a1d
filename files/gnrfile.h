#pragma once

#include <array>
#include <cstdint>
#include <memory>

// In-memory form of a GIR file: header words as stored, blob and sample bytes shared.
struct GnrFile {
    std::array<char, 8> magic{'z', 'e', 'l', 'v', 'a', 'g', 'e', '\0'};
    std::uint32_t length = 0; // file size − 12
    std::array<char, 4> infoTag{'i', 'n', 'f', 'o'};
    std::uint32_t infoSize = 0;
    std::array<std::uint32_t, 4> infoWords{};
    std::uint32_t blobLength = 0;
    std::shared_ptr<std::uint8_t[]> blob;
    std::array<char, 4> dataTag{'d', 'a', 't', 'a'};
    std::uint32_t dataLength = 0; // in bytes
    std::shared_ptr<std::uint8_t[]> data;
};
