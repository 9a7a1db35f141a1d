#include "tools/screenshots/presetshots.h"

#include "editor/qbuttonwidget.h"
#include "files/presetfile.h"
#include "files/presetfolder.h"
#include "files/qcomputerform.h"
#include "files/qcomputeritem.h"
#include "files/qdropdragbutton.h"
#include "settings/qmefolders.h"
#include "uikit/qmeimageloader.h"
#include "uikit/retractlabel.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QTextStream>

namespace {

constexpr int kMargin = 16;

// The editor's background around a panel at `place`, so the panel is seen on what it sits on.
class Backdrop final : public QWidget {
public:
    Backdrop(int mode, const QPoint& place)
        : m_place(place), m_background(QMEImageLoader::LoadPixmap(QMEFolders::imageFolder(mode) +
                                                                  "/background.png")) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawPixmap(kMargin - m_place.x(), kMargin - m_place.y(), m_background);
    }

private:
    QPoint m_place;
    QPixmap m_background;
};

void press(QWidget* widget) {
    const QPoint at(60, 10);
    QMouseEvent down(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton,
                   Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &up);
}

bool save(const QImage& image, const QDir& folder, const QString& name) {
    const bool ok = image.save(folder.filePath(name + ".png"));
    if (!ok)
        QTextStream(stderr) << "talix-screenshots: cannot write " << name << "\n";
    return ok;
}

QImage browserShot(int mode) {
    const QString folder = PresetFolder::path();
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    const QStringList names{"CAB PRESET01",   "CAB PRESET03(1)", "Clean Twin",
                            "Crunch.Lead v2", "Ambient Swell",   "Bass DI"};
    for (int i = 0; i < names.size(); ++i) {
        QByteArray data(20, '\0');
        data[1] = char(40 + i);
        unsigned code = 0;
        writePresetFile(data, folder + names.at(i) + ".pfs", code);
    }

    Backdrop backdrop(mode, QPoint(29, 132));
    auto* form = new QComputerForm(&backdrop);
    form->ApplyTheme(mode);
    form->move(kMargin, kMargin);
    backdrop.resize(form->size() + QSize(2 * kMargin, 2 * kMargin));
    backdrop.show();
    QApplication::processEvents();

    const QList<QComputerItem*> rows = form->items();
    press(rows.at(0));
    form->actRename();
    rows.at(0)->nameLabel()->Editor()->setText("Ambient Swell Hall");
    QApplication::processEvents();
    return backdrop.grab().toImage();
}

QImage stripShot(int mode) {
    Backdrop backdrop(mode, QPoint(316, 132));
    auto* strip = new QButtonWidget(&backdrop);
    QStringList labels;
    for (int i = 0; i < 14; ++i)
        labels << QString::number(i);
    strip->setButtons(labels);
    strip->ApplyTheme(mode);
    strip->setCurrentFromDevice(3);
    strip->move(kMargin, kMargin);
    backdrop.resize(strip->size() + QSize(2 * kMargin, 2 * kMargin));
    backdrop.show();
    QApplication::processEvents();
    return backdrop.grab().toImage();
}

} // namespace

bool savePresetShots(const QDir& out, int mode) {
    const QString look = mode == 1 ? "light" : "dark";
    bool ok = save(browserShot(mode), out, "preset_browser_" + look);
    ok &= save(stripShot(mode), out, "preset_strip_" + look);
    return ok;
}
