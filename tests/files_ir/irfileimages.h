#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include <cstdint>

// Byte-by-byte WAVE and GIR file images for the IR tests.
namespace IrFileImages {

void put16(QByteArray& out, quint32 value);
void put32(QByteArray& out, quint32 value);
void putFloat(QByteArray& out, float value);
QByteArray chunk(const char* tag, const QByteArray& body);

struct Wave {
    quint16 formatTag = 1;
    quint16 channels = 1;
    quint32 rate = 44100;
    quint16 bits = 16;
    QByteArray samples;      // interleaved sample bytes as stored
    QByteArray beforeFormat; // whole chunks placed between "WAVE" and "fmt "
    bool extensible = false; // adds the extension fields after bits per sample
    quint16 extensionSize = 22;
    quint16 subFormat = 1;
    qint64 dataSizeWord = -1; // -1: the real size of samples
};
QByteArray wave(const Wave& layout);

// Sample bytes of one channel value in the given width, little-endian.
void putSample(QByteArray& out, quint16 bits, qint64 value);

struct Gir {
    QByteArray magic = QByteArray("zelvage", 8);
    qint64 lengthAdjust = 0; // added to the correct length word
    QByteArray infoTag = "info";
    QByteArray blob = "any info";
    qint64 blobLengthWord = -1; // -1: the real size of blob
    QByteArray dataTag = "data";
    QVector<float> samples;
    qint64 dataLengthWord = -1; // -1: the real size of samples
};
QByteArray gir(const Gir& layout);

// Writes image to path (a test aborts if it cannot) and returns the path.
QString writeFile(const QString& path, const QByteArray& image);

// The 24-bit low bits of a signed value, as the pedal takes it.
inline quint32 low24(qint64 value) {
    return static_cast<quint32>(value) & 0xFFFFFF;
}

} // namespace IrFileImages
