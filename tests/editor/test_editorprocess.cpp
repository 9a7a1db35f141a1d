// The real TALIX program on the shared virtual pedal (preloaded, or emulated below the system
// libusb): single instance, the start-up probe, the hand-over to the updater and closes from the
// window manager. Each test runs the program from a private program folder with a stand-in
// updater, its own pedal state, settings and temporary folder.
#include "editor/mainwindowrules.h"
#include "files/backupfile.h"
#include "tests/common/pedalprocess.h"
#include "tests/common/xsession.h"
#include "tests/editor/editorspots.h"
#include "uikit/qmemenustyle.h"
#include "virtualpedal/pedalstate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>
#include <vector>

#include <sys/types.h>

namespace {

const char* const kShown = "-------window------ shown";
const QByteArray kPrompt = "-------prompt------ ";

// The output of a running editor, read as it comes.
struct Editor {
    std::unique_ptr<QProcess> process = std::make_unique<QProcess>();
    QByteArray output;

    bool waitFor(const QByteArray& text, int timeoutMs = 30000) {
        QElapsedTimer timer;
        timer.start();
        while (!output.contains(text) && timer.elapsed() < timeoutMs &&
               PedalProcess::read(*process, output))
            ;
        return output.contains(text);
    }
};

} // namespace

class TestEditorProcess final : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::vector<std::unique_ptr<Editor>> m_editors;
    XSession m_x;

    QString programFolder() const { return m_dir->filePath("program"); }
    QString pidFile() const { return programFolder() + "/updater.pid"; }

    qint64 updaterPid() const {
        QFile file(pidFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() : 0;
    }

    QByteArray readFile(const QString& name) const {
        QFile file(m_dir->filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The editor on the private display, with a traffic log.
    QStringList onDisplay() const {
        return {"QT_QPA_PLATFORM=xcb", "DISPLAY=" + m_x.display(),
                "TALIX_VP_LOG=" + m_dir->filePath("traffic.log")};
    }

    // The editor's other windows: its prompts.
    QStringList prompts(const QString& window) const {
        QStringList others = m_x.windowsOf(m_x.windowPid(window));
        others.removeAll(window);
        return others;
    }

    // Closes the prompts and then the window, as a user does with the window manager, and answers
    // Yes to the exit question: the editor ends with the event loop's result.
    void closeAndExit(Editor& editor, const QString& window) {
        // A prompt under another one ignores its close until that one has gone.
        QVERIFY(QTest::qWaitFor(
            [&] {
                const QStringList open = prompts(window);
                for (const QString& prompt : open)
                    m_x.closeWindow(prompt);
                return open.isEmpty();
            },
            30000));
        QVERIFY(m_x.closeWindow(window));
        QVERIFY2(editor.waitFor(kPrompt + "Exit the application!"), editor.output);
        QStringList question;
        QVERIFY(QTest::qWaitFor([&] { return !(question = prompts(window)).isEmpty(); }, 30000));
        const QPoint yes = EditorSpots::promptYes(question.first());
        QVERIFY(!yes.isNull() && m_x.click(question.first(), yes.x(), yes.y()));
        QCOMPARE(PedalProcess::waitForEnd(*editor.process, editor.output), 0);
    }

    Editor& start(const QStringList& pedal) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TALIX_VP_STATE", m_dir->filePath("pedal.state"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("HOME", m_dir->filePath("home"));
        env.insert("XDG_DATA_HOME", m_dir->filePath("home/data"));
        env.insert("XDG_CONFIG_HOME", m_dir->filePath("home/config"));
        // The single-instance lock and socket live here, apart from any other editor: without a
        // runtime folder Qt makes a private one in the temporary folder.
        env.insert("TMPDIR", m_dir->filePath("tmp"));
        env.remove("XDG_RUNTIME_DIR");
        for (const QString& variable : pedal)
            env.insert(variable.section('=', 0, 0), variable.section('=', 1));
        m_editors.push_back(std::make_unique<Editor>());
        Editor& editor = *m_editors.back();
        editor.process->setProcessChannelMode(QProcess::MergedChannels);
        PedalProcess::start(*editor.process, programFolder() + "/TALIX", env);
        return editor;
    }

private slots:
    void initTestCase() {
        if (!PedalProcess::unavailable().isEmpty())
            QSKIP(qPrintable(PedalProcess::unavailable()));
    }

    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        for (const char* folder : {"program", "home", "tmp"})
            QVERIFY(QDir(m_dir->path()).mkpath(folder));
        // A copy, not a link: the program finds its folder from its own path.
        QVERIFY(QFile::copy(EDITOR_PROGRAM, programFolder() + "/TALIX"));
        QVERIFY(QFile::copy(STANDIN_UPDATER, programFolder() + "/TALIXUpdate"));
        for (const char* skins : {"image", "pic", "Language"})
            QVERIFY(QFile::link(qEnvironmentVariable("TALIX_BUILD_DIR") + "/bin/" + skins,
                                programFolder() + "/" + skins));
    }

    void cleanup() {
        for (auto& editor : m_editors)
            PedalProcess::stop(*editor->process);
        m_editors.clear();
        if (const qint64 pid = updaterPid())
            ::kill(pid_t(pid), SIGKILL);
        m_dir.reset();
    }

    void startUp_data() {
        QTest::addColumn<QStringList>("pedal");
        QTest::addColumn<int>("code");
        QTest::newRow("running") << QStringList() << 2;
        QTest::newRow("absent") << QStringList{"TALIX_VP_NO_DEVICE=1"} << 0;
        QTest::newRow("boot loader") << QStringList{"TALIX_VP_RUN_MODE=B"} << 1;
    }
    void startUp() {
        QFETCH(QStringList, pedal);
        QFETCH(int, code);
        Editor& editor = start(pedal);
        // The probe never leaves the link open.
        QVERIFY2(editor.waitFor(QByteArray("-------probe------ ") + QByteArray::number(code) +
                                " closed"),
                 editor.output);
        if (code != 1) {
            QVERIFY2(editor.waitFor(kShown), editor.output);
            QVERIFY(!QFile::exists(pidFile()));
            return;
        }
        QCOMPARE(PedalProcess::waitForEnd(*editor.process, editor.output), 0);
        QVERIFY2(!editor.output.contains(kShown), editor.output);
        // The updater keeps running after the editor has gone.
        QTRY_VERIFY_WITH_TIMEOUT(updaterPid() > 0, 15000);
        QCOMPARE(::kill(pid_t(updaterPid()), 0), 0);
    }

    void secondStartRaisesFirst() {
        Editor& first = start({});
        QVERIFY2(first.waitFor(kShown), first.output);
        Editor& second = start({});
        QCOMPARE(PedalProcess::waitForEnd(*second.process, second.output), 0);
        // Nothing was built: no probe, no window.
        QVERIFY2(!second.output.contains("-------probe------"), second.output);
        QVERIFY2(first.waitFor("-------raise------ active"), first.output);
        QCOMPARE(first.process->state(), QProcess::Running);
    }

    // Without the updater beside it the editor stays with its window and names the path it tried;
    // the pedal waits in its boot loader for a later try.
    void missingUpdaterKeepsTheWindow() {
        QString reason;
        if (!m_x.start(reason))
            QSKIP(qPrintable(reason));
        QVERIFY(QFile::remove(programFolder() + "/TALIXUpdate"));
        Editor& editor = start(QStringList{"TALIX_VP_RUN_MODE=B"} + onDisplay());
        const QString tried = QFileInfo(programFolder()).canonicalFilePath() + "/TALIXUpdate";
        QVERIFY2(editor.waitFor(kPrompt + MainWindowRules::updaterMissing(tried).toUtf8()),
                 editor.output);
        const QString window = m_x.findWindow("^TALIX$");
        QVERIFY2(!window.isEmpty(), editor.output);
        QVERIFY(m_x.matchesEntry(window, EDITOR_DESKTOP_ENTRY));
        // Only identity requests reached the pedal: it waits in its boot loader.
        const QByteArray log = readFile("traffic.log");
        QVERIFY(log.contains("OUT AA 55 01 00 00"));
        QCOMPARE(log.count("OUT "), log.count("OUT AA 55 01 00 00"));
        closeAndExit(editor, window);
    }

    // A close from the window manager during a restore is refused and the restore completes; once
    // idle, a close asks the exit question.
    void closeDuringRestore() {
        QString reason;
        if (!m_x.start(reason))
            QSKIP(qPrintable(reason));
        QByteArray image(BackupImageSize, 0);
        for (int k = 0; k < image.size(); ++k)
            image[k] = char(k * 13 + 5);
        const QString backup = m_dir->filePath("home/other.bfl");
        QFile file(backup);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(buildBackupFile(image)) > 0);
        file.close();
        // Late acknowledgements: the restore runs for several seconds.
        Editor& editor = start(QStringList{"TALIX_VP_DELAY_MS=0xE9:25"} + onDisplay());
        const QString window = m_x.findWindow("^TALIX$");
        // The connect switch holds the focus; the device value ends the connect sequence.
        QVERIFY2(!window.isEmpty() && m_x.pressKey(window, "space"), editor.output);
        QTRY_VERIFY_WITH_TIMEOUT(readFile("traffic.log").contains("IN AA 55 02 00 ED"), 60000);

        // "Recall", the second entry of the Set button's menu, then the file typed into its
        // dialog; a first Return may only close the completion list.
        const QRect set = EditorSpots::bandButton(MainWindowRules::Set);
        QVERIFY(set.isValid() && m_x.click(window, set.center().x(), set.center().y()));
        QVERIFY(m_x.moveTo(window, set.center().x(),
                           set.bottom() + 6 + QMEMenuStyle::kItemHeight * 3 / 2));
        QVERIFY(QTest::qWaitFor(
            [&] {
                return !QStringList{"", window}.contains(m_x.windowUnderPointer());
            },
            60000));
        QVERIFY(m_x.xdotool({"click", "1"}));
        const QString dialog = m_x.findWindow("^TALIX Backup File$");
        QVERIFY(!dialog.isEmpty() && m_x.xdotool({"windowfocus", "--sync", dialog}) &&
                m_x.xdotool({"type", backup}));
        QVERIFY(QTest::qWaitFor(
            [&] {
                return m_x.xdotool({"key", "Return"}) && !prompts(window).contains(dialog);
            },
            30000));

        QTRY_VERIFY_WITH_TIMEOUT(readFile("traffic.log").contains("IN AA 55 03 00 EA 00 0A"),
                                 60000);
        QVERIFY(m_x.closeWindow(window));
        using namespace MainWindowRules;
        QVERIFY2(editor.waitFor(kPrompt + closeRefusal(Busy::Restore).toUtf8()), editor.output);
        QVERIFY2(editor.waitFor(kPrompt + "Device data restore successful.", 120000),
                 editor.output);
        QVERIFY(!editor.output.contains(kPrompt + "Exit the application!"));
        const QByteArray state = readFile("pedal.state");
        virtualpedal::PedalState pedal;
        QVERIFY(virtualpedal::PedalState::deserialize({state.begin(), state.end()}, pedal));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(pedal.memoryImage.data()),
                            int(pedal.memoryImage.size())),
                 image);
        closeAndExit(editor, window);
    }
};

QTEST_GUILESS_MAIN(TestEditorProcess)
#include "test_editorprocess.moc"
