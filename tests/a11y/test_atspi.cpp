// The real TALIX as a screen reader sees it: under Xvfb on the virtual pedal, with a private D-Bus
// session whose accessibility bus (AT-SPI) a small client reads, as a screen reader would.
#include "tests/common/pedalprocess.h"
#include "tests/common/xsession.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

#include <sys/types.h>

namespace {

const char* const kPython = "/usr/bin/python3";
const char* const kBusLauncher = "/usr/libexec/at-spi-bus-launcher";

struct Control {
    QString role;
    QString name;
    QString value;
    QString description;
};

} // namespace

class TestAtSpi final : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    XSession m_x;
    QProcessEnvironment m_env = QProcessEnvironment::systemEnvironment();
    qint64 m_bus = 0;

    // What the client printed; fails the test when it did not run.
    QList<Control> read() {
        QProcess client;
        client.setProcessEnvironment(m_env);
        client.start(kPython, {ATSPI_CLIENT, "TALIX"});
        client.waitForFinished(120000);
        const QString out = QString::fromUtf8(client.readAllStandardOutput());
        [&] { QVERIFY2(client.exitCode() == 0, client.readAllStandardError().constData()); }();
        QList<Control> controls;
        for (const QString& line : out.split('\n', Qt::SkipEmptyParts)) {
            const QStringList f = line.split('\t');
            if (f.size() == 4)
                controls << Control{f[0], f[1], f[2], f[3]};
        }
        return controls;
    }

    static QList<Control> named(const QList<Control>& controls, const QString& role,
                                const QString& prefix) {
        QList<Control> out;
        for (const Control& c : controls) {
            if (c.role == role && c.name.startsWith(prefix))
                out << c;
        }
        return out;
    }

    // Why the check cannot run here; empty when it can.
    QString missing() {
        QStringList absent;
        if (!QFileInfo(kBusLauncher).isExecutable())
            absent << "at-spi2-core";
        if (QProcess::execute(kPython, {"-c", "import pyatspi"}) != 0)
            absent << "python3-pyatspi";
        if (QStandardPaths::findExecutable("dbus-launch").isEmpty())
            absent << "dbus-x11";
        QString reason;
        if (!m_x.start(reason))
            absent << reason;
        return absent.join(", ");
    }

private slots:
    void initTestCase() {
        const QString absent = missing();
        if (!absent.isEmpty())
            QSKIP(qPrintable("needs Debian's at-spi2-core, python3-pyatspi and dbus-x11 "
                             "(scripts/setup-packages installs them); missing: " +
                             absent));
        QVERIFY(PedalProcess::unavailable().isEmpty());
        // A session bus of its own, from which the accessibility bus is started on demand.
        QProcess launch;
        launch.start("dbus-launch", {"--binary-syntax"});
        QVERIFY(launch.waitForFinished(30000));
        const QByteArray reply = launch.readAllStandardOutput();
        const int end = reply.indexOf('\0');
        QVERIFY(end > 0 && reply.size() >= end + 1 + int(sizeof(pid_t)));
        m_bus = *reinterpret_cast<const pid_t*>(reply.constData() + end + 1);
        for (const char* name : {"home", "home/data", "home/config", "tmp"})
            QVERIFY(QDir().mkpath(m_dir.filePath(name)));
        m_env.insert("DBUS_SESSION_BUS_ADDRESS", QString::fromUtf8(reply.left(end)));
        m_env.insert("DISPLAY", m_x.display());
        m_env.insert("HOME", m_dir.filePath("home"));
        m_env.insert("XDG_DATA_HOME", m_dir.filePath("home/data"));
        m_env.insert("XDG_CONFIG_HOME", m_dir.filePath("home/config"));
        m_env.insert("TMPDIR", m_dir.filePath("tmp"));
        m_env.remove("XDG_RUNTIME_DIR");
    }

    void cleanupTestCase() {
        if (m_bus > 0)
            ::kill(pid_t(m_bus), SIGTERM);
    }

    // The connect switch, the dials with their values, the presets and the cabinet slots by
    // name; a dial turned by key shows its new value.
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

        QList<Control> controls = read();
        QCOMPARE(named(controls, "check box", "Connect").size(), 1);
        QCOMPARE(named(controls, "radio button", "Preset ").size(), 14);
        QCOMPARE(named(controls, "list item", "Slot ").size(), 11);
        QCOMPARE(named(controls, "list item", "Slot 05, ").size(), 1);
        QStringList dials;
        for (const char* cabinet : {"CAB A", "CAB B"}) {
            for (const char* dial : {"Level", "Latency", "Low-Cut", "High-Cut"})
                dials << QStringLiteral("%1 %2").arg(cabinet, dial);
        }
        for (const QString& dial : dials) {
            const QList<Control> found = named(controls, "dial", dial);
            QVERIFY2(found.size() == 1 && !found.first().value.isEmpty(), qPrintable(dial));
        }
        const Control highCut = named(controls, "dial", "CAB B High-Cut").first();
        QCOMPARE(highCut.description, QString("Off"));
        const double level = named(controls, "dial", "CAB A Level").first().value.toDouble();

        // The client puts the keyboard on the dial; a key turns it as a person would.
        QCOMPARE(QProcess::execute(kPython, {ATSPI_CLIENT, "TALIX", "CAB A Level"}), 0);
        QVERIFY(m_x.pressKey(window, "Right"));
        QTRY_COMPARE_WITH_TIMEOUT(
            named(read(), "dial", "CAB A Level").value(0).value.toDouble(), level + 1, 60000);
    }
};

QTEST_GUILESS_MAIN(TestAtSpi)
#include "test_atspi.moc"
