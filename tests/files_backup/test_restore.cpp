#include "tests/files_backup/pedalsession.h"

#include "link/qmebasereceivethread.h"
#include "virtualpedal/virtualpedal.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <memory>

#include <algorithm>
#include <atomic>

using Message = PedalSession::Message;
using Messages = QList<Message>;
using Environment = PedalSession::Environment;

namespace {

constexpr int Progress = PedalSession::Progress;
constexpr int Stopped = PedalSession::Stopped;
constexpr int Finished = PedalSession::Finished;
constexpr int Failed = PedalSession::Failed;

void putLittleEndian(QByteArray& bytes, int offset, quint64 value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[offset + i] = char((value >> (8 * i)) & 0xFF);
}

void storeChecksum(QByteArray& file) {
    quint64 sum = 0;
    for (int i = 0; i < file.size(); ++i)
        sum += (i >= 1016 && i < 1024) ? 0 : quint8(file[i]);
    putLittleEndian(file, 1016, sum, 8);
}

// A backup file put together by hand: header, one area, one record.
QByteArray backupFile(const QByteArray& image) {
    QByteArray file(1024 + 256 + 34, '\0');
    file.replace(0, 6, "SARNEL");
    file.replace(8, 10, "TALIX_Edit");
    file.replace(40, 6, "V1.0.0");
    file.replace(47, 6, "V1.0.0");
    file.replace(54, 6, "V1.0.0");
    file.replace(72, 4, "BUFF");
    putLittleEndian(file, 76, 1, 4);
    putLittleEndian(file, 80, 1024, 8);
    file.replace(1024, 10, "TALIX_DATA");
    file[1024 + 32] = file[1024 + 36] = char(0xE9);
    putLittleEndian(file, 1024 + 40, 1, 4);
    putLittleEndian(file, 1024 + 44, quint64(image.size()), 4);
    file[1024 + 48] = 1;
    putLittleEndian(file, 1024 + 256 + 32, 1, 2);
    file += image;
    storeChecksum(file);
    return file;
}

int countCode(const std::vector<std::vector<std::uint8_t>>& frames, std::uint8_t code) {
    int count = 0;
    for (const auto& frame : frames)
        count += frame.size() > 4 && frame[4] == code;
    return count;
}

} // namespace

// Restores against the virtual pedal: the blocks that reach its memory, the acknowledgements,
// files refused before anything is sent, and the failure paths.
class TestRestore final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void fullRestore();
    void repairedChecksumAccepted();
    void damagedFileNeverSent_data();
    void damagedFileNeverSent();
    void failures_data();
    void failures();
    void stopWhileWaitingFails();
    void stopBeforeBlock();
    void stopDuringCheckRejects();
    void lastBlockNotSentKeepsListening();
    void closeDuringRestore_data();
    void closeDuringRestore();

private:
    QTemporaryDir home;
    QString write(const QByteArray& bytes);

    QTemporaryDir dir;
};

