#include "tools/screenshots/shotsetup.h"

#include <QCoreApplication>
#include <QTextStream>

ShotSetup::ShotSetup() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("HOME", m_home.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (m_home.path() + "/data").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (m_home.path() + "/config").toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", m_home.path().toLocal8Bit());
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
}

int ShotSetup::outputFolder(const QStringList& arguments, const char* program, QDir& out) {
    if (arguments.size() != 2) {
        QTextStream(stderr) << "usage: " << program << " <output folder>\n";
        return 2;
    }
    out.setPath(arguments.at(1));
    return QDir().mkpath(out.path()) ? 0 : 1;
}
