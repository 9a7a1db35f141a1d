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
