#include "files/qcabinettypeform.h"

#include "files/irfilereader.h"
#include "files/qcabinettypeitem.h"
#include "protocol/devicestate.h"
#include "protocol/qdataanalysis.h"
#include "protocol/qusbwritethread.h"
#include "settings/parserxml.h"
#include "settings/qmefolders.h"
#include "uikit/qmebasebutton.h"
#include "uikit/qmemenu.h"
#include "uikit/qpromptdialog.h"

#include <QDataStream>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>

#include <algorithm>
#include <cstring>

namespace {

const QSize kPanelSize(272, 294);
const char* const kIrPathItem = "Ir_Path_Item";
const char* const kIrPathKey = "Ir_path_Value";
constexpr int kPromptWidth = 300;

int readableIrFiles(const QStringList& paths) {
    IrFileReader reader;
    std::vector<uint32_t> samples;
    return int(std::count_if(paths.begin(), paths.end(),
                             [&](const QString& path) { return reader.load(path, samples); }));
}

} // namespace

QCabInetTypeForm::QCabInetTypeForm(QWidget* parent)
    : QListPanelForm(kPanelSize,
                     {"mbtnDownload", "btn_cabinet_add.png", "mbtnDelete", "btn_cabinet_delete.png",
                      "mscrCabInetType"},
                     parent) {
    deleteButton()->setEnabled(false);
    QMEMenu* menu = contextMenu();
    mActImport = menu->addAction(QString());
    mActDelete = menu->addAction(QString());
    mActCabLeft = menu->addAction(QString());
    mActCabRight = menu->addAction(QString());
    // Delete is offered while a selected slot holds a user IR.
    connect(menu, &QMenu::aboutToShow, this,
            [this] { mActDelete->setEnabled(anySelectedUserIr()); });
    connect(mActImport, &QAction::triggered, this, &QCabInetTypeForm::actImport);
    connect(mActDelete, &QAction::triggered, this, &QCabInetTypeForm::actDelete);
    connect(mActCabLeft, &QAction::triggered, this, &QCabInetTypeForm::actCABLeft);
    connect(mActCabRight, &QAction::triggered, this, &QCabInetTypeForm::actCABRight);
    connect(downloadButton(), &QPushButton::clicked, this, &QCabInetTypeForm::onDownload);
    connect(deleteButton(), &QPushButton::clicked, this, &QCabInetTypeForm::onDelete);

    setFileChooser(
        [](QWidget* owner, const QString& caption, const QString& folder, const QString& filter) {
            return QFileDialog::getOpenFileNames(owner, caption, folder, filter);
        });

    retranslate();
    ApplyTheme(theme());
}

QList<QCabInetTypeItem*> QCabInetTypeForm::items() const {
    return rowsAs<QCabInetTypeItem>();
}

QCabInetTypeItem* QCabInetTypeForm::currentItem() const {
    return static_cast<QCabInetTypeItem*>(currentRow());
}

void QCabInetTypeForm::setParser(QDataAnalysis* parser) {
    mParser = parser;
    mState = parser ? parser->deviceState() : nullptr;
    mWriteThread = parser ? parser->writeThread() : nullptr;
    if (!parser)
        return;
    connect(parser, &QDataAnalysis::emitUpdateIR, this, &QCabInetTypeForm::UpdateIR,
            Qt::UniqueConnection);
    connect(parser, &QDataAnalysis::emitUpdateCAB, this, &QCabInetTypeForm::UpdateCAB,
            Qt::UniqueConnection);
    if (mWriteThread) {
        // Raised on the import worker: queued onto this thread, in the order they were raised.
        connect(mWriteThread, &QUsbWriteThread::emitImportIrSkipped, this,
                &QCabInetTypeForm::onImportIrSkipped, Qt::UniqueConnection);
        connect(mWriteThread, &QUsbWriteThread::emitImportIrFailed, this,
                &QCabInetTypeForm::onImportIrFailed, Qt::UniqueConnection);
        connect(mWriteThread, &QUsbWriteThread::emitImportIrProgress, this,
                &QCabInetTypeForm::onImportIrProgress, Qt::UniqueConnection);
    }
    createRows();
    UpdateIR();
    UpdateCAB();
}

