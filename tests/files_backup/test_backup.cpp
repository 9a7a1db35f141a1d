#include "settings/qmeappinfo.h"
#include "tests/files_backup/pedalsession.h"

#include "virtualpedal/virtualpedal.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

using Message = PedalSession::Message;
using Messages = QList<Message>;
using Environment = PedalSession::Environment;

namespace {

constexpr int Progress = PedalSession::Progress;
constexpr int Stopped = PedalSession::Stopped;
constexpr int Finished = PedalSession::Finished;
constexpr int Failed = PedalSession::Failed;

quint64 readLittleEndian(const QByteArray& bytes, int offset, int size) {
    quint64 value = 0;
    for (int i = 0; i < size; ++i)
        value |= quint64(quint8(bytes[offset + i])) << (8 * i);
    return value;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The modal file dialog a start opens, once it is up (bounded wait).
QFileDialog* waitForFileDialog() {
    QFileDialog* dialog = nullptr;
    const bool shown = QTest::qWaitFor(
        [&dialog] {
            dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            return dialog != nullptr;
        },
        5000);
    return shown ? dialog : nullptr;
}

} // namespace

// Backups against the virtual pedal: the exchange, the file, the progress and every way one
// can fail without leaving a file behind.
class TestBackup final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void createsBackupFolder() const;
    void dialogCancelledStartsNothing_data();
    void dialogCancelledStartsNothing();
    void backupDialogProposesFile();
    void restoreDialogOpensFolder();
    void fullBackup();
    void emptyPathFails();
    void failureLeavesEarlierFile_data();
    void failureLeavesEarlierFile();
    void stopBetweenSteps_data();
    void stopBetweenSteps();
    void stopWhileWaitingFails();
    void lastAcknowledgementNotSent();
    void shortTransferFails();
    void startWhileTransferRuns();
    void unwritableTarget_data();
    void unwritableTarget();

private:
    QTemporaryDir home;
    std::unique_ptr<QTemporaryDir> folder;
    QDir dir;
};

void TestBackup::initTestCase() {
    // The backup thread creates its folder under the documents folder: keep it in the test's.
    QVERIFY(home.isValid());
    qputenv("HOME", home.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
}

void TestBackup::init() {
    folder = std::make_unique<QTemporaryDir>();
    QVERIFY(folder->isValid());
    dir = QDir(folder->path());
}

void TestBackup::createsBackupFolder() const {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QVERIFY(documents.startsWith(home.path()));
    QMEAppInfo::instance().productName = "TALIX";
    QCOMPARE(QBackupWriteThread::backupFolder(), documents + "/TALIX/BackupFiles");
    QVERIFY(QDir(documents).removeRecursively());
    const QBackupWriteThread thread;
    QVERIFY(QFileInfo(documents + "/TALIX/BackupFiles").isDir());
}

void TestBackup::dialogCancelledStartsNothing_data() {
    QTest::addColumn<bool>("restore");
    QTest::newRow("backup") << false;
    QTest::newRow("restore") << true;
}

void TestBackup::dialogCancelledStartsNothing() {
    QFETCH(bool, restore);
    PedalSession session;
    QVERIFY(session.open());
    int dialogs = 0;
    QTimer::singleShot(0, [&dialogs] {
        if (auto* dialog = waitForFileDialog()) {
            ++dialogs;
            dialog->reject();
        }
    });
    QBackupWriteThread& thread = session.backupThread();
    QVERIFY((restore ? thread.startRestore() : thread.startBackup()) ==
            QUtilThread::StartResult::Cancelled);
    QCOMPARE(dialogs, 1);
    QTest::qWait(50);
    QVERIFY(!thread.isWorkerRunning());
    QVERIFY(session.backupMessages.isEmpty());
    QVERIFY(session.recallMessages.isEmpty());
    QVERIFY(PedalSession::framesSent().empty());
}

void TestBackup::backupDialogProposesFile() {
    PedalSession session;
    QVERIFY(session.open());
    const QString proposed = QBackupWriteThread::backupFolder() + "/TALIX.bfl";
    QFile::remove(proposed);
    QString title;
    QStringList selected;
    QStringList filters;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = waitForFileDialog()) {
            title = dialog->windowTitle();
            selected = dialog->selectedFiles();
            filters = dialog->nameFilters();
            static_cast<QDialog*>(dialog)->accept();
        }
    });
    QVERIFY(session.backupThread().startBackup());
    QCOMPARE(title, QString("TALIX Backup File"));
    QCOMPARE(selected, QStringList{proposed});
    QCOMPARE(filters, QStringList{"backup files(*.bfl)"});
    QCOMPARE(session.backupThread().path(), proposed);
    QVERIFY(PedalSession::waitForEnd(session.backupMessages, 20000));
    QCOMPARE(session.backupMessages.last(), Message(100, Finished));
    QCOMPARE(QFileInfo(proposed).size(), 116002);
    QVERIFY(QFile::remove(proposed));
}

