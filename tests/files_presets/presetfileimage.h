#pragma once

#include <QByteArray>

// A preset file image written out by hand, independent of the code under test: the header tags,
// the data size 512, and the 20 data bytes at 640.
inline QByteArray presetFileImage(const QByteArray& data) {
    QByteArray image(660, '\0');
    image.replace(0, 6, "Sarnel");
    image.replace(8, 10, "TALIX Edit");
    image.replace(40, 6, "V1.0.0");
    image.replace(72, 6, "PRESET");
    image[80] = 1;
    image[85] = 2; // 512, little-endian
    image.replace(640, 20, data);
    return image;
}

// The data of ten preset values, each high byte first.
template <typename Values> QByteArray presetFileData(const Values& values) {
    QByteArray data;
    for (const auto value : values) {
        data.append(char(value >> 8));
        data.append(char(value & 0xFF));
    }
    return data;
}
