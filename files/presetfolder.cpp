#include "files/presetfolder.h"

#include "settings/qmefolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>

namespace {

const QString kExtension = QStringLiteral(".pfs");

} // namespace

QString PresetFolder::path() {
    const QString folder = QMEFolders::userDataFolder() + "/Presetfiles/";
    QDir().mkpath(folder);
    return folder;
}

QString PresetFolder::shownName(const QString& fileName) {
    if (fileName.endsWith(kExtension, Qt::CaseInsensitive))
        return fileName.left(fileName.size() - kExtension.size());
    return fileName;
}

QString PresetFolder::presetFileName(int preset, int counter) {
    const QString name = QStringLiteral("CAB PRESET0%1").arg(preset + 1);
    return (counter > 0 ? name + QStringLiteral("(%1)").arg(counter) : name) + kExtension;
}

QString PresetFolder::freeFileName(const QString& folder, int preset) {
    const QDir dir(folder);
    for (int counter = 0; counter <= kMaxCounter; ++counter) {
        const QString name = presetFileName(preset, counter);
        if (!dir.exists(name))
            return name;
    }
    return QString();
}

bool PresetFolder::canTrash(const QString& folder) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // Qt moves a file of another disk to that disk's own trash and, where it cannot make the
    // user's trash, into the working folder; it loops for good on a trash it cannot write. So
    // only files beside the home go to the trash, and only when the trash is there and writable.
    if (QStorageInfo(folder) != QStorageInfo(QDir::home()))
        return false;
    const QString trash =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Trash";
    const bool made = !QFileInfo::exists(trash);
    for (const char* part : {"/files", "/info"}) {
        const QString path = trash + part;
        if (!QDir().mkpath(path) || !QFileInfo(path).isWritable())
            return false;
    }
    if (made)
        QFile::setPermissions(trash, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return true;
#else
    Q_UNUSED(folder)
    return true;
#endif
}
