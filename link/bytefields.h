#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstring>

// Little-endian numbers and fixed text tags inside file images: the one set of byte helpers of
// the WAVE, GIR, preset, backup and firmware image readers. The pointer forms leave the bounds to
// the caller; the QByteArray forms check them.
namespace ByteFields {

// The size (1 to 8) bytes at p, low byte first.
inline std::uint64_t littleEndian(const void* p, int size) {
    const auto* bytes = static_cast<const unsigned char*>(p);
    std::uint64_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | bytes[i];
    return value;
}

inline std::uint16_t le16(const void* p) {
    return static_cast<std::uint16_t>(littleEndian(p, 2));
}

inline std::uint32_t le32(const void* p) {
    return static_cast<std::uint32_t>(littleEndian(p, 4));
}

// Stores the low size bytes of value at p, low byte first.
inline void putLittleEndian(void* p, std::uint64_t value, int size) {
    auto* bytes = static_cast<unsigned char*>(p);
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<unsigned char>(value >> (8 * i));
}

// True when the image holds the text (without its NUL) at offset.
inline bool hasText(const void* image, std::size_t imageSize, std::size_t offset,
                    const char* text) {
    const std::size_t size = std::strlen(text);
    return offset <= imageSize && size <= imageSize - offset &&
           std::memcmp(static_cast<const char*>(image) + offset, text, size) == 0;
}

inline bool hasText(const QByteArray& image, int offset, const char* text) {
    return offset >= 0 &&
           hasText(image.constData(), std::size_t(image.size()), std::size_t(offset), text);
}

// Writes the text (without its NUL) or the low size bytes of value at offset; the image must
// hold them.
inline void putText(QByteArray& image, int offset, const char* text) {
    std::memcpy(image.data() + offset, text, std::strlen(text));
}

inline void putLittleEndian(QByteArray& image, int offset, std::uint64_t value, int size) {
    putLittleEndian(image.data() + offset, value, size);
}

} // namespace ByteFields
