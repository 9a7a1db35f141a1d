#include "uikit/qmemainwindow.h"

QMEMainWindow::QMEMainWindow(QWidget* parent)
    : QMainWindow(parent), QBaseDrawWidget(this, KindMainWindow) {}

void QMEMainWindow::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    DrawPaintEvent(event);
}

void QMEMainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    DrawResizeEvent(event);
}

void QMEMainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    DrawShowEvent(event);
}

void QMEMainWindow::focusOutEvent(QFocusEvent* event) {
    QMainWindow::focusOutEvent(event);
    DrawFocusOutEvent(event);
}

void QMEMainWindow::mousePressEvent(QMouseEvent* event) {
    QMainWindow::mousePressEvent(event);
    DrawMousePressEvent(event);
}

void QMEMainWindow::mouseReleaseEvent(QMouseEvent* event) {
    QMainWindow::mouseReleaseEvent(event);
    DrawMouseReleaseEvent(event);
}

void QMEMainWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    QMainWindow::mouseDoubleClickEvent(event);
    DrawMouseDoubleClickEvent(event);
}

void QMEMainWindow::mouseMoveEvent(QMouseEvent* event) {
    QMainWindow::mouseMoveEvent(event);
    DrawMouseMoveEvent(event);
}

bool QMEMainWindow::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    DrawEvent(event);
    return handled;
}
