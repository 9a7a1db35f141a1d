#pragma once

#include "protocol/irfileloader.h"

// Reads IR files for the import worker: as WAVE first, as GIR when the WAVE load fails.
class IrFileReader final : public IrFileLoader {
public:
    bool load(const QString& path, std::vector<uint32_t>& samples) override;
    IrSkipReason lastFailure() const override { return mLastFailure; }

    // Why a file that neither reader took was refused, judged from its opening bytes.
    static IrSkipReason classify(const QString& path);

private:
    IrSkipReason mLastFailure = IrSkipReason::NotIrFile;
};
