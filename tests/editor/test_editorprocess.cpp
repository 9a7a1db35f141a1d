// The real TALIX program on the shared virtual pedal (preloaded, or emulated below the system
// libusb): single instance, the start-up probe and the hand-over to the updater. Each test runs the
// program from a private program folder with a stand-in updater, its own pedal state, settings and
// temporary folder.
#include "tests/common/pedalprocess.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>
#include <vector>

#include <sys/types.h>

namespace {

const char* const kShown = "-------window------ shown";

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

    QString programFolder() const { return m_dir->filePath("program"); }
    QString pidFile() const { return programFolder() + "/updater.pid"; }

    qint64 updaterPid() const {
        QFile file(pidFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() : 0;
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
};

QTEST_GUILESS_MAIN(TestEditorProcess)
#include "test_editorprocess.moc"