void TestBackup::restoreDialogOpensFolder() {
    PedalSession session;
    QVERIFY(session.open());
    const QString chosen = dir.absoluteFilePath("chosen.bfl");
    QVERIFY(writeFile(chosen, "not a backup"));
    QString title;
    QString folder;
    QStringList filters;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = waitForFileDialog()) {
            title = dialog->windowTitle();
            folder = dialog->directory().absolutePath();
            filters = dialog->nameFilters();
            dialog->selectFile(chosen);
            static_cast<QDialog*>(dialog)->accept();
        }
    });
    QVERIFY(session.backupThread().startRestore());
    QCOMPARE(title, QString("TALIX Backup File"));
    QCOMPARE(folder, QBackupWriteThread::backupFolder());
    QCOMPARE(filters, (QStringList{"backup files(*.bfl)", "All files (*.*)"}));
    QCOMPARE(session.backupThread().path(), chosen);
    QVERIFY(PedalSession::waitForEnd(session.recallMessages, 5000));
    QCOMPARE(session.recallMessages, (Messages{{0, Failed}}));
}

void TestBackup::fullBackup() {
    PedalSession session;
    QVERIFY(session.open());
    const QByteArray image = PedalSession::randomImage(7);
    QVERIFY(PedalSession::setPedalImage(image));
    const QString path = dir.absoluteFilePath("full.bfl");

    QVERIFY(session.backupThread().startBackupTo(path));
    QVERIFY(PedalSession::waitForEnd(session.backupMessages, 20000));

    PedalSession::Frames expected{PedalSession::frame(0xE8, {0x01})};
    for (int block = 0; block < 224; ++block)
        expected.push_back(PedalSession::frame(0xEA, {quint8(block >> 8), quint8(block)}));
    QCOMPARE(PedalSession::framesSent(), expected);

    Messages messages{{0, Progress}};
    for (int step = 1; step <= 225; ++step)
        messages.append({std::min(100, step * 100 / 224), Progress});
    messages.append({100, Progress});
    messages.append({100, Finished});
    QCOMPARE(session.backupMessages, messages);
    // Block 223 arrived, its acknowledgement sent, the file written, finished.
    QCOMPARE(
        session.backupMessages.mid(session.backupMessages.size() - 5),
        (Messages{
            {99, Progress}, {100, Progress}, {100, Progress}, {100, Progress}, {100, Finished}}));

    const QByteArray file = readFile(path);
    QCOMPARE(file.size(), 116002);
    QCOMPARE(readLittleEndian(file, 76, 4), 1ull);
    QCOMPARE(readLittleEndian(file, 80, 8), 1024ull);
    QCOMPARE(readLittleEndian(file, 1024 + 44, 4), 114688ull);
    QCOMPARE(file.mid(1024 + 256 + 34), image);
    quint64 sum = 0;
    for (int i = 0; i < file.size(); ++i)
        sum += (i >= 1016 && i < 1024) ? 0 : quint8(file[i]);
    QCOMPARE(readLittleEndian(file, 1016, 8), sum);
    QCOMPARE(dir.entryList(QDir::Files | QDir::Hidden), QStringList{"full.bfl"});
}

