#include "uikit/qmesingleapplication.h"
#include "uikit/qmesingleinstance.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QUuid>
#include <QtTest>

#include <cstdlib>
#include <cstring>
#include <iostream>

namespace {

// Child modes of this same executable:
//   --send <id> <message>: exit 10 when another instance runs and took the message, 11 when it
//                          runs but the message failed, 20 when this is the first instance.
//   --hold <id>:           become the first instance, print "primary", wait to be killed.
int childMain(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString mode = argv[1];
    const QString id = argv[2];
    QMESingleInstance instance(id);
    if (mode == "--send") {
        if (!instance.isRunning())
            return 20;
        return instance.sendMessage(QString::fromUtf8(argv[3]), 4000) ? 10 : 11;
    }
    if (instance.isRunning())
        return 30;
    std::cout << "primary" << std::endl;
    QTimer::singleShot(20000, &app, &QCoreApplication::quit);
    return app.exec();
}

QString uniqueId() {
    return "test-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

//   --scaled <width> <height>: start the application for a main window of that size, print the
//                              screen's device pixel ratio and the scale variable left behind.
int scaledMain(int argc, char** argv) {
    const QSize window(std::atoi(argv[2]), std::atoi(argv[3]));
    QMESingleApplication app(uniqueId(), argc, argv, window);
    std::cout << QGuiApplication::primaryScreen()->devicePixelRatio() << " "
              << qgetenv("QT_SCALE_FACTOR").constData() << std::endl;
    return 0;
}

int runSend(const QString& id, const QString& message) {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {"--send", id, message});
    if (!child.waitForStarted(5000))
        return -1;
    // The message reaches us while the child waits for its acknowledgement.
    QElapsedTimer timer;
    timer.start();
    while (child.state() != QProcess::NotRunning && timer.elapsed() < 15000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        child.waitForFinished(10);
    }
    if (child.state() != QProcess::NotRunning) {
        child.kill();
        child.waitForFinished(2000);
        return -2;
    }
    return child.exitCode();
}

} // namespace

class TestSingleInstance final : public QObject {
    Q_OBJECT

private slots:
    void namesArePerIdentifierAndUser() const {
        QCOMPARE(QMESingleInstance::ServerName("TALIX"), QMESingleInstance::ServerName("TALIX"));
        QVERIFY(QMESingleInstance::ServerName("TALIX") !=
                QMESingleInstance::ServerName("TALIXUpdate"));
        QVERIFY(QMESingleInstance::LockPath("TALIX").endsWith(".lock"));
    }

    void firstInstanceIsNotRunning() const {
        QMESingleInstance first(uniqueId());
        QVERIFY(!first.isRunning());
        QVERIFY(!first.sendMessage("nobody to send to", 100));
    }

    void secondInstanceInProcessIsDetected() const {
        const QString id = uniqueId();
        QMESingleInstance first(id);
        QMESingleInstance second(id);
        QVERIFY(!first.isRunning());
        QVERIFY(second.isRunning());
    }

