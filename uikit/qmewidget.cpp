#include "uikit/qmewidget.h"

QMEWidget::QMEWidget(QWidget* parent) : QWidget(parent), QBaseDrawWidget(this, KindWidget) {}

void QMEWidget::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    DrawPaintEvent(event);
}

void QMEWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    DrawResizeEvent(event);
}

void QMEWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    DrawShowEvent(event);
}

void QMEWidget::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    DrawFocusOutEvent(event);
}

void QMEWidget::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    DrawMousePressEvent(event);
}

void QMEWidget::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    DrawMouseReleaseEvent(event);
}

void QMEWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    QWidget::mouseDoubleClickEvent(event);
    DrawMouseDoubleClickEvent(event);
}

void QMEWidget::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    DrawMouseMoveEvent(event);
}

bool QMEWidget::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    DrawEvent(event);
    return handled;
}
