#include "updater/firmwarefolder.h"

#include "settings/qmefolders.h"

#include <QDir>

namespace FirmwareFolder {

QString Path() {
    return QMEFolders::applicationFolder(QStringLiteral("/Firmware/"));
}

bool Ensure(const QString& folder) {
    return QDir().mkpath(folder);
}

QString LastImage(const QString& folder) {
    const QStringList names =
        QDir(folder).entryList({QStringLiteral("*.zv")}, QDir::Files | QDir::Readable, QDir::Name);
    return names.isEmpty() ? QString() : names.last();
}

QString UserPath() {
    return QMEFolders::userDataFolder() + QStringLiteral("/Firmware/");
}

QString ImageFolder(const QStringList& folders) {
    for (const QString& folder : folders) {
        if (!LastImage(folder).isEmpty())
            return folder;
    }
    return folders.value(0);
}

} // namespace FirmwareFolder
