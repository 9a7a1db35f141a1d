#include "files/ampforgnr.h"
#include "files/wavreader.h"

#include <QBuffer>

#include <cstdint>
#include <vector>

// Arbitrary bytes as a WAVE file and as a GIR file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint32_t> block(2560, 0);
    WavReader wave;
    if (wave.loadImage(std::vector<std::uint8_t>(data, data + size))) {
        wave.convert(block.data(), 4);
    }

    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<int>(size));
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    GnrFile record;
    AMPForGNR gir;
    if (gir.read(device, record)) {
        AMPForGNR::toBlock(record, block.data());
    }
    return 0;
}
