// The real, unmodified TALIX on the system libusb against the emulated pedal, as a guitarist uses
// it: connect, pull the cable, answer the one prompt, try again, plug it back in and connect
// again. The pedal's traffic log shows what crossed the wire; the editor's open files show when
// its link to the device node is closed.
#include "tests/common/pedalprocess.h"
#include "tests/common/xsession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/types.h>

namespace {

const char* const kDeviceNode = "/dev/bus/usb/001/002";

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// True when the process has the pedal's device node open.
bool holdsDevice(qint64 pid) {
    const QDir fds(QString("/proc/%1/fd").arg(pid));
    for (const QString& fd : fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
        if (QFile::symLinkTarget(fds.filePath(fd)).endsWith(kDeviceNode))
            return true;
    return false;
}

// The editor's connect sequence after the last line `marker` of the log (or from the start): the
// pedal's identity, all 14 presets asked for and answered in order, the long IR-name frame, and
// the device value last.
bool connectSequenceAfter(const QByteArray& log, const QByteArray& marker = QByteArray()) {
    const int from = marker.isEmpty() ? 0 : log.lastIndexOf(marker);
    if (from < 0)
        return false;
    int at = log.indexOf("IN AA 55 38 00 01", from);
    for (int preset = 0; preset < 14 && at >= 0; ++preset) {
        const QByteArray number = QByteArray::number(preset, 16).toUpper().rightJustified(2, '0');
        at = log.indexOf("OUT AA 55 02 00 99 " + number, at);
        if (at >= 0)
            at = log.indexOf("IN AA 55 16 00 9A " + number, at);
    }
    if (at >= 0)
        at = log.indexOf("IN AA 55 27 02 E7", at);
    return at >= 0 && QRegularExpression("IN AA 55 .. .. ED")
                          .match(QString::fromLatin1(log.mid(at)))
                          .hasMatch();
}

} // namespace

class TestUsbPrograms final : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    XSession m_x;

    QString path(const QString& name) const { return m_dir.filePath(name); }
    QByteArray log() const { return readFile(path("traffic.log")); }

