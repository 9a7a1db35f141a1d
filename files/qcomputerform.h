#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>

#include <functional>

class QAction;
class QDataAnalysis;
class QDrag;
class QLabel;
class QMEBaseButton;
class QMEMenu;
class QMimeData;
class QComputerItem;
class QScrollAreaFrameSelection;

// The "COMPUTER" panel: the preset files kept on the computer. A preset button dropped on it is
// saved as a file; files are added, renamed, deleted and dragged onto preset buttons from here.
class QComputerForm : public QWidget {
    Q_OBJECT
public:
    // Answers the multi-file dialog: (parent, caption, folder, filter) → chosen paths.
    using FileChooser =
        std::function<QStringList(QWidget*, const QString&, const QString&, const QString&)>;
    // Runs a prepared drag; the form deletes it afterwards.
    using DragRunner = std::function<void(QDrag*)>;
    // Opens a folder in the system's file browser.
    using UrlOpener = std::function<void(const QUrl&)>;

    explicit QComputerForm(QWidget* parent = nullptr);

    // The parser's device state supplies the presets that are saved.
    void setParser(QDataAnalysis* parser);
    void setDragFormat(const QString& format) { mDragFormat = format; }
    QString dragFormat() const { return mDragFormat; }
    void setDropFormat(const QString& format) { mDropFormat = format; }
    QString dropFormat() const { return mDropFormat; }
    void ApplyTheme(int theme);
    int theme() const { return mTheme; }

    void setFileChooser(FileChooser chooser) { mChooseFiles = std::move(chooser); }
    void setDragRunner(DragRunner runner) { mRunDrag = std::move(runner); }
    void setUrlOpener(UrlOpener opener) { mOpenUrl = std::move(opener); }

    QString folder() const { return mFolder; }
    QList<QComputerItem*> items() const { return mItems; }
    QComputerItem* currentItem() const { return mCurrent; }
    QMEMenu* contextMenu() const { return mMenu; }
    QAction* addAction() const { return mActAdd; }
    QAction* renameAction() const { return mActRename; }
    QAction* deleteAction() const { return mActDelete; }
    QAction* openDirAction() const { return mActOpenDir; }
    QMEBaseButton* openDirButton() const { return mBtnOpenDir; }
    QMEBaseButton* refreshButton() const { return mBtnRefresh; }
    // The header's buttons, then the rows, in the order Tab walks them (it enters the list at the
    // current row).
    QList<QWidget*> focusOrder() const;

    // The data of a dragged row: its number as text, the file's path as a stream value.
    static QMimeData* fileMimeData(int number, const QString& path, const QString& format);

    // Saves preset `preset` (0-based) under the first free "CAB PRESET0…" name and lists the
    // folder again; false when nothing was written, which a prompt tells.
    bool savePreset(int preset);

public slots:
    void itemMousePress();
    void itemShowMenu();
    void itemStartDrag();
    void ChangedName(QString oldname, QString newName);
    void onOpenDir();
    void actOpenDir();
    void onRefreshList();
    void actAddPreset();
    void actDelete();
    void actRename();
    void itemKeyMove(int step, bool extend);

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void retranslate();
    // Makes the current row (the first without one) the row Tab reaches.
    void followCurrent();
    // A failure prompt; the later one waits for the event loop, outside a drop or an edit that
    // ends while its window closes.
    void showFailure(const QString& text);
    void showFailureLater(const QString& text);
    // Moves the files to the trash, or deletes them for good once the user agrees; the lines
    // name the files that stayed and why.
    QStringList deleteFiles(const QStringList& paths);

    QPointer<QDataAnalysis> mParser;
    QString mFolder;
    QList<QComputerItem*> mItems;
    QComputerItem* mCurrent = nullptr;
    QString mDragFormat;
    QString mDropFormat;
    int mTheme = 1;
    bool mListed = false;

    QLabel* mLblTitle;
    QMEBaseButton* mBtnOpenDir;
    QMEBaseButton* mBtnRefresh;
    QScrollAreaFrameSelection* mScroll;
    QWidget* mList;
    QMEMenu* mMenu;
    QAction* mActAdd;
    QAction* mActRename;
    QAction* mActDelete;
    QAction* mActOpenDir;

    FileChooser mChooseFiles;
    DragRunner mRunDrag;
    UrlOpener mOpenUrl;
};
