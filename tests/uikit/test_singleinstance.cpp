#include "uikit/qmesingleapplication.h"
#include "uikit/qmesingleinstance.h"

#include <QCoreApplication>
#include <QElapsedTimer>
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
#include <string>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Child modes of this same executable:
//   --send <id> <message>: prints "sending" and sends; exit 10 when another instance runs and
//                          took the message, 11 when it runs but the message failed, 20 when
//                          this is the first instance, 21 when it became the first while sending.
//   --hold <id>:           become the first instance, print "primary", wait to be killed.
//   --quit <id>:           become the first instance of an application, print "primary", end
//                          the event loop, print "quit" and linger until stdin closes, as a
//                          program joins its threads after its window closed.
int childMain(int argc, char** argv) {
    const QString mode = argv[1];
    const QString id = argv[2];
    if (mode == "--quit") {
        QMESingleApplication app(id, argc, argv);
        if (app.isRunning())
            return 30;
        std::cout << "primary" << std::endl;
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
        app.exec();
        std::cout << "quit" << std::endl;
        std::string rest;
        std::getline(std::cin, rest);
        return 0;
    }
    QCoreApplication app(argc, argv);
    QMESingleInstance instance(id);
    if (mode == "--send") {
        if (!instance.isRunning())
            return 20;
        std::cout << "sending" << std::endl;
        if (instance.sendMessage(QString::fromUtf8(argv[3]), 4000))
            return 10;
        return instance.isRunning() ? 11 : 21;
    }
    if (instance.isRunning())
        return 30;
    std::cout << "primary" << std::endl;
    QTimer::singleShot(20000, &app, &QCoreApplication::quit);
    return app.exec();
}

QString readLine(QProcess& process) {
    while (!process.canReadLine()) {
        if (!process.waitForReadyRead(20000))
            return QString();
    }
    return QString::fromUtf8(process.readLine().trimmed());
}

// Sets an environment variable for one scope.
class EnvScope final {
public:
    EnvScope(const char* name, const QByteArray& value) : m_name(name), m_saved(qgetenv(name)) {
        qputenv(name, value);
    }
    ~EnvScope() { qputenv(m_name, m_saved); }

private:
    const char* const m_name;
    const QByteArray m_saved;
};

