// The real TALIX as a screen reader sees it: under Xvfb on the virtual pedal, with a private D-Bus
// session whose accessibility bus (AT-SPI) a small client reads.
#include "tests/common/pedalprocess.h"
#include "tests/common/xsession.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstring>

namespace {

const char* const kPython = "/usr/bin/python3";

} // namespace

class TestAtSpi final : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    XSession m_x;
    QProcessEnvironment m_env = QProcessEnvironment::systemEnvironment();
    qint64 m_bus = 0;

    // What the client reads, "role\tname\tvalue\tdescription" a line, of those whose role is
    // `role` and whose name starts with `name`.
    QStringList read(const QString& role, const QString& name) {
        QProcess client;
        client.setProcessEnvironment(m_env);
        client.start(kPython, {ATSPI_CLIENT, "TALIX"});
        client.waitForFinished(120000);
        QStringList found;
        for (const QString& line : QString::fromUtf8(client.readAllStandardOutput()).split('\n')) {
            if (line.startsWith(role + '\t' + name))
                found << line;
        }
        return found;
    }

private slots:
    void initTestCase() {
        QStringList missing;
        if (!QFileInfo("/usr/libexec/at-spi-bus-launcher").isExecutable())
            missing << "at-spi2-core";
        if (QProcess::execute(kPython, {"-c", "import pyatspi"}) != 0)
            missing << "python3-pyatspi";
        if (QStandardPaths::findExecutable("dbus-launch").isEmpty())
            missing << "dbus-x11";
        QString reason;
        if (!m_x.start(reason))
            missing << reason;
        if (!missing.isEmpty())
            QSKIP(qPrintable("needs Debian's at-spi2-core, python3-pyatspi and dbus-x11 "
                             "(scripts/setup-packages installs them); missing: " +
                             missing.join(", ")));
        QVERIFY(PedalProcess::unavailable().isEmpty());
        // A session bus of its own, which starts the accessibility bus when it is first asked.
        QProcess launch;
        launch.start("dbus-launch", {"--binary-syntax"});
        QVERIFY(launch.waitForFinished(30000));
        const QByteArray reply = launch.readAllStandardOutput();
        const int end = reply.indexOf('\0');
        QVERIFY(end > 0 && reply.size() >= end + 1 + int(sizeof(pid_t)));
        pid_t bus = 0;
        std::memcpy(&bus, reply.constData() + end + 1, sizeof bus);
        m_bus = bus;
        m_env.insert("DBUS_SESSION_BUS_ADDRESS", QString::fromUtf8(reply.left(end)));
        m_env.insert("DISPLAY", m_x.display());
        for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "TMPDIR"}) {
            QVERIFY(QDir().mkpath(m_dir.filePath(name)));
            m_env.insert(name, m_dir.filePath(name));
        }
        m_env.remove("XDG_RUNTIME_DIR");
    }

    void cleanupTestCase() {
        if (m_bus > 0)
            ::kill(pid_t(m_bus), SIGTERM);
    }

    // The connect switch, the eight dials with their values, the presets and the cabinet slots
    // by name; a dial turned by key is read with its new value.
    void editorAsRead() {
        QProcessEnvironment env = m_env;
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
        env.insert("TALIX_VP_STATE", m_dir.filePath("pedal.state"));
        QProcess editor;
        PedalProcess::start(editor, EDITOR_PROGRAM, env);
        struct Stop {
            QProcess& process;
            ~Stop() { PedalProcess::stop(process); }
        } stop{editor};
        const QString window = m_x.findWindow("^TALIX$");
        QVERIFY2(!window.isEmpty(), "the editor's window did not show");

        QCOMPARE(read("check box", "Connect\t").size(), 1);
        QCOMPARE(read("radio button", "Preset ").size(), 14);
        QCOMPARE(read("list item", "Slot ").size(), 11);
        QCOMPARE(read("dial", "CAB B High-Cut\t"), QStringList{"dial\tCAB B High-Cut\t0.0\tOff"});
        for (const char* cabinet : {"CAB A", "CAB B"}) {
            for (const char* dial : {"Level", "Latency", "Low-Cut", "High-Cut"}) {
                const QStringList found =
                    read("dial", QStringLiteral("%1 %2\t").arg(cabinet, dial));
                QVERIFY2(found.size() == 1 && !found.first().section('\t', 2, 2).isEmpty(),
                         qPrintable(found.join(';')));
            }
        }

        // The client puts the keyboard on a dial; a key turns it as a person would.
        QCOMPARE(QProcess::execute(kPython, {ATSPI_CLIENT, "TALIX", "CAB A Level"}), 0);
        QVERIFY(m_x.pressKey(window, "Right"));
        QTRY_COMPARE_WITH_TIMEOUT(read("dial", "CAB A Level\t"),
                                  QStringList{"dial\tCAB A Level\t1.0\t1"}, 60000);
    }
};

QTEST_GUILESS_MAIN(TestAtSpi)
#include "test_atspi.moc"
