#include "files/presetfolder.h"

#include "settings/qmefolders.h"

#include <QDir>

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

QString PresetFolder::freeFileName(const QString& folder, int preset) {
    const QDir dir(folder);
    const QString number = QString::number(preset + 1);
    QString name = QStringLiteral("CAB PRESET0%1").arg(number) + kExtension;
    for (int counter = 1; dir.exists(name); ++counter) {
        if (counter > kMaxCounter)
            return QString();
        name = QStringLiteral("CAB PRESET0%1(%2)").arg(number).arg(counter) + kExtension;
    }
    return name;
}
