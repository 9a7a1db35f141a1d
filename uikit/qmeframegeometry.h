#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QVector>
#include <Qt>

// Geometry of the frameless window frame, kept apart from the widgets so it can be checked
// without painting.
namespace QMEFrameGeometry {

enum Zone {
    ZoneNone = 0,
    ZoneLeft = 1,
    ZoneTopLeft = 2,
    ZoneTop = 3,
    ZoneTopRight = 4,
    ZoneRight = 5,
    ZoneBottomRight = 6,
    ZoneBottom = 7,
    ZoneBottomLeft = 8
};

enum ResizeDirection { ResizeHorizontal = 1, ResizeVertical = 2 };

constexpr int kBorderWidth = 4;

struct Slice {
    QRect source;
    QRect target;
};

// The nine source/target pairs for an image of `image` size (in its own pixels) whose corner
// slices are `corners` (left and right widths, top and bottom heights, in logical pixels),
// stretched over `target`: corners at their size, edges along one axis, the centre both ways.
// An image with device pixel `ratio` has its corners `ratio` times larger in its own pixels.
// Slices of zero area are left out.
QVector<Slice> NineSlice(const QSize& image, const QMargins& corners, const QRect& target,
                         qreal ratio = 1.0);

struct Hit {
    int zone = ZoneNone;
    QPoint edgeDistance; // from the grabbed outer edge(s) of the window
};

// Hit test of a window-local position in a window of `size` with shadow `insets`.
Hit HitTest(const QPoint& pos, const QSize& size, const QMargins& insets, int directions,
            int border = kBorderWidth);

Qt::CursorShape ZoneCursor(int zone);

// The window rectangle after dragging the grabbed edge(s) of `zone` to `globalPos`.
QRect ResizedRect(const QRect& geometry, int zone, const QPoint& globalPos,
                  const QPoint& edgeDistance, const QSize& minimum, const QSize& screen,
                  const QSize& available);

// The window rectangle covering `available` with the shadow insets outside it.
QRect MaximisedRect(const QRect& available, const QMargins& insets);

struct TitleButtons {
    QPoint close;
    QPoint maximise;
    QPoint restore;
    QPoint minimise;
};

// Title-bar button positions in a window `width` wide with `margins`.
TitleButtons LayoutTitleBar(int width, const QMargins& margins, const QSize& close,
                            const QSize& maximise, const QSize& minimise, bool maximiseShown);

// A frame rectangle given as x, y, right, bottom with the frame's conventions.
QRect LogoRect(const QRect& given, const QSize& window, const QSize& image);
QRect TitleRect(const QRect& given, const QSize& window, const QMargins& insets);

} // namespace QMEFrameGeometry
