#include "tests/updater/firmwareimagebuilder.h"
#include "tests/updater/unprivilegedscope.h"
#include "tests/updater/uploadsession.h"
#include "virtualpedal/virtualpedal.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using Messages = QList<UploadSession::Message>;

// Uploads that must fail: refused images (nothing sent), a boot loader that rejects or does
// not answer, a lost pedal and a stop request. Each ends with its failure message.
class TestUpdateFailures final : public QObject {
    Q_OBJECT

private slots:
    void imageRefusedBeforeSending_data() const;
    void imageRefusedBeforeSending() const;
    void readOnlyImageUploads() const;
    void handshakeWithOtherDeviceType() const;
    void rejectedStartEndsAtOnce() const;
    void unansweredStartEndsAfterBound() const;
    void startAnswerWithoutStatus() const;
    void lostPedalBeforeBlocks_data() const;
    void lostPedalBeforeBlocks() const;
    void blockNotAcknowledged_data() const;
    void blockNotAcknowledged() const;
    void unplugDuringBlocks() const;
    void stopDuringBlocks() const;
    void destroyedDuringHandshake() const;
    void unansweredFinishStillCompletes() const;
    void finishNotSentFails() const;
    void refusedFinishFails() const;
    void stopWhileFinishAwaited() const;

private:
    QString write(const QByteArray& bytes) const;
    // One section of ten blocks from address 0x0100: each block is 9 of 90.
    static FirmwareImageBuilder tenBlocks();

    QTemporaryDir dir;
};

