#include "files/irfilereader.h"

#include "files/ampforgnr.h"
#include "files/irsample.h"
#include "files/wavreader.h"

#include <QFile>

static_assert(IrFileLoader::kSampleCount == IrSample::kBlockSamples, "one IR block size");

bool IrFileReader::load(const QString& path, std::vector<uint32_t>& samples) {
    samples.assign(IrSample::kBlockSamples, 0);
    const QByteArray localPath = QFile::encodeName(path);
    WavReader wave;
    AMPForGNR gir;
    if (wave.load(localPath)) {
        if (wave.convert(samples.data(), IrSample::kBlockSamples / 512))
            return true;
        mLastFailure = IrSkipReason::Unsupported;
        return false;
    }
    if (gir.loadSamples(localPath, samples.data()))
        return true;
    mLastFailure = classify(path);
    return false;
}

IrSkipReason IrFileReader::classify(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return IrSkipReason::NotOpened;
    const QByteArray head = file.read(12);
    // A header cut short still names its kind by what is there.
    const bool wave = head.startsWith("RIFF") && (head.size() < 12 || head.mid(8) == "WAVE");
    const bool gir =
        head.startsWith(QByteArray("zelvage", 8)) || head.startsWith(QByteArray("zelvast", 8));
    return wave || gir ? IrSkipReason::Damaged : IrSkipReason::NotIrFile;
}
