#pragma once

#include <QPoint>
#include <QRect>
#include <QScrollArea>

class QTimer;

// A scroll area for selecting lists: from a press on a row of its list until the release it
// keeps a selection frame from the press point to the pointer (in list coordinates, the pointer
// clamped to the visible area), and while the frame is held a pointer near the top or bottom
// edge scrolls the list.
class QScrollAreaFrameSelection : public QScrollArea {
    Q_OBJECT
public:
    static constexpr int kTopEdge = 20;    // pointer less than this below the top scrolls up
    static constexpr int kBottomEdge = 18; // pointer within this of the bottom scrolls down
    static constexpr int kScrollStep = 20;
    static constexpr int kScrollIntervalMs = 100;

    explicit QScrollAreaFrameSelection(QWidget* parent = nullptr);

    // The list; its rows (present and added later) are watched for presses.
    void setListWidget(QWidget* list);

    bool isFrameHeld() const { return mHeld; }
    QRect selectionFrame() const { return QRect(mStart, mEnd).normalized(); }

signals:
    void emitSelectPtChange(QPoint ptStart, QPoint ptEnd);
    void emitScrollBarShow(bool bShow);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(QObject* object);
    // A mouse event's position on a watched row, in viewport coordinates.
    QPoint toViewport(QObject* watched, QEvent* event) const;
    // The pointer (viewport coordinates) clamped to the viewport, in list coordinates.
    QPoint listPoint(const QPoint& viewportPoint) const;
    void moveFrame(const QPoint& viewportPoint);
    void autoScroll();

    QTimer* mScrollTimer;
    bool mHeld = false;
    QPoint mStart;
    QPoint mEnd;
    QPoint mPointer; // last pointer position, viewport coordinates
};
