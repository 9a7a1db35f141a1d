#include "settings/parserxml.h"

#include "settings/qmefolders.h"
#include "settings/qmeprocesslock.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

namespace {

const char* const kRootTag = "ROOTITEM";
const char* const kSettingsFile = "ProjectDefaultSetting.xml";
// The other program holds the settings lock for one read and write; a holder that does not let
// go within this time is hung, and the settings are used without the lock.
constexpr int kSettingsLockWaitMs = 5000;

QString g_settingsPath;
int g_languageType = 0;

// Held across one read-modify-write of the settings file, so that the editor and the updater
// never lose each other's changes.
class SettingsLock final {
public:
    explicit SettingsLock(const QString& settingsPath) : m_lock(settingsPath + ".lock") {
        // The folder may have been removed since the path was worked out.
        QDir().mkpath(QFileInfo(settingsPath).absolutePath());
        if (m_lock.lock(kSettingsLockWaitMs) != QMEProcessLock::Result::Locked)
            qWarning("ParserXML: settings used without their lock %s", qPrintable(m_lock.path()));
    }

private:
    QMEProcessLock m_lock;
};

} // namespace

QString ParserXML::SettingsPath() {
    if (g_settingsPath.isEmpty())
        g_settingsPath = QMEFolders::localAppDataFolder() + "/" + kSettingsFile;
    return g_settingsPath;
}

void ParserXML::ResetState() {
    g_settingsPath.clear();
    g_languageType = 0;
}

bool ParserXML::OpenOrCreate(const QString& path, QDomDocument& document) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    if (!document.setContent(&file)) {
        file.close();
        file.remove();
        QFile empty(path);
        if (empty.open(QIODevice::WriteOnly))
            empty.close();
        document = QDomDocument();
        document.appendChild(document.createElement(kRootTag));
    }
    return true;
}

bool ParserXML::LoadSettings(QDomDocument& document) {
    const QString path = SettingsPath();
    if (QFile::exists(path))
        return OpenOrCreate(path, document);
    // A missing file is not created empty: every caller writes the whole document next, in one
    // step, so the other program never finds the file empty.
    document.appendChild(document.createElement(kRootTag));
    return true;
}

QDomElement ParserXML::FindChild(const QDomDocument& document, const QString& tag) {
    for (QDomElement child = document.documentElement().firstChildElement(); !child.isNull();
         child = child.nextSiblingElement()) {
        if (child.tagName() == tag)
            return child;
    }
    return QDomElement();
}

QString ParserXML::ReadValue(const QString& element, const QString& attribute,
                             const QString& defaultValue) {
    const SettingsLock lock(SettingsPath());
    QDomDocument document;
    if (!LoadSettings(document))
        return defaultValue;
    const QDomElement found = FindChild(document, element);
    if (found.isNull()) {
        document.documentElement().appendChild(document.createElement(element));
        WriteDocument(SettingsPath(), document);
        return defaultValue;
    }
    const QString value = found.attribute(attribute);
    return value.isEmpty() ? defaultValue : value;
}

void ParserXML::WriteValue(const QString& element, const QString& attribute, const QString& value) {
    const SettingsLock lock(SettingsPath());
    QDomDocument document;
    if (!LoadSettings(document))
        return;
    QDomElement found = FindChild(document, element);
    if (found.isNull()) {
        found = document.createElement(element);
        document.documentElement().appendChild(found);
    }
    found.setAttribute(attribute, value);
    WriteDocument(SettingsPath(), document);
}

QDomDocument ParserXML::LoadList(const QString& listPath) {
    QDomDocument document;
    OpenOrCreate(listPath, document);
    return document;
}

QStringList ParserXML::LanguageNames(const QString& listPath) {
    QStringList names;
    const QDomDocument document = LoadList(listPath);
    for (QDomElement child = document.documentElement().firstChildElement(); !child.isNull();
         child = child.nextSiblingElement())
        names << child.attribute("Language_Name");
    return names;
}

ParserXML::LanguageEntry ParserXML::FindLanguage(const QString& listPath, const QString& name) {
    const QDomDocument document = LoadList(listPath);
    for (QDomElement child = document.documentElement().firstChildElement(); !child.isNull();
         child = child.nextSiblingElement()) {
        if (child.attribute("Language_Name") == name)
            return {child.attribute("Language_File"), child.attribute("Language_Type")};
    }
    return {};
}

int ParserXML::LanguageTypeOf(const QString& typeText) {
    static const char* const kTypes[] = {"English", "Chinese", "German", "French", "Japanese"};
    for (int i = 0; i < 5; ++i) {
        if (typeText == QLatin1String(kTypes[i]))
            return i;
    }
    return 0;
}

void ParserXML::SetLanguageType(const QString& typeText) {
    g_languageType = LanguageTypeOf(typeText);
}

int ParserXML::LanguageType() {
    return g_languageType;
}

bool ParserXML::WriteDocument(const QString& path, const QDomDocument& document) {
    // Written to a temporary file and renamed, so a failed write never leaves half a file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        qWarning("error::ParserXML->writeOperateXml->file.open\n");
        return false;
    }
    QTextStream stream(&file);
    stream.setCodec("utf-8");
    document.save(stream, 4, QDomNode::EncodingFromTextStream);
    stream.flush();
    if (!file.commit()) {
        qWarning("error::ParserXML->writeOperateXml->file.open\n");
        return false;
    }
    return true;
}
