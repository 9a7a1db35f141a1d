#include "uikit/qmedesktopidentity.h"

#include <QGuiApplication>
#include <QIcon>

namespace QMEDesktopIdentity {

void Apply(const QString& windowClass, const QString& desktopEntry) {
    // Qt's X11 window class is the application name, by default the name the program was
    // started under.
    QCoreApplication::setApplicationName(windowClass);
    QGuiApplication::setDesktopFileName(desktopEntry);
    QGuiApplication::setWindowIcon(QIcon::fromTheme(desktopEntry));
}

} // namespace QMEDesktopIdentity
