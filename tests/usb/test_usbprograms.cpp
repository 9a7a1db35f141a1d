// The real, unmodified TALIX on the system libusb against the emulated pedal: its start-up probe
// opens the pedal through usbfs, judges the run mode and closes the link again.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/types.h>

class TestUsbPrograms final : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QProcess m_run;
    QByteArray m_output;

    QString programFolder() const { return m_dir.filePath("program"); }

    bool waitFor(const QByteArray& text) {
        QElapsedTimer timer;
        timer.start();
        while (!m_output.contains(text) && timer.elapsed() < 60000) {
            m_run.waitForReadyRead(100);
            m_output += m_run.readAll();
            if (m_run.state() == QProcess::NotRunning) {
                m_output += m_run.readAll();
                break;
            }
        }
        return m_output.contains(text);
    }

private slots:
    void initTestCase() {
        if (!QFileInfo(QStringLiteral(VPEDAL_RUN)).isExecutable())
            QSKIP("talix-vpedal-run was not built: the umockdev development files are missing");
        QVERIFY(m_dir.isValid());
        for (const char* folder : {"program", "home", "tmp"})
            QVERIFY(QDir(m_dir.path()).mkpath(folder));
        // A copy, not a link: the program finds its folder from its own path.
        QVERIFY(QFile::copy(EDITOR_PROGRAM, programFolder() + "/TALIX"));
        QVERIFY(QFile::copy(STANDIN_UPDATER, programFolder() + "/TALIXUpdate"));
    }

    void cleanup() {
        // SIGTERM reaches the program through the runner.
        m_run.terminate();
        if (!m_run.waitForFinished(20000)) {
            m_run.kill();
            m_run.waitForFinished(10000);
        }
        QFile pid(programFolder() + "/updater.pid");
        if (pid.open(QIODevice::ReadOnly)) {
            ::kill(pid_t(pid.readAll().trimmed().toLongLong()), SIGKILL);
            pid.close();
            pid.remove();
        }
        m_output.clear();
    }

    void startUp_data() {
        QTest::addColumn<QStringList>("pedal");
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArray>("then");
        QTest::newRow("running") << QStringList() << 2 << QByteArray("-------window------ shown");
        QTest::newRow("absent") << QStringList{"TALIX_VP_NO_DEVICE=1"} << 0
                                << QByteArray("-------window------ shown");
        QTest::newRow("boot loader") << QStringList{"TALIX_VP_RUN_MODE=B"} << 1 << QByteArray();
    }

    void startUp() {
        QFETCH(QStringList, pedal);
        QFETCH(int, code);
        QFETCH(QByteArray, then);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TALIX_VP_STATE", m_dir.filePath("pedal.state"));
        env.insert("TALIX_VP_LOG", m_dir.filePath("traffic.log"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("HOME", m_dir.filePath("home"));
        env.insert("XDG_DATA_HOME", m_dir.filePath("home/data"));
        env.insert("XDG_CONFIG_HOME", m_dir.filePath("home/config"));
        // A private runtime folder in the temporary folder keeps other editors' instances apart.
        env.insert("TMPDIR", m_dir.filePath("tmp"));
        env.remove("XDG_RUNTIME_DIR");
        for (const QString& variable : pedal)
            env.insert(variable.section('=', 0, 0), variable.section('=', 1));
        QFile::remove(m_dir.filePath("pedal.state"));
        m_run.setProcessEnvironment(env);
        m_run.setProcessChannelMode(QProcess::MergedChannels);
        m_run.start(VPEDAL_RUN, {programFolder() + "/TALIX"});

        QVERIFY2(waitFor("-------probe------ " + QByteArray::number(code) + " closed"), m_output);
        if (!then.isEmpty()) {
            QVERIFY2(waitFor(then), m_output);
            return;
        }
        // The boot loader: the editor hands over to the updater and ends.
        QVERIFY(m_run.waitForFinished(60000));
        QCOMPARE(m_run.exitCode(), 0);
    }
};

QTEST_APPLESS_MAIN(TestUsbPrograms)
#include "test_usbprograms.moc"
