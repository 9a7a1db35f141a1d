#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

class QBaseItem;
class QDrag;
class QLabel;
class QMEBaseButton;
class QMEMenu;
class QMimeData;
class QScrollAreaFrameSelection;

// What the cabinet list and the preset browser share: a header with the bold title and two
// buttons, the rule under it, the rows in a selecting scroll area, the context menu, and the row
// handling of a selecting list — current row and Tab stop, arrow keys, menu and drag.
class QListPanelForm : public QWidget {
    Q_OBJECT
public:
    // Answers the multi-file dialog: (parent, caption, folder, filter) → chosen paths.
    using FileChooser =
        std::function<QStringList(QWidget*, const QString&, const QString&, const QString&)>;
    // Runs a prepared drag; the form deletes it afterwards.
    using DragRunner = std::function<void(QDrag*)>;

    void setDragFormat(const QString& format) { mDragFormat = format; }
    QString dragFormat() const { return mDragFormat; }
    int theme() const { return mTheme; }

    void setFileChooser(FileChooser chooser) { mChooseFiles = std::move(chooser); }
    void setDragRunner(DragRunner runner) { mRunDrag = std::move(runner); }

    QMEMenu* contextMenu() const { return mMenu; }
    QScrollAreaFrameSelection* scrollArea() const { return mScroll; }
    // The header's buttons, then the rows, in the order Tab walks them (it enters the list at the
    // current row).
    QList<QWidget*> focusOrder() const;

public slots:
    void itemMousePress();
    void itemShowMenu();
    void itemStartDrag();
    void itemKeyMove(int step, bool extend);

protected:
    // The object names of the header's buttons (left, right) and of the scroll area, and the
    // buttons' images in the look's image folder.
    struct Parts {
        const char* leftButton;
        const char* leftImage;
        const char* rightButton;
        const char* rightImage;
        const char* scrollArea;
    };

    QListPanelForm(const QSize& size, const Parts& parts, QWidget* parent);

    // The look, 1 light or 2 dark, of all but the rows.
    void applyLook(int theme);
    QMEBaseButton* leftButton() const { return mBtnLeft; }
    QMEBaseButton* rightButton() const { return mBtnRight; }
    // Shows the title, which also names the list for screen readers.
    void setTitle(const QString& title);

    // The rows' parent.
    QWidget* listWidget() const { return mList; }
    QList<QBaseItem*> rows() const { return mRows; }
    template <class Item> QList<Item*> rowsAs() const {
        QList<Item*> items;
        for (QBaseItem* row : mRows)
            items << static_cast<Item*>(row);
        return items;
    }
    QBaseItem* currentRow() const { return mCurrent; }
    void setCurrentRow(QBaseItem* row);
    // Puts the row at the end of the list, its presses, menu, drag and arrow keys handled here.
    void addRow(QBaseItem* row);
    // Takes the rows out; they are deleted once control returns, as they may be mid-signal.
    void removeRows();
    // Chains the header's buttons and the rows for Tab, which reaches the current row.
    void chainRows();

    QStringList chooseFiles(const QString& caption, const QString& folder, const QString& filter);
    // The dragged row's data in the drag format.
    virtual QMimeData* dragData(QBaseItem* row) const = 0;
    virtual void retranslate() = 0;

    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void followCurrent();

    Parts mParts;
    QList<QBaseItem*> mRows;
    QBaseItem* mCurrent = nullptr;
    QString mDragFormat;
    int mTheme = 1;

    QLabel* mLblTitle;
    QMEBaseButton* mBtnLeft;
    QMEBaseButton* mBtnRight;
    QScrollAreaFrameSelection* mScroll;
    QWidget* mList;
    QMEMenu* mMenu;

    FileChooser mChooseFiles;
    DragRunner mRunDrag;
};
