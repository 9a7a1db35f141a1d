#include "tests/updater/firmwareimagebuilder.h"

#include <QFile>

void FirmwareImageBuilder::putLe32(QByteArray& image, qint64 offset, quint32 value) {
    for (int i = 0; i < 4; ++i) {
        image[int(offset) + i] = char((value >> (8 * i)) & 0xFF);
    }
}

QByteArray FirmwareImageBuilder::pattern(int size, int seed) {
    QByteArray bytes(size, '\0');
    quint32 x = 0x9E3779B9u * quint32(seed + 1);
    for (int i = 0; i < size; ++i) {
        x = x * 1664525u + 1013904223u;
        bytes[i] = char(x >> 24);
    }
    return bytes;
}

QByteArray FirmwareImageBuilder::build() const {
    QByteArray image(128, '\0');
    image.replace(0, 9, "Zelva_TAG");
    image.replace(9, qMin(deviceType.size(), 31), deviceType.left(31));
    image[41] = char(startCmd);
    image[42] = char(startAck);
    putLe32(image, 43, imageParam);
    image[47] = char(sections.size());
    putLe32(image, 48, startArg);

    m_headerPos.clear();
    m_dataPos.clear();
    for (int k = 0; k < sections.size(); ++k) {
        const Section& s = sections.at(k);
        const qint64 header = image.size();
        const qint64 data = header + 512;
        const qint64 next = data + s.data.size();
        QByteArray h(512, '\0');
        h.replace(0, 9, "Zelva_TAG");
        putLe32(h, 9, quint32(data + 1));
        putLe32(h, 13, quint32(next));
        putLe32(h, 17, quint32(s.data.size()));
        h[21] = char(s.dataCmd);
        h[22] = char(s.dataAck);
        putLe32(h, 23, s.delay);
        putLe32(h, 27, s.sectorAddrStart);
        image.append(h);
        image.append(s.data);
        m_headerPos.append(header);
        m_dataPos.append(data);
    }
    return image;
}

bool FirmwareImageBuilder::write(const QString& path) const {
    const QByteArray image = build();
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(image) == image.size();
}