void QCabInetTypeForm::createRows() {
    if (!rows().isEmpty())
        return;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        auto* item = new QCabInetTypeItem(listWidget());
        item->setObjectName(QStringLiteral("mwgtCabInetTypeItem%1").arg(slot + 1));
        item->setNumber(slot + 1);
        item->setTheme(theme());
        addRow(item);
        // After the list has made the row current.
        connect(item, &QBaseItem::emitMousePress, this, &QCabInetTypeForm::onRowPressed);
        connect(item, &QBaseItem::emitMouseCtrlPress, this, &QCabInetTypeForm::mouseCtrlPress);
        connect(item, &QBaseItem::emitKeyDelete, this, &QCabInetTypeForm::itemKeyDelete);
    }
    QBaseItem* first = rows().first();
    first->setState(QBaseItem::StateSelected);
    setCurrentRow(first);
    chainRows();
}

void QCabInetTypeForm::ApplyTheme(int theme) {
    applyLook(theme);
    for (QCabInetTypeItem* item : items())
        item->setTheme(theme);
}

void QCabInetTypeForm::retranslate() {
    setTitle(QObject::tr("CABINET TYPE"));
    downloadButton()->setToolTip(QObject::tr("Download"));
    deleteButton()->setToolTip(QObject::tr("Delete"));
    mActImport->setText(QObject::tr("Import"));
    mActDelete->setText(QObject::tr("Delete"));
    mActCabLeft->setText(QObject::tr("CAB A(Left)"));
    mActCabRight->setText(QObject::tr("CAB B(Right)"));
    if (mNamesUnknown)
        showNamesUnknown();
}

bool QCabInetTypeForm::deviceOpen() const {
    return mWriteThread && mWriteThread->usbIsOpen();
}

bool QCabInetTypeForm::anySelectedUserIr() const {
    const QList<QCabInetTypeItem*> all = items();
    return mParser && std::any_of(all.begin(), all.end(), [this](QCabInetTypeItem* item) {
               return item->isSelected() && mParser->hasUserIr(item->slotIndex());
           });
}

void QCabInetTypeForm::onRowPressed() {
    deleteButton()->setEnabled(mParser && mParser->hasUserIr(currentItem()->slotIndex()));
}

void QCabInetTypeForm::mouseCtrlPress() {
    deleteButton()->setEnabled(anySelectedUserIr());
}

void QCabInetTypeForm::itemKeyDelete() {
    // As the menu: only while a selected slot holds a user IR.
    if (anySelectedUserIr())
        actDelete();
}

QMimeData* QCabInetTypeForm::slotMimeData(int index, const QString& format) {
    auto* data = new QMimeData;
    data->setText(QString::number(index + 1));
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << qint32(index);
    data->setData(format, bytes);
    return data;
}

QMimeData* QCabInetTypeForm::dragData(QBaseItem* row) const {
    return slotMimeData(static_cast<QCabInetTypeItem*>(row)->slotIndex(), dragFormat());
}

void QCabInetTypeForm::onDownload() {
    actImport();
}

void QCabInetTypeForm::onDelete() {
    actDelete();
}

QString QCabInetTypeForm::irFolder() {
    return ParserXML::ReadValue(kIrPathItem, kIrPathKey, "/.");
}

QString QCabInetTypeForm::irFileFilter() {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    const QString patterns = QStringLiteral("*.wav *.gir");
#else
    // The desktops' own dialogs here match by case; bracket classes are the glob for both cases.
    const QString patterns = QStringLiteral("*.[Ww][Aa][Vv] *.[Gg][Ii][Rr]");
#endif
    return QObject::tr("Files (%1)").arg(patterns);
}

int QCabInetTypeForm::prompt(const QString& text, int icon, int buttons) {
    return QPromptDialog::ShowFittedPrompt(this, text, kPromptWidth, QObject::tr("Prompt"), icon,
                                           buttons);
}

bool QCabInetTypeForm::confirmFit(int slot, const QStringList& paths) {
    const int free = kSlotCount - slot;
    const int readable = readableIrFiles(paths);
    if (readable <= free)
        return true;
    const QString question = QObject::tr("Only %1 of the %2 files fit from slot %3 on (the pedal "
                                         "has 11 slots). Import the first %1?")
                                 .arg(free)
                                 .arg(readable)
                                 .arg(slot + 1);
    return prompt(question, QPromptDialog::IconWarning, QPromptDialog::ButtonsYesNo) ==
           QPromptDialog::ResultYes;
}

