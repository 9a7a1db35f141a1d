#include "updater/image/firmwarefolder.h"

#include "settings/qmefolders.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace FirmwareFolder {

QString Path() {
    return QMEFolders::applicationFolder(QStringLiteral("/Firmware/"));
}

QString UserPath() {
    return QMEFolders::userDataFolder() + QStringLiteral("/Firmware/");
}

QStringList Folders() {
    return {Path(), UserPath()};
}

bool Ensure(const QString& folder) {
    return QDir().mkpath(folder);
}

Choice Choose(const QStringList& folders, const QByteArray& deviceType) {
    QList<QFileInfo> files;
    for (const QString& folder : folders)
        files += QDir(folder).entryInfoList({QStringLiteral("*.zv")}, QDir::Files, QDir::Name);
    std::stable_sort(files.begin(), files.end(), [](const QFileInfo& a, const QFileInfo& b) {
        return a.fileName() < b.fileName();
    });

    Choice choice;
    for (auto file = files.crbegin(); file != files.crend(); ++file) {
        QFirmwareImage image;
        image.open(file->filePath().toUtf8());
        const QFirmwareImage::Problem problem = image.check(deviceType);
        if (problem == QFirmwareImage::NoProblem) {
            choice.path = file->filePath();
            break;
        }
        choice.refused.prepend({file->filePath(), problem});
    }
    return choice;
}

} // namespace FirmwareFolder
