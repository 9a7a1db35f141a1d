#include "editor/mainwindow.h"
#include "uikit/qmedesktopidentity.h"
#include "uikit/qmesingleapplication.h"

#include <QDebug>

namespace {

const char* const kInstanceId = "TALIX";
const char* const kRaiseMessage = "raise_window_noop_talix";
constexpr int kRaiseTimeoutMs = 4000;

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QMESingleApplication app(kInstanceId, argc, argv,
                             QSize(MainWindow::kWidth, MainWindow::kHeight));
    // A first instance that quits while this one waits hands the start over to this one.
    if (app.isRunning() && (app.sendMessage(kRaiseMessage, kRaiseTimeoutMs) || app.isRunning()))
        return 0;

    QMEDesktopIdentity::Apply(QStringLiteral("TALIX"), QStringLiteral("talix"));
    MainWindow window;
    app.setActivationWindow(&window, true);
    // Queued, so the line tells what the activation left behind.
    QObject::connect(
        &app, &QMESingleApplication::messageReceived, &window,
        [&window] {
            qInfo().noquote() << "-------raise------"
                              << (window.isActiveWindow() ? "active" : "inactive");
        },
        Qt::QueuedConnection);

    const std::uint8_t code = window.Probe();
    qInfo().noquote() << "-------probe------" << code << (window.LinkOpen() ? "open" : "closed");
    switch (code) {
    case 1:
        // The window opens only when the updater cannot take over.
        if (window.StartUpdater())
            return 0;
        return app.exec();
    case 0:
    case 2:
    case 3:
        window.show();
        qInfo().noquote() << "-------window------ shown";
        return app.exec();
    default:
        return -1;
    }
}