QString TestUpdateFailures::write(const QByteArray& bytes) const {
    const QString path = dir.filePath(QStringLiteral("firmware.zv"));
    QFile::remove(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}

FirmwareImageBuilder TestUpdateFailures::tenBlocks() {
    FirmwareImageBuilder image;
    image.sections.append({FirmwareImageBuilder::pattern(512 * 10, 11), 0xA2, 0xA3, 0, 0x0100});
    return image;
}

void TestUpdateFailures::imageRefusedBeforeSending_data() const {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("path");
    QTest::addColumn<Messages>("expected");
    QTest::addColumn<int>("problem");

    const Messages unreadable{{11, 0}, {6, 2}};
    const Messages malformed{{11, 0}, {11, 2}, {6, 2}};
    const Messages otherType{{11, 0}, {11, 2}, {6, 3}};
    const QString written = QStringLiteral("write");

    FirmwareImageBuilder b;
    b.sections.append({FirmwareImageBuilder::pattern(1024, 1), 0xA2, 0xA3, 0, 0});
    b.sections.append({FirmwareImageBuilder::pattern(1024, 2), 0xA2, 0xA3, 0, 8});
    const QByteArray good = b.build();
    auto patched = [&](qint64 offset, quint32 value) {
        QByteArray bytes = good;
        FirmwareImageBuilder::putLe32(bytes, offset, value);
        return bytes;
    };
    const quint32 size = quint32(good.size());

    QTest::newRow("no path") << QByteArray() << QString() << Messages{{11, 0}, {6, 1}}
                             << int(QFirmwareImage::NoProblem);
    QTest::newRow("missing file") << QByteArray() << QStringLiteral("missing") << unreadable
                                  << int(QFirmwareImage::Unreadable);
    QByteArray badMagic = good;
    badMagic[0] = 'z';
    QTest::newRow("bad magic") << badMagic << written << unreadable
                               << int(QFirmwareImage::NotFirmware);
    QTest::newRow("shorter than a header")
        << good.left(100) << written << unreadable << int(QFirmwareImage::CutOff);

    FirmwareImageBuilder other = b;
    other.deviceType = "TAL_IY";
    QTest::newRow("other device type")
        << other.build() << written << otherType << int(QFirmwareImage::OtherDevice);
    other.deviceType = "TAL_IX2";
    QTest::newRow("longer device type")
        << other.build() << written << otherType << int(QFirmwareImage::OtherDevice);
    QByteArray unterminated = good;
    unterminated.replace(9, 32, QByteArray(32, 'X'));
    QTest::newRow("device type without NUL")
        << unterminated << written << otherType << int(QFirmwareImage::OtherDevice);

    QByteArray count = good;
    count[47] = char(0x80);
    QTest::newRow("section count 0x80")
        << count << written << malformed << int(QFirmwareImage::NotFirmware);
    count[47] = 3;
    QTest::newRow("section header missing")
        << count << written << malformed << int(QFirmwareImage::CutOff);
    QTest::newRow("next header outside") << patched(b.headerPos(1) + 13, size - 100) << written
                                         << malformed << int(QFirmwareImage::CutOff);
    QTest::newRow("data pos zero")
        << patched(b.headerPos(2) + 9, 0) << written << malformed << int(QFirmwareImage::CutOff);
    QTest::newRow("data pos outside") << patched(b.headerPos(2) + 9, size + 10) << written
                                      << malformed << int(QFirmwareImage::CutOff);
    QTest::newRow("data size outside") << patched(b.headerPos(2) + 17, 1025) << written << malformed
                                       << int(QFirmwareImage::CutOff);
    QTest::newRow("first data size outside") << patched(b.headerPos(1) + 17, 0x80000000u) << written
                                             << malformed << int(QFirmwareImage::CutOff);

    // A tail that is not a whole block would be dropped without a word.
    QTest::newRow("section with a tail") << patched(b.headerPos(2) + 17, 1000) << written
                                         << malformed << int(QFirmwareImage::PartialBlock);
    QTest::newRow("no sections") << count.replace(47, 1, "\0", 1) << written << malformed
                                 << int(QFirmwareImage::NoBlocks);

    FirmwareImageBuilder empty;
    empty.sections.append({QByteArray(), 0xA2, 0xA3, 0, 0});
    QTest::newRow("block count zero")
        << empty.build() << written << malformed << int(QFirmwareImage::NoBlocks);
    empty.sections.append({QByteArray(), 0xA2, 0xA3, 0, 0});
    QByteArray negative = empty.build();
    negative[47] = 3;
    FirmwareImageBuilder::putLe32(negative, empty.headerPos(2) + 13, 128);
    QTest::newRow("block count negative")
        << negative << written << malformed << int(QFirmwareImage::NoBlocks);
}

void TestUpdateFailures::imageRefusedBeforeSending() const {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, path);
    QFETCH(Messages, expected);
    QFETCH(int, problem);

    if (path == QLatin1String("write")) {
        path = write(bytes);
    } else if (!path.isEmpty()) {
        path = dir.filePath(path);
    }
    UploadSession session;
    QCOMPARE(session.open(), 1);
    QVERIFY(session.start(path));
    QVERIFY(session.waitForEnd(5000));
    QCOMPARE(session.messages, expected);
    QCOMPARE(int(session.thread().imageProblem()), problem);
    QVERIFY(UploadSession::framesSent().empty());
}

// An image this user may only read, as an installed one, is written all the same.
void TestUpdateFailures::readOnlyImageUploads() const {
    const QString path = write(tenBlocks().build());
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadOther));
    QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                  QFile::ExeOwner | QFile::ReadOther |
                                                  QFile::ExeOther));
    UploadSession session;
    session.thread().setCompletionPause(UploadSession::kShortPauseMs);
    QCOMPARE(session.open(), 1);
    {
        UnprivilegedScope scope;
        QVERIFY(scope.isEffective());
        QVERIFY(session.start(path));
        // The file has been read once the image's header was taken.
        QTRY_VERIFY_WITH_TIMEOUT(session.messages.size() >= 2, 5000);
    }
    QVERIFY(session.waitForEnd(QMEUpdateWriteThread::completionPauseMs + 10000));
    QCOMPARE(session.messages.last(), UploadSession::Message(10, 100));
    QVERIFY(UploadSession::framesSent() == UploadSession::expectedFrames(tenBlocks(), -1, true));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
}

