#include "files/qbaseitem.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollArea>

namespace {

// A row as a screen reader meets it: an entry of a list that can be selected, and reached with
// the arrow keys also where Tab passes it by.
class RowAccessible final : public QAccessibleWidget {
public:
    explicit RowAccessible(QBaseItem* row) : QAccessibleWidget(row, QAccessible::ListItem) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.focusable = true;
        state.selectable = true;
        state.selected = static_cast<QBaseItem*>(widget())->isSelected();
        return state;
    }
};

QAccessibleInterface* rowFactory(const QString& className, QObject* object) {
    auto* row = qobject_cast<QBaseItem*>(object);
    return row && className == QLatin1String(object->metaObject()->className())
               ? new RowAccessible(row)
               : nullptr;
}

} // namespace

QBaseItem::QBaseItem(QWidget* parent) : QWidget(parent) {
    static const bool accessible = (QAccessible::installFactory(&rowFactory), true);
    Q_UNUSED(accessible)
    setMouseTracking(true);
}

void QBaseItem::setState(int state) {
    if (mState == state)
        return;
    const bool wasSelected = isSelected();
    mState = state;
    update();
    if (isSelected() != wasSelected && QAccessible::isActive()) {
        QAccessible::State changed;
        changed.selected = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
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
    mMenuByKey = false;
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

QPoint QBaseItem::menuPosition() const {
    return mMenuByKey ? mapToGlobal(QPoint(height(), height())) : QCursor::pos();
}

void QBaseItem::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool plain = modifiers == Qt::NoModifier;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (plain || modifiers == Qt::ShiftModifier) {
            emit emitKeyMove(event->key() == Qt::Key_Up ? -1 : 1, !plain);
            return;
        }
        break;
    case Qt::Key_Space:
        if (plain) {
            setState(isSelected() ? StateNormal : StateSelected);
            emit emitMouseCtrlPress();
            return;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Menu:
        if (plain) {
            showMenuByKey();
            return;
        }
        break;
    case Qt::Key_F10:
        if (modifiers == Qt::ShiftModifier) {
            showMenuByKey();
            return;
        }
        break;
    case Qt::Key_Delete:
        if (plain) {
            emit emitKeyDelete();
            return;
        }
        break;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void QBaseItem::contextMenuEvent(QContextMenuEvent* event) {
    // The right button opened the menu at its press already; this is the desktop's menu key.
    if (event->reason() != QContextMenuEvent::Keyboard) {
        event->ignore();
        return;
    }
    showMenuByKey();
}

void QBaseItem::showMenuByKey() {
    mMenuByKey = true;
    selectAndShowMenu();
}

void QBaseItem::MoveByKey(const QList<QBaseItem*>& rows, QBaseItem* from, int step, bool extend,
                          const QBaseItem* anchor, QScrollArea* area) {
    const int at = rows.indexOf(from);
    const int to = at + step;
    if (at < 0 || to < 0 || to >= rows.size())
        return;
    QBaseItem* row = rows.at(to);
    if (extend) {
        const int found = rows.indexOf(const_cast<QBaseItem*>(anchor));
        const int first = qMin(found >= 0 ? found : at, to);
        const int last = qMax(found >= 0 ? found : at, to);
        for (int i = 0; i < rows.size(); ++i)
            rows.at(i)->setState(i >= first && i <= last ? StateSelected : StateNormal);
        emit row->emitMouseCtrlPress();
    } else {
        row->setState(StateSelected);
        emit row->emitMousePress();
    }
    row->setFocus(Qt::TabFocusReason);
    area->ensureWidgetVisible(row);
}
