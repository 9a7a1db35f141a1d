#include "tools/screenshots/cabinetlistshot.h"

#include "files/qcabinettypeform.h"
#include "files/qcabinettypeitem.h"
#include "protocol/devicestate.h"
#include "protocol/qdataanalysis.h"
#include "protocol/qusbwritethread.h"
#include "settings/qmefolders.h"
#include "uikit/qmeimageloader.h"
#include "uikit/qmemenu.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include <cstring>

namespace {

// Where the cabinet list's card lies on the editor's background, and the margin shown around it.
const QPoint kCard(29, 420);
constexpr int kMargin = 16;

// The editor's background around the card, so the panel is seen on what it sits on.
class CardBackdrop final : public QWidget {
public:
    explicit CardBackdrop(int mode)
        : m_background(
              QMEImageLoader::LoadPixmap(QMEFolders::imageFolder(mode) + "/background.png")) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawPixmap(kMargin - kCard.x(), kMargin - kCard.y(), m_background);
    }

private:
    QPixmap m_background;
};

void setUserIr(DeviceState& state, int slot, const char* name) {
    state.userIr[slot] = 1;
    state.slotNames[slot].fill('\0');
    std::memcpy(state.slotNames[slot].data(), name, std::strlen(name));
}

void press(QWidget* row, Qt::MouseButton button) {
    const QPoint at(40, 10);
    QMouseEvent down(QEvent::MouseButtonPress, at, row->mapToGlobal(at), button, button,
                     Qt::NoModifier);
    QApplication::sendEvent(row, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, at, row->mapToGlobal(at), button, Qt::NoButton,
                   Qt::NoModifier);
    QApplication::sendEvent(row, &up);
}

} // namespace

QImage CabinetListShot::render(int mode) {
    QUsbWriteThread thread;
    QDataAnalysis parser;
    parser.setWriteThread(&thread);
    DeviceState& state = *parser.deviceState();
    setUserIr(state, 2, "Vintage 30 SM57 off-axis cap edge 1in");
    setUserIr(state, 8, "Bass DI blend");
    state.current[DeviceState::valuePosition(0, DeviceState::CabinetSlot)] = 2;
    state.current[DeviceState::valuePosition(1, DeviceState::CabinetSlot)] = 1;

    CardBackdrop backdrop(mode);
    auto* form = new QCabInetTypeForm(&backdrop);
    form->ApplyTheme(mode);
    form->setParser(&parser);
    form->move(kMargin, kMargin);
    backdrop.resize(form->size() + QSize(2 * kMargin, 2 * kMargin));
    backdrop.show();
    QApplication::processEvents();

    QCabInetTypeItem* row = form->items().at(2);
    press(row, Qt::LeftButton);
    press(row, Qt::RightButton);
    QApplication::processEvents();
    QImage shot = backdrop.grab().toImage();
    QMEMenu* menu = form->contextMenu();
    const QImage menuShot = menu->grab().toImage();
    menu->hide();

    // The menu is a window of its own: lay it where it opens, at the pointer on the row, with
    // the thin edge and soft shadow a desktop gives popups.
    QPainter painter(&shot);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect menuRect(row->mapTo(&backdrop, QPoint(96, row->height() - 4)),
                         QMEImageLoader::LogicalSize(menuShot));
    for (int i = 1; i <= 6; ++i) {
        painter.setPen(QPen(QColor(0, 0, 0, mode == 2 ? 34 - 5 * i : 20 - 3 * i), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(menuRect).adjusted(-i, -i + 2, i, i + 2), i, i);
    }
    painter.drawImage(menuRect.topLeft(), menuShot);
    painter.setPen(mode == 2 ? QColor(76, 78, 92) : QColor(214, 218, 230));
    painter.drawRect(QRectF(menuRect).adjusted(-0.5, -0.5, 0.5, 0.5));
    return shot;
}
