#include "updater/image/qfirmwareimage.h"

#include "link/bytefields.h"

#include <QString>

#include <cstring>

const char QFirmwareImage::Magic[MagicSize + 1] = "Zelva_TAG";

qint64 QFirmwareImage::open(const QByteArray& utf8Path) {
    close();
    m_path = utf8Path;
    m_openProblem = Unreadable;
    if (utf8Path.isEmpty()) {
        return 0;
    }
    m_file.setFileName(QString::fromUtf8(utf8Path));
    // Only read: an image owned by another user, or a read-only copy, serves as well.
    if (!m_file.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const qint64 fileSize = m_file.size();
    if (m_file.isSequential() || fileSize < HeaderSize || fileSize > MaxFileSize) {
        m_openProblem = m_file.isSequential() || fileSize > MaxFileSize ? NotFirmware : CutOff;
        close();
        return 0;
    }
    QByteArray image = m_file.readAll();
    if (image.size() != fileSize) {
        close();
        return 0;
    }
    const qint64 result = openImage(image);
    if (result == 0) {
        close();
    }
    return result;
}

qint64 QFirmwareImage::openImage(const QByteArray& bytes) {
    m_openProblem = NoProblem;
    if (bytes.size() < HeaderSize)
        m_openProblem = CutOff;
    else if (bytes.size() > MaxFileSize || !ByteFields::hasText(bytes, 0, Magic))
        m_openProblem = NotFirmware;
    if (m_openProblem != NoProblem) {
        m_image.clear();
        return 0;
    }
    m_image = bytes;
    return m_image.size();
}

void QFirmwareImage::close() {
    if (m_file.isOpen()) {
        m_file.close();
    }
    m_image.clear();
    m_image.squeeze();
}

bool QFirmwareImage::ensureLoaded() {
    if (isOpen()) {
        return true;
    }
    if (m_path.isEmpty()) {
        return false;
    }
    return open(m_path) != 0;
}

const unsigned char* QFirmwareImage::bytes() const {
    return reinterpret_cast<const unsigned char*>(m_image.constData());
}

int QFirmwareImage::sectionCount() const {
    if (!isOpen()) {
        return 0;
    }
    return static_cast<signed char>(bytes()[OffSectionCount]);
}

qint64 QFirmwareImage::totalBlockCount() const {
    // qint64 division truncates toward zero, as the count is defined.
    return (size() - HeaderSize - qint64(SectionHeaderSize) * sectionCount()) / BlockSize;
}

int QFirmwareImage::header(unsigned char* out) {
    if (!ensureLoaded()) {
        return 0;
    }
    std::memcpy(out, bytes(), HeaderSize);
    return HeaderSize;
}

qint64 QFirmwareImage::sectionHeaderPos(int k) const {
    if (k < 1 || k > sectionCount()) {
        return -1;
    }
    qint64 pos = FirstSectionHeaderPos;
    for (int i = 1;; ++i) {
        if (pos < 0 || pos + SectionHeaderSize > size()) {
            return -1;
        }
        if (i == k) {
            return pos;
        }
        pos = ByteFields::le32(bytes() + pos + OffNextHeader);
    }
}

bool QFirmwareImage::sectionDataRange(int k, qint64& pos, qint64& length) const {
    const qint64 headerPos = sectionHeaderPos(k);
    if (headerPos < 0) {
        return false;
    }
    const unsigned char* h = bytes() + headerPos;
    // Sections 2 on store their data offset plus one.
    pos = k == 1 ? FirstSectionDataPos : qint64(ByteFields::le32(h + OffDataPos)) - 1;
    length = ByteFields::le32(h + OffDataSize);
    return pos >= 0 && pos <= size() && length <= size() - pos;
}

int QFirmwareImage::sectionHeader(int k, unsigned char* out) {
    if (!ensureLoaded()) {
        return 0;
    }
    const qint64 pos = sectionHeaderPos(k);
    if (pos < 0) {
        return 0;
    }
    std::memcpy(out, bytes() + pos, SectionHeaderSize);
    return SectionHeaderSize;
}

qint64 QFirmwareImage::sectionData(int k, std::vector<unsigned char>& out) {
    out.clear();
    qint64 pos = 0;
    qint64 length = 0;
    if (!ensureLoaded() || !sectionDataRange(k, pos, length)) {
        return 0;
    }
    out.assign(bytes() + pos, bytes() + pos + length);
    return length;
}

QFirmwareImage::Problem QFirmwareImage::check(const QByteArray& deviceType) const {
    if (!isOpen())
        return m_openProblem == NoProblem ? Unreadable : m_openProblem;
    const char* type = reinterpret_cast<const char*>(bytes() + OffDeviceType);
    if (QByteArray(type, int(qstrnlen(type, DeviceTypeSize))) != deviceType)
        return OtherDevice;
    const int count = sectionCount();
    if (count < 0)
        return NotFirmware;
    qint64 blocks = 0;
    bool partial = false;
    for (int k = 1; k <= count; ++k) {
        qint64 pos = 0;
        qint64 length = 0;
        if (!sectionDataRange(k, pos, length))
            return CutOff;
        blocks += length / BlockSize;
        partial = partial || length % BlockSize != 0;
    }
    if (partial)
        return PartialBlock;
    // The progress figure divides by the block count the header implies.
    if (blocks == 0 || totalBlockCount() <= 0)
        return NoBlocks;
    return NoProblem;
}