void TestBackup::emptyPathFails() {
    PedalSession session;
    QVERIFY(session.open());
    QVERIFY(session.backupThread().startBackupTo(QString()));
    QVERIFY(PedalSession::waitForEnd(session.backupMessages, 5000));
    QCOMPARE(session.backupMessages, (Messages{{0, Progress}, {0, Failed}}));
    QVERIFY(PedalSession::framesSent().empty());
}

void TestBackup::failureLeavesEarlierFile_data() {
    QTest::addColumn<Environment>("environment");
    QTest::addColumn<int>("framesSent");
    QTest::addColumn<Message>("last");
    // Block k is asked for by frame k + 1; its failure reports trunc((k + 1) * 100 / 224).
    QTest::newRow("unplug on the first acknowledgement")
        << Environment{{"TALIX_VP_UNPLUG_ON", "0xEA"}} << 2 << Message{0, Failed};
    QTest::newRow("unplug mid-transfer")
        << Environment{{"TALIX_VP_UNPLUG_AFTER", "120"}} << -1 << Message{-1, Failed};
    QTest::newRow("acknowledgement not answered")
        << Environment{{"TALIX_VP_SILENT_ON", "0xEA"}} << 2 << Message{0, Failed};
    // Block 100 comes twice: the step that asks for block 101 fails.
    QTest::newRow("repeated block")
        << Environment{{"TALIX_VP_REPEAT_BLOCK", "100"}} << 102 << Message{45, Failed};
    QTest::newRow("over-long block")
        << Environment{{"TALIX_VP_LONG_BLOCK", "100"}} << 101 << Message{45, Failed};
}

void TestBackup::failureLeavesEarlierFile() {
    QFETCH(Environment, environment);
    QFETCH(int, framesSent);
    QFETCH(Message, last);
    PedalSession session(environment);
    // The unanswered acknowledgement ends after this instead of the editor's 5 s.
    session.backupThread().setAnswerTimeout(1000);
    QVERIFY(session.open());
    const QString path = dir.absoluteFilePath("earlier.bfl");
    QVERIFY(writeFile(path, "an earlier backup"));

    QVERIFY(session.backupThread().startBackupTo(path));
    QVERIFY(PedalSession::waitForEnd(session.backupMessages, 8000));

    const Message end = session.backupMessages.last();
    QCOMPARE(end.second, Failed);
    if (last.first >= 0)
        QCOMPARE(end, last);
    else
        QVERIFY(end.first > 0 && end.first < 100);
    if (framesSent >= 0)
        QCOMPARE(int(PedalSession::framesSent().size()), framesSent);
    QCOMPARE(session.backupMessages.count(end), 1);
    QCOMPARE(readFile(path), QByteArray("an earlier backup"));
    QCOMPARE(dir.entryList(QDir::Files | QDir::Hidden), QStringList{"earlier.bfl"});
}

void TestBackup::stopBetweenSteps_data() {
    QTest::addColumn<int>("stopAfter");
    QTest::newRow("before the first step") << 1;
    QTest::newRow("after block 22 arrived") << 24;
    QTest::newRow("after the last acknowledgement") << 226;
}