void TestUpdateFailures::handshakeWithOtherDeviceType() const {
    const QString path = write(tenBlocks().build());
    UploadSession session("TALIX_VP_HANDSHAKE_TYPE", "TAL_XX");
    session.shortenWaits();
    QCOMPARE(session.open(), 1);
    QVERIFY(session.start(path));
    QVERIFY(session.waitForEnd(QMEUpdateWriteThread::answerTimeoutMs + 5000));
    QCOMPARE(session.messages, (Messages{{11, 0}, {11, 2}, {4, 4}}));
    // The boot loader did answer, naming the other type.
    QCOMPARE(session.identityAnswers.load(), 1);
    const UploadSession::Frames sent = UploadSession::framesSent();
    QCOMPARE(int(sent.size()), 1);
    QVERIFY(sent.front() == UploadSession::expectedFrames(tenBlocks(), 0, false).front());
}

void TestUpdateFailures::rejectedStartEndsAtOnce() const {
    const QString path = write(tenBlocks().build());
    UploadSession session("TALIX_VP_BOOT_REJECT_START", "1");
    QCOMPARE(session.open(), 1);
    QVERIFY(session.start(path));
    // Well below the answer bound: the rejection itself ends the wait.
    QVERIFY(session.waitForEnd(QMEUpdateWriteThread::answerTimeoutMs / 2));
    QCOMPARE(session.messages, (Messages{{11, 0}, {11, 2}, {11, 5}, {5, 9}}));
    QVERIFY(UploadSession::framesSent() == UploadSession::expectedFrames(tenBlocks(), 0, false));
}

void TestUpdateFailures::unansweredStartEndsAfterBound() const {
    const QString path = write(tenBlocks().build());
    UploadSession session("TALIX_VP_SILENT_ON", "0xA0");
    session.shortenWaits();
    QCOMPARE(session.open(), 1);
    QVERIFY(session.start(path));
    QVERIFY(session.waitForEnd(QMEUpdateWriteThread::answerTimeoutMs + 5000));
    QCOMPARE(session.messages, (Messages{{11, 0}, {11, 2}, {11, 5}, {5, 9}}));
    QVERIFY(UploadSession::framesSent() == UploadSession::expectedFrames(tenBlocks(), 0, false));
}

void TestUpdateFailures::startAnswerWithoutStatus() const {
    const QString path = write(tenBlocks().build());
    UploadSession session("TALIX_VP_SILENT_ON", "0xA0");
    QCOMPARE(session.open(), 1);
    QVERIFY(session.start(path));
    QTRY_COMPARE_WITH_TIMEOUT(session.messages.size(), 3, 2000);
    // A start answer that ends at its code carries no acceptance.
    QVERIFY(virtualpedal::VirtualPedal::pushAnswer(0xA1, {}));
    QVERIFY(session.waitForEnd(QMEUpdateWriteThread::answerTimeoutMs / 2));
    QCOMPARE(session.messages, (Messages{{11, 0}, {11, 2}, {11, 5}, {5, 9}}));
}

void TestUpdateFailures::lostPedalBeforeBlocks_data() const {
    QTest::addColumn<QByteArray>("unplugAfter");
    QTest::addColumn<Messages>("expected");

    // The open's identity request is the pedal's first frame.
    QTest::newRow("during the handshake") << QByteArray("2") << Messages{{11, 0}, {11, 2}, {4, 4}};
    QTest::newRow("during the start")
        << QByteArray("3") << Messages{{11, 0}, {11, 2}, {11, 5}, {5, 9}};
}

void TestUpdateFailures::lostPedalBeforeBlocks() const {
    QFETCH(QByteArray, unplugAfter);
    QFETCH(Messages, expected);

    const QString path = write(tenBlocks().build());
    UploadSession session("TALIX_VP_UNPLUG_AFTER", unplugAfter);
    QCOMPARE(session.open(), 1);
    QVERIFY(session.start(path));
    QVERIFY(session.waitForEnd(QMEUpdateWriteThread::answerTimeoutMs / 2));
    QCOMPARE(session.messages, expected);
    QTRY_COMPARE_WITH_TIMEOUT(session.lostConnections, 1, 2000);
}

