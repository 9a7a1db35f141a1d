#pragma once

#include "protocol/irfileloader.h"

// Reads IR files for the import worker: as WAVE first, as GIR when the WAVE load fails.
class IrFileReader final : public IrFileLoader {
public:
    bool load(const QString& path, std::vector<uint32_t>& samples) override;
};
