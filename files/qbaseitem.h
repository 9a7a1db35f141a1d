#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>

class QMimeData;

// A row of a selecting list: hover and selection states, the press rules with Ctrl and Shift,
// the context-menu request and the start of a drag. The owning list reacts to its signals (the
// sender is the row) and builds menus and drags itself.
class QBaseItem : public QWidget {
    Q_OBJECT
public:
    enum State { StateNormal = 0, StateHovered = 1, StateSelected = 2 };

    explicit QBaseItem(QWidget* parent = nullptr);

    int state() const { return mState; }
    void setState(int state);
    bool isSelected() const { return mState == StateSelected; }
    bool isPressed() const { return mPressed; }
    QPoint pressPoint() const { return mPressPoint; }

    // Drops carrying this format are handed on by emitDropMimeData; empty refuses every drop.
    void setDropFormat(const QString& format);
    QString dropFormat() const { return mDropFormat; }

signals:
    void emitMousePress();
    void emitMouseShiftPress();
    void emitMouseCtrlPress();
    void emitShowTreeMenu();
    void emitStartDrag();
    void emitDropMimeData(const QMimeData* mimeData);

protected:
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Selects an unselected row, telling the list; then asks for the menu.
    void selectAndShowMenu();

    int mState = StateNormal;
    bool mPressed = false;
    QPoint mPressPoint;
    QString mDropFormat;
};