void QCabInetTypeForm::actImport() {
    if (!currentItem())
        return;
    if (!deviceOpen()) {
        emit emitPromptDisConnect();
        return;
    }
    const int slot = currentItem()->slotIndex();
    const QStringList paths =
        chooseFiles(QObject::tr("Select one or more files to open"), irFolder(), irFileFilter());
    if (paths.isEmpty())
        return;
    ParserXML::WriteValue(kIrPathItem, kIrPathKey, QFileInfo(paths.first()).absolutePath());
    if (!confirmFit(slot, paths))
        return;
    mSkipped.clear();
    mFailedPath.clear();
    mWriteThread->startIrImport(static_cast<uint8_t>(slot), paths);
}

void QCabInetTypeForm::actDelete() {
    if (!deviceOpen()) {
        emit emitPromptDisConnect();
        return;
    }
    if (!mState)
        return;
    for (QCabInetTypeItem* item : items()) {
        if (!item->isSelected())
            continue;
        const int slot = item->slotIndex();
        mWriteThread->deleteUserIr(static_cast<uint8_t>(slot));
        mState->userIr[slot] = 0;
        DeviceState::Name& name = mState->slotNames[slot];
        name.fill('\0');
        const QByteArray factory = QDataAnalysis::factoryName(slot).toLocal8Bit();
        std::memcpy(name.data(), factory.constData(),
                    std::min<size_t>(factory.size(), name.size() - 1));
    }
    for (QBaseItem* row : rows()) {
        if (row != currentRow())
            row->setState(QBaseItem::StateNormal);
    }
    emit mParser->emitUpdateIR();
}

void QCabInetTypeForm::assign(int cabinet) {
    if (!currentItem())
        return;
    if (!deviceOpen()) {
        emit emitPromptDisConnect();
        return;
    }
    mParser->chooseCabinetSlot(cabinet, currentItem()->slotIndex());
}

void QCabInetTypeForm::actCABLeft() {
    assign(0);
}

void QCabInetTypeForm::actCABRight() {
    assign(1);
}

void QCabInetTypeForm::UpdateIR() {
    if (!mParser)
        return;
    mNamesUnknown = false;
    for (QCabInetTypeItem* item : items())
        item->setName(mParser->slotName(item->slotIndex()));
    deleteButton()->setEnabled(currentItem() && mParser->hasUserIr(currentItem()->slotIndex()));
}

void QCabInetTypeForm::UpdateCAB() {
    if (!mState)
        return;
    const QList<QCabInetTypeItem*> all = items();
    for (QCabInetTypeItem* item : all)
        item->setMark(QCabInetTypeItem::MarkNone);
    const int cabA = mState->current[DeviceState::valuePosition(0, DeviceState::CabinetSlot)];
    const int cabB = mState->current[DeviceState::valuePosition(1, DeviceState::CabinetSlot)];
    // A slot value beyond the list marks no row.
    auto mark = [&all](int slot, int mark) {
        if (slot < all.size())
            all[slot]->setMark(all[slot]->mark() | mark);
    };
    mark(cabA, QCabInetTypeItem::MarkCabA);
    mark(cabB, QCabInetTypeItem::MarkCabB);
}

void QCabInetTypeForm::onImportIrSkipped(QString path, int reason) {
    mSkipped << IrSkipReport::Entry{path, reason};
}

void QCabInetTypeForm::onImportIrFailed(QString path, int reason) {
    mFailedPath = path;
    mFailure = reason;
}

void QCabInetTypeForm::showNamesUnknown() {
    mNamesUnknown = true;
    for (QCabInetTypeItem* item : items())
        item->setName(QObject::tr("Unknown"));
    deleteButton()->setEnabled(false);
}

void QCabInetTypeForm::onImportIrProgress(int, QString, int msgType) {
    if (msgType == QUsbWriteThread::MSG_PROGRESS)
        return;
    if (msgType == QUsbWriteThread::MSG_FAILED && !mFailedPath.isEmpty()) {
        // The pedal may already hold some of the new IRs: the names stay unknown until it
        // reports them again.
        showNamesUnknown();
        const bool asked = deviceOpen() && mWriteThread->requestIrList();
        prompt(IrSkipReport::failureMessage(mFailedPath, mFailure, mSkipped, !asked),
               QPromptDialog::IconError);
    } else if (!mSkipped.isEmpty()) {
        prompt(IrSkipReport::message(mSkipped), QPromptDialog::IconWarning);
    }
}
