#include "tests/editor/editorspots.h"

#include "editor/mainwindow.h"
#include "settings/qmefolders.h"
#include "tests/common/xsession.h"
#include "uikit/qmebasebuttondraw.h"

#include <QRegularExpression>

namespace EditorSpots {

namespace {

QString skinFolder() {
    QMEFolders::setApplicationFolder(qEnvironmentVariable("TALIX_BUILD_DIR") + "/bin");
    return QMEFolders::imageFolder(1);
}

} // namespace

QRect bandButton(MainWindowRules::BandControl control) {
    using namespace MainWindowRules;
    const char* const images[] = {"/btn_close.png", "/btn_min.png", "/btn_set.png",
                                  "/btn_reset.png", "/btn_update.png"};
    if (control > Update)
        return QRect();
    const QString folder = skinFolder();
    QVector<QSize> sizes(BandControls);
    for (int c = Close; c <= control; ++c) {
        QMEBaseButtonDraw draw;
        if (!draw.LoadButtonImage(folder + images[c]))
            return QRect();
        sizes[c] = draw.FrameSize();
    }
    return QRect(titleBand(MainWindow::kWidth, MainWindow::kMargin, sizes)[control],
                 sizes[control]);
}

// The two buttons sit side by side, 30 pixels apart, centred, 20 pixels above the prompt's bottom
// margin of 8.
QPoint promptYes(const QString& prompt) {
    const QString shell =
        QString::fromLatin1(XSession::run("xdotool", {"getwindowgeometry", "--shell", prompt}));
    const QSize size(QRegularExpression("WIDTH=(\\d+)").match(shell).captured(1).toInt(),
                     QRegularExpression("HEIGHT=(\\d+)").match(shell).captured(1).toInt());
    skinFolder();
    QMEBaseButtonDraw button;
    if (size.isEmpty() || !button.LoadButtonImage(QMEFolders::picFolder(1) + "/btn_common.png"))
        return QPoint();
    const QSize b = button.FrameSize();
    return QPoint(size.width() / 2 - 15 - b.width() / 2, size.height() - 8 - 20 - b.height() / 2);
}

} // namespace EditorSpots
