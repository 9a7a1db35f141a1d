#include "settings/parserxml.h"
#include "settings/qmeprocesslock.h"

#include <QCoreApplication>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>
#include <iostream>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Child mode of this executable, one of two programs sharing the settings file:
//   --write <prefix> <count>: prints "ready", waits for a line on stdin, then writes the values
//                             <prefix>0 .. <prefix><count - 1>, each into its own element.
int writerMain(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString prefix = QString::fromUtf8(argv[2]);
    const int count = std::atoi(argv[3]);
    std::cout << "ready" << std::endl;
    std::string go;
    std::getline(std::cin, go);
    for (int i = 0; i < count; ++i)
        ParserXML::WriteValue(prefix + QString::number(i), "Value", QString::number(i));
    return 0;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QDomDocument parse(const QString& path) {
    QDomDocument document;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        document.setContent(&file);
    return document;
}

} // namespace

class TestParserXml final : public QObject {
    Q_OBJECT

private:
    QString m_dataHome;
    QTemporaryDir m_work;

private slots:
    void initTestCase() {
        m_dataHome = qEnvironmentVariable("XDG_DATA_HOME");
        QVERIFY(!m_dataHome.isEmpty());
        QVERIFY(m_work.isValid());
    }

    void init() { QFile::remove(ParserXML::SettingsPath()); }

    void settingsPathIsLocalDataTalix() const {
        const QString expected = m_dataHome + "/TALIX/ProjectDefaultSetting.xml";
        QCOMPARE(ParserXML::SettingsPath(), expected);
        QVERIFY(QDir(m_dataHome + "/TALIX").exists());
    }

    void firstStartCreatesFileWithTwoEmptyElements() const {
        const QString path = ParserXML::SettingsPath();
        QVERIFY(!QFile::exists(path));
        QCOMPARE(ParserXML::ReadValue("UI_Mode", "UI_Mode_Value", "1"), QString("1"));
        QCOMPARE(ParserXML::ReadValue("Language_item", "Language_Name", "English"),
                 QString("English"));
        QVERIFY(QFile::exists(path));
        const QDomDocument document = parse(path);
        const QDomElement root = document.documentElement();
        QCOMPARE(root.tagName(), QString("ROOTITEM"));
        const QDomNodeList children = root.childNodes();
        QCOMPARE(children.count(), 2);
        QCOMPARE(children.at(0).toElement().tagName(), QString("UI_Mode"));
        QCOMPARE(children.at(1).toElement().tagName(), QString("Language_item"));
        QCOMPARE(children.at(0).attributes().count(), 0);
        QCOMPARE(children.at(1).attributes().count(), 0);
    }

    void readOfExistingElementDoesNotWrite() const {
        const QString path = ParserXML::SettingsPath();
        writeAll(path, "<ROOTITEM><UI_Mode UI_Mode_Value=\"2\"/></ROOTITEM>");
        QCOMPARE(ParserXML::ReadValue("UI_Mode", "UI_Mode_Value", "1"), QString("2"));
        QCOMPARE(readAll(path), QByteArray("<ROOTITEM><UI_Mode UI_Mode_Value=\"2\"/></ROOTITEM>"));
    }

    void emptyAttributeGivesDefault() const {
        writeAll(ParserXML::SettingsPath(), "<ROOTITEM><UI_Mode UI_Mode_Value=\"\"/></ROOTITEM>");
        QCOMPARE(ParserXML::ReadValue("UI_Mode", "UI_Mode_Value", "1"), QString("1"));
    }

