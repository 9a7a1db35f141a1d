#pragma once

#include <QDomDocument>
#include <QString>
#include <QStringList>

// The per-user settings file "ProjectDefaultSetting.xml" and the installed language list.
// All operations run on the GUI thread.
class ParserXML final {
public:
    struct LanguageEntry {
        QString file;
        QString type;
    };

    ParserXML() = delete;

    // Full path of the settings file, worked out on first use and kept for the run. Reading and
    // writing values holds a lock beside it, shared with the other program, and re-creates its
    // folder when that has gone.
    static QString SettingsPath();
    // Forgets the settings path and sets the language type back to 0, as at start (for tests
    // that run several starts in one process).
    static void ResetState();

    // Opens `path` and parses it into `document`. False (document untouched) when it cannot be
    // opened; an unparsable file is replaced by an empty one and the document gets an empty root.
    static bool OpenOrCreate(const QString& path, QDomDocument& document);

    static QString ReadValue(const QString& element, const QString& attribute,
                             const QString& defaultValue);
    static void WriteValue(const QString& element, const QString& attribute, const QString& value);

    static QStringList LanguageNames(const QString& listPath);
    static LanguageEntry FindLanguage(const QString& listPath, const QString& name);

    // The exact, case-sensitive mapping of a language type text; anything else is 0.
    static int LanguageTypeOf(const QString& typeText);
    static void SetLanguageType(const QString& typeText);
    static int LanguageType();

    // Writes the document in UTF-8 with indentation 4; the old file stays on failure.
    static bool WriteDocument(const QString& path, const QDomDocument& document);

private:
    static bool LoadSettings(QDomDocument& document);
    static QDomElement FindChild(const QDomDocument& document, const QString& tag);
    static QDomDocument LoadList(const QString& listPath);
};
