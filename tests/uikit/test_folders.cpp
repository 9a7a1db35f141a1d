#include "settings/qmeappinfo.h"
#include "settings/qmefolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestFolders final : public QObject {
    Q_OBJECT

private:
    QString m_home;

private slots:
    void initTestCase() {
        m_home = qEnvironmentVariable("HOME");
        QVERIFY(!m_home.isEmpty());
    }

    void cleanup() {
        QMEAppInfo::instance().productName = "TALIX";
        QMEAppInfo::instance().spareText.clear();
    }

    void normalise_data() const {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("expected");
        QTest::newRow("win forward") << "C:/Program Files/TALIX"
                                     << "\\"
                                     << "C:\\Program Files\\TALIX";
        QTest::newRow("win doubled") << "C://a//b\\\\c"
                                     << "\\"
                                     << "C:\\a\\b\\c";
        QTest::newRow("win tripled") << "C:\\\\\\a"
                                     << "\\"
                                     << "C:\\a";
        QTest::newRow("win network slashes") << "//server/share/x"
                                             << "\\"
                                             << "\\\\server\\share\\x";
        QTest::newRow("win network backslashes") << "\\\\server\\\\share"
                                                 << "\\"
                                                 << "\\\\server\\share";
        QTest::newRow("unix plain") << "/opt/talix/bin"
                                    << "/"
                                    << "/opt/talix/bin";
        QTest::newRow("unix doubled") << "/opt//talix///bin/"
                                      << "/"
                                      << "/opt/talix/bin/";
        QTest::newRow("unix network") << "//server/share"
                                      << "/"
                                      << "//server/share";
        QTest::newRow("unix keeps backslash") << "/a\\b"
                                              << "/"
                                              << "/a\\b";
    }

    void normalise() const {
        QFETCH(QString, path);
        QFETCH(QString, separator);
        QFETCH(QString, expected);
        QCOMPARE(QMEFolders::normalise(path, separator.at(0)), expected);
    }

    void applicationFolderIsExecutableFolder() const {
        const QString folder = QMEFolders::applicationFolder();
        QCOMPARE(folder, QDir(QCoreApplication::applicationDirPath()).absolutePath());
        QCOMPARE(QMEFolders::applicationFolder("/Language/Language.xml"),
                 folder + "/Language/Language.xml");
    }

    void themeFolders_data() const {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("image");
        QTest::addColumn<QString>("pic");
        QTest::newRow("light") << 1 << "/image/light"
                               << "/pic/light";
        QTest::newRow("dark") << 2 << "/image/dark"
                              << "/pic/dark";
        QTest::newRow("zero") << 0 << "/image"
                              << "/pic";
        QTest::newRow("three") << 3 << "/image"
                               << "/pic";
    }

    void themeFolders() const {
        QFETCH(int, mode);
        QFETCH(QString, image);
        QFETCH(QString, pic);
        QCOMPARE(QMEFolders::imageFolder(mode), QMEFolders::applicationFolder() + image);
        QCOMPARE(QMEFolders::picFolder(mode), QMEFolders::applicationFolder() + pic);
    }

    void userDataFolderDefaultsToDocumentsTalix() const {
        const QString folder = QMEFolders::userDataFolder();
        QCOMPARE(folder, m_home + "/Documents/TALIX");
        QCOMPARE(folder,
                 QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/TALIX");
        QVERIFY(QDir(folder).exists());
    }

    void folderNames_data() const {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("spare");
        QTest::addColumn<QString>("name");
        QTest::newRow("defaults") << ""
                                  << ""
                                  << ""
                                  << "TALIX";
        QTest::newRow("first only") << "Presets"
                                    << ""
                                    << ""
                                    << "Presets";
        QTest::newRow("both") << "Zelva"
                              << "Tools"
                              << ""
                              << "Zelva Tools";
        QTest::newRow("spare text fills second") << ""
                                                 << ""
                                                 << "Pro"
                                                 << "TALIX Pro";
        QTest::newRow("given second wins") << ""
                                           << "Lite"
                                           << "Pro"
                                           << "TALIX Lite";
    }

    void folderNames() const {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, spare);
        QFETCH(QString, name);
        QMEAppInfo::instance().spareText = spare;
        QCOMPARE(QMEFolders::folderName(first, second), name);
        const QString folder = QMEFolders::userDataFolder(first, second);
        QCOMPARE(folder, m_home + "/Documents/" + name);
        QVERIFY(QDir(folder).exists());
    }

    void emptyNamesGiveTheBase() const {
        QMEAppInfo::instance().productName.clear();
        QCOMPARE(QMEFolders::userDataFolder(), m_home + "/Documents");
    }

    void uncreatableFolderGivesTheBase() const {
        QTemporaryDir dir;
        QFile blocker(dir.filePath("blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QCOMPARE(QMEFolders::namedFolder(dir.filePath("blocker"), "Sub", ""),
                 dir.filePath("blocker"));
    }

    void styleRecordAndApplicationFolderReset() const {
        QMEAppInfo& info = QMEAppInfo::instance();
        info.makerName = "ZELVA";
        info.caption = "Other";
        info.titleHeight = 30;
        info.marginLeft = 2;
        info.font.setPixelSize(18);
        QMEAppInfo::Reset();
        QVERIFY(info.makerName.isEmpty());
        QCOMPARE(info.productName, QString("TALIX"));
        QCOMPARE(info.caption, QString("TALIX"));
        QCOMPARE(info.titleHeight, 48);
        QCOMPARE(info.marginLeft, 8);
        QCOMPARE(info.font.family(), QString("Arial"));
        QCOMPARE(info.font.pixelSize(), -1);

        const QString own = QMEFolders::applicationFolder();
        QMEFolders::setApplicationFolder("/opt//talix");
        QCOMPARE(QMEFolders::applicationFolder("/Language/"), QString("/opt/talix/Language/"));
        QCOMPARE(QMEFolders::imageFolder(2), QString("/opt/talix/image/dark"));
        QMEFolders::setApplicationFolder(QString());
        QCOMPARE(QMEFolders::applicationFolder(), own);
    }

    void tempAndLocalDataFolders() const {
        QCOMPARE(QMEFolders::tempFolder(), QDir::tempPath() + "/TALIX");
        QVERIFY(QDir(QMEFolders::tempFolder()).exists());
        QCOMPARE(QMEFolders::localAppDataBase(), m_home + "/data");
        QCOMPARE(QMEFolders::localAppDataFolder(), m_home + "/data/TALIX");
        QVERIFY(QDir(m_home + "/data/TALIX").exists());
    }
};

int main(int argc, char** argv) {
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    qputenv("TMPDIR", (home.path() + "/tmp").toLocal8Bit());
    QDir().mkpath(home.path() + "/tmp");
    QCoreApplication app(argc, argv);
    TestFolders test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_folders.moc"
