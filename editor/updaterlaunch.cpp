#include "editor/updaterlaunch.h"

#include "settings/qmefolders.h"

#include <QDebug>
#include <QProcess>

namespace UpdaterLaunch {

QString updaterPath() {
#ifdef Q_OS_WIN
    return QMEFolders::applicationFolder("/TALIXUpdate.exe");
#else
    return QMEFolders::applicationFolder("/TALIXUpdate");
#endif
}

bool start() {
    // A child of a process object would die with the editor, which ends right after this.
    const bool started = QProcess::startDetached(updaterPath(), {});
    qInfo().noquote() << "-------updater------" << updaterPath()
                      << (started ? "started" : "failed");
    return started;
}

} // namespace UpdaterLaunch
