#include "uikit/qbasedrawwidget.h"

#include "uikit/qmeframegeometry.h"
#include "uikit/qmeimageloader.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHoverEvent>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWidget>

QBaseDrawWidget::QBaseDrawWidget(QWidget* window, int kind) {
    d.window = window;
    d.kind = kind;
    if (kind == KindWidget)
        d.directions = 0;
    window->setMouseTracking(true);
}

QBaseDrawWidget::~QBaseDrawWidget() = default;

bool QBaseDrawWidget::SetBackgroundImage(const QString& path, bool resizable) {
    const QImage image = QMEImageLoader::Load(path);
    if (image.isNull())
        return false;
    d.background = image;
    const QSize size = QMEImageLoader::LogicalSize(image);
    d.window->resize(size);
    if (resizable) {
        d.window->setMinimumSize(size);
        SetResizeDirections(QMEFrameGeometry::ResizeHorizontal | QMEFrameGeometry::ResizeVertical);
    } else {
        SetResizeDirections(0);
    }
    const int w = size.width() / 3;
    const int h = size.height() / 3;
    d.slices = QMargins(w, h, w, h);
    d.window->update();
    return true;
}

bool QBaseDrawWidget::SetLogoImage(const QString& path) {
    const QImage image = QMEImageLoader::Load(path);
    if (image.isNull())
        return false;
    d.logo = image;
    d.window->update();
    return true;
}

void QBaseDrawWidget::SetLogoRect(int x, int y, int right, int bottom) {
    d.logoRect = QRect(QPoint(x, y), QPoint(right, bottom));
}

void QBaseDrawWidget::SetTitleRect(int x, int y, int right, int bottom) {
    d.titleRect = QRect(QPoint(x, y), QPoint(right, bottom));
}

void QBaseDrawWidget::SetTitleText(const QString& text) {
    d.title = text;
    d.window->update();
}

QString QBaseDrawWidget::TitleText() const {
    return d.title;
}

void QBaseDrawWidget::SetTitleAlignment(Qt::Alignment alignment) {
    d.titleAlignment = alignment;
}

void QBaseDrawWidget::SetInsets(int left, int top, int right, int bottom) {
    d.insets = QMargins(left, top, right, bottom);
}

QMargins QBaseDrawWidget::Insets() const {
    return d.insets;
}

void QBaseDrawWidget::SetTitleBandHeight(int height) {
    d.titleBand = height;
}

int QBaseDrawWidget::TitleBandHeight() const {
    return d.titleBand;
}

void QBaseDrawWidget::SetResizeDirections(int directions) {
    d.directions = directions;
    // A resizable dialog needs hover events to drop the resize cursor over its controls.
    if (d.kind == KindDialog && directions)
        d.window->setAttribute(Qt::WA_Hover);
}

int QBaseDrawWidget::ResizeDirections() const {
    return d.directions;
}

bool QBaseDrawWidget::IsMaximised() const {
    return d.maximised;
}

int QBaseDrawWidget::Kind() const {
    return d.kind;
}

void QBaseDrawWidget::SetShadowColor(const QColor& color) {
    d.shadow = color;
    d.window->update();
}

QColor QBaseDrawWidget::ShadowColor() const {
    return d.shadow;
}

QMargins QBaseDrawWidget::SliceSizes() const {
    return d.slices;
}

const QImage& QBaseDrawWidget::BackgroundImage() const {
    return d.background;
}

void QBaseDrawWidget::ToggleMaximise() {
    if (!d.maximised) {
        d.savedGeometry = d.window->geometry();
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (screen)
            d.window->setGeometry(
                QMEFrameGeometry::MaximisedRect(screen->availableGeometry(), d.insets));
    } else {
        d.window->setGeometry(d.savedGeometry);
    }
    d.maximised = !d.maximised;
    SetHitZone(QMEFrameGeometry::ZoneNone);
}

void QBaseDrawWidget::SetHitZone(int zone) {
    d.zone = zone;
    if (zone == QMEFrameGeometry::ZoneNone)
        d.window->unsetCursor();
    else
        d.window->setCursor(QMEFrameGeometry::ZoneCursor(zone));
}

int QBaseDrawWidget::HitZone() const {
    return d.zone;
}

int QBaseDrawWidget::HitTest(const QPoint& pos) {
    const QMEFrameGeometry::Hit hit =
        QMEFrameGeometry::HitTest(pos, d.window->size(), d.insets, d.directions, d.border);
    d.edgeDistance = hit.edgeDistance;
    return hit.zone;
}

