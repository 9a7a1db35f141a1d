#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>

// Writes firmware images for tests, independently of the reader: sections are laid out one after
// the other (header, then data), or wherever a test puts them by patching the result.
class FirmwareImageBuilder final {
public:
    struct Section {
        QByteArray data;
        quint8 dataCmd = 0xA2;
        quint8 dataAck = 0xA3;
        quint32 delay = 0;
        quint32 sectorAddrStart = 0;
    };

    QByteArray deviceType = "TAL_IX";
    quint8 startCmd = 0xA0;
    quint8 startAck = 0xA1;
    quint32 imageParam = 0x01020304;
    quint32 startArg = 0;
    QList<Section> sections;

    QByteArray build() const;
    // Writes the built image to path; false when it cannot be written.
    bool write(const QString& path) const;
    // File offsets of section k's (1-based) header and data in the last build.
    qint64 headerPos(int k) const { return m_headerPos.value(k - 1, -1); }
    qint64 dataPos(int k) const { return m_dataPos.value(k - 1, -1); }

    static void putLe32(QByteArray& image, qint64 offset, quint32 value);
    // Bytes that differ from block to block and from section to section.
    static QByteArray pattern(int size, int seed);

private:
    mutable QList<qint64> m_headerPos;
    mutable QList<qint64> m_dataPos;
};
