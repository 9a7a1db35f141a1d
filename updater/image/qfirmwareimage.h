#pragma once

#include <QByteArray>
#include <QFile>

#include <cstdint>
#include <vector>

// Reader of a firmware image (".zv"): an image header, then a chain of section headers, each
// with its section's data. The whole file is held in memory; every read is bounded by its size.
class QFirmwareImage final {
public:
    // Why an image cannot be uploaded.
    enum Problem {
        NoProblem = 0,
        Unreadable,   // cannot be opened or read by this user
        CutOff,       // shorter than its header, or sections beyond its end
        NotFirmware,  // another magic, another layout, or far too large
        OtherDevice,  // made for another device type
        NoBlocks,     // not one whole 512-byte block to send
        PartialBlock, // a section that does not end on a whole block would lose its tail
    };

    static constexpr int HeaderSize = 128;
    static constexpr int SectionHeaderSize = 512;
    static constexpr int BlockSize = 512;
    static constexpr int MagicSize = 9;
    static constexpr int DeviceTypeSize = 32;
    // Larger files are refused rather than read into memory.
    static constexpr qint64 MaxFileSize = 256 * 1024 * 1024;

    // Image header offsets.
    static constexpr int OffDeviceType = 9;
    static constexpr int OffStartCmd = 41;
    static constexpr int OffStartAck = 42;
    static constexpr int OffImageParam = 43;
    static constexpr int OffSectionCount = 47;
    static constexpr int OffStartArg = 48;

    // Section header offsets.
    static constexpr int OffDataPos = 9;
    static constexpr int OffNextHeader = 13;
    static constexpr int OffDataSize = 17;
    static constexpr int OffDataCmd = 21;
    static constexpr int OffDataAck = 22;
    static constexpr int OffDelay = 23;
    static constexpr int OffSectorAddrStart = 27;

    // The first section's header and data sit right behind the image header.
    static constexpr qint64 FirstSectionHeaderPos = HeaderSize;
    static constexpr qint64 FirstSectionDataPos = HeaderSize + SectionHeaderSize;

    static const char Magic[MagicSize + 1];

    QFirmwareImage() = default;
    QFirmwareImage(const QFirmwareImage&) = delete;
    QFirmwareImage& operator=(const QFirmwareImage&) = delete;

    // Opens the file for reading, reads it whole and checks the magic. Returns the file size, or
    // 0 when it cannot be opened, is shorter than an image header, is too large or carries
    // another magic; openProblem() then says which.
    qint64 open(const QByteArray& utf8Path);
    // Takes an image already in memory; same checks and result as open.
    qint64 openImage(const QByteArray& bytes);
    // Why the last open failed; NoProblem after a successful one.
    Problem openProblem() const { return m_openProblem; }
    void close();
    bool isOpen() const { return !m_image.isEmpty(); }
    qint64 size() const { return m_image.size(); }

    // Copies the image header; returns 128, or 0 when no image can be loaded.
    int header(unsigned char* out);
    // Copies section k's header (1 <= k <= SectionCount); returns 512, or 0 when k is out of
    // range or the header does not lie wholly inside the file.
    int sectionHeader(int k, unsigned char* out);
    // Replaces out with section k's data; returns its DataSize, or 0 (out emptied) when k is out
    // of range or the data does not lie wholly inside the file.
    qint64 sectionData(int k, std::vector<unsigned char>& out);

    // SectionCount as the signed byte of the header; 0 without an image.
    int sectionCount() const;
    // (file size - 128 - 512 * SectionCount) / 512, truncated toward zero.
    qint64 totalBlockCount() const;
    // Everything the upload relies on, checked before anything is sent: the image is open and
    // made for deviceType, SectionCount is below 0x80, every section header and its data lie
    // inside the file, every section is whole blocks, and there is at least one block.
    Problem check(const QByteArray& deviceType) const;

private:
    bool ensureLoaded();
    // File offset of section k's header, or -1 when the chain leaves the file.
    qint64 sectionHeaderPos(int k) const;
    // File offset and length of section k's data, false when outside the file.
    bool sectionDataRange(int k, qint64& pos, qint64& length) const;
    const unsigned char* bytes() const;

    QByteArray m_path;
    QFile m_file;
    QByteArray m_image;
    Problem m_openProblem = Unreadable;
};
