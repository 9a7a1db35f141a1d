// The shared library under a program built against the system libusb, through LD_PRELOAD.

#include <QProcess>
#include <QtTest>

class TestVirtualPedalPreload final : public QObject {
    Q_OBJECT

private slots:
    void preloaded_data() const {
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<QByteArray>("output");
        QTest::newRow("default") << QStringList{} << QByteArray("1 TAL_IX A\n");
        QTest::newRow("boot loader")
            << QStringList{"TALIX_VP_RUN_MODE=B"} << QByteArray("1 TAL_IX B\n");
        QTest::newRow("two devices")
            << QStringList{"TALIX_VP_DEVICES=usb=1234:0001,pedal", "TALIX_VP_DEVICE_TYPE=X1"}
            << QByteArray("2 X1 A\n");
        QTest::newRow("no device") << QStringList{"TALIX_VP_NO_DEVICE=1"} << QByteArray("none\n");
    }

    void preloaded() const {
        QFETCH(QStringList, environment);
        QFETCH(QByteArray, output);
        QProcess probe;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LD_PRELOAD", QStringLiteral(PRELOAD_LIBRARY));
        for (const QString& entry : environment)
            env.insert(entry.section('=', 0, 0), entry.section('=', 1));
        probe.setProcessEnvironment(env);
        probe.start(QStringLiteral(PROBE_PROGRAM), QStringList());
        QVERIFY(probe.waitForFinished(20000));
        QVERIFY2(probe.exitStatus() == QProcess::NormalExit, probe.readAllStandardError());
        QCOMPARE(probe.readAllStandardOutput(), output);
    }
};

QTEST_APPLESS_MAIN(TestVirtualPedalPreload)
#include "test_virtualpedal_preload.moc"
