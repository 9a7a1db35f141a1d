#include "uikit/qmeframegeometry.h"

#include <algorithm>

namespace QMEFrameGeometry {

QVector<Slice> NineSlice(const QSize& image, const QMargins& corners, const QRect& target,
                         qreal ratio) {
    const int left = qRound(corners.left() * ratio);
    const int top = qRound(corners.top() * ratio);
    const int right = qRound(corners.right() * ratio);
    const int bottom = qRound(corners.bottom() * ratio);
    const int sx[4] = {0, left, image.width() - right, image.width()};
    const int sy[4] = {0, top, image.height() - bottom, image.height()};
    const int tx[4] = {target.left(), target.left() + corners.left(),
                       target.left() + target.width() - corners.right(),
                       target.left() + target.width()};
    const int ty[4] = {target.top(), target.top() + corners.top(),
                       target.top() + target.height() - corners.bottom(),
                       target.top() + target.height()};
    QVector<Slice> slices;
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const QRect s(QPoint(sx[col], sy[row]), QPoint(sx[col + 1] - 1, sy[row + 1] - 1));
            const QRect t(QPoint(tx[col], ty[row]), QPoint(tx[col + 1] - 1, ty[row + 1] - 1));
            if (s.width() > 0 && s.height() > 0 && t.width() > 0 && t.height() > 0)
                slices.append({s, t});
        }
    }
    return slices;
}

Hit HitTest(const QPoint& pos, const QSize& size, const QMargins& insets, int directions,
            int border) {
    const int left = insets.left();
    const int right = size.width() - 1 - insets.right();
    const int top = insets.top();
    const int bottom = size.height() - 1 - insets.bottom();
    Hit hit;
    if (pos.x() < left || pos.x() > right || pos.y() < top || pos.y() > bottom)
        return hit;
    const bool horizontal = directions & ResizeHorizontal;
    const bool vertical = directions & ResizeVertical;
    const bool onLeft = horizontal && pos.x() < left + border;
    const bool onRight = horizontal && pos.x() > right - border;
    const bool onTop = vertical && pos.y() < top + border;
    const bool onBottom = vertical && pos.y() > bottom - border;

    if (onLeft && onTop)
        hit.zone = ZoneTopLeft;
    else if (onRight && onTop)
        hit.zone = ZoneTopRight;
    else if (onLeft && onBottom)
        hit.zone = ZoneBottomLeft;
    else if (onRight && onBottom)
        hit.zone = ZoneBottomRight;
    else if (onLeft)
        hit.zone = ZoneLeft;
    else if (onRight)
        hit.zone = ZoneRight;
    else if (onTop)
        hit.zone = ZoneTop;
    else if (onBottom)
        hit.zone = ZoneBottom;
    hit.edgeDistance.setX(onLeft ? pos.x() : onRight ? size.width() - 1 - pos.x() : 0);
    hit.edgeDistance.setY(onTop ? pos.y() : onBottom ? size.height() - 1 - pos.y() : 0);
    return hit;
}

Qt::CursorShape ZoneCursor(int zone) {
    switch (zone) {
    case ZoneLeft:
    case ZoneRight:
        return Qt::SplitHCursor;
    case ZoneTop:
    case ZoneBottom:
        return Qt::SplitVCursor;
    case ZoneTopLeft:
    case ZoneBottomRight:
        return Qt::SizeFDiagCursor;
    case ZoneTopRight:
    case ZoneBottomLeft:
        return Qt::SizeBDiagCursor;
    default:
        return Qt::ArrowCursor;
    }
}

QRect ResizedRect(const QRect& geometry, int zone, const QPoint& globalPos,
                  const QPoint& edgeDistance, const QSize& minimum, const QSize& screen,
                  const QSize& available) {
    const bool left = zone == ZoneLeft || zone == ZoneTopLeft || zone == ZoneBottomLeft;
    const bool right = zone == ZoneRight || zone == ZoneTopRight || zone == ZoneBottomRight;
    const bool top = zone == ZoneTop || zone == ZoneTopLeft || zone == ZoneTopRight;
    const bool bottom = zone == ZoneBottom || zone == ZoneBottomLeft || zone == ZoneBottomRight;
    const int maxWidth = std::max(minimum.width(), screen.width() - 3 - 1);
    const int maxHeight = std::max(minimum.height(), available.height() - 1);

    QRect r = geometry;
    if (left) {
        const int width = std::clamp(r.right() - (globalPos.x() - edgeDistance.x()) + 1,
                                     minimum.width(), maxWidth);
        r.setLeft(r.right() - width + 1);
    } else if (right) {
        const int width =
            std::clamp(globalPos.x() + edgeDistance.x() - r.left() + 1, minimum.width(), maxWidth);
        r.setWidth(width);
    }
    if (top) {
        const int height = std::clamp(r.bottom() - (globalPos.y() - edgeDistance.y()) + 1,
                                      minimum.height(), maxHeight);
        r.setTop(r.bottom() - height + 1);
    } else if (bottom) {
        const int height =
            std::clamp(globalPos.y() + edgeDistance.y() - r.top() + 1, minimum.height(), maxHeight);
        r.setHeight(height);
    }
    return r;
}

QRect MaximisedRect(const QRect& available, const QMargins& insets) {
    return QRect(available.x() - insets.left(), available.y() - insets.top(),
                 available.width() + insets.left() + insets.right(),
                 available.height() + insets.top() + insets.bottom());
}

TitleButtons LayoutTitleBar(int width, const QMargins& margins, const QSize& close,
                            const QSize& maximise, const QSize& minimise, bool maximiseShown) {
    TitleButtons b;
    b.close = QPoint(width - margins.right() - close.width(), margins.top());
    b.maximise = QPoint(b.close.x() - maximise.width(), margins.top());
    b.restore = b.maximise;
    const int anchor = maximiseShown ? b.maximise.x() : b.close.x();
    b.minimise = QPoint(anchor - minimise.width(), margins.top());
    return b;
}

QRect LogoRect(const QRect& given, const QSize& window, const QSize& image) {
    const int width = given.right() == given.left() - 1 ? image.width() : given.width();
    const int height = given.bottom() == given.top() - 1 ? image.height() : given.height();
    const int x = given.left() == -1 ? (window.width() - width) / 2 : given.left();
    const int y = given.top() == -1 ? (window.height() - height) / 2 : given.top();
    return QRect(x, y, width, height);
}

QRect TitleRect(const QRect& given, const QSize& window, const QMargins& insets) {
    const int x = given.left() == 0 ? insets.left() : given.left();
    const int y = given.top() == 0 ? insets.top() : given.top();
    const int width = given.width() == 0 ? window.width() - insets.right() - x : given.width();
    const int height = given.height() == 0 ? 20 : given.height();
    return QRect(x, y, width, height);
}

} // namespace QMEFrameGeometry
