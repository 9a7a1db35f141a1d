#pragma once

#include "files/gnrfile.h"

#include <QByteArray>

#include <cstdint>

class QIODevice;

// Reads GIR files: 32-bit float samples behind a small header.
class AMPForGNR {
public:
    AMPForGNR() = default;
    virtual ~AMPForGNR() = default;
    AMPForGNR(const AMPForGNR&) = delete;
    AMPForGNR& operator=(const AMPForGNR&) = delete;

    // path in the local 8-bit encoding
    bool load(const QByteArray& path, GnrFile& record);
    // Reads a GIR image from an open device positioned at its start; load() ends here.
    bool read(QIODevice& device, GnrFile& record);
    // Loads the file into a fresh record and converts its first 1024 samples into block, which
    // must hold 1024 words; the rest of the caller's block is left as it is.
    bool loadSamples(const QByteArray& path, std::uint32_t* block);
    static void toBlock(const GnrFile& record, std::uint32_t* block);

    static constexpr int kSignificantSamples = 1024;
};
