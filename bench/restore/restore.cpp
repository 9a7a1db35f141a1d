// Restores a whole backup file into the virtual pedal through the backup thread at full-speed
// timing, timed from startRestoreFrom to the finished message; the median of three runs, each on
// a fresh connection since the pedal restarts after the last block.
//
// wire_s: 224 blocks (0xE9, 521 frame bytes), each sent only once the previous one has been
// acknowledged (0xEA); the last acknowledgement is not waited for.
#include "bench/backup/transferbench.h"
#include "files/backupfile.h"

#include <QCoreApplication>
#include <QFile>

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

// The pedal takes the last block as it arrives; allow its state a moment to show it.
bool pedalHolds(const QByteArray& image) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (PedalSession::pedalImage() != image) {
        if (std::chrono::steady_clock::now() >= limit)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    TransferBench bench("restore", TransferBench::LastAnswerNotAwaited);
    QCoreApplication app(argc, argv);
    if (!bench.valid())
        return 1;
    PedalSession session(bench.environment());
    QBackupWriteThread& thread = session.backupThread();
    for (int run = 0; run < TransferBench::runs; ++run) {
        const QByteArray image = PedalSession::randomImage(quint32(run + 1));
        const QString path = bench.filePath(QString("run%1.bfl").arg(run));
        QFile file(path);
        const QByteArray bytes = buildBackupFile(image);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
            !file.flush()) {
            std::fprintf(stderr, "bench restore: cannot write %s\n", qPrintable(path));
            return 1;
        }
        file.close();
        if (!session.open()) {
            std::fprintf(stderr, "bench restore: no running pedal\n");
            return 1;
        }
        if (!bench.run(thread, &QBackupWriteThread::emitRecallProgress,
                       [&] { return bool(thread.startRestoreFrom(path)); }))
            return 1;
        if (!pedalHolds(image)) {
            std::fprintf(stderr, "bench restore: the pedal does not hold the file's image\n");
            return 1;
        }
        session.writeThread().closeUsbConnect();
    }
    return bench.report();
}
