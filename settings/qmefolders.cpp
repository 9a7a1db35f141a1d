#include "settings/qmefolders.h"

#include "settings/qmeappinfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace QMEFolders {

QString normalise(const QString& path, QChar sep) {
    const QString twice = QString(sep) + sep;
    QString result = path;
    const bool network = result.startsWith("//") || result.startsWith("\\\\");
    if (sep == QLatin1Char('\\'))
        result.replace('/', sep);
    while (result.contains(twice))
        result.replace(twice, QString(sep));
    if (network && !result.startsWith(twice))
        result.prepend(sep);
    return result;
}

QChar separator() {
#ifdef Q_OS_WIN
    return QLatin1Char('\\');
#else
    return QLatin1Char('/');
#endif
}

namespace {

QString g_applicationFolder;

} // namespace

QString applicationFolder(const QString& suffix) {
    if (g_applicationFolder.isEmpty())
        g_applicationFolder = normalise(QCoreApplication::applicationDirPath(), separator());
    return g_applicationFolder + suffix;
}

void setApplicationFolder(const QString& folder) {
    g_applicationFolder = folder.isEmpty() ? QString() : normalise(folder, separator());
}

QString themeSubfolder(const QString& scheme, int mode) {
    if (mode == 1)
        return scheme + "/light";
    if (mode == 2)
        return scheme + "/dark";
    return scheme;
}

QString themeFolder(const QString& scheme, int mode) {
    return applicationFolder(themeSubfolder(scheme, mode));
}

QString imageFolder(int mode) {
    return themeFolder("/image", mode);
}

QString picFolder(int mode) {
    return themeFolder("/pic", mode);
}

QString folderName(const QString& first, const QString& second) {
    const QMEAppInfo& info = QMEAppInfo::instance();
    const QString a = first.isEmpty() ? info.productName : first;
    const QString b = second.isEmpty() ? info.spareText : second;
    return b.isEmpty() ? a : QString("%1 %2").arg(a, b);
}

QString namedFolder(const QString& base, const QString& first, const QString& second) {
    const QString name = folderName(first, second);
    const QString folder = name.isEmpty() ? base : QString("%1/%2").arg(base, name);
    if (!QDir().mkpath(folder))
        return base;
    return normalise(folder, separator());
}

QString userDataFolder(const QString& first, const QString& second) {
    return namedFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), first,
                       second);
}

QString tempFolder(const QString& first, const QString& second) {
    return namedFolder(QStandardPaths::writableLocation(QStandardPaths::TempLocation), first,
                       second);
}

QString localAppDataBase() {
    QString location = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    while (location.endsWith('/') && location.size() > 1)
        location.chop(1);
    const int cut = location.lastIndexOf('/');
    return cut > 0 ? location.left(cut) : location;
}

QString localAppDataFolder(const QString& first, const QString& second) {
    return namedFolder(localAppDataBase(), first, second);
}

} // namespace QMEFolders
