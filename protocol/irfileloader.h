#pragma once

#include <QString>

#include <cstdint>
#include <vector>

// Why a file was skipped by the import; travels as an int through emitImportIrSkipped.
enum class IrSkipReason : int {
    NotIrFile = 1,   // neither a WAVE nor a GIR file
    Unsupported = 2, // a WAVE file in a format the pedal's block cannot be made from
    Damaged = 3,     // a WAVE or GIR file that is damaged or truncated
    NotOpened = 4,   // the file could not be opened
    NoFreeSlot = 5,  // every slot from the starting one on was taken by the files before it
};

// Why an import ended before its last file; travels as an int through emitImportIrFailed.
enum class IrImportFailure : int {
    NoAnswer = 1, // the pedal did not acknowledge a packet in time
    LinkLost = 2, // the link to the pedal closed
    Stopped = 3,  // a stop was requested while waiting
};

// Reads one IR file into the block the pedal takes: 2048 samples, each a signed 24-bit value in
// the low 24 bits of a word. The import worker holds a loader without owning it, so the file
// readers can live above this library.
class IrFileLoader {
public:
    static constexpr int kSampleCount = 2048;

    virtual ~IrFileLoader() = default;

    // Runs on the import worker. Fills samples with exactly kSampleCount words; false when the
    // file cannot be read or converted (the import then skips it without using a slot).
    virtual bool load(const QString& path, std::vector<uint32_t>& samples) = 0;
    // Why the last load on this thread failed; only meaningful right after a failed load.
    virtual IrSkipReason lastFailure() const { return IrSkipReason::NotIrFile; }
};
