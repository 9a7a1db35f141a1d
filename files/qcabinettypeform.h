#pragma once

#include "files/irskipreport.h"
#include "files/qlistpanelform.h"

#include <QList>
#include <QPointer>
#include <QString>

class QAction;
class QCabInetTypeItem;
class QDataAnalysis;
class QUsbWriteThread;
struct DeviceState;

// The "CABINET TYPE" panel: the pedal's eleven cabinet slots, from which the user imports IR
// files, deletes user IRs, assigns a slot to CAB A or CAB B and drags a slot onto a cabinet panel.
class QCabInetTypeForm : public QListPanelForm {
    Q_OBJECT
public:
    static constexpr int kSlotCount = 11;

    explicit QCabInetTypeForm(QWidget* parent = nullptr);

    // Takes the device state and the write thread from the parser and builds the rows.
    void setParser(QDataAnalysis* parser);
    void ApplyTheme(int theme);

    QList<QCabInetTypeItem*> items() const;
    QCabInetTypeItem* currentItem() const;
    QAction* importAction() const { return mActImport; }
    QAction* deleteAction() const { return mActDelete; }
    QAction* cabLeftAction() const { return mActCabLeft; }
    QAction* cabRightAction() const { return mActCabRight; }
    QMEBaseButton* downloadButton() const { return leftButton(); }
    QMEBaseButton* deleteButton() const { return rightButton(); }
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
    void mouseCtrlPress();
    void onDownload();
    void onDelete();
    void actImport();
    void actDelete();
    void actCABLeft();
    void actCABRight();
    void UpdateIR();
    void UpdateCAB();
    void itemKeyDelete();

protected:
    QMimeData* dragData(QBaseItem* row) const override;
    void retranslate() override;

private slots:
    void onImportIrSkipped(QString path, int reason);
    void onImportIrFailed(QString path, int reason);
    void onImportIrProgress(int progress, QString currPath, int msgType);

private:
    void createRows();
    // After a press on a row: whether that slot's IR can be deleted.
    void onRowPressed();
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

    QAction* mActImport;
    QAction* mActDelete;
    QAction* mActCabLeft;
    QAction* mActCabRight;

    QList<IrSkipReport::Entry> mSkipped;
    QString mFailedPath;
    int mFailure = 0;
    bool mNamesUnknown = false;
};
