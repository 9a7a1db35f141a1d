#include "files/backupfile.h"

#include "link/bytefields.h"

namespace {

constexpr int AreaCountOffset = 76;
constexpr int AreaOffsetTable = 80;
constexpr int VersionOffset = 47;
constexpr qint64 MaxBlocksPerRecord = 65536;
// Record numbers are 16-bit; the bound also keeps overlapping areas from multiplying the list.
constexpr int MaxRecords = 65535;

using ByteFields::hasText;
using ByteFields::putLittleEndian;
using ByteFields::putText;

// The caller keeps offset + size within the file.
std::uint64_t littleEndian(const QByteArray& bytes, qint64 offset, int size) {
    return ByteFields::littleEndian(bytes.constData() + offset, size);
}

QByteArray fileHeader() {
    QByteArray header(BackupHeaderSize, '\0');
    putText(header, 0, "SARNEL");
    putText(header, 8, "TALIX_Edit");
    putText(header, 40, "V1.0.0");
    putText(header, VersionOffset, "V1.0.0");
    putText(header, 54, "V1.0.0");
    putText(header, 72, "BUFF");
    return header;
}

QByteArray areaHeader(std::uint32_t recordCount, std::uint32_t recordSize) {
    QByteArray area(BackupAreaHeaderSize, '\0');
    putText(area, 0, "TALIX_DATA");
    area[32] = char(0xE9);
    area[36] = char(0xE9);
    putLittleEndian(area, 40, recordCount, 4);
    putLittleEndian(area, 44, recordSize, 4);
    area[48] = 1;
    return area;
}

QByteArray recordHeader(std::uint16_t number) {
    QByteArray record(BackupRecordHeaderSize, '\0');
    putLittleEndian(record, 32, number, 2);
    return record;
}

} // namespace

QByteArray buildBackupFile(const QByteArray& image) {
    QByteArray file = fileHeader();
    putLittleEndian(file, AreaCountOffset, 1, 4);
    putLittleEndian(file, AreaOffsetTable, BackupHeaderSize, 8);
    file += areaHeader(1, std::uint32_t(image.size()));
    file += recordHeader(1);
    file += image;
    putLittleEndian(file, BackupChecksumOffset, backupChecksum(file), 8);
    return file;
}

std::uint64_t backupChecksum(const QByteArray& file) {
    std::uint64_t sum = 0;
    for (int i = 0; i < file.size(); ++i) {
        if (i < BackupChecksumOffset || i >= BackupHeaderSize)
            sum += std::uint8_t(file[i]);
    }
    return sum;
}

bool checkBackupFile(const QByteArray& file) {
    if (file.size() < BackupHeaderSize)
        return false;
    const bool version = hasText(file, VersionOffset, "V1.0.0") && file[VersionOffset + 6] == 0;
    return version && littleEndian(file, BackupChecksumOffset, 8) == backupChecksum(file) &&
           hasText(file, 0, "SARNEL") && hasText(file, 8, "TALIX_Edit") &&
           hasText(file, 72, "BUFF");
}

bool backupRecords(const QByteArray& file, QVector<BackupRecordSpan>& records) {
    records.clear();
    if (file.size() < BackupHeaderSize)
        return false;
    const qint64 fileSize = file.size();
    const std::uint64_t areaCount = littleEndian(file, AreaCountOffset, 4);
    const std::uint64_t tableRoom = (BackupChecksumOffset - AreaOffsetTable) / 8;
    if (areaCount > tableRoom)
        return false;
    for (std::uint64_t i = 0; i < areaCount; ++i) {
        const std::uint64_t area = littleEndian(file, AreaOffsetTable + 8 * qint64(i), 8);
        if (area < std::uint64_t(BackupHeaderSize) ||
            area > std::uint64_t(fileSize - BackupAreaHeaderSize))
            return false;
        const qint64 start = qint64(area);
        const std::uint64_t recordCount = littleEndian(file, start + 40, 4);
        const qint64 recordSize = qint64(littleEndian(file, start + 44, 4));
        if ((recordSize + BackupBlockSize - 1) / BackupBlockSize > MaxBlocksPerRecord)
            return false;
        qint64 position = start + BackupAreaHeaderSize;
        // Each record needs room in the file, so the loop ends within the file's size.
        for (std::uint64_t r = 0; r < recordCount; ++r) {
            const qint64 data = position + BackupRecordHeaderSize;
            if (data > fileSize || recordSize > fileSize - data || records.size() >= MaxRecords)
                return false;
            records.append({data, recordSize});
            position = data + recordSize;
        }
    }
    return true;
}
