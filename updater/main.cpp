#include "uikit/qmedesktopidentity.h"
#include "uikit/qmeprogramlauncher.h"
#include "uikit/qmesingleapplication.h"
#include "updater/mainwindow.h"

int main(int argc, char** argv) {
    QMESingleApplication app(QStringLiteral("TALIXUpdate"), argc, argv,
                             QSize(MainWindow::kWidth, MainWindow::kHeight));
    // A first instance that quits while this one waits hands the start over to this one.
    if (app.isRunning() &&
        (app.sendMessage(QStringLiteral("raise_window_noop_talixupdate"), 4000) || app.isRunning()))
        return 0;
    QMEDesktopIdentity::Apply(QStringLiteral("TALIXUpdate"), QStringLiteral("talix-update"));
    MainWindow window;
    app.setActivationWindow(&window, true);
    // A pedal that is there but cannot be used keeps the window, which says why: the editor
    // could not use it either.
    if (window.Probe() != 1 && !window.PedalUnusable()) {
        QMEProgramLauncher::startDetached(QStringLiteral("TALIX"));
        return 0;
    }
    window.show();
    return app.exec();
}
