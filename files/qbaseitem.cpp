#include "files/qbaseitem.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>

QBaseItem::QBaseItem(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
}

void QBaseItem::setState(int state) {
    if (mState == state)
        return;
    mState = state;
    update();
}

void QBaseItem::setDropFormat(const QString& format) {
    mDropFormat = format;
    setAcceptDrops(!format.isEmpty());
}

void QBaseItem::enterEvent(QEvent* event) {
    if (mState == StateNormal)
        setState(StateHovered);
    QWidget::enterEvent(event);
}

void QBaseItem::leaveEvent(QEvent* event) {
    if (mState == StateHovered)
        setState(StateNormal);
    QWidget::leaveEvent(event);
}

void QBaseItem::selectAndShowMenu() {
    if (!isSelected()) {
        setState(StateSelected);
        emit emitMousePress();
    }
    emit emitShowTreeMenu();
}

void QBaseItem::mousePressEvent(QMouseEvent* event) {
    mPressPoint = event->pos();
    mPressed = true;
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool left = event->button() == Qt::LeftButton;
    const bool right = event->button() == Qt::RightButton;
    if (modifiers & Qt::ControlModifier) {
        if (left) {
            setState(isSelected() ? StateNormal : StateSelected);
            emit emitMouseCtrlPress();
        } else if (right) {
            selectAndShowMenu();
        }
    } else if ((modifiers & Qt::ShiftModifier) && left) {
        emit emitMouseShiftPress();
    } else if (left) {
        setState(StateSelected);
        emit emitMousePress();
    } else if (right) {
        selectAndShowMenu();
    }
    event->accept();
}

void QBaseItem::mouseReleaseEvent(QMouseEvent* event) {
    mPressed = false;
    event->accept();
}

void QBaseItem::mouseMoveEvent(QMouseEvent* event) {
    if (mPressed && (event->buttons() & Qt::LeftButton) &&
        (event->pos() - mPressPoint).manhattanLength() > QApplication::startDragDistance()) {
        // A drag swallows the release: the press ends here, so one press starts one drag.
        mPressed = false;
        emit emitStartDrag();
    }
    event->accept();
}

void QBaseItem::dragEnterEvent(QDragEnterEvent* event) {
    if (!mDropFormat.isEmpty() && event->mimeData()->hasFormat(mDropFormat))
        event->acceptProposedAction();
}

void QBaseItem::dropEvent(QDropEvent* event) {
    if (mDropFormat.isEmpty() || !event->mimeData()->hasFormat(mDropFormat))
        return;
    event->acceptProposedAction();
    emit emitDropMimeData(event->mimeData());
}
