#include "link/bytefields.h"
#include "updater/image/qfirmwareimage.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

// Every read of the image reader and the checks made before an upload, on arbitrary bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QFirmwareImage image;
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    if (image.openImage(bytes) == 0) {
        return 0;
    }
    unsigned char header[QFirmwareImage::HeaderSize];
    if (image.header(header) != QFirmwareImage::HeaderSize ||
        std::memcmp(header, data, sizeof header) != 0) {
        std::abort();
    }
    // Checked against the type the image names itself, so the checks of its layout are reached.
    const char* type = reinterpret_cast<const char*>(header) + QFirmwareImage::OffDeviceType;
    const QByteArray named(type, int(qstrnlen(type, QFirmwareImage::DeviceTypeSize)));
    const bool uploadable = image.check(named) == QFirmwareImage::NoProblem;
    // An image that passes has blocks to send and to count, none cut short.
    if (uploadable && (image.sectionCount() <= 0 || image.totalBlockCount() <= 0)) {
        std::abort();
    }

    unsigned char sectionHeader[QFirmwareImage::SectionHeaderSize];
    std::vector<unsigned char> sectionData;
    const int count = image.sectionCount();
    for (int k = -1; k <= count + 1; ++k) {
        const bool inRange = k >= 1 && k <= count;
        const int got = image.sectionHeader(k, sectionHeader);
        if ((got != 0 && !inRange) || (uploadable && inRange && got == 0)) {
            std::abort();
        }
        const qint64 length = image.sectionData(k, sectionData);
        if (length != qint64(sectionData.size()) || (length != 0 && !inRange)) {
            std::abort();
        }
        if (uploadable && inRange &&
            (length != qint64(ByteFields::le32(sectionHeader + QFirmwareImage::OffDataSize)) ||
             length % QFirmwareImage::BlockSize != 0)) {
            std::abort();
        }
    }
    return 0;
}
