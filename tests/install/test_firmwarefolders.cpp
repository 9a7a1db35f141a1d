// Where the updater takes its image from: the folder beside it first, then the user's own
// "Firmware" folder (an installed program folder is not writable by the user).
#include "settings/qmeappinfo.h"
#include "updater/firmwarefolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestFirmwareFolders final : public QObject {
    Q_OBJECT

private slots:
    void userFolder() const;
    void chosenFolder_data() const;
    void chosenFolder() const;
};

void TestFirmwareFolders::userFolder() const {
    QMEAppInfo::instance().productName = QStringLiteral("TALIX");
    // HOME is the private folder main() set up; the documents folder lies in it.
    QCOMPARE(FirmwareFolder::UserPath(),
             QDir::homePath() + QStringLiteral("/Documents/TALIX/Firmware/"));
    QVERIFY(FirmwareFolder::UserPath() != FirmwareFolder::Path());
}

void TestFirmwareFolders::chosenFolder_data() const {
    // Files in the program's folder and in the user's; "-" leaves the folder out altogether.
    QTest::addColumn<QStringList>("program");
    QTest::addColumn<QStringList>("user");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("image");
    QTest::newRow("program folder first") << QStringList{"a.zv"} << QStringList{"z.zv"} << "program"
                                          << "a.zv";
    QTest::newRow("user folder when the program's is empty")
        << QStringList{} << QStringList{"v1.zv", "v2.zv"} << "user"
        << "v2.zv";
    QTest::newRow("user folder when the program's is missing")
        << QStringList{"-"} << QStringList{"v1.zv"} << "user"
        << "v1.zv";
    QTest::newRow("only images count")
        << QStringList{"a.zv.bak", "notes.txt", "dir.zv/"} << QStringList{"b.zv"} << "user"
        << "b.zv";
    QTest::newRow("neither: the program folder")
        << QStringList{} << QStringList{"readme.txt"} << "program"
        << "";
    QTest::newRow("neither exists: the program folder")
        << QStringList{"-"} << QStringList{"-"} << "program"
        << "";
}

void TestFirmwareFolders::chosenFolder() const {
    QFETCH(QStringList, program);
    QFETCH(QStringList, user);
    QFETCH(QString, folder);
    QFETCH(QString, image);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    auto fill = [&dir](const QString& name, const QStringList& files) {
        const QString path = dir.filePath(name) + "/";
        if (files.value(0) == "-")
            return path;
        QDir().mkpath(path);
        for (const QString& file : files) {
            if (file.endsWith('/')) {
                QDir().mkpath(path + file);
                continue;
            }
            QFile f(path + file);
            if (f.open(QIODevice::WriteOnly))
                f.write("image");
        }
        return path;
    };
    const QString programPath = fill("program", program);
    const QString userPath = fill("user", user);

    const QString chosen = FirmwareFolder::ImageFolder({programPath, userPath});
    QCOMPARE(chosen, dir.filePath(folder) + "/");
    QCOMPARE(FirmwareFolder::LastImage(chosen), image);
}

int main(int argc, char** argv) {
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    QCoreApplication app(argc, argv);
    TestFirmwareFolders test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_firmwarefolders.moc"
