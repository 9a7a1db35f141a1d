#include "uikit/qpromptlayout.h"

#include <algorithm>

QPromptLayout QPromptLayout::Compute(const Input& in) {
    const QMargins& m = in.margins;
    const int iw = in.iconShown ? in.icon.width() : 0;
    const int ih = in.iconShown ? in.icon.height() : 0;
    const int w = in.message.width();
    const int h = in.message.height();
    const bool hasButtons = in.buttonCount > 0;

    QPromptLayout out;
    const int contentHeight = in.iconShown ? std::max(ih, h) : h;
    out.size.setHeight(m.top() + m.bottom() + in.titleHeight + 60 + contentHeight +
                       (hasButtons ? in.button.height() : 0));
    out.size.setWidth(m.left() + m.right() + (in.iconShown ? iw + w + 135 : w + 120));

    out.close = QPoint(out.size.width() - in.close.width() - m.right() - 15,
                       m.top() + (50 - in.close.height()) / 2 - 2);

    const int y0 = m.top() + in.titleHeight + 30;
    if (!in.iconShown) {
        out.message = QPoint(m.left() + 60, y0);
    } else if (ih > h) {
        out.icon = QPoint(m.left() + 60, y0);
        out.message = QPoint(m.left() + iw + 75, y0 + (ih - h) / 2 - 5);
    } else {
        out.icon = QPoint(m.left() + 60, y0 + (h - ih) / 2);
        out.message = QPoint(m.left() + iw + 75, m.top() + in.titleHeight + 25);
    }

    const int n = in.buttonCount;
    const int bw = in.button.width();
    const int y = out.size.height() - m.bottom() - in.button.height() - 20;
    // Centred on the panel between the shadow margins, not on the whole widget.
    const int x0 = m.left() + (out.size.width() - n * bw - 30 * (n - 1) - m.left() - m.right()) / 2;
    for (int i = 0; i < n; ++i)
        out.buttons.append(QPoint(x0 + i * (bw + 30), y));
    return out;
}

QPoint QPromptLayout::Placement(const QRect& around, const QSize& size) {
    int x = around.x() + (around.width() - size.width()) / 2;
    int y = around.y() + (around.height() - size.height()) / 2;
    if (x <= 0)
        x = 50;
    if (y <= 0)
        y = 50;
    return QPoint(x, y);
}
