#include "uikit/qmaskwidget.h"

#include "uikit/qmefocusring.h"

#include <QMouseEvent>
#include <QPainter>

QMaskWidget::QMaskWidget(QWidget* parent) : QMEWidget(parent) {
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(false);
    setFocusPolicy(Qt::StrongFocus);
    // It holds the focus only to keep the keys from the window under it.
    QMEFocusRing::Exclude(this);
}

void QMaskWidget::SetTopBand(bool on) {
    m_topBand = on;
}

bool QMaskWidget::TopBand() const {
    return m_topBand;
}

void QMaskWidget::SetBandHeight(int height) {
    m_bandHeight = height;
}

int QMaskWidget::BandHeight() const {
    return m_bandHeight;
}

void QMaskWidget::SetContentRect(const QRect& rect) {
    m_content = rect;
}

QRect QMaskWidget::ContentRect() const {
    return m_content;
}

int QMaskWidget::Radius() const {
    return m_radius;
}

bool QMaskWidget::InTopBand(const QPoint& pos) const {
    return m_topBand && QRect(0, 0, width(), m_bandHeight).contains(pos);
}

bool QMaskWidget::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
        // Accepting the override keeps window shortcuts from firing; Tab never moves the focus.
        event->accept();
        return true;
    default:
        return QMEWidget::event(event);
    }
}

void QMaskWidget::showEvent(QShowEvent* event) {
    QMEWidget::showEvent(event);
    if (event->spontaneous())
        return;
    if (window()->focusWidget() != this)
        m_focus = window()->focusWidget();
    raise();
    setFocus(Qt::OtherFocusReason);
}

void QMaskWidget::hideEvent(QHideEvent* event) {
    QMEWidget::hideEvent(event);
    if (event->spontaneous() || !m_focus)
        return;
    m_focus->setFocus(Qt::OtherFocusReason);
    m_focus = nullptr;
}

void QMaskWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ShadowColor());
    painter.drawRoundedRect(rect(), m_radius, m_radius);
}

void QMaskWidget::mousePressEvent(QMouseEvent* event) {
    emit emitClicked();
    if (InTopBand(event->pos()))
        return;
    QMEWidget::mousePressEvent(event);
}