// A stop seen between steps ends the backup as stopped at the steps done, without a file.
void TestBackup::stopBetweenSteps() {
    QFETCH(int, stopAfter);
    PedalSession session;
    QVERIFY(session.open());
    const QString path = dir.absoluteFilePath("stopped.bfl");
    QVERIFY(writeFile(path, "kept"));
    QBackupWriteThread& thread = session.backupThread();
    std::atomic<int> emitted{0};
    // On the worker, right after a step's message: the stop is there before the next step.
    connect(
        &thread, &QBackupWriteThread::emitBackupProgress, this,
        [&thread, &emitted, stopAfter](int, int) {
            if (++emitted == stopAfter)
                thread.stopWorker();
        },
        Qt::DirectConnection);

    QVERIFY(thread.startBackupTo(path));
    QVERIFY(PedalSession::waitForEnd(session.backupMessages, 20000));

    const int steps = stopAfter - 1;
    Messages expected{{0, Progress}};
    for (int step = 1; step <= steps; ++step)
        expected.append({std::min(100, step * 100 / 224), Progress});
    expected.append({std::min(100, steps * 100 / 224), Stopped});
    QCOMPARE(session.backupMessages, expected);
    QCOMPARE(int(PedalSession::framesSent().size()), steps);
    QCOMPARE(readFile(path), QByteArray("kept"));
    QCOMPARE(dir.entryList(QDir::Files | QDir::Hidden), QStringList{"stopped.bfl"});
}

// A stop while the next block is awaited fails the backup at the progress of that step.
void TestBackup::stopWhileWaitingFails() {
    // The pedal stays silent; the test answers blocks 0 and 1 and stops while block 2 is awaited.
    PedalSession session(Environment{{"TALIX_VP_SILENT_ON", "0xE8,0xEA"}});
    QVERIFY(session.open());
    const QString path = dir.absoluteFilePath("waiting.bfl");
    QVERIFY(writeFile(path, "kept"));
    QVERIFY(session.backupThread().startBackupTo(path));
    for (int block = 0; block < 2; ++block) {
        QTRY_COMPARE_WITH_TIMEOUT(int(PedalSession::framesSent().size()), block + 1, 5000);
        std::vector<std::uint8_t> params{0, quint8(block)};
        params.resize(2 + 512, quint8(block));
        QVERIFY(virtualpedal::VirtualPedal::pushAnswer(0xE9, params));
    }
    QTRY_COMPARE_WITH_TIMEOUT(int(PedalSession::framesSent().size()), 3, 5000);
    session.backupThread().stopWorker();
    QVERIFY(PedalSession::waitForEnd(session.backupMessages, 5000));

    // Step 2 (acknowledging block 1, waiting for block 2) fails with trunc(3 * 100 / 224).
    QCOMPARE(session.backupMessages,
             (Messages{{0, Progress}, {0, Progress}, {0, Progress}, {1, Failed}}));
    QCOMPARE(readFile(path), QByteArray("kept"));
    QCOMPARE(dir.entryList(QDir::Files | QDir::Hidden), QStringList{"waiting.bfl"});
}

// With every block in, a last acknowledgement that cannot be sent does not lose the backup.
void TestBackup::lastAcknowledgementNotSent() {
    PedalSession session;
    QVERIFY(session.open());
    const QByteArray image = PedalSession::randomImage(13);
    QVERIFY(PedalSession::setPedalImage(image));
    const QString path = dir.absoluteFilePath("complete.bfl");
    std::atomic<int> emitted{0};
    // The message of the step that received block 223 is the 225th.
    connect(
        &session.backupThread(), &QBackupWriteThread::emitBackupProgress, this,
        [&emitted](int, int) {
            if (++emitted == 225)
                virtualpedal::VirtualPedal::unplug();
        },
        Qt::DirectConnection);

    QVERIFY(session.backupThread().startBackupTo(path));
    QVERIFY(PedalSession::waitForEnd(session.backupMessages, 20000));

    QCOMPARE(int(PedalSession::framesSent().size()), 224);
    QCOMPARE(session.backupMessages.mid(session.backupMessages.size() - 4),
             (Messages{{100, Progress}, {100, Progress}, {100, Progress}, {100, Finished}}));
    const QByteArray file = readFile(path);
    QCOMPARE(file.size(), 116002);
    QCOMPARE(file.mid(1024 + 256 + 34), image);
}

