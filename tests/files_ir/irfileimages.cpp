#include "irfileimages.h"

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

QByteArray wave(const Wave& spec) {
    QByteArray format;
    put16(format, spec.extensible ? 0xFFFE : spec.formatTag);
    put16(format, spec.channels);
    put32(format, spec.rate);
    const quint32 blockAlign = spec.channels * (spec.bits / 8u);
    put32(format, spec.rate * blockAlign);
    put16(format, blockAlign);
    put16(format, spec.bits);
    if (spec.extensible) {
        put16(format, spec.extensionSize);
        put16(format, spec.bits);
        put32(format, spec.channels == 2 ? 3 : 4);
        put16(format, spec.subFormat);
        format += QByteArray::fromHex("000000001000800000aa00389b71");
    }
    QByteArray data("data", 4);
    put32(data, spec.dataSizeWord < 0 ? static_cast<quint32>(spec.samples.size())
                                      : static_cast<quint32>(spec.dataSizeWord));
    data += spec.samples;

    QByteArray body("WAVE", 4);
    body += spec.beforeFormat;
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

QByteArray gir(const Gir& spec) {
    QByteArray rest = spec.infoTag.left(4);
    put32(rest, 36);
    for (quint32 word : {1u, 2u, 3u, 4u}) {
        put32(rest, word * 0x01010101u);
    }
    put32(rest, spec.blobLengthWord < 0 ? static_cast<quint32>(spec.blob.size())
                                        : static_cast<quint32>(spec.blobLengthWord));
    rest += spec.blob;
    rest += spec.dataTag.left(4);
    put32(rest, spec.dataLengthWord < 0 ? static_cast<quint32>(spec.samples.size() * 4)
                                        : static_cast<quint32>(spec.dataLengthWord));
    for (float sample : spec.samples) {
        putFloat(rest, sample);
    }
    QByteArray out = spec.magic.left(8);
    put32(out, static_cast<quint32>(rest.size() + spec.lengthAdjust));
    return out + rest;
}

} // namespace IrFileImages