void TestRestore::initTestCase() {
    // The backup thread creates its folder under the documents folder: keep it in the test's.
    QVERIFY(home.isValid());
    qputenv("HOME", home.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(dir.isValid());
}

QString TestRestore::write(const QByteArray& bytes) {
    const QString path = dir.filePath("restore.bfl");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void TestRestore::fullRestore() {
    PedalSession session;
    QVERIFY(session.open());
    QSignalSpy answers(&session.backupThread(), &QMEBaseWriteThread::emitAnalysis);
    const QByteArray image = PedalSession::randomImage(11);
    QVERIFY(PedalSession::pedalImage() != image);

    QVERIFY(session.backupThread().startRestoreFrom(write(backupFile(image))));
    QVERIFY(PedalSession::waitForEnd(session.recallMessages, 20000));

    Messages messages{{0, Progress}};
    for (int block = 0; block < 224; ++block)
        messages.append({(block + 1) * 100 / 224, Progress});
    messages.append({100, Progress});
    messages.append({100, Finished});
    QCOMPARE(session.recallMessages, messages);

    const PedalSession::Frames frames = PedalSession::framesSent();
    QCOMPARE(int(frames.size()), 224);
    for (int block = 0; block < 224; ++block) {
        std::vector<std::uint8_t> params(2 + 512);
        params[0] = quint8(block >> 8);
        params[1] = quint8(block);
        std::copy_n(image.begin() + 512 * block, 512, params.begin() + 2);
        QVERIFY2(frames[size_t(block)] == PedalSession::frame(0xE9, params),
                 qPrintable(QString::number(block)));
    }
    // The receive thread was stopped before the last block: its acknowledgement is never read.
    QVERIFY(!session.writeThread().receiveThread()->isRunning());
    int acknowledgements = 0;
    for (const QList<QVariant>& answer : answers) {
        const auto message = answer.at(0).value<std::vector<unsigned char>>();
        acknowledgements += message.size() > 4 && message[4] == 0xEA;
    }
    QCOMPARE(acknowledgements, 223);
    QCOMPARE(PedalSession::pedalImage(), image);
}

void TestRestore::repairedChecksumAccepted() {
    PedalSession session;
    QVERIFY(session.open());
    QByteArray file = backupFile(PedalSession::randomImage(3));
    file[1314 + 70000] = char(quint8(file[1314 + 70000]) + 1);
    storeChecksum(file);
    QVERIFY(session.backupThread().startRestoreFrom(write(file)));
    QVERIFY(PedalSession::waitForEnd(session.recallMessages, 20000));
    QCOMPARE(session.recallMessages.last(), Message(100, Finished));
    QCOMPARE(PedalSession::pedalImage(), file.mid(1314));
}

void TestRestore::damagedFileNeverSent_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = backupFile(PedalSession::randomImage(5));
    const int positions[] = {0,    5,    7,    8,    17,   30,   40,   47,    52,
                             53,   54,   72,   76,   80,   88,   1015, 1024,  1056,
                             1064, 1068, 1279, 1280, 1312, 1313, 1314, 50000, 116001};
    for (int position : positions) {
        QByteArray bad = good;
        bad[position] = char(quint8(bad[position]) ^ 0x10);
        QTest::addRow("byte %d", position) << bad;
    }
    QByteArray version = good;
    version[52] = '1';
    storeChecksum(version);
    QTest::newRow("version ends in 1, checksum repaired") << version;
    QTest::newRow("1023 bytes") << good.left(1023);
    QTest::newRow("cut record") << good.left(good.size() - 1);
    QByteArray outside = good;
    putLittleEndian(outside, 1024 + 44, 200000, 4);
    storeChecksum(outside);
    QTest::newRow("record beyond the file, checksum repaired") << outside;
    QByteArray noArea = good;
    putLittleEndian(noArea, 76, 0, 4);
    storeChecksum(noArea);
    QTest::newRow("no area, checksum repaired") << noArea;
    QTest::newRow("empty file") << QByteArray();
}

void TestRestore::damagedFileNeverSent() {
    QFETCH(QByteArray, bytes);
    PedalSession session;
    QVERIFY(session.open());
    const QByteArray before = PedalSession::pedalImage();
    QVERIFY(session.backupThread().startRestoreFrom(write(bytes)));
    QVERIFY(PedalSession::waitForEnd(session.recallMessages, 5000));
    QCOMPARE(session.recallMessages, (Messages{{0, Failed}}));
    QVERIFY(PedalSession::framesSent().empty());
    QCOMPARE(PedalSession::pedalImage(), before);
}

void TestRestore::failures_data() {
    QTest::addColumn<Environment>("environment");
    QTest::addColumn<Message>("last");
    QTest::addColumn<int>("blocksSent");
    // Block k (frame k + 1) reports trunc((k + 1) * 100 / 224).
    QTest::newRow("unplug on block 100")
        << Environment{{"TALIX_VP_UNPLUG_AFTER", "101"}} << Message{-1, Failed} << -1;
    QTest::newRow("unplug on the first block")
        << Environment{{"TALIX_VP_UNPLUG_ON", "0xE9"}} << Message{0, Failed} << 1;
    QTest::newRow("blocks not acknowledged")
        << Environment{{"TALIX_VP_SILENT_ON", "0xE9"}} << Message{0, Failed} << 1;
}

void TestRestore::failures() {
    QFETCH(Environment, environment);
    QFETCH(Message, last);
    QFETCH(int, blocksSent);
    PedalSession session(environment);
    // The unacknowledged block ends after this instead of the editor's 5 s.
    session.backupThread().setAnswerTimeout(1000);
    QVERIFY(session.open());
    QVERIFY(
        session.backupThread().startRestoreFrom(write(backupFile(PedalSession::randomImage(9)))));
    QVERIFY(PedalSession::waitForEnd(session.recallMessages, 8000));
    const Message end = session.recallMessages.last();
    QCOMPARE(end.second, Failed);
    if (last.first >= 0)
        QCOMPARE(end, last);
    else
        QVERIFY(end.first > 0 && end.first < 100);
    const int sent = countCode(PedalSession::framesSent(), 0xE9);
    if (blocksSent >= 0)
        QCOMPARE(sent, blocksSent);
    QVERIFY(sent < 224);
    QCOMPARE(session.recallMessages.count(Message(100, Finished)), 0);
}

// A stop while a block's acknowledgement is awaited fails the restore.
void TestRestore::stopWhileWaitingFails() {
    // Acknowledgements come late enough that the stop is always seen while waiting.
    PedalSession session(Environment{{"TALIX_VP_DELAY_MS", "0xE9:300"}});
    QVERIFY(session.open());
    QBackupWriteThread& thread = session.backupThread();
    std::atomic<int> emitted{0};
    // On the worker, after block 2 was sent and before its acknowledgement is awaited.
    connect(
        &thread, &QBackupWriteThread::emitRecallProgress, this,
        [&thread, &emitted](int, int) {
            if (++emitted == 4)
                thread.stopWorker();
        },
        Qt::DirectConnection);
    QVERIFY(thread.startRestoreFrom(write(backupFile(PedalSession::randomImage(1)))));
    QVERIFY(PedalSession::waitForEnd(session.recallMessages, 5000));
    QCOMPARE(session.recallMessages,
             (Messages{{0, Progress}, {0, Progress}, {0, Progress}, {1, Progress}, {1, Failed}}));
    QCOMPARE(countCode(PedalSession::framesSent(), 0xE9), 3);
    QVERIFY(session.writeThread().receiveThread()->isRunning());
}

// A stop seen before a block is sent ends the restore as stopped.
void TestRestore::stopBeforeBlock() {
    PedalSession session;
    QVERIFY(session.open());
    QBackupWriteThread& thread = session.backupThread();
    std::atomic<int> acknowledged{-1};
    // Connected after the backup thread: runs on the receive side once DealData has taken the
    // acknowledgement.
    connect(
        session.writeThread().receiveThread(), &QMEBaseReceiveThread::emitCMDCallback, this,
        [&acknowledged](std::vector<unsigned char> message) {
            if (message.size() > 6 && message[4] == 0xEA)
                acknowledged = message[5] << 8 | message[6];
        },
        Qt::DirectConnection);
    std::atomic<int> emitted{0};
    // On the worker, once block 21 was sent: the stop is raised after its acknowledgement has
    // arrived, so it is first seen before block 22.
    connect(
        &thread, &QBackupWriteThread::emitRecallProgress, this,
        [&thread, &emitted, &acknowledged](int, int) {
            if (++emitted != 23)
                return;
            QDeadlineTimer deadline(5000);
            while (acknowledged != 21 && !deadline.hasExpired())
                QThread::msleep(1);
            thread.stopWorker();
        },
        Qt::DirectConnection);
    QVERIFY(thread.startRestoreFrom(write(backupFile(PedalSession::randomImage(2)))));
    QVERIFY(PedalSession::waitForEnd(session.recallMessages, 10000));

    Messages expected{{0, Progress}};
    for (int block = 0; block < 22; ++block)
        expected.append({(block + 1) * 100 / 224, Progress});
    expected.append({23 * 100 / 224, Stopped});
    QCOMPARE(session.recallMessages, expected);
    QCOMPARE(countCode(PedalSession::framesSent(), 0xE9), 22);
    QVERIFY(session.writeThread().receiveThread()->isRunning());
}

namespace {

// Asks for a stop as its worker starts, so that the stop is there during the file check.
class StoppedAtStart final : public QBackupWriteThread {
protected:
    void run() override {
        stopFlag = true;
        QBackupWriteThread::run();
    }
};

} // namespace

void TestRestore::stopDuringCheckRejects() {
    StoppedAtStart thread;
    Messages messages;
    connect(
        &thread, &QBackupWriteThread::emitRecallProgress, this,
        [&messages](int progress, int type) {
            messages.append({progress, type});
        },
        Qt::QueuedConnection);
    QVERIFY(thread.startRestoreFrom(write(backupFile(PedalSession::randomImage(4)))));
    QVERIFY(PedalSession::waitForEnd(messages, 5000));
    QCOMPARE(messages, (Messages{{0, Failed}}));
}

// A last block that cannot be sent fails the restore and leaves the editor listening, so a
// pedal lost afterwards is noticed.
void TestRestore::lastBlockNotSentKeepsListening() {
    PedalSession session(Environment{{"TALIX_VP_STALL_ON", "0xE9:224"}});
    QVERIFY(session.open());
    QSignalSpy lost(&session.writeThread(), &QMEBaseWriteThread::emitDeviceLostConnect);
    QVERIFY(
        session.backupThread().startRestoreFrom(write(backupFile(PedalSession::randomImage(5)))));
    QVERIFY(PedalSession::waitForEnd(session.recallMessages, 20000));
    QCOMPARE(session.recallMessages.last(), Message(100, Failed));
    QCOMPARE(countCode(PedalSession::framesSent(), 0xE9), 223);
    QTRY_VERIFY_WITH_TIMEOUT(session.writeThread().receiveThread()->isRunning(), 5000);
    QVERIFY(virtualpedal::VirtualPedal::unplug());
    QTRY_COMPARE_WITH_TIMEOUT(lost.count(), 1, 5000);
    QVERIFY(!session.link().isOpen());
}

void TestRestore::closeDuringRestore_data() {
    QTest::addColumn<int>("messages");
    // While blocks go out; as the last block is handed over (the receive thread stops).
    QTest::newRow("mid-transfer") << 50;
    QTest::newRow("last block") << 224;
    QTest::newRow("after the last block") << 225;
}

// The editor closes (write thread first) while a restore runs: nothing may touch the receive
// thread the write thread destroys. Meant for the address sanitizer build.
void TestRestore::closeDuringRestore() {
    QFETCH(int, messages);
    auto session = std::make_unique<PedalSession>();
    QVERIFY(session->open());
    QVERIFY(
        session->backupThread().startRestoreFrom(write(backupFile(PedalSession::randomImage(6)))));
    QTRY_VERIFY_WITH_TIMEOUT(session->recallMessages.size() >= messages, 20000);
    QElapsedTimer timer;
    timer.start();
    session.reset();
    QVERIFY(timer.elapsed() < QUtilThread::workerEndTimeoutMs);
}

QTEST_GUILESS_MAIN(TestRestore)
#include "test_restore.moc"
