#include "files/qbackupwritethread.h"

#include "settings/qmefolders.h"
#include "files/backupfile.h"
#include "link/frame.h"
#include "protocol/commandframes.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QSaveFile>
#include <QVector>

#include <algorithm>

namespace {

constexpr unsigned char BackupBlockCode = 0xE9;
constexpr unsigned char RestoreAckCode = 0xEA;
constexpr int LastBlock = BackupBlockCount - 1;

// Share of the 224 blocks that `steps` stand for, as a percentage.
int progressOf(qint64 steps) {
    return int(std::min<qint64>(100, steps * 100 / BackupBlockCount));
}

} // namespace

QBackupWriteThread::QBackupWriteThread(QObject* parent) : QMEBaseWriteThread(parent) {
    QDir().mkpath(backupFolder());
}

QBackupWriteThread::~QBackupWriteThread() {
    finishThreads();
}

QString QBackupWriteThread::backupFolder() {
    return QMEFolders::userDataFolder() + "/BackupFiles";
}

QString QBackupWriteThread::path() const {
    std::lock_guard<std::mutex> lock(pathMutex);
    return transferPath;
}

QUtilThread::StartResult QBackupWriteThread::startBackup(QWidget* parent) {
    // A running transfer is not interrupted, and nothing is asked while it runs.
    if (isWorkerRunning())
        return StartResult::Busy;
    const QString file =
        QFileDialog::getSaveFileName(parent, QObject::tr("TALIX Backup File"),
                                     backupFolder() + "/TALIX.bfl", "backup files(*.bfl)");
    return file.isEmpty() ? StartResult::Cancelled : startBackupTo(file);
}

QUtilThread::StartResult QBackupWriteThread::startRestore(QWidget* parent) {
    if (isWorkerRunning())
        return StartResult::Busy;
    const QString file =
        QFileDialog::getOpenFileName(parent, QObject::tr("TALIX Backup File"), backupFolder(),
                                     "backup files(*.bfl);;All files (*.*)");
    return file.isEmpty() ? StartResult::Cancelled : startRestoreFrom(file);
}

QUtilThread::StartResult QBackupWriteThread::startBackupTo(const QString& file) {
    return start(ModeBackup, file);
}

QUtilThread::StartResult QBackupWriteThread::startRestoreFrom(const QString& file) {
    return start(ModeRestore, file);
}

QUtilThread::StartResult QBackupWriteThread::start(Mode mode, const QString& file) {
    return startWorker([this, mode, &file] {
        transferMode = mode;
        std::lock_guard<std::mutex> lock(pathMutex);
        transferPath = file;
    });
}

void QBackupWriteThread::run() {
    const QString file = path();
    if (transferMode.load() == ModeBackup)
        runBackup(file);
    else
        runRestore(file);
    ackEvent.set();
    stopFlag = false;
}

void QBackupWriteThread::DealData(std::vector<unsigned char> Data) {
    const std::optional<unsigned char> code = Frame::code(Data);
    const std::optional<std::uint16_t> number = Frame::parameter16(Data, 0);
    if (!code || !number)
        return;
    if (*code == BackupBlockCode) {
        if (!receiving.load())
            return;
        const std::size_t count = Frame::parameterCount(Data) - 2;
        std::lock_guard<std::mutex> lock(receivedMutex);
        // Only the block asked for, whole and once: anything else would shift the image.
        if (blockFault || *number != expectedBlock || count != std::size_t(BackupBlockSize)) {
            blockFault = true;
        } else {
            received.append(reinterpret_cast<const char*>(Frame::parameters(Data, 2, count)),
                            int(count));
            lastBlock = *number;
            expectedBlock = -1;
            blockArrived = true;
        }
        answerEvent.set();
    } else if (*code == RestoreAckCode) {
        ackArrived = true;
        answerEvent.set();
    }
}

bool QBackupWriteThread::send(std::vector<unsigned char> frame) {
    return !frame.empty() && sendFrame(frame, commandTimeoutMs);
}

bool QBackupWriteThread::waitForAnswer(const std::atomic<bool>& flag) {
    return answerEvent.waitUntil(
        [&flag] { return flag.load(); },
        [this] { return blockFault.load() || stopFlag.load() || !usbIsOpen(); }, answerTimeout(),
        pollMs);
}

void QBackupWriteThread::acknowledgeStop() {
    ackEvent.set();
    stopFlag = false;
}

bool QBackupWriteThread::receiveImage(QByteArray& image) {
    {
        std::lock_guard<std::mutex> lock(receivedMutex);
        received.clear();
        lastBlock = 0;
        expectedBlock = -1;
        blockFault = false;
        blockArrived = false;
    }
    receiving = true;
    bool complete = false;
    for (int k = 0; !complete; ++k) {
        StepResult result = StepResult::Done;
        if (stopFlag.load()) {
            result = StepResult::Stopped;
        } else {
            qDebug() << k;
            const int acknowledge = lastBlock.load();
            {
                std::lock_guard<std::mutex> lock(receivedMutex);
                blockArrived = false;
                expectedBlock = k == 0 ? 0 : acknowledge + 1;
            }
            const bool sent =
                send(k == 0 ? CommandFrames::beginBackup()
                            : CommandFrames::requestBackupBlock(std::uint16_t(acknowledge)));
            // Once the last block is in, the image is whole whether or not its acknowledgement
            // went out.
            if (acknowledge == LastBlock)
                complete = true;
            else if (!sent)
                result = StepResult::Failed;
            else if (k == BackupBlockCount) // every block arrived, but not numbered as expected
                result = StepResult::Failed;
            else if (!waitForAnswer(blockArrived))
                result = StepResult::Failed;
        }
        if (result == StepResult::Stopped) {
            receiving = false;
            acknowledgeStop();
            emit emitBackupProgress(progressOf(k), MSG_STOPPED);
            return false;
        }
        if (result == StepResult::Failed) {
            receiving = false;
            emit emitBackupProgress(progressOf(k + 1), MSG_FAILED);
            return false;
        }
        emit emitBackupProgress(progressOf(k + 1), MSG_PROGRESS);
    }
    receiving = false;
    std::lock_guard<std::mutex> lock(receivedMutex);
    image = received.left(BackupImageSize);
    received.clear();
    return true;
}

