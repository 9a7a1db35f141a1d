#pragma once

#include <QChar>
#include <QString>

// Folder helpers: the application folder, the theme image folders and the per-user folders named
// after the application style record.
namespace QMEFolders {

// The path with separators unified to `separator`, doubled separators collapsed and a leading
// network-path double separator kept.
QString normalise(const QString& path, QChar separator);

// The separator of this platform's normalised form: "\" on Windows, "/" elsewhere.
QChar separator();

// The application's folder (computed once per process), normalised, with `suffix` appended as is.
QString applicationFolder(const QString& suffix = QString());
// Makes `folder` the application folder; an empty folder computes it again on next use. The
// programs never call it; tests point the toolkit at a program folder of their own.
void setApplicationFolder(const QString& folder);

// The theme folder below the application folder: `scheme` ("/image" or "/pic") then "/light"
// for interface mode 1 or "/dark" for mode 2; other modes give the bare scheme.
QString themeSubfolder(const QString& scheme, int mode);
QString themeFolder(const QString& scheme, int mode);
QString imageFolder(int mode);
QString picFolder(int mode);

// The folder name of the per-user helpers: empty names fall back to the style record's product
// name and spare text; "first second" when the second is not empty.
QString folderName(const QString& first, const QString& second);

// base + "/" + folder name, created with its parents; the base itself when that fails.
QString namedFolder(const QString& base, const QString& first, const QString& second);

QString userDataFolder(const QString& first = QString(), const QString& second = QString());
QString tempFolder(const QString& first = QString(), const QString& second = QString());
QString localAppDataFolder(const QString& first = QString(), const QString& second = QString());

// The standard writable per-application data location with its last path component removed.
QString localAppDataBase();

} // namespace QMEFolders
