#pragma once

#include "files/irskipreport.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

class QAction;
class QDataAnalysis;
class QDrag;
class QLabel;
class QMEBaseButton;
class QMEMenu;
class QMimeData;
class QCabInetTypeItem;
class QScrollAreaFrameSelection;
class QUsbWriteThread;
struct DeviceState;

// The "CABINET TYPE" panel: the pedal's eleven cabinet slots, from which the user imports IR
// files, deletes user IRs, assigns a slot to CAB A or CAB B and drags a slot onto a cabinet panel.
class QCabInetTypeForm : public QWidget {
    Q_OBJECT
public:
    // Answers the multi-file dialog: (parent, caption, folder, filter) → chosen paths.
    using FileChooser =
        std::function<QStringList(QWidget*, const QString&, const QString&, const QString&)>;
    // Runs a prepared drag; the form deletes it afterwards.
    using DragRunner = std::function<void(QDrag*)>;

    static constexpr int kSlotCount = 11;

    explicit QCabInetTypeForm(QWidget* parent = nullptr);

    // Takes the device state and the write thread from the parser and builds the rows.
    void setParser(QDataAnalysis* parser);
    void setDragFormat(const QString& format) { mDragFormat = format; }
    QString dragFormat() const { return mDragFormat; }
    void ApplyTheme(int theme);
    int theme() const { return mTheme; }

    void setFileChooser(FileChooser chooser) { mChooseFiles = std::move(chooser); }
    void setDragRunner(DragRunner runner) { mRunDrag = std::move(runner); }

    QList<QCabInetTypeItem*> items() const { return mItems; }
    QCabInetTypeItem* currentItem() const { return mCurrent; }
    QMEMenu* contextMenu() const { return mMenu; }
    QAction* importAction() const { return mActImport; }
    QAction* deleteAction() const { return mActDelete; }
    QAction* cabLeftAction() const { return mActCabLeft; }
    QAction* cabRightAction() const { return mActCabRight; }
    QMEBaseButton* downloadButton() const { return mBtnDownload; }
    QMEBaseButton* deleteButton() const { return mBtnDelete; }
    QScrollAreaFrameSelection* scrollArea() const { return mScroll; }
    // The header's buttons, then the rows, in the order Tab walks them (it enters the list at the
    // current row).
    QList<QWidget*> focusOrder() const;
    // Files the running or last import skipped, in the order it met them.
    QList<IrSkipReport::Entry> skippedFiles() const { return mSkipped; }

    // The data of a dragged slot: its number as text, its index as a 32-bit stream value.
    static QMimeData* slotMimeData(int index, const QString& format);

    // Where the import dialog starts, as remembered in the settings file.
    static QString irFolder();
    // The import dialog's name filter: IR files whatever the case of their endings.
    static QString irFileFilter();
    // True while the rows show "Unknown": a failed import may have changed the pedal's slots.
    bool namesUnknown() const { return mNamesUnknown; }

signals:
    void emitPromptDisConnect();

public slots:
    void itemMousePress();
    void mouseCtrlPress();
    void itemShowMenu();
    void itemStartDrag();
    void onDownload();
    void onDelete();
    void actImport();
    void actDelete();
    void actCABLeft();
    void actCABRight();
    void UpdateIR();
    void UpdateCAB();
    void itemKeyMove(int step, bool extend);
    void itemKeyDelete();

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private slots:
    void onImportIrSkipped(QString path, int reason);
    void onImportIrFailed(QString path, int reason);
    void onImportIrProgress(int progress, QString currPath, int msgType);

private:
    void createRows();
    // Makes the current row the one Tab reaches.
    void followCurrent();
    void retranslate();
    bool deviceOpen() const;
    bool anySelectedUserIr() const;
    void assign(int cabinet);
    // Asks whether to go on when the readable files outnumber the slots from `slot` on.
    bool confirmFit(int slot, const QStringList& paths);
    void showNamesUnknown();
    int prompt(const QString& text, int icon, int buttons = 0);

    QPointer<QDataAnalysis> mParser;
    DeviceState* mState = nullptr;
    QPointer<QUsbWriteThread> mWriteThread;
    QList<QCabInetTypeItem*> mItems;
    QCabInetTypeItem* mCurrent = nullptr;
    QString mDragFormat;
    int mTheme = 1;

    QLabel* mLblTitle;
    QMEBaseButton* mBtnDownload;
    QMEBaseButton* mBtnDelete;
    QScrollAreaFrameSelection* mScroll;
    QWidget* mList;
    QMEMenu* mMenu;
    QAction* mActImport;
    QAction* mActDelete;
    QAction* mActCabLeft;
    QAction* mActCabRight;

    FileChooser mChooseFiles;
    DragRunner mRunDrag;
    QList<IrSkipReport::Entry> mSkipped;
    QString mFailedPath;
    int mFailure = 0;
    bool mNamesUnknown = false;
};