bool isPrivate(const QString& folder) {
    struct stat info;
    return ::stat(QFile::encodeName(folder).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

// A folder as another user would make it for himself (needs root).
bool makeForeignFolder(const QString& folder) {
    const QByteArray name = QFile::encodeName(folder);
    return QDir().mkpath(folder) && ::chown(name.constData(), 65534, 65534) == 0 &&
           ::chmod(name.constData(), 0700) == 0;
}

void finish(QProcess& process) {
    process.closeWriteChannel();
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished(5000);
    }
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
    void namesArePerIdentifierInThePrivateFolder() const {
        QCOMPARE(QMESingleInstance::ServerName("TALIX"), QMESingleInstance::ServerName("TALIX"));
        QVERIFY(QMESingleInstance::ServerName("TALIX") !=
                QMESingleInstance::ServerName("TALIXUpdate"));
        QVERIFY(QMESingleInstance::LockPath("TALIX").endsWith(".lock"));
        // Not in the temporary folder every user can write to, but in the user's own.
        const QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
        QCOMPARE(QMESingleInstance::PrivateFolder(), folder);
        QCOMPARE(QFileInfo(QMESingleInstance::LockPath("TALIX")).absolutePath(), folder);
        QCOMPARE(QFileInfo(QMESingleInstance::ServerName("TALIX")).absolutePath(), folder);
        QVERIFY(isPrivate(folder));
    }

    void leftoverLockDoesNotBlock_data() const {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty, left by a crash before it was written") << QByteArray();
        QTest::newRow("naming a process that is gone") << QByteArray("999999\nhost\nTALIX\n");
        QTest::newRow("naming a running process") << QByteArray("1\nhost\nTALIX\n");
    }

    void leftoverLockDoesNotBlock() const {
        QFETCH(QByteArray, content);
        const QString id = uniqueId();
        QFile lock(QMESingleInstance::LockPath(id));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(content);
        lock.close();
        QMESingleInstance first(id);
        QVERIFY(!first.isRunning());
        QSignalSpy spy(&first, &QMESingleInstance::messageReceived);
        QCOMPARE(runSend(id, "after a crash"), 10);
        QCOMPARE(spy.count(), 1);
    }

    void runtimeFolderOfOthersIsNotUsed_data() const {
        QTest::addColumn<bool>("foreign");
        QTest::addColumn<bool>("fallbackTaken");
        QTest::newRow("another user's folder") << true << false;
        QTest::newRow("folder open to everybody") << false << false;
        QTest::newRow("fallback folder taken by another user") << true << true;
    }

    void runtimeFolderOfOthersIsNotUsed() const {
        QFETCH(bool, foreign);
        QFETCH(bool, fallbackTaken);
        if (::geteuid() != 0 && (foreign || fallbackTaken))
            QSKIP("needs root to make folders of another user");
        QTemporaryDir dir;
        const QString runtime = dir.filePath("run");
        const QString shared = dir.filePath("tmp");
        // Where Qt turns when the runtime folder is unfit.
        const QString fallback =
            shared + "/runtime-" + QString::fromLocal8Bit(::getpwuid(::geteuid())->pw_name);
        QVERIFY(QDir().mkpath(runtime));
        QVERIFY(QDir().mkpath(fallback));
        QCOMPARE(::chmod(QFile::encodeName(shared).constData(), 0777), 0);
        QVERIFY(QDir(fallback).removeRecursively());
        if (fallbackTaken)
            QVERIFY(makeForeignFolder(fallback));
        if (foreign)
            QVERIFY(makeForeignFolder(runtime));
        else
            QCOMPARE(::chmod(QFile::encodeName(runtime).constData(), 0777), 0);

        const EnvScope runtimeScope("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
        const EnvScope tmpScope("TMPDIR", QFile::encodeName(shared));
        const QString used = QMESingleInstance::PrivateFolder();
        if (fallbackTaken) {
            QVERIFY(used.isEmpty());
            QTest::ignoreMessage(QtWarningMsg, "single instance: no private runtime folder");
        } else {
            QCOMPARE(used, fallback);
            QVERIFY(isPrivate(used));
        }
        QMESingleInstance first(uniqueId());
        QVERIFY(!first.isRunning());
        QVERIFY(QDir(runtime).isEmpty());
        if (fallbackTaken)
            QVERIFY(QDir(fallback).isEmpty());
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
        QVERIFY(QFile::exists(QMESingleInstance::ServerName(id)));

        QMESingleInstance next(id);
        QVERIFY(!next.isRunning());
        QSignalSpy spy(&next, &QMESingleInstance::messageReceived);
        QCOMPARE(runSend(id, "after the crash"), 10);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QString("after the crash"));
    }

    void quittingInstanceLetsTheNextStartIn() const {
        const QString id = uniqueId();
        QProcess quitting;
        quitting.start(QCoreApplication::applicationFilePath(), {"--quit", id});
        QVERIFY(quitting.waitForStarted(5000));
        QCOMPARE(readLine(quitting), QString("primary"));
        QCOMPARE(readLine(quitting), QString("quit"));
        // Its event loop has ended but the process still runs.
        QCOMPARE(runSend(id, "start during shutdown"), 20);
        finish(quitting);
        QCOMPARE(quitting.exitCode(), 0);
    }

    void unansweredStartTakesOverWhenTheOtherEnds() const {
        const QString id = uniqueId();
        auto first = std::make_unique<QMESingleInstance>(id);
        QVERIFY(!first->isRunning());
        QProcess sender;
        sender.start(QCoreApplication::applicationFilePath(), {"--send", id, "hello"});
        QVERIFY(sender.waitForStarted(5000));
        QCOMPARE(readLine(sender), QString("sending"));
        // This process runs no event loop meanwhile, so the message goes unanswered until the
        // first instance lets go.
        first->release();
        QVERIFY(sender.waitForFinished(20000));
        QCOMPARE(sender.exitCode(), 21);
        // The sender had become the first instance; with it gone, so is its lock.
        first = std::make_unique<QMESingleInstance>(id);
        QVERIFY(!first->isRunning());
    }

    void unansweredMessageGivesUpWithinItsTime() const {
        const QString id = uniqueId();
        QMESingleInstance first(id);
        QMESingleInstance second(id);
        QVERIFY(second.isRunning());
        // The first never answers: no event loop runs here while the second waits.
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!second.sendMessage("unanswered", 1000));
        const qint64 elapsed = timer.elapsed();
        QVERIFY2(elapsed >= 900, qPrintable(QString::number(elapsed)));
        QVERIFY2(elapsed < 1000 + 4000, qPrintable(QString::number(elapsed)));
        QVERIFY(second.isRunning());
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
    if (argc >= 3 && (std::strcmp(argv[1], "--send") == 0 || std::strcmp(argv[1], "--hold") == 0 ||
                      std::strcmp(argv[1], "--quit") == 0))
        return childMain(argc, argv);
    // The temporary folder is shared by all users, the runtime folder the user's own.
    QTemporaryDir shared;
    QFile::setPermissions(shared.path(), QFileDevice::Permissions(0x7777));
    qputenv("TMPDIR", shared.path().toLocal8Bit());
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QMESingleApplication app(uniqueId(), argc, argv);
    TestSingleInstance test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_singleinstance.moc"