    void secondProcessIsDetectedAndItsMessageArrives() const {
        const QString id = uniqueId();
        QMESingleInstance first(id);
        QSignalSpy spy(&first, &QMESingleInstance::messageReceived);
        QCOMPARE(runSend(id, "raise_window_noop_talix"), 10);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QString("raise_window_noop_talix"));
        QCOMPARE(runSend(id, QString::fromUtf8("\xc3\xa4 second")), 10);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(1).at(0).toString(), QString::fromUtf8("\xc3\xa4 second"));
    }

    void otherIdentifierIsIndependent() const {
        QMESingleInstance first(uniqueId());
        QCOMPARE(runSend(uniqueId(), "x"), 20);
    }

    void instanceEndsAndTheNextStartIsFirst() const {
        const QString id = uniqueId();
        {
            QMESingleInstance first(id);
            QVERIFY(!first.isRunning());
        }
        QCOMPARE(runSend(id, "x"), 20);
    }

    void staleSocketAfterKilledInstanceDoesNotBlock() const {
        const QString id = uniqueId();
        QProcess holder;
        holder.start(QCoreApplication::applicationFilePath(), {"--hold", id});
        QVERIFY(holder.waitForStarted(5000));
        QVERIFY(holder.waitForReadyRead(10000));
        QCOMPARE(holder.readAll().trimmed(), QByteArray("primary"));
        QCOMPARE(runSend(id, "while alive"), 10);

        holder.kill();
        QVERIFY(holder.waitForFinished(5000));
        // The killed instance left its lock file and socket behind.
        QVERIFY(QFile::exists(QMESingleInstance::LockPath(id)));
        QVERIFY(QFile::exists(QDir::tempPath() + "/" + QMESingleInstance::ServerName(id)));

        QMESingleInstance next(id);
        QVERIFY(!next.isRunning());
        QSignalSpy spy(&next, &QMESingleInstance::messageReceived);
        QCOMPARE(runSend(id, "after the crash"), 10);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QString("after the crash"));
    }

    void unwritableLockFolderDoesNotStopTheStart() const {
        // No one, not even root, can create files in /proc.
        if (!QFileInfo("/proc").isDir())
            QSKIP("needs /proc");
        const QByteArray saved = qgetenv("TMPDIR");
        qputenv("TMPDIR", "/proc");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^single instance: cannot lock "));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^single instance: cannot listen "));
        QMESingleInstance first(uniqueId());
        qputenv("TMPDIR", saved);
        QVERIFY(!first.isRunning());
    }

    void oversizedMessageIsRefused() const {
        const QString id = uniqueId();
        QMESingleInstance first(id);
        QMESingleInstance second(id);
        QVERIFY(!second.sendMessage(QString(QMESingleInstance::kMaxMessageBytes + 1, 'a'), 500));
    }

    void applicationScalesForHighDpiScreens() const {
        QVERIFY(QCoreApplication::testAttribute(Qt::AA_EnableHighDpiScaling));
        QVERIFY(QCoreApplication::testAttribute(Qt::AA_UseHighDpiPixmaps));
    }

    void scaleFactorFitsTheWindow_data() const {
        QTest::addColumn<QByteArray>("dpi");
        QTest::addColumn<QByteArray>("userScale");
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QString>("result");
        // The offscreen screen is 800 x 600 physical pixels; 96 dpi is 100 %.
        QTest::newRow("100 %") << QByteArray("96") << QByteArray() << QSize(1296, 736) << "1 ";
        QTest::newRow("150 %, too big at 2")
            << QByteArray("144") << QByteArray() << QSize(1296, 736) << "1 ";
        QTest::newRow("150 %, fits at 2")
            << QByteArray("144") << QByteArray() << QSize(300, 200) << "2 ";
        QTest::newRow("200 %, fits exactly")
            << QByteArray("192") << QByteArray() << QSize(400, 300) << "2 ";
        QTest::newRow("200 %, a pixel too wide")
            << QByteArray("192") << QByteArray() << QSize(401, 300) << "1 ";
        QTest::newRow("300 %, fits at 2")
            << QByteArray("288") << QByteArray() << QSize(300, 200) << "2 ";
        QTest::newRow("the user's scale wins")
            << QByteArray("96") << QByteArray("3") << QSize(1296, 736) << "3 3";
    }

    void scaleFactorFitsTheWindow() const {
        QFETCH(QByteArray, dpi);
        QFETCH(QByteArray, userScale);
        QFETCH(QSize, window);
        QFETCH(QString, result);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("QT_FONT_DPI", dpi);
        env.remove("QT_SCALE_FACTOR");
        if (!userScale.isEmpty())
            env.insert("QT_SCALE_FACTOR", userScale);
        QProcess child;
        child.setProcessEnvironment(env);
        child.start(
            QCoreApplication::applicationFilePath(),
            {"--scaled", QString::number(window.width()), QString::number(window.height())});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(child.readAllStandardOutput()).trimmed(), result.trimmed());
    }

    void applicationRaisesItsWindowOnMessage() const {
        auto* app = qobject_cast<QMESingleApplication*>(QCoreApplication::instance());
        QVERIFY(app);
        QVERIFY(!app->isRunning());
        QWidget window;
        window.showMinimized();
        app->setActivationWindow(&window, true);
        QCOMPARE(app->activationWindow(), &window);
        QSignalSpy spy(app, &QMESingleApplication::messageReceived);
        QCOMPARE(runSend(app->id(), "raise"), 10);
        QCOMPARE(spy.count(), 1);
        QVERIFY(!(window.windowState() & Qt::WindowMinimized));
        QVERIFY(window.isVisible());

        window.showMinimized();
        app->setActivationWindow(&window, false);
        QCOMPARE(runSend(app->id(), "no raise"), 10);
        QCOMPARE(spy.count(), 2);
        QVERIFY(window.windowState() & Qt::WindowMinimized);
    }
};

int main(int argc, char** argv) {
    if (argc >= 4 && std::strcmp(argv[1], "--scaled") == 0)
        return scaledMain(argc, argv);
    if (argc >= 3 && (std::strcmp(argv[1], "--send") == 0 || std::strcmp(argv[1], "--hold") == 0))
        return childMain(argc, argv);
    QTemporaryDir tmp;
    qputenv("TMPDIR", tmp.path().toLocal8Bit());
    QMESingleApplication app(uniqueId(), argc, argv);
    TestSingleInstance test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_singleinstance.moc"