void TestBackup::shortTransferFails() {
    // The pedal stays silent on backup requests; a helper answers in its place, block 100 one
    // byte short.
    PedalSession session(Environment{{"TALIX_VP_SILENT_ON", "0xE8,0xEA"}});
    QVERIFY(session.open());
    const QString path = dir.absoluteFilePath("short.bfl");
    std::atomic<int> answered{0};
    std::atomic<bool> ended{false};
    std::thread answering([&answered, &ended] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!ended && answered < 224 && std::chrono::steady_clock::now() < deadline) {
            if (int(PedalSession::framesSent().size()) <= answered) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                continue;
            }
            const int block = answered;
            std::vector<std::uint8_t> params{quint8(block >> 8), quint8(block)};
            params.resize(block == 100 ? 2 + 511 : 2 + 512, quint8(block));
            virtualpedal::VirtualPedal::pushAnswer(0xE9, params);
            ++answered;
        }
    });
    QVERIFY(session.backupThread().startBackupTo(path));
    ended = PedalSession::waitForEnd(session.backupMessages, 20000);
    answering.join();
    QVERIFY(ended);
    // The short block fails its own step: trunc(101 * 100 / 224).
    QCOMPARE(answered.load(), 101);
    QCOMPARE(session.backupMessages.last(), Message(45, Failed));
    QCOMPARE(int(PedalSession::framesSent().size()), 101);
    QVERIFY(!QFile::exists(path));
    QVERIFY(dir.entryList(QDir::Files | QDir::Hidden).isEmpty());
}

// A start while a transfer runs is refused at once, without a dialog, and the running
// backup goes on to its file.
void TestBackup::startWhileTransferRuns() {
    PedalSession session;
    QVERIFY(session.open());
    const QString path = dir.absoluteFilePath("running.bfl");
    QBackupWriteThread& thread = session.backupThread();
    QVERIFY(thread.startBackupTo(path) == QUtilThread::StartResult::Started);
    QTRY_VERIFY_WITH_TIMEOUT(session.backupMessages.size() >= 2, 5000);
    int dialogs = 0;
    QTimer dialogWatch;
    connect(&dialogWatch, &QTimer::timeout, [&dialogs] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            ++dialogs;
            dialog->reject();
        }
    });
    dialogWatch.start(10);
    QVERIFY(thread.startRestoreFrom(dir.absoluteFilePath("other.bfl")) ==
            QUtilThread::StartResult::Busy);
    QVERIFY(thread.startBackup() == QUtilThread::StartResult::Busy);
    QVERIFY(thread.startRestore() == QUtilThread::StartResult::Busy);
    QCOMPARE(dialogs, 0);
    QCOMPARE(thread.path(), path);
    QCOMPARE(thread.mode(), int(QBackupWriteThread::ModeBackup));
    QVERIFY(PedalSession::waitForEnd(session.backupMessages, 20000));
    QCOMPARE(session.backupMessages.last(), Message(100, Finished));
    QCOMPARE(readFile(path).size(), 116002);
    QVERIFY(session.recallMessages.isEmpty());
}

void TestBackup::unwritableTarget_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("missing folder") << "missing/backup.bfl";
    QTest::newRow("a folder") << "folder";
}

void TestBackup::unwritableTarget() {
    QFETCH(QString, name);
    QVERIFY(dir.mkpath("folder"));
    PedalSession session;
    QVERIFY(session.open());
    QVERIFY(session.backupThread().startBackupTo(dir.absoluteFilePath(name)));
    QVERIFY(PedalSession::waitForEnd(session.backupMessages, 20000));
    QCOMPARE(int(PedalSession::framesSent().size()), 225);
    QCOMPARE(session.backupMessages.last(), Message(100, Failed));
    QCOMPARE(session.backupMessages.count(Message(100, Finished)), 0);
    QVERIFY(QFileInfo(dir.absoluteFilePath("folder")).isDir());
    QVERIFY(dir.entryList(QDir::Files | QDir::Hidden).isEmpty());
}

QTEST_MAIN(TestBackup)
#include "test_backup.moc"
