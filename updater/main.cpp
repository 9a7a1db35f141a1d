#include "uikit/qmesingleapplication.h"
#include "updater/editorlauncher.h"
#include "updater/mainwindow.h"

int main(int argc, char** argv) {
    QMESingleApplication app(QStringLiteral("TALIXUpdate"), argc, argv);
    if (app.isRunning()) {
        app.sendMessage(QStringLiteral("raise_window_noop_talixupdate"), 4000);
        return 0;
    }
    MainWindow window;
    app.setActivationWindow(&window, true);
    if (window.Probe() != 1) {
        EditorLauncher::StartEditor();
        return 0;
    }
    window.show();
    return app.exec();
}
