// Backs up the virtual pedal's whole memory image through the backup thread at full-speed timing,
// timed from startBackupTo to the finished message; the median of three runs on one connection.
//
// wire_s: 0xE8 and then block requests (0xEA), each sent only once the previous block (0xE9, 521
// frame bytes) has arrived; the backup ends on the last block.
#include "bench/backup/transferbench.h"
#include "files/backupfile.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv) {
    TransferBench bench("backup", TransferBench::LastAnswerAwaited);
    QCoreApplication app(argc, argv);
    if (!bench.valid())
        return 1;
    PedalSession session(bench.environment());
    if (!session.open()) {
        std::fprintf(stderr, "bench backup: no running pedal\n");
        return 1;
    }
    QBackupWriteThread& thread = session.backupThread();
    for (int run = 0; run < TransferBench::runs; ++run) {
        const QByteArray image = PedalSession::randomImage(quint32(run + 1));
        const QString path = bench.filePath(QString("run%1.bfl").arg(run));
        if (!PedalSession::setPedalImage(image))
            return 1;
        if (!bench.run(thread, &QBackupWriteThread::emitBackupProgress,
                       [&] { return bool(thread.startBackupTo(path)); }))
            return 1;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly) || file.readAll() != buildBackupFile(image)) {
            std::fprintf(stderr, "bench backup: the file does not hold the pedal's image\n");
            return 1;
        }
    }
    return bench.report();
}
