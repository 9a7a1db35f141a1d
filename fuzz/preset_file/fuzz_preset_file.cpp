#include "files/presetfile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    checkPresetImage(bytes);
    QByteArray image;
    if (presetImageFromBytes(bytes, image) == PresetFileOk && image.size() != PresetImageSize)
        __builtin_trap();
    return 0;
}
