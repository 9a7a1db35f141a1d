#pragma once

#include <QByteArray>
#include <QVector>

#include <cstdint>

constexpr int BackupHeaderSize = 1024;
constexpr int BackupAreaHeaderSize = 256;
constexpr int BackupRecordHeaderSize = 34;
constexpr int BackupChecksumOffset = 1016;
constexpr int BackupBlockSize = 512;
constexpr int BackupBlockCount = 224;
constexpr int BackupImageSize = BackupBlockCount * BackupBlockSize;
constexpr int BackupFileSize =
    BackupHeaderSize + BackupAreaHeaderSize + BackupRecordHeaderSize + BackupImageSize;
// Far above any file the editor writes; keeps a stray huge file out of memory.
constexpr qint64 BackupFileSizeLimit = 64 * 1024 * 1024;

// Where one record's data lies in a backup file.
struct BackupRecordSpan {
    qint64 offset = 0;
    qint64 size = 0;
};

// The whole file for one area holding one record with the given data.
QByteArray buildBackupFile(const QByteArray& image);

// The unsigned 64-bit sum of every byte except the checksum field at 1016.
std::uint64_t backupChecksum(const QByteArray& file);

// Size, format version, tags and checksum, as checked before a restore.
bool checkBackupFile(const QByteArray& file);

// The records of every area, in file order; false when any area or record lies outside the
// file, a record holds more blocks than a 16-bit block number can count, or there are more
// records than a 16-bit record number can count.
bool backupRecords(const QByteArray& file, QVector<BackupRecordSpan>& records);
