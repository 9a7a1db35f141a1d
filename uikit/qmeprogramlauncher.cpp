#include "uikit/qmeprogramlauncher.h"

#include "settings/qmefolders.h"

#include <QDebug>
#include <QProcess>

namespace QMEProgramLauncher {

QString programPath(const QString& name) {
#ifdef Q_OS_WIN
    return QMEFolders::applicationFolder("/" + name + ".exe");
#else
    return QMEFolders::applicationFolder("/" + name);
#endif
}

bool startDetached(const QString& name) {
    const QString program = programPath(name);
    const bool started = QProcess::startDetached(program, {}, QMEFolders::applicationFolder());
    qInfo().noquote() << "---------cmd-------" << program << (started ? "started" : "failed");
    return started;
}

} // namespace QMEProgramLauncher