void TestUpdateFailures::blockNotAcknowledged_data() const {
    QTest::addColumn<QByteArray>("variable");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("blocksSent");
    QTest::addColumn<Messages>("expected");

    const Messages begin{{11, 0}, {11, 2}, {11, 5}, {11, 9}};
    QTest::newRow("refused third block")
        << QByteArray("TALIX_VP_BOOT_REFUSE_BLOCK") << QByteArray("0x0102") << 3
        << begin + Messages{{11, 18}, {11, 27}, {11, 36}, {12, 36}};
    QTest::newRow("unanswered block") << QByteArray("TALIX_VP_SILENT_ON") << QByteArray("0xA2") << 1
                                      << begin + Messages{{11, 18}, {12, 18}};
}

void TestUpdateFailures::blockNotAcknowledged() const {
    QFETCH(QByteArray, variable);
    QFETCH(QByteArray, value);
    QFETCH(int, blocksSent);
    QFETCH(Messages, expected);

    const QString path = write(tenBlocks().build());
    UploadSession session(variable, value);
    session.shortenWaits();
    QCOMPARE(session.open(), 1);
    QVERIFY(session.start(path));
    QVERIFY(session.waitForEnd(QMEUpdateWriteThread::answerTimeoutMs + 5000));
    QCOMPARE(session.messages, expected);
    QVERIFY(UploadSession::framesSent() ==
            UploadSession::expectedFrames(tenBlocks(), blocksSent, false));
}

void TestUpdateFailures::unplugDuringBlocks() const {
    const QString path = write(tenBlocks().build());
    // Identity, handshake, start, block 1; gone on block 2.
    UploadSession session("TALIX_VP_UNPLUG_AFTER", "5");
    QCOMPARE(session.open(), 1);
    QVERIFY(session.start(path));
    QVERIFY(session.waitForEnd(QMEUpdateWriteThread::answerTimeoutMs + 5000));
    QCOMPARE(session.messages,
             (Messages{{11, 0}, {11, 2}, {11, 5}, {11, 9}, {11, 18}, {11, 27}, {12, 27}}));
    QTRY_COMPARE_WITH_TIMEOUT(session.lostConnections, 1, 2000);
    QVERIFY(!session.thread().usbIsOpen());
}

void TestUpdateFailures::stopDuringBlocks() const {
    const QString path = write(tenBlocks().build());
    // The first block's answer comes long after the stop.
    UploadSession session("TALIX_VP_DELAY_MS", "0xA2:4000");
    QCOMPARE(session.open(), 1);
    QVERIFY(session.start(path));
    QTRY_COMPARE_WITH_TIMEOUT(session.messages.size(), 5, 3000);
    session.thread().stopWorker();
    QVERIFY(session.waitForEnd(2000));
    QCOMPARE(session.messages, (Messages{{11, 0}, {11, 2}, {11, 5}, {11, 9}, {11, 18}, {12, 18}}));
}

void TestUpdateFailures::destroyedDuringHandshake() const {
    // The window may close while the thread waits for an answer: the wait ends with the object.
    // Timed from before the handshake is sent: a wait that ran to its time-out cannot end sooner
    // than the whole time-out, however slow the machine.
    const QString path = write(tenBlocks().build());
    QElapsedTimer timer;
    {
        UploadSession session("TALIX_VP_HANDSHAKE_TYPE", "TAL_XX");
        QCOMPARE(session.open(), 1);
        timer.start();
        QVERIFY(session.start(path));
        QTRY_COMPARE_WITH_TIMEOUT(session.messages.size(), 2, 2000);
        QVERIFY(session.thread().isWorkerRunning());
    }
    QVERIFY(timer.elapsed() < QMEUpdateWriteThread::answerTimeoutMs);
}

