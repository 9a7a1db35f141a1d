#include "files/backupfile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray file(reinterpret_cast<const char*>(data), int(size));
    checkBackupFile(file);
    QVector<BackupRecordSpan> records;
    if (!backupRecords(file, records))
        return 0;
    // A restore sends exactly these spans, so each must lie in the file behind its header.
    for (const BackupRecordSpan& record : records) {
        if (record.offset < BackupHeaderSize || record.size < 0 ||
            record.offset + record.size > file.size())
            __builtin_trap();
    }
    return 0;
}
