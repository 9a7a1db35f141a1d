#include "files/qdropdragbutton.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>

QDropDragButton::QDropDragButton(QWidget* parent) : QMEBaseButton(parent) {
    setAcceptDrops(true);
}

void QDropDragButton::mousePressEvent(QMouseEvent* event) {
    mPressPosition = event->pos();
    QMEBaseButton::mousePressEvent(event);
}

void QDropDragButton::mouseMoveEvent(QMouseEvent* event) {
    QMEBaseButton::mouseMoveEvent(event);
    if ((event->buttons() & Qt::LeftButton) &&
        (event->pos() - mPressPosition).manhattanLength() > QApplication::startDragDistance())
        emit emitDragStart();
}

void QDropDragButton::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasFormat(mDropFormat))
        event->acceptProposedAction();
}

void QDropDragButton::dropEvent(QDropEvent* event) {
    if (!event->mimeData()->hasFormat(mDropFormat))
        return;
    event->acceptProposedAction();
    emit emitDropMimeData(event->mimeData());
}
