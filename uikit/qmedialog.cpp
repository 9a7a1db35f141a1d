#include "uikit/qmedialog.h"

QMEDialog::QMEDialog(QWidget* parent) : QDialog(parent), QBaseDrawWidget(this, KindDialog) {}

void QMEDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    DrawPaintEvent(event);
}

void QMEDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    DrawResizeEvent(event);
}

void QMEDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    DrawShowEvent(event);
}

void QMEDialog::focusOutEvent(QFocusEvent* event) {
    QDialog::focusOutEvent(event);
    DrawFocusOutEvent(event);
}

void QMEDialog::mousePressEvent(QMouseEvent* event) {
    QDialog::mousePressEvent(event);
    DrawMousePressEvent(event);
}

void QMEDialog::mouseReleaseEvent(QMouseEvent* event) {
    QDialog::mouseReleaseEvent(event);
    DrawMouseReleaseEvent(event);
}

void QMEDialog::mouseDoubleClickEvent(QMouseEvent* event) {
    QDialog::mouseDoubleClickEvent(event);
    DrawMouseDoubleClickEvent(event);
}

void QMEDialog::mouseMoveEvent(QMouseEvent* event) {
    QDialog::mouseMoveEvent(event);
    DrawMouseMoveEvent(event);
}

bool QMEDialog::event(QEvent* event) {
    const bool handled = QDialog::event(event);
    DrawEvent(event);
    return handled;
}