    // The editor's prompts: its visible windows other than the main window.
    QStringList prompts(qint64 pid, const QString& window) const {
        QStringList windows = m_x.windowsOf(pid);
        windows.removeAll(window);
        return windows;
    }

private slots:
    void initTestCase() {
        qputenv("TALIX_TEST_PEDAL", "usb");
        if (!PedalProcess::unavailable().isEmpty())
            QSKIP(qPrintable(PedalProcess::unavailable()));
        QString reason;
        if (!m_x.start(reason))
            QSKIP(qPrintable("needs a display and xdotool to press the buttons: " + reason));
        QVERIFY(m_dir.isValid());
        for (const char* folder : {"program", "home", "tmp"})
            QVERIFY(QDir(m_dir.path()).mkpath(folder));
        // A copy, not a link: the program finds its folder from its own path.
        const QString bin = qEnvironmentVariable("TALIX_BUILD_DIR") + "/bin";
        QVERIFY(QFile::copy(bin + "/TALIX", path("program/TALIX")));
        for (const char* folder : {"image", "pic", "Language"})
            QVERIFY(QFile::link(bin + "/" + folder, path("program/") + folder));
    }

    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TALIX_VP_STATE", path("pedal.state"));
        env.insert("TALIX_VP_LOG", path("traffic.log"));
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("DISPLAY", m_x.display());
        env.insert("HOME", path("home"));
        env.insert("XDG_DATA_HOME", path("home/data"));
        env.insert("XDG_CONFIG_HOME", path("home/config"));
        env.insert("TMPDIR", path("tmp"));
        env.remove("XDG_RUNTIME_DIR");
        return env;
    }

    void unplugWhileConnected() {
        QProcess runner;
        PedalProcess::start(runner, path("program/TALIX"), environment());
        struct Stop {
            QProcess& process;
            ~Stop() { PedalProcess::stop(process); }
        } stop{runner};

        const QString window = m_x.findWindow("^TALIX$");
        QByteArray output;
        PedalProcess::read(runner, output, 0);
        QVERIFY2(!window.isEmpty(), "the editor's window did not show: " + output);
        const qint64 editor = m_x.windowPid(window);
        QVERIFY(editor > 0);
        // The start-up probe has closed the link again.
        QVERIFY(!holdsDevice(editor));

        // The connect switch holds the keyboard focus when the window opens.
        QVERIFY(m_x.pressKey(window, "space"));
        QTRY_VERIFY2_WITH_TIMEOUT(connectSequenceAfter(log()), log().right(2000), 60000);
        QVERIFY(holdsDevice(editor));
        QVERIFY(prompts(editor, window).isEmpty());

        // The cable is pulled while the editor waits for the pedal's next report.
        QCOMPARE(::kill(pid_t(runner.processId()), SIGUSR1), 0);
        QStringList shown;
        QTRY_VERIFY_WITH_TIMEOUT(!(shown = prompts(editor, window)).isEmpty(), 60000);
        QCOMPARE(shown.size(), 1);
        // Answered, the prompt lets the editor close its link; no second prompt follows.
        QVERIFY(m_x.pressKey(shown.first(), "Escape"));
        QTRY_VERIFY_WITH_TIMEOUT(!holdsDevice(editor), 60000);
        QCOMPARE(prompts(editor, window), QStringList());

        // Connecting with the pedal away: the same prompt, and the window goes on.
        QVERIFY(m_x.pressKey(window, "space"));
        QTRY_VERIFY_WITH_TIMEOUT(!(shown = prompts(editor, window)).isEmpty(), 60000);
        QCOMPARE(shown.size(), 1);
        QVERIFY(m_x.pressKey(shown.first(), "Escape"));
        QTRY_VERIFY_WITH_TIMEOUT(prompts(editor, window).isEmpty(), 60000);
        QVERIFY(!holdsDevice(editor));

        // Plugged in again, the pedal is read anew.
        QCOMPARE(::kill(pid_t(runner.processId()), SIGUSR2), 0);
        QTRY_VERIFY_WITH_TIMEOUT(log().contains("EVENT replug"), 60000);
        QVERIFY(m_x.pressKey(window, "space"));
        QTRY_VERIFY2_WITH_TIMEOUT(connectSequenceAfter(log(), "EVENT replug"), log().right(2000),
                                  60000);
        QVERIFY(prompts(editor, window).isEmpty());
        QCOMPARE(runner.state(), QProcess::Running);
    }

    // A pedal this user may not open, or one another program holds: connecting says so in a
    // prompt, sends nothing, and the editor goes on.
    void refusedPedal_data() {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<bool>("held");
        QTest::newRow("no access") << "TALIX_VP_OPEN_DENIED=1" << false;
        QTest::newRow("held by another program") << QString() << true;
    }
    void refusedPedal() {
        QFETCH(QString, setting);
        QFETCH(bool, held);
        QFile::remove(path("traffic.log"));
        QProcessEnvironment env = environment();
        if (!setting.isEmpty())
            env.insert(setting.section('=', 0, 0), setting.section('=', 1));
        QProcess runner;
        // The holder claims the pedal and starts the editor; it lets go long after the test.
        if (held)
            PedalProcess::start(runner, CLAIM_HOLDER, env, {path("program/TALIX"), "600000"});
        else
            PedalProcess::start(runner, path("program/TALIX"), env);
        struct Stop {
            QProcess& process;
            ~Stop() { PedalProcess::stop(process); }
        } stop{runner};

        const QString window = m_x.findWindow("^TALIX$");
        QVERIFY2(!window.isEmpty(), "the editor's window did not show");
        const qint64 editor = m_x.windowPid(window);
        const int sent = log().count("OUT ");
        QVERIFY(m_x.pressKey(window, "space"));
        QStringList shown;
        QTRY_VERIFY_WITH_TIMEOUT(!(shown = prompts(editor, window)).isEmpty(), 60000);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(log().count("OUT "), sent);
        QVERIFY(!holdsDevice(editor));
        QVERIFY(m_x.pressKey(shown.first(), "Escape"));
        QTRY_VERIFY_WITH_TIMEOUT(prompts(editor, window).isEmpty(), 60000);
        QCOMPARE(m_x.windowsOf(editor), QStringList{window});
    }
};

QTEST_GUILESS_MAIN(TestUsbPrograms)
#include "test_usbprograms.moc"
