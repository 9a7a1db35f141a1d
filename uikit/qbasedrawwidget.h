#pragma once

#include <QColor>
#include <QImage>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QString>
#include <Qt>

class QEvent;
class QFocusEvent;
class QMouseEvent;
class QPainter;
class QPaintEvent;
class QResizeEvent;
class QShowEvent;
class QWidget;

// The drawing and frame helper carried by every frameless window: nine-slice background, logo,
// title text, dragging by the title band, resizing from the edges and the maximise toggle.
class QBaseDrawWidget {
public:
    enum Kind { KindMainWindow = 0, KindDialog = 1, KindWidget = 2 };

    QBaseDrawWidget(QWidget* window, int kind);
    virtual ~QBaseDrawWidget();
    QBaseDrawWidget(const QBaseDrawWidget&) = delete;
    QBaseDrawWidget& operator=(const QBaseDrawWidget&) = delete;

    // Missing or unreadable files leave the previous image and size.
    bool SetBackgroundImage(const QString& path, bool resizable);
    bool SetLogoImage(const QString& path);
    void SetLogoRect(int x, int y, int right, int bottom);
    void SetTitleRect(int x, int y, int right, int bottom);
    void SetTitleText(const QString& text);
    QString TitleText() const;
    void SetTitleAlignment(Qt::Alignment alignment);
    void SetInsets(int left, int top, int right, int bottom);
    QMargins Insets() const;
    void SetTitleBandHeight(int height);
    int TitleBandHeight() const;
    void SetResizeDirections(int directions);
    int ResizeDirections() const;
    bool IsMaximised() const;
    void ToggleMaximise();
    void SetHitZone(int zone);
    int HitZone() const;
    int HitTest(const QPoint& pos);
    void ResizeByMouse(const QPoint& globalPos);
    int Kind() const;
    // The colour of the window's shadow; overlays that paint in it may set their own.
    void SetShadowColor(const QColor& color);
    QColor ShadowColor() const;
    QMargins SliceSizes() const;
    const QImage& BackgroundImage() const;
    QRect TitleTextRect() const;
    QRect LogoTargetRect() const;
    // The title as drawn: elided at the right to the title rectangle's width.
    QString DisplayedTitle() const;
    void Paint(QPainter& painter);

protected:
    void DrawPaintEvent(QPaintEvent* event);
    void DrawResizeEvent(QResizeEvent* event);
    void DrawShowEvent(QShowEvent* event);
    void DrawFocusOutEvent(QFocusEvent* event);
    void DrawMousePressEvent(QMouseEvent* event);
    void DrawMouseReleaseEvent(QMouseEvent* event);
    void DrawMouseDoubleClickEvent(QMouseEvent* event);
    void DrawMouseMoveEvent(QMouseEvent* event);
    void DrawEvent(QEvent* event);

private:
    bool OverFrame(const QPoint& pos) const;

    struct State {
        QImage background;
        QImage logo;
        QColor shadow{100, 100, 100, 100};
        int titleBand = 40;
        bool pressed = false;
        QPoint pressOffset;
        QPoint pressPosition;
        int directions = 3;
        QRect savedGeometry{QPoint(0, 0), QPoint(-1, -1)};
        int zone = 0;
        int kind = 0;
        int border = 4;
        bool maximised = false;
        QPoint edgeDistance;
        QWidget* window = nullptr;
        QMargins insets;
        QMargins slices;
        QRect logoRect{QPoint(-1, -1), QPoint(-2, -2)};
        QString title;
        QRect titleRect;
        Qt::Alignment titleAlignment = Qt::AlignLeft;
    };
    State d;
};
