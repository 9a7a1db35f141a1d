#pragma once

#include <QByteArray>

#include <cstdint>
#include <vector>

// Reads a RIFF WAVE file and turns its first channel into the pedal's 24-bit, 44100 Hz samples.
class WavReader final {
public:
    WavReader() = default;
    WavReader(const WavReader&) = delete;
    WavReader& operator=(const WavReader&) = delete;

    // path in the local 8-bit encoding
    bool load(const QByteArray& path);
    // Indexes a whole file image already in memory; load() ends here.
    bool loadImage(std::vector<std::uint8_t> fileImage);
    // Writes blockCount × 512 samples into block, which must hold that many words.
    bool convert(std::uint32_t* block, std::uint16_t blockCount);

    std::uint32_t frameCount() const { return frames; }

private:
    enum class Encoding { Unsupported, Unsigned8, Signed16, Signed24, Signed32, Float32 };

    bool index();
    Encoding encoding() const;
    std::uint16_t word16(std::size_t offset) const;
    std::uint32_t word32(std::size_t offset) const;
    void readFrames(std::uint32_t* out, std::uint32_t count, Encoding how) const;

    bool valid = false;
    std::vector<std::uint8_t> image;
    std::uint32_t frames = 0;
    std::size_t samples = 0;     // offset of the first sample byte
    std::size_t formatChunk = 0; // offset of the "fmt " tag
    std::size_t dataChunk = 0;   // offset of the "data" tag
};