void QBackupWriteThread::runBackup(const QString& file) {
    emit emitBackupProgress(0, MSG_PROGRESS);
    qDebug() << "file path" << file;
    if (file.isEmpty()) {
        emit emitBackupProgress(0, MSG_FAILED);
        return;
    }
    QByteArray image;
    if (!receiveImage(image))
        return;
    if (stopFlag.load()) {
        acknowledgeStop();
        emit emitBackupProgress(100, MSG_STOPPED);
        return;
    }
    // A short transfer is never padded into a file that would restore as a whole image.
    if (image.size() < BackupImageSize) {
        emit emitBackupProgress(100, MSG_FAILED);
        return;
    }
    qDebug() << "DataArea Num :" << 0;
    qDebug() << "DataArea size is :" << BackupAreaHeaderSize << BackupRecordHeaderSize
             << image.size();
    if (!writeBackupFile(file, buildBackupFile(image))) {
        emit emitBackupProgress(100, MSG_FAILED);
        return;
    }
    emit emitBackupProgress(100, MSG_PROGRESS);
    emit emitBackupProgress(100, MSG_FINISHED);
}

void QBackupWriteThread::runRestore(const QString& file) {
    if (file.isEmpty()) {
        emit emitRecallProgress(0, MSG_FAILED);
        return;
    }
    QByteArray bytes;
    QVector<BackupRecordSpan> records;
    const bool readable = readBackupFile(file, bytes);
    qDebug() << "data size = " << bytes.size();
    if (bytes.size() >= BackupHeaderSize) {
        const std::uint64_t headSum = backupChecksum(bytes.left(BackupChecksumOffset));
        qDebug() << "file head sum = " << headSum;
        qDebug() << "checksum1 =" << headSum;
        qDebug() << "checksum2 =" << backupChecksum(bytes) - headSum;
    }
    qint64 blocks = 0;
    // A stop requested by the end of the check rejects the file.
    if (readable && checkBackupFile(bytes) && backupRecords(bytes, records) && !stopFlag.load()) {
        for (const BackupRecordSpan& record : records)
            blocks += (record.size + BackupBlockSize - 1) / BackupBlockSize;
    }
    if (blocks == 0) {
        emit emitRecallProgress(0, MSG_FAILED);
        return;
    }
    if (stopFlag.load()) {
        acknowledgeStop();
        emit emitRecallProgress(0, MSG_STOPPED);
        return;
    }
    emit emitRecallProgress(0, MSG_PROGRESS);

    for (const BackupRecordSpan& record : records) {
        qDebug() << "==============";
        qDebug() << "----------------";
        const qint64 count = (record.size + BackupBlockSize - 1) / BackupBlockSize;
        for (qint64 k = 0; k < count; ++k) {
            const int progress = progressOf(k + 1);
            if (stopFlag.load()) {
                acknowledgeStop();
                emit emitRecallProgress(progress, MSG_STOPPED);
                return;
            }
            const qint64 start = k * BackupBlockSize;
            QByteArray block =
                bytes.mid(int(record.offset + start),
                          int(std::min<qint64>(BackupBlockSize, record.size - start)));
            block.append(QByteArray(BackupBlockSize - block.size(), '\0'));
            ackArrived = false;
            answerEvent.reset();
            const bool last = --blocks == 0;
            // The pedal restarts after the last block; nothing more is read from it.
            if (last)
                stopReceiving();
            if (!send(CommandFrames::writeBackupBlock(std::uint16_t(k), block))) {
                // The pedal did not get it and may still be there: listen again, so that a
                // lost pedal is noticed.
                if (last)
                    startReceiving();
                emit emitRecallProgress(progress, MSG_FAILED);
                return;
            }
            emit emitRecallProgress(progress, MSG_PROGRESS);
            if (last)
                break;
            if (!waitForAnswer(ackArrived)) {
                emit emitRecallProgress(progress, MSG_FAILED);
                return;
            }
        }
    }
    emit emitRecallProgress(100, MSG_PROGRESS);
    emit emitRecallProgress(100, MSG_FINISHED);
}

bool QBackupWriteThread::readBackupFile(const QString& file, QByteArray& bytes) {
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly) || input.size() > BackupFileSizeLimit)
        return false;
    bytes = input.readAll();
    return bytes.size() == input.size();
}

bool QBackupWriteThread::writeBackupFile(const QString& file, const QByteArray& bytes) {
    // Written beside the target and renamed into place: a failure leaves any earlier file as
    // it was and no partial file.
    QSaveFile output(file);
    return output.open(QIODevice::WriteOnly) && output.write(bytes) == bytes.size() &&
           output.commit();
}