void TestUpdateFailures::unansweredFinishStillCompletes() const {
    FirmwareImageBuilder image;
    image.sections.append({FirmwareImageBuilder::pattern(512, 12), 0xA2, 0xA3, 0, 0x0200});
    const QString path = write(image.build());
    UploadSession session("TALIX_VP_SILENT_ON", "0xFF");
    session.shortenWaits();
    QCOMPARE(session.open(), 1);
    QVERIFY(session.start(path));
    QVERIFY(session.waitForEnd(QMEUpdateWriteThread::answerTimeoutMs +
                               QMEUpdateWriteThread::completionPauseMs + 5000));
    QCOMPARE(
        session.messages,
        (Messages{{11, 0}, {11, 2}, {11, 5}, {11, 9}, {11, 99}, {11, 99}, {11, 100}, {10, 100}}));
    QVERIFY(UploadSession::framesSent() == UploadSession::expectedFrames(image, -1, true));
}

// A finish packet that never left is not a completed update: the pedal still waits in its
// boot loader.
void TestUpdateFailures::finishNotSentFails() const {
    FirmwareImageBuilder image;
    image.sections.append({FirmwareImageBuilder::pattern(512, 12), 0xA2, 0xA3, 0, 0x0200});
    const QString path = write(image.build());
    UploadSession session("TALIX_VP_STALL_ON", "0xFF");
    QCOMPARE(session.open(), 1);
    QVERIFY(session.start(path));
    QVERIFY(session.waitForEnd(QMEUpdateWriteThread::answerTimeoutMs + 5000));
    QCOMPARE(session.messages,
             (Messages{{11, 0}, {11, 2}, {11, 5}, {11, 9}, {11, 99}, {11, 99}, {12, 99}}));
    QVERIFY(UploadSession::framesSent() == UploadSession::expectedFrames(image, -1, false));
    QTRY_VERIFY_WITH_TIMEOUT(!session.thread().isWorkerRunning(), 5000);
}

// A finish the boot loader refuses leaves the pedal in its boot loader: no success, no editor.
void TestUpdateFailures::refusedFinishFails() const {
    const QString path = write(tenBlocks().build());
    UploadSession session("TALIX_VP_BOOT_REFUSE_FINISH", "1");
    QCOMPARE(session.open(), 1);
    QVERIFY(session.start(path));
    QVERIFY(session.waitForEnd(QMEUpdateWriteThread::answerTimeoutMs + 5000));
    QCOMPARE(session.messages.mid(session.messages.size() - 2), (Messages{{11, 99}, {13, 99}}));
    QVERIFY(UploadSession::framesSent() == UploadSession::expectedFrames(tenBlocks(), -1, true));
    QCOMPARE(virtualpedal::VirtualPedal::snapshot().runMode, 'B');
}

// The worker acknowledges its end, so a stop while the finish packet's answer is awaited
// does not wait out its own bound.
void TestUpdateFailures::stopWhileFinishAwaited() const {
    FirmwareImageBuilder image;
    image.sections.append({FirmwareImageBuilder::pattern(512, 12), 0xA2, 0xA3, 0, 0x0200});
    const QString path = write(image.build());
    // The finish packet's answer comes late; the pedal stays on the bus until it is read.
    UploadSession session("TALIX_VP_DELAY_MS", "0xFF:4000");
    QCOMPARE(session.open(), 1);
    QVERIFY(session.start(path));
    QTRY_COMPARE_WITH_TIMEOUT(UploadSession::framesSent().size(), std::size_t(4), 5000);
    QVERIFY(session.thread().isWorkerRunning());
    QElapsedTimer timer;
    timer.start();
    session.thread().stopWorker();
    QVERIFY(timer.elapsed() < QMEBaseWriteThread::ackTimeoutMs);
    QVERIFY(!session.thread().isWorkerRunning());
    QVERIFY(session.waitForEnd(5000));
    QCOMPARE(session.messages.last(), UploadSession::Message(10, 100));
}

QTEST_GUILESS_MAIN(TestUpdateFailures)
#include "test_updatefailures.moc"
