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
        return wave.convert(samples.data(), IrSample::kBlockSamples / 512);
    }
    return gir.loadSamples(localPath, samples.data());
}
