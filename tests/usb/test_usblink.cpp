// The link on the system libusb against the pedal emulated as a kernel USB device: the real
// libusb opens, claims, detaches the kernel driver and moves interrupt packets, while a reader
// and a writer share the handle and the pedal goes away.

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/types.h>

class TestUsbLink final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (!QFileInfo(runner()).isExecutable())
            QSKIP("talix-vpedal-run was not built: the umockdev development files are missing");
    }

    void link_data() const {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<int>("outFrames");
        QTest::addColumn<bool>("unplugged");

        const QByteArray opened = "open 2 TAL_IX 0\n";
        // The reasons as QMEBaseLibusb::OpenFailure numbers them.
        const QByteArray none = "failure 0 \n";
        QTest::newRow("running") << "open" << QStringList{} << opened + none << 1 << false;
        QTest::newRow("boot loader") << "open" << QStringList{"TALIX_VP_RUN_MODE=B"}
                                     << QByteArray("open 1 TAL_IX 0\n") + none << 1 << false;
        QTest::newRow("four interfaces") << "open" << QStringList{"TALIX_VP_INTERFACES=4"}
                                         << QByteArray("open 2 TAL_IX 3\n") + none << 1 << false;
        QTest::newRow("kernel driver")
            << "open" << QStringList{"TALIX_VP_KERNEL_DRIVER=1"} << opened + none << 1 << false;
        QTest::newRow("kernel driver stuck")
            << "open" << QStringList{"TALIX_VP_KERNEL_DRIVER=stuck"}
            << QByteArray("open 0  -1\nfailure 4 \n") << 0 << false;
        QTest::newRow("absent") << "open" << QStringList{"TALIX_VP_NO_DEVICE=1"}
                                << QByteArray("open 0  -1\nfailure 1 \n") << 0 << false;
        QTest::newRow("other type")
            << "open" << QStringList{"TALIX_VP_DEVICE_TYPE=OTHER"}
            << QByteArray("open 0 OTHER -1\nfailure 5 OTHER\n") << 1 << false;
        // As the kernel refuses them: the node's open with EACCES, the claim with EBUSY.
        QTest::newRow("no access")
            << "open" << QStringList{"TALIX_VP_OPEN_DENIED=1"}
            << QByteArray("open 0  -1\nfailure 2 /dev/bus/usb/001/002\n") << 0 << false;
        QTest::newRow("claim refused") << "open" << QStringList{"TALIX_VP_CLAIM_BUSY=1"}
                                       << QByteArray("open 0  -1\nfailure 3 \n") << 0 << false;

        QByteArray frames = opened;
        const QByteArray longAnswer = "frame E6 12\nframe E7 551\n";
        frames += longAnswer;
        for (int p = 0; p < 14; ++p)
            frames += "frame 9A 22\n";
        frames += longAnswer + "sent 1 failed 0\n";
        QTest::newRow("long frames interleaved")
            << "frames" << QStringList{} << frames << 17 << false;

        QTest::newRow("unplug during a read") << "during" << QStringList{"TALIX_VP_UNPLUG_ON=0x9B"}
                                              << opened + "read -1 ended early\n"
                                              << 3 << true;
        QTest::newRow("unplug between transfers")
            << "between" << QStringList{"TALIX_VP_UNPLUG_AFTER=2"}
            << opened + "sent 1\nread -1\nwrite 0\nreopen 0\n"
            << 2 << true;
        // As on the linked-in pedal: a read shorter than the pedal's packet overflows.
        QTest::newRow("zero-length and short reads")
            << "edges" << QStringList{} << opened + "zero 0 0\nshort -8 32\n"
            << 2 << false;
        // Nothing is sent while another program holds the pedal.
        QTest::newRow("claimed by another program")
            << "busy" << QStringList{} << opened + "second 0 busy\nsecond 2\n"
            << 2 << false;
        QTest::newRow("restart into the boot loader")
            << "restart" << QStringList{} << opened + "read -1\nreopen 1\n"
            << 3 << false;
    }

    void link() const {
        QFETCH(QString, scenario);
        QFETCH(QStringList, environment);
        QFETCH(QByteArray, output);
        QFETCH(int, outFrames);
        QFETCH(bool, unplugged);

        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString log = folder.filePath("traffic.log");
        QProcess run;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TALIX_VP_LOG", log);
        const QString state = folder.filePath("pedal.state");
        env.insert("TALIX_VP_STATE", state);
        for (const QString& entry : environment)
            env.insert(entry.section('=', 0, 0), entry.section('=', 1));
        run.setProcessEnvironment(env);
        run.start(runner(), {QStringLiteral(LINK_PROBE), scenario});
        QVERIFY(run.waitForFinished(120000));
        const QByteArray errors = run.readAllStandardError();
        QCOMPARE(run.readAllStandardOutput(), output);
        QVERIFY2(run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0,
                 errors.constData());

        QFile file(log);
        const QList<QByteArray> lines =
            file.open(QIODevice::ReadOnly) ? file.readAll().split('\n') : QList<QByteArray>{};
        const int sent = static_cast<int>(std::count_if(
            lines.begin(), lines.end(), [](const QByteArray& l) { return l.startsWith("OUT "); }));
        QCOMPARE(sent, outFrames);
        QCOMPARE(lines.contains("EVENT unplug"), unplugged);
        // Only a change is saved: the restart's new run mode.
        QCOMPARE(QFile::exists(state), scenario == "restart");
        QVERIFY(!lines.contains("BAD") &&
                std::none_of(lines.begin(), lines.end(),
                             [](const QByteArray& l) { return l.startsWith("BAD"); }));
    }

    void unplugBySignal() const {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QProcess run;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TALIX_VP_LOG", folder.filePath("traffic.log"));
        run.setProcessEnvironment(env);
        run.start(runner(), {QStringLiteral(LINK_PROBE), "wait"});
        QByteArray output;
        QElapsedTimer timer;
        timer.start();
        while (!output.contains("open 2") && timer.elapsed() < 60000 &&
               run.state() != QProcess::NotRunning) {
            run.waitForReadyRead(100);
            output += run.readAllStandardOutput();
        }
        QVERIFY2(output.contains("open 2"), output.constData());
        QCOMPARE(::kill(pid_t(run.processId()), SIGUSR1), 0);
        QVERIFY(run.waitForFinished(60000));
        output += run.readAllStandardOutput();
        QCOMPARE(output, QByteArray("open 2 TAL_IX 0\nread -1 ended early\n"));
        QCOMPARE(run.exitCode(), 0);
        QFile log(folder.filePath("traffic.log"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(log.readAll().split('\n').contains("EVENT unplug"));
    }

private:
    static QString runner() { return QStringLiteral(VPEDAL_RUN); }
};

QTEST_APPLESS_MAIN(TestUsbLink)
#include "test_usblink.moc"
