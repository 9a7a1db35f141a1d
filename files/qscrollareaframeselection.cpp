#include "files/qscrollareaframeselection.h"

#include <QChildEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>

QScrollAreaFrameSelection::QScrollAreaFrameSelection(QWidget* parent)
    : QScrollArea(parent), mScrollTimer(new QTimer(this)) {
    setWidgetResizable(true);
    mScrollTimer->setInterval(kScrollIntervalMs);
    connect(mScrollTimer, &QTimer::timeout, this, &QScrollAreaFrameSelection::autoScroll);
    verticalScrollBar()->installEventFilter(this);
}

void QScrollAreaFrameSelection::setListWidget(QWidget* list) {
    setWidget(list);
    watch(list);
}

void QScrollAreaFrameSelection::watch(QObject* object) {
    object->installEventFilter(this);
    for (QObject* child : object->children()) {
        if (child->isWidgetType())
            watch(child);
    }
}

QPoint QScrollAreaFrameSelection::toViewport(QObject* watched, QEvent* event) const {
    const QPoint at = static_cast<QMouseEvent*>(event)->pos();
    return static_cast<QWidget*>(watched)->mapTo(viewport(), at);
}

QPoint QScrollAreaFrameSelection::listPoint(const QPoint& viewportPoint) const {
    const QRect visible = viewport()->rect();
    const QPoint clamped(qBound(visible.left(), viewportPoint.x(), visible.right()),
                         qBound(visible.top(), viewportPoint.y(), visible.bottom()));
    return widget() ? widget()->mapFrom(viewport(), clamped) : clamped;
}

void QScrollAreaFrameSelection::moveFrame(const QPoint& viewportPoint) {
    mPointer = viewportPoint;
    const QPoint end = listPoint(viewportPoint);
    if (end == mEnd)
        return;
    mEnd = end;
    emit emitSelectPtChange(mStart, mEnd);
}

void QScrollAreaFrameSelection::autoScroll() {
    QScrollBar* bar = verticalScrollBar();
    if (mPointer.y() < kTopEdge)
        bar->setValue(bar->value() - kScrollStep);
    else if (mPointer.y() > viewport()->height() - kBottomEdge)
        bar->setValue(bar->value() + kScrollStep);
    else
        return;
    moveFrame(mPointer);
}

bool QScrollAreaFrameSelection::eventFilter(QObject* watched, QEvent* event) {
    if (watched == verticalScrollBar()) {
        if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
            emit emitScrollBarShow(event->type() == QEvent::Show);
        return QScrollArea::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::ChildAdded: {
        QObject* child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType())
            watch(child);
        break;
    }
    case QEvent::MouseButtonPress:
        // Presses on the list's background are no row presses.
        if (watched != widget() && widget()) {
            const QPoint at = toViewport(watched, event);
            mHeld = true;
            mStart = listPoint(at);
            mEnd = mStart;
            mPointer = at;
            emit emitSelectPtChange(mStart, mEnd);
            mScrollTimer->start();
        }
        break;
    case QEvent::MouseMove:
        if (mHeld) {
            moveFrame(toViewport(watched, event));
        }
        break;
    case QEvent::MouseButtonRelease:
        if (mHeld) {
            mHeld = false;
            mScrollTimer->stop();
        }
        break;
    default:
        break;
    }
    return QScrollArea::eventFilter(watched, event);
}
