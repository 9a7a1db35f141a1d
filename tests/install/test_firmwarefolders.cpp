// Which image an update writes: every "*.zv" of the folder beside the program and of the user's
// own "Firmware" folder (an installed program folder is not writable by the user), the one whose
// name sorts last among those that pass the upload's checks; the others named with the reason.
#include "settings/qmeappinfo.h"
#include "tests/updater/firmwareimagebuilder.h"
#include "tests/updater/unprivilegedscope.h"
#include "updater/image/firmwarefolder.h"
#include "updater/image/firmwaretexts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The bytes of a file of the given kind.
QByteArray imageOfKind(const QString& kind) {
    FirmwareImageBuilder image;
    image.sections.append({FirmwareImageBuilder::pattern(2 * 512, 1), 0xA2, 0xA3, 0, 0});
    if (kind == "foreign")
        image.deviceType = "TAL_X2";
    else if (kind == "empty")
        image.sections = {{QByteArray(), 0xA2, 0xA3, 0, 0}};
    else if (kind == "tail")
        image.sections[0].data.chop(100);
    QByteArray bytes = image.build();
    if (kind == "damaged")
        bytes[0] = 'z';
    else if (kind == "cut")
        bytes.chop(1);
    return bytes;
}

} // namespace

class TestFirmwareFolders final : public QObject {
    Q_OBJECT

private slots:
    void userFolder() const;
    void choice_data() const;
    void choice() const;
};

void TestFirmwareFolders::userFolder() const {
    QMEAppInfo::instance().productName = QStringLiteral("TALIX");
    // HOME is the private folder main() set up; the documents folder lies in it.
    QCOMPARE(FirmwareFolder::UserPath(),
             QDir::homePath() + QStringLiteral("/Documents/TALIX/Firmware/"));
    QCOMPARE(FirmwareFolder::Folders(),
             (QStringList{FirmwareFolder::Path(), FirmwareFolder::UserPath()}));
}

void TestFirmwareFolders::choice_data() const {
    // Files as "kind name" in the program's folder and in the user's ("-" leaves the folder out
    // altogether); the chosen file as "folder/name"; the refusal lines, "%1" standing for the
    // temporary folder.
    QTest::addColumn<QStringList>("program");
    QTest::addColumn<QStringList>("user");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QStringList>("refused");

    const QString foreign = "The firmware file \"%1\" is made for another pedal.";
    QTest::newRow("last name of both folders")
        << QStringList{"good v1.zv", "good v3.zv"} << QStringList{"good v2.zv"} << "program/v3.zv"
        << QStringList{};
    QTest::newRow("same name: the user's")
        << QStringList{"good v1.zv"} << QStringList{"good v1.zv"} << "user/v1.zv" << QStringList{};
    QTest::newRow("a refused program image hides nothing")
        << QStringList{"foreign z.zv"} << QStringList{"good a.zv"} << "user/a.zv"
        << QStringList{foreign.arg("z.zv")};
    QTest::newRow("read-only is fine")
        << QStringList{"readonly a.zv"} << QStringList{"-"} << "program/a.zv" << QStringList{};
    QTest::newRow("case-sensitive order, only *.zv files")
        << QStringList{"good Old.zv", "good new.zv", "good x.zv.bak", "dir zz.zv"} << QStringList{}
        << "program/new.zv" << QStringList{};
    QTest::newRow("every reason")
        << QStringList{"unreadable a.zv", "foreign b.zv", "damaged c.zv", "cut d.zv"}
        << QStringList{"empty e.zv", "tail f.zv"} << ""
        << QStringList{"The firmware file \"%1/program/a.zv\" cannot be read by this user.",
                       foreign.arg("b.zv"),
                       "The file \"c.zv\" is not a firmware image.",
                       "The firmware file \"d.zv\" is too short or cut off.",
                       "The firmware file \"e.zv\" holds no firmware to write.",
                       "The firmware file \"f.zv\" is damaged: a section does not end on a "
                       "whole block."};
    QTest::newRow("none at all") << QStringList{"-"} << QStringList{"-"} << "" << QStringList{};
}

void TestFirmwareFolders::choice() const {
    QFETCH(QStringList, program);
    QFETCH(QStringList, user);
    QFETCH(QString, chosen);
    QFETCH(QStringList, refused);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // The unprivileged user must reach the folders.
    QVERIFY(QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFile::ReadOther |
                                                  QFile::ExeOther));
    auto fill = [&dir](const QString& name, const QStringList& files) {
        const QString path = dir.filePath(name) + "/";
        if (files.value(0) == "-")
            return path;
        QDir().mkpath(path);
        for (const QString& entry : files) {
            const QString kind = entry.section(' ', 0, 0);
            const QString file = path + entry.section(' ', 1);
            if (kind == "dir") {
                QDir().mkpath(file);
                continue;
            }
            QFile f(file);
            if (!f.open(QIODevice::WriteOnly) || f.write(imageOfKind(kind)) < 0)
                qFatal("cannot write %s", qPrintable(file));
            f.close();
            if (kind == "readonly")
                f.setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
            else if (kind == "unreadable")
                f.setPermissions(QFile::WriteOwner);
        }
        return path;
    };
    const QStringList folders{fill("program", program), fill("user", user)};

    FirmwareFolder::Choice choice;
    {
        UnprivilegedScope scope;
        QVERIFY(scope.isEffective());
        choice = FirmwareFolder::Choose(folders, "TAL_IX");
    }
    QCOMPARE(choice.path, chosen.isEmpty() ? QString() : dir.filePath(chosen));
    QStringList lines;
    for (const FirmwareFolder::Refusal& refusal : choice.refused)
        lines << FirmwareTexts::RefusalLine(refusal);
    for (QString& line : refused)
        line.replace("%1", dir.path());
    QCOMPARE(lines, refused);
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