    void darkLookPersistsAsExactFile() const {
        const QString path = ParserXML::SettingsPath();
        ParserXML::ReadValue("UI_Mode", "UI_Mode_Value", "1");
        ParserXML::ReadValue("Language_item", "Language_Name", "English");
        ParserXML::WriteValue("UI_Mode", "UI_Mode_Value", "2");
        QCOMPARE(ParserXML::ReadValue("UI_Mode", "UI_Mode_Value", "1"), QString("2"));
        QCOMPARE(readAll(path), QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                           "<ROOTITEM>\n"
                                           "    <UI_Mode UI_Mode_Value=\"2\"/>\n"
                                           "    <Language_item/>\n"
                                           "</ROOTITEM>\n"));
    }

    void writeCreatesMissingFileAndElement() const {
        ParserXML::WriteValue("Language_item", "Language_Name", "German");
        const QDomElement root = parse(ParserXML::SettingsPath()).documentElement();
        QCOMPARE(root.tagName(), QString("ROOTITEM"));
        QCOMPARE(root.firstChildElement("Language_item").attribute("Language_Name"),
                 QString("German"));
    }

    void writeIsUtf8() const {
        const QString name = QString::fromUtf8("\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e");
        ParserXML::WriteValue("Language_item", "Language_Name", name);
        QVERIFY(readAll(ParserXML::SettingsPath())
                    .contains("Language_Name=\"\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e\""));
        QCOMPARE(ParserXML::ReadValue("Language_item", "Language_Name", "English"), name);
    }

    void otherElementsAndAttributesSurviveRewrite() const {
        const QString path = ParserXML::SettingsPath();
        writeAll(path, "<ROOTITEM><Window x=\"12\" y=\"34\"><Inner a=\"b\"/></Window>"
                       "<UI_Mode UI_Mode_Value=\"1\" extra=\"keep\"/></ROOTITEM>");
        ParserXML::WriteValue("UI_Mode", "UI_Mode_Value", "2");
        const QDomElement root = parse(path).documentElement();
        const QDomElement window = root.firstChildElement("Window");
        QCOMPARE(window.attribute("x"), QString("12"));
        QCOMPARE(window.attribute("y"), QString("34"));
        QCOMPARE(window.firstChildElement("Inner").attribute("a"), QString("b"));
        const QDomElement mode = root.firstChildElement("UI_Mode");
        QCOMPARE(mode.attribute("UI_Mode_Value"), QString("2"));
        QCOMPARE(mode.attribute("extra"), QString("keep"));
        QCOMPARE(root.childNodes().count(), 2);
    }

    void firstMatchingElementIsUsed() const {
        writeAll(ParserXML::SettingsPath(),
                 "<ROOTITEM><UI_Mode UI_Mode_Value=\"2\"/><UI_Mode UI_Mode_Value=\"1\"/>"
                 "</ROOTITEM>");
        QCOMPARE(ParserXML::ReadValue("UI_Mode", "UI_Mode_Value", "0"), QString("2"));
    }

    void unparsableSettingsAreReplaced() const {
        const QString path = ParserXML::SettingsPath();
        writeAll(path, "<ROOTITEM><UI_Mode");
        QCOMPARE(ParserXML::ReadValue("UI_Mode", "UI_Mode_Value", "1"), QString("1"));
        const QDomElement root = parse(path).documentElement();
        QCOMPARE(root.tagName(), QString("ROOTITEM"));
        QCOMPARE(root.childNodes().count(), 1);
        QCOMPARE(root.firstChildElement().tagName(), QString("UI_Mode"));
    }

    void openOrCreateReplacesUnparsableByEmptyFile() const {
        const QString path = m_work.filePath("broken.xml");
        writeAll(path, "not xml at all <<<");
        QDomDocument document;
        QVERIFY(ParserXML::OpenOrCreate(path, document));
        QCOMPARE(document.documentElement().tagName(), QString("ROOTITEM"));
        QVERIFY(!document.documentElement().hasChildNodes());
        QVERIFY(QFile::exists(path));
        QCOMPARE(readAll(path), QByteArray());
    }

    void openOrCreateOfMissingFileLeavesDocument() const {
        QDomDocument document;
        document.setContent(QByteArray("<KEEP/>"));
        QVERIFY(!ParserXML::OpenOrCreate(m_work.filePath("absent.xml"), document));
        QCOMPARE(document.documentElement().tagName(), QString("KEEP"));
        QVERIFY(!QFile::exists(m_work.filePath("absent.xml")));
    }

    void languageNamesInDocumentOrder() const {
        const QString path = m_work.filePath("Language.xml");
        writeAll(path, "<Languages>"
                       "<a Language_Name=\"English\" Language_File=\"en.qm\" "
                       "Language_Type=\"English\"/>"
                       "<zz Language_Name=\"Deutsch\" Language_File=\"de.qm\" "
                       "Language_Type=\"German\"/>"
                       "<b Language_Name=\"Francais\" Language_File=\"fr.qm\" "
                       "Language_Type=\"French\"/>"
                       "</Languages>");
        QCOMPARE(ParserXML::LanguageNames(path), QStringList({"English", "Deutsch", "Francais"}));
        const ParserXML::LanguageEntry entry = ParserXML::FindLanguage(path, "Deutsch");
        QCOMPARE(entry.file, QString("de.qm"));
        QCOMPARE(entry.type, QString("German"));
        const ParserXML::LanguageEntry none = ParserXML::FindLanguage(path, "Klingon");
        QVERIFY(none.file.isEmpty());
        QVERIFY(none.type.isEmpty());
    }

    void missingLanguageListGivesNothing() const {
        const QString path = m_work.filePath("nolist.xml");
        QVERIFY(ParserXML::LanguageNames(path).isEmpty());
        QVERIFY(ParserXML::FindLanguage(path, "English").file.isEmpty());
        QVERIFY(!QFile::exists(path));
    }

    void unparsableLanguageListGivesNoLanguages() const {
        const QString path = m_work.filePath("badlist.xml");
        writeAll(path, "<Languages><a Language_Name=");
        QVERIFY(ParserXML::LanguageNames(path).isEmpty());
        QCOMPARE(readAll(path), QByteArray());
    }

    void languageType_data() const {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("type");
        QTest::newRow("English") << "English" << 0;
        QTest::newRow("Chinese") << "Chinese" << 1;
        QTest::newRow("German") << "German" << 2;
        QTest::newRow("French") << "French" << 3;
        QTest::newRow("Japanese") << "Japanese" << 4;
        QTest::newRow("lower chinese") << "chinese" << 0;
        QTest::newRow("upper german") << "GERMAN" << 0;
        QTest::newRow("trailing blank") << "French " << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("other") << "Korean" << 0;
    }

    void languageType() const {
        QFETCH(QString, text);
        QFETCH(int, type);
        ParserXML::SetLanguageType("Japanese");
        ParserXML::SetLanguageType(text);
        QCOMPARE(ParserXML::LanguageType(), type);
        QCOMPARE(ParserXML::LanguageTypeOf(text), type);
    }

    void removedFolderIsCreatedAgain() const {
        const QString path = ParserXML::SettingsPath();
        ParserXML::WriteValue("UI_Mode", "UI_Mode_Value", "2");
        QVERIFY(QDir(QFileInfo(path).absolutePath()).removeRecursively());
        ParserXML::WriteValue("Language_item", "Language_Name", "German");
        QCOMPARE(ParserXML::SettingsPath(), path);
        QCOMPARE(parse(path)
                     .documentElement()
                     .firstChildElement("Language_item")
                     .attribute("Language_Name"),
                 QString("German"));
        QVERIFY(QDir(QFileInfo(path).absolutePath()).removeRecursively());
        QCOMPARE(ParserXML::ReadValue("UI_Mode", "UI_Mode_Value", "1"), QString("1"));
        QVERIFY(QFile::exists(path));
    }

    void twoProgramsWritingAtOnceLoseNothing() const {
        // The editor and the updater read, change and write the same file.
        constexpr int kWrites = 40;
        QProcess writers[2];
        const char* const prefixes[2] = {"Editor_", "Updater_"};
        for (int i = 0; i < 2; ++i) {
            writers[i].start(QCoreApplication::applicationFilePath(),
                             {"--write", prefixes[i], QString::number(kWrites)});
            QVERIFY(writers[i].waitForStarted(10000));
        }
        for (QProcess& writer : writers) {
            while (!writer.canReadLine())
                QVERIFY(writer.waitForReadyRead(30000));
            QCOMPARE(writer.readLine().trimmed(), QByteArray("ready"));
        }
        for (QProcess& writer : writers) {
            writer.write("go\n");
            QVERIFY(writer.waitForBytesWritten(10000));
        }
        for (QProcess& writer : writers) {
            QVERIFY(writer.waitForFinished(120000));
            QCOMPARE(writer.exitStatus(), QProcess::NormalExit);
            QCOMPARE(writer.exitCode(), 0);
        }
        const QDomElement root = parse(ParserXML::SettingsPath()).documentElement();
        QCOMPARE(root.childNodes().count(), 2 * kWrites);
        for (const char* prefix : prefixes) {
            for (int i = 0; i < kWrites; ++i) {
                const QString tag = prefix + QString::number(i);
                QCOMPARE(root.firstChildElement(tag).attribute("Value"), QString::number(i));
            }
        }
    }

    void resetStateStartsAfresh() {
        const QString before = ParserXML::SettingsPath();
        ParserXML::SetLanguageType("French");
        const QString otherHome = m_work.filePath("otherdata");
        qputenv("XDG_DATA_HOME", otherHome.toLocal8Bit());
        QCOMPARE(ParserXML::SettingsPath(), before);
        ParserXML::ResetState();
        QCOMPARE(ParserXML::LanguageType(), 0);
        QCOMPARE(ParserXML::SettingsPath(), otherHome + "/TALIX/ProjectDefaultSetting.xml");
        qputenv("XDG_DATA_HOME", m_dataHome.toLocal8Bit());
        ParserXML::ResetState();
        QCOMPARE(ParserXML::SettingsPath(), before);
    }

    void processLock_data() const {
        QTest::addColumn<QString>("state");
        QTest::addColumn<int>("result");
        const int locked = int(QMEProcessLock::Result::Locked);
        QTest::newRow("no file") << "none" << locked;
        QTest::newRow("empty file left by a crash") << "empty" << locked;
        QTest::newRow("file of a process gone") << "stale" << locked;
        QTest::newRow("held") << "held" << int(QMEProcessLock::Result::Busy);
        QTest::newRow("owned by another user") << "foreign" << int(QMEProcessLock::Result::Failed);
        QTest::newRow("link to another file") << "link" << int(QMEProcessLock::Result::Failed);
        QTest::newRow("folder missing") << "nofolder" << int(QMEProcessLock::Result::Failed);
    }

    void processLock() const {
        QFETCH(QString, state);
        QFETCH(int, result);
        QTemporaryDir dir;
        QString path = dir.filePath("x.lock");
        QMEProcessLock holder(path);
        if (state == "empty" || state == "stale" || state == "foreign")
            writeAll(path, state == "stale" ? "999999\nhost\nTALIX\n" : "");
        if (state == "held")
            QCOMPARE(holder.tryLock(), QMEProcessLock::Result::Locked);
        if (state == "foreign") {
            // Another user's lock file; as an ordinary user, make it one that root made.
            if (::geteuid() == 0)
                QCOMPARE(::chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
            else
                QSKIP("needs root to make a file of another user");
        }
        if (state == "link") {
            writeAll(dir.filePath("target"), "keep");
            QVERIFY(QFile::link(dir.filePath("target"), path));
        }
        if (state == "nofolder")
            path = dir.filePath("gone/x.lock");

        QMEProcessLock lock(path);
        QCOMPARE(int(lock.tryLock()), result);
        QCOMPARE(lock.isLocked(), result == int(QMEProcessLock::Result::Locked));
        if (state == "held") {
            // A bounded wait gives up; once the holder lets go the lock is free.
            QCOMPARE(lock.lock(50), QMEProcessLock::Result::Busy);
            holder.unlock();
            QCOMPARE(lock.lock(5000), QMEProcessLock::Result::Locked);
        }
        if (state == "link")
            QCOMPARE(readAll(dir.filePath("target")), QByteArray("keep"));
    }

    void failedWriteReportsAndKeepsOldFile() const {
        const QString blocker = m_work.filePath("blocker");
        writeAll(blocker, "a file, not a folder");
        QDomDocument document;
        document.setContent(QByteArray("<ROOTITEM/>"));
        QTest::ignoreMessage(QtWarningMsg, "error::ParserXML->writeOperateXml->file.open\n");
        QVERIFY(!ParserXML::WriteDocument(blocker + "/inside.xml", document));
        QCOMPARE(readAll(blocker), QByteArray("a file, not a folder"));
    }
};

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--write") == 0)
        return writerMain(argc, argv);
    // The settings live below the user's data folder: point it at a private place.
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    QCoreApplication app(argc, argv);
    TestParserXml test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_parserxml.moc"
