#include "irfileimages.h"

#include <QFile>

#include <cstring>

namespace IrFileImages {

void put16(QByteArray& out, quint32 value) {
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>(value >> 8 & 0xFF));
}

void put32(QByteArray& out, quint32 value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

void putFloat(QByteArray& out, float value) {
    quint32 bits;
    std::memcpy(&bits, &value, sizeof bits);
    put32(out, bits);
}

QByteArray chunk(const char* tag, const QByteArray& body) {
    QByteArray out(tag, 4);
    put32(out, static_cast<quint32>(body.size()));
    out += body;
    if (body.size() % 2) {
        out.append('\0');
    }
    return out;
}

QByteArray wave(const Wave& layout) {
    QByteArray format;
    put16(format, layout.extensible ? 0xFFFE : layout.formatTag);
    put16(format, layout.channels);
    put32(format, layout.rate);
    const quint32 blockAlign = layout.channels * (layout.bits / 8u);
    put32(format, layout.rate * blockAlign);
    put16(format, blockAlign);
    put16(format, layout.bits);
    if (layout.extensible) {
        put16(format, layout.extensionSize);
        put16(format, layout.bits);
        put32(format, layout.channels == 2 ? 3 : 4);
        put16(format, layout.subFormat);
        format += QByteArray::fromHex("000000001000800000aa00389b71");
    }
    QByteArray data("data", 4);
    put32(data, layout.dataSizeWord < 0 ? static_cast<quint32>(layout.samples.size())
                                        : static_cast<quint32>(layout.dataSizeWord));
    data += layout.samples;

    QByteArray body("WAVE", 4);
    body += layout.beforeFormat;
    body += chunk("fmt ", format);
    body += data;
    QByteArray out("RIFF", 4);
    put32(out, static_cast<quint32>(body.size()));
    return out + body;
}

void putSample(QByteArray& out, quint16 bits, qint64 value) {
    const auto raw = static_cast<quint64>(value);
    for (int byte = 0; byte < bits / 8; ++byte) {
        out.append(static_cast<char>(raw >> (8 * byte) & 0xFF));
    }
}

QByteArray gir(const Gir& layout) {
    QByteArray rest = layout.infoTag.left(4);
    put32(rest, 36);
    for (quint32 word : {1u, 2u, 3u, 4u}) {
        put32(rest, word * 0x01010101u);
    }
    put32(rest, layout.blobLengthWord < 0 ? static_cast<quint32>(layout.blob.size())
                                          : static_cast<quint32>(layout.blobLengthWord));
    rest += layout.blob;
    rest += layout.dataTag.left(4);
    put32(rest, layout.dataLengthWord < 0 ? static_cast<quint32>(layout.samples.size() * 4)
                                          : static_cast<quint32>(layout.dataLengthWord));
    for (float sample : layout.samples) {
        putFloat(rest, sample);
    }
    QByteArray out = layout.magic.left(8);
    put32(out, static_cast<quint32>(rest.size() + layout.lengthAdjust));
    return out + rest;
}

QString writeFile(const QString& path, const QByteArray& image) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(image) != image.size())
        qFatal("cannot write test file");
    return path;
}

} // namespace IrFileImages
