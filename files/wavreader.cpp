#include "files/wavreader.h"

#include "files/irsample.h"
#include "link/bytefields.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <string>

namespace {

constexpr std::size_t kMinFileSize = 32;
constexpr std::size_t kFormatFieldsEnd = 24;     // format fields up to bits per sample
constexpr std::size_t kExtensibleFieldsEnd = 34; // extension size and sub-format code
constexpr std::size_t kWorkFramesPerBlock = 1120;
constexpr std::size_t kOutFramesPerBlock = 512;

std::size_t find(const std::vector<std::uint8_t>& image, const char* tag) {
    const auto at = std::search(image.begin(), image.end(), tag, tag + 4);
    return at == image.end() ? std::string::npos : static_cast<std::size_t>(at - image.begin());
}

bool tagAt(const std::vector<std::uint8_t>& image, std::size_t offset, const char* tag) {
    return ByteFields::hasText(image.data(), image.size(), offset, tag);
}

float toFloat(std::uint32_t sample24) {
    const std::int32_t value = static_cast<std::int32_t>(sample24 << 8) >> 8;
    return static_cast<float>(value) * 1.1920929e-7f;
}

} // namespace

bool WavReader::load(const QByteArray& path) {
    valid = false;
    image.clear();
    image.shrink_to_fit();
    QFile file(QFile::decodeName(path));
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const qint64 size = file.size();
    if (size < static_cast<qint64>(kMinFileSize) ||
        size > static_cast<qint64>(std::numeric_limits<std::uint32_t>::max())) {
        return false;
    }
    std::vector<std::uint8_t> content;
    try {
        content.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (file.read(reinterpret_cast<char*>(content.data()), size) != size) {
        return false;
    }
    return loadImage(std::move(content));
}

bool WavReader::loadImage(std::vector<std::uint8_t> fileImage) {
    valid = false;
    image = std::move(fileImage);
    if (!index()) {
        image.clear();
        image.shrink_to_fit();
        return false;
    }
    valid = true;
    return true;
}

bool WavReader::index() {
    if (image.size() < kMinFileSize || image.size() > std::numeric_limits<std::uint32_t>::max()) {
        return false;
    }
    // The tags are taken wherever they first occur, not by walking the chunk list.
    formatChunk = find(image, "fmt ");
    if (formatChunk == std::string::npos || formatChunk + kFormatFieldsEnd > image.size()) {
        return false;
    }
    dataChunk = find(image, "data");
    if (dataChunk == std::string::npos || dataChunk + 8 > image.size()) {
        return false;
    }
    if (!tagAt(image, 0, "RIFF") || !tagAt(image, 8, "WAVE")) {
        return false;
    }
    const std::uint32_t frameSize =
        std::uint32_t{word16(formatChunk + 10)} * (word16(formatChunk + 22) / 8u);
    if (frameSize == 0) {
        return false;
    }
    samples = dataChunk + 8;
    // A size word claiming more than the file holds is read only as far as the file reaches.
    const std::uint32_t claimed = word32(dataChunk + 4) / frameSize;
    const std::uint32_t present = static_cast<std::uint32_t>((image.size() - samples) / frameSize);
    frames = std::min(claimed, present);
    return true;
}

WavReader::Encoding WavReader::encoding() const {
    switch (word16(formatChunk + 22)) {
    case 8:
        return Encoding::Unsigned8;
    case 16:
        return Encoding::Signed16;
    case 24:
        return Encoding::Signed24;
    case 32:
        break;
    default:
        return Encoding::Unsupported;
    }
    switch (word16(formatChunk + 8)) {
    case 1:
        return Encoding::Signed32;
    case 3:
        return Encoding::Float32;
    case 0xFFFE:
        break;
    default:
        return Encoding::Unsupported;
    }
    // Extension fields are read relative to the format chunk, so chunks before it do not move
    // them onto unrelated bytes.
    if (formatChunk + kExtensibleFieldsEnd > image.size() || word16(formatChunk + 24) != 22) {
        return Encoding::Unsupported;
    }
    switch (word16(formatChunk + 32)) {
    case 1:
        return Encoding::Signed32;
    case 3:
        return Encoding::Float32;
    default:
        return Encoding::Unsupported;
    }
}

std::uint16_t WavReader::word16(std::size_t offset) const {
    return ByteFields::le16(image.data() + offset);
}

std::uint32_t WavReader::word32(std::size_t offset) const {
    return ByteFields::le32(image.data() + offset);
}

void WavReader::readFrames(std::uint32_t* out, std::uint32_t count, Encoding how) const {
    const std::size_t stride =
        std::size_t{word16(formatChunk + 10)} * (word16(formatChunk + 22) / 8u);
    for (std::uint32_t j = 0; j < count; ++j) {
        const std::uint8_t* p = image.data() + samples + j * stride; // first channel only
        std::uint32_t value = 0;
        switch (how) {
        case Encoding::Unsigned8:
            value = static_cast<std::uint32_t>((p[0] - 128) * 65536);
            break;
        case Encoding::Signed16:
            value = std::uint32_t{ByteFields::le16(p)} << 8;
            break;
        case Encoding::Signed24:
            value = std::uint32_t(ByteFields::littleEndian(p, 3));
            break;
        case Encoding::Signed32:
            value = std::uint32_t(ByteFields::littleEndian(p + 1, 3)); // top 24 bits
            break;
        case Encoding::Float32: {
            const std::uint32_t bits = ByteFields::le32(p);
            float sample;
            std::memcpy(&sample, &bits, sizeof sample);
            value = IrSample::fromFloat(sample);
            break;
        }
        case Encoding::Unsupported:
            break;
        }
        out[j] = value & IrSample::kMask;
    }
}

bool WavReader::convert(std::uint32_t* block, std::uint16_t blockCount) {
    if (!valid) {
        return false;
    }
    std::size_t framesPerBlock = 0;
    float step = 0.0f;
    const std::uint32_t rate = word32(formatChunk + 12);
    switch (rate) {
    case 44100:
        framesPerBlock = 512;
        step = 1.0f;
        break;
    case 48000:
        framesPerBlock = 560;
        step = 1.088f;
        break;
    case 88200:
        framesPerBlock = 1025;
        step = 2.0f;
        break;
    case 96000:
        framesPerBlock = 1120;
        step = 2.177f;
        break;
    default:
        return false;
    }
    const Encoding how = encoding();
    const std::uint16_t channels = word16(formatChunk + 10);
    // A silent IR reported as imported would replace a working slot, so such files fail.
    if (how == Encoding::Unsupported || (channels != 1 && channels != 2)) {
        return false;
    }
    const std::size_t n = blockCount;
    if (n == 0) {
        return true;
    }
    const std::size_t outCount = n * kOutFramesPerBlock;
    const std::size_t inCount = n * framesPerBlock;
    std::vector<std::uint32_t> work(n * kWorkFramesPerBlock, 0);
    readFrames(work.data(), static_cast<std::uint32_t>(std::min<std::size_t>(frames, inCount)),
               how);
    if (rate == 44100) {
        std::copy(work.begin(), work.begin() + static_cast<std::ptrdiff_t>(outCount), block);
        return true;
    }
    std::vector<float> in(n * kWorkFramesPerBlock, 0.0f);
    std::vector<float> out(outCount, 0.0f);
    for (std::size_t j = 0; j < inCount; ++j) {
        in[j] = toFloat(work[j]);
    }
    // Output k lies at input position k × step; the fraction is carried from one output to the
    // next, whole steps advance the index.
    out[0] = in[0];
    std::size_t i = 1;
    float fraction = 0.0f;
    for (std::size_t k = 1; k < outCount; ++k) {
        fraction += step - 1.0f;
        while (fraction >= 1.0f) {
            fraction -= 1.0f;
            ++i;
        }
        out[k] = in[i] + (in[i + 1] - in[i]) * fraction;
        ++i;
    }
    for (std::size_t k = 0; k < outCount; ++k) {
        block[k] = IrSample::fromFloat(out[k]);
    }
    return true;
}
