#include "updater/editorlauncher.h"

#include "settings/qmefolders.h"

#include <QDebug>
#include <QProcess>

namespace EditorLauncher {

QString EditorProgram(const QString& folder) {
#ifdef Q_OS_WIN
    return folder + QStringLiteral("/TALIX.exe");
#else
    return folder + QStringLiteral("/TALIX");
#endif
}

bool StartEditor() {
    const QString program = EditorProgram(QMEFolders::applicationFolder());
    // Detached: the editor outlives the updater, and a path with spaces needs no quoting.
    const bool started = QProcess::startDetached(program, {}, QMEFolders::applicationFolder());
    qDebug() << "---------cmd-------" << program;
    return started;
}

} // namespace EditorLauncher
