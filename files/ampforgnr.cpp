#include "files/ampforgnr.h"

#include "files/irsample.h"
#include "link/bytefields.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <new>

namespace {

using ByteFields::hasText;
using ByteFields::le32;

bool readExactly(QIODevice& device, char* into, qint64 count) {
    return device.read(into, count) == count;
}

// Reads count bytes into a new shared buffer; a count beyond what the device still holds is a
// short read, refused before anything is allocated.
bool readBuffer(QIODevice& device, std::uint32_t count, std::shared_ptr<std::uint8_t[]>& into) {
    if (count > device.bytesAvailable()) {
        return false;
    }
    try {
        into.reset(new std::uint8_t[count == 0 ? 1 : count]);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return readExactly(device, reinterpret_cast<char*>(into.get()), count);
}

} // namespace

bool AMPForGNR::load(const QByteArray& path, GnrFile& record) {
    QFile file(QFile::decodeName(path));
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    return read(file, record);
}

bool AMPForGNR::read(QIODevice& device, GnrFile& record) {
    char head[20];
    if (!readExactly(device, head, sizeof head)) {
        return false;
    }
    // The magic is 8 bytes with its NUL.
    if (head[7] != '\0' ||
        (!hasText(head, sizeof head, 0, "zelvage") && !hasText(head, sizeof head, 0, "zelvast"))) {
        return false;
    }
    std::memcpy(record.magic.data(), head, 8);
    record.length = le32(head + 8);
    if (qint64{record.length} + 12 != device.size()) {
        return false;
    }
    if (!hasText(head, sizeof head, 12, "info")) {
        return false;
    }
    std::memcpy(record.infoTag.data(), head + 12, 4);
    record.infoSize = le32(head + 16);
    char info[20];
    if (!readExactly(device, info, sizeof info)) {
        return false;
    }
    for (int i = 0; i < 4; ++i) {
        record.infoWords[static_cast<std::size_t>(i)] = le32(info + 4 * i);
    }
    record.blobLength = le32(info + 16);
    if (!readBuffer(device, record.blobLength, record.blob)) {
        return false;
    }
    char dataHead[8];
    if (!readExactly(device, dataHead, sizeof dataHead) ||
        !hasText(dataHead, sizeof dataHead, 0, "data")) {
        return false;
    }
    std::memcpy(record.dataTag.data(), dataHead, 4);
    record.dataLength = le32(dataHead + 4);
    return readBuffer(device, record.dataLength, record.data);
}

bool AMPForGNR::loadSamples(const QByteArray& path, std::uint32_t* block) {
    GnrFile record;
    if (!load(path, record)) {
        return false;
    }
    toBlock(record, block);
    return true;
}

void AMPForGNR::toBlock(const GnrFile& record, std::uint32_t* block) {
    // Only the first 1024 samples count; longer data is cut, shorter data is padded with zeros.
    std::uint8_t bytes[kSignificantSamples * 4] = {};
    if (record.data) {
        std::memcpy(bytes, record.data.get(),
                    std::min<std::size_t>(record.dataLength, sizeof bytes));
    }
    for (int k = 0; k < kSignificantSamples; ++k) {
        const std::uint32_t bits = le32(bytes + 4 * k);
        float sample;
        std::memcpy(&sample, &bits, sizeof sample);
        block[k] = IrSample::fromFloat(sample);
    }
}