void QBaseDrawWidget::ResizeByMouse(const QPoint& globalPos) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    d.window->setGeometry(QMEFrameGeometry::ResizedRect(
        d.window->geometry(), d.zone, globalPos, d.edgeDistance, d.window->minimumSize(),
        screen->geometry().size(), screen->availableGeometry().size()));
}

QRect QBaseDrawWidget::TitleTextRect() const {
    return QMEFrameGeometry::TitleRect(d.titleRect, d.window->size(), d.insets);
}

QRect QBaseDrawWidget::LogoTargetRect() const {
    return QMEFrameGeometry::LogoRect(d.logoRect, d.window->size(),
                                      QMEImageLoader::LogicalSize(d.logo));
}

QString QBaseDrawWidget::DisplayedTitle() const {
    const QFontMetrics metrics(d.window->font());
    return metrics.elidedText(d.title, Qt::ElideRight, TitleTextRect().width());
}

void QBaseDrawWidget::Paint(QPainter& painter) {
    if (!d.background.isNull()) {
        const auto slices = QMEFrameGeometry::NineSlice(
            d.background.size(), d.slices, d.window->rect(), d.background.devicePixelRatio());
        for (const auto& slice : slices)
            painter.drawImage(slice.target, d.background, slice.source);
    }
    if (!d.logo.isNull())
        painter.drawImage(LogoTargetRect(), d.logo);
    if (!d.title.isEmpty()) {
        painter.setFont(d.window->font());
        painter.setPen(d.window->palette().color(QPalette::WindowText));
        painter.drawText(TitleTextRect(), int(d.titleAlignment | Qt::AlignVCenter),
                         DisplayedTitle());
    }
}

void QBaseDrawWidget::DrawPaintEvent(QPaintEvent*) {
    QPainter painter(d.window);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    Paint(painter);
}

void QBaseDrawWidget::DrawResizeEvent(QResizeEvent*) {
    d.window->update();
}

void QBaseDrawWidget::DrawShowEvent(QShowEvent*) {
    d.window->update();
}

void QBaseDrawWidget::DrawFocusOutEvent(QFocusEvent*) {
    d.pressed = false;
}

bool QBaseDrawWidget::OverFrame(const QPoint& pos) const {
    // Resize cursors belong to the window itself or its central widget, never to a control.
    const QWidget* child = d.window->childAt(pos);
    if (!child)
        return true;
    if (child->objectName() == QLatin1String("centralWidget"))
        return true;
    const auto* main = qobject_cast<const QMainWindow*>(d.window);
    return main && child == main->centralWidget();
}

void QBaseDrawWidget::DrawMousePressEvent(QMouseEvent* event) {
    d.pressOffset = event->globalPos() - d.window->pos();
    d.pressPosition = event->globalPos();
    if (event->button() == Qt::LeftButton) {
        d.pressed = true;
        if (d.kind != KindWidget && !d.maximised && d.directions)
            SetHitZone(OverFrame(event->pos()) ? HitTest(event->pos()) : 0);
    }
}

void QBaseDrawWidget::DrawMouseReleaseEvent(QMouseEvent*) {
    d.pressed = false;
}

void QBaseDrawWidget::DrawMouseDoubleClickEvent(QMouseEvent*) {
    if (d.kind == KindWidget)
        return;
    if ((d.directions & 3) == 3)
        ToggleMaximise();
}

void QBaseDrawWidget::DrawMouseMoveEvent(QMouseEvent* event) {
    if (d.kind == KindWidget)
        return;
    // A modal prompt that opened mid-drag swallowed the release.
    if (!(event->buttons() & Qt::LeftButton))
        d.pressed = false;
    if (!d.pressed) {
        if (!d.maximised && d.directions)
            SetHitZone(OverFrame(event->pos()) ? HitTest(event->pos()) : 0);
        return;
    }
    if (d.zone != QMEFrameGeometry::ZoneNone) {
        ResizeByMouse(event->globalPos());
        return;
    }
    if (!d.maximised && d.pressOffset.y() < d.titleBand)
        d.window->move(event->globalPos() - d.pressOffset);
}

void QBaseDrawWidget::DrawEvent(QEvent* event) {
    if (d.kind == KindWidget || event->type() != QEvent::HoverMove)
        return;
    const auto* hover = static_cast<QHoverEvent*>(event);
    if (!d.pressed && !OverFrame(hover->pos()))
        SetHitZone(QMEFrameGeometry::ZoneNone);
}
