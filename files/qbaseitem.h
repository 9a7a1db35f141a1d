#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>

class QMimeData;
class QScrollArea;

// A row of a selecting list: hover and selection states, the press rules with Ctrl and Shift,
// the context-menu request and the start of a drag. The owning list reacts to its signals (the
// sender is the row) and builds menus and drags itself.
// Keys on the row: Up and Down (with Shift to extend the selection) ask the list to move,
// Space toggles the row as a Ctrl+click does, Enter, the menu key and Shift+F10 open the menu as
// a right click does, Delete asks the list to delete.
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

    // Where the context menu opens: at the pointer after a click, below the row's number after a
    // key.
    QPoint menuPosition() const;

    // Moves the keyboard `step` rows on from `from` in `rows` (list order), gives that row the
    // focus and scrolls `area` to it. A plain move selects it alone and makes it current, as a
    // click does; an extending move selects the rows from `anchor` to it and no others. Nothing
    // past either end.
    static void MoveByKey(const QList<QBaseItem*>& rows, QBaseItem* from, int step, bool extend,
                          const QBaseItem* anchor, QScrollArea* area);

signals:
    void emitMousePress();
    void emitMouseShiftPress();
    void emitMouseCtrlPress();
    void emitShowTreeMenu();
    void emitStartDrag();
    void emitDropMimeData(const QMimeData* mimeData);
    void emitKeyMove(int step, bool extend);
    void emitKeyDelete();

protected:
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Selects an unselected row, telling the list; then asks for the menu.
    void selectAndShowMenu();
    void showMenuByKey();

    int mState = StateNormal;
    bool mPressed = false;
    QPoint mPressPoint;
    QString mDropFormat;
    bool mMenuByKey = false;
};
