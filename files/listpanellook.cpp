#include "files/listpanellook.h"

#include "uikit/qmemenu.h"
#include "uikit/qmemenustyle.h"
#include "uikit/qmescrollbar.h"
#include "uikit/qmescrollbarstyle.h"

#include <QLabel>
#include <QPainter>
#include <QScrollArea>

namespace ListPanelLook {

void apply(int theme, QLabel* title, QMEMenu* menu, QScrollArea* scroll) {
    const bool dark = theme == 2;
    QPalette palette = title->palette();
    palette.setColor(QPalette::WindowText, dark ? QColor(255, 255, 255) : QColor(51, 51, 51));
    title->setPalette(palette);
    auto* bar = static_cast<QMEScrollBar*>(scroll->verticalScrollBar());
    if (dark) {
        menu->MenuStyle()->SetColors(QColor(57, 58, 69), QColor(255, 255, 255),
                                     QColor(93, 111, 208), QColor(255, 255, 255));
        bar->BarStyle()->SetColors(QColor(0, 0, 0, 0), QColor(92, 95, 112), QColor(124, 144, 250));
    } else {
        menu->MenuStyle()->SetColors(QColor(255, 255, 255), QColor(51, 51, 51),
                                     QColor(93, 111, 208), QColor(255, 255, 255));
        bar->BarStyle()->SetColors(QColor(0, 0, 0, 0), QColor(196, 199, 209),
                                   QColor(112, 134, 250));
    }
}

void paintHeaderRule(QPainter& painter, const QWidget& panel, int theme) {
    painter.fillRect(QRect(kMargin, kHeaderHeight, panel.width() - 2 * kMargin, 1),
                     theme == 2 ? QColor(62, 64, 76) : QColor(226, 229, 238));
}

} // namespace ListPanelLook
