#include "files/qcabinettypeform.h"

#include "files/irfilereader.h"
#include "files/listpanellook.h"
#include "files/qcabinettypeitem.h"
#include "files/qscrollareaframeselection.h"
#include "protocol/devicestate.h"
#include "protocol/qdataanalysis.h"
#include "protocol/qusbwritethread.h"
#include "settings/parserxml.h"
#include "settings/qmefolders.h"
#include "uikit/qmeaccessible.h"
#include "uikit/qmebasebutton.h"
#include "uikit/qmefocusorder.h"
#include "uikit/qmemenu.h"
#include "uikit/qmescrollbar.h"
#include "uikit/qpromptdialog.h"

#include <QCursor>
#include <QDataStream>
#include <QDrag>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>

namespace {

const QSize kPanelSize(272, 294);
using ListPanelLook::kHeaderHeight;
constexpr int kButtonSize = 26;
using ListPanelLook::kMargin;
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
    : QWidget(parent), mLblTitle(new QLabel(this)), mBtnDownload(new QMEBaseButton(this)),
      mBtnDelete(new QMEBaseButton(this)), mScroll(new QScrollAreaFrameSelection(this)),
      mList(new QWidget), mMenu(new QMEMenu(this)) {
    setFixedSize(kPanelSize);
    mLblTitle->setObjectName("mlblTitle");
    mBtnDownload->setObjectName("mbtnDownload");
    mBtnDelete->setObjectName("mbtnDelete");
    mScroll->setObjectName("mscrCabInetType");
    mBtnDelete->setEnabled(false);

    QFont title = font();
    title.setBold(true);
    title.setPixelSize(14);
    mLblTitle->setFont(title);
    mLblTitle->setGeometry(kMargin, 0, 160, kHeaderHeight);
    const int buttonTop = (kHeaderHeight - kButtonSize) / 2;
    mBtnDelete->setGeometry(width() - kMargin - kButtonSize, buttonTop, kButtonSize, kButtonSize);
    mBtnDownload->setGeometry(mBtnDelete->x() - 8 - kButtonSize, buttonTop, kButtonSize,
                              kButtonSize);

    auto* bar = new QMEScrollBar(Qt::Vertical);
    mScroll->setVerticalScrollBar(bar);
    mScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mScroll->setFrameShape(QFrame::NoFrame);
    // The rows take the keys; the area itself is no stop for Tab.
    mScroll->setFocusPolicy(Qt::NoFocus);
    mScroll->viewport()->setAutoFillBackground(false);
    mScroll->setGeometry(8, kHeaderHeight + 4, width() - 16, height() - kHeaderHeight - 12);
    mList->setAutoFillBackground(false);
    QMEAccessible::SetRole(mList, QAccessible::List);
    auto* layout = new QVBoxLayout(mList);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addStretch(1);
    mScroll->setListWidget(mList);

    QFont menuFont = mMenu->font();
    menuFont.setPixelSize(12);
    mMenu->setFont(menuFont);
    mActImport = mMenu->addAction(QString());
    mActDelete = mMenu->addAction(QString());
    mActCabLeft = mMenu->addAction(QString());
    mActCabRight = mMenu->addAction(QString());
    connect(mActImport, &QAction::triggered, this, &QCabInetTypeForm::actImport);
    connect(mActDelete, &QAction::triggered, this, &QCabInetTypeForm::actDelete);
    connect(mActCabLeft, &QAction::triggered, this, &QCabInetTypeForm::actCABLeft);
    connect(mActCabRight, &QAction::triggered, this, &QCabInetTypeForm::actCABRight);
    connect(mBtnDownload, &QPushButton::clicked, this, &QCabInetTypeForm::onDownload);
    connect(mBtnDelete, &QPushButton::clicked, this, &QCabInetTypeForm::onDelete);

    mChooseFiles = [](QWidget* owner, const QString& caption, const QString& folder,
                      const QString& filter) {
        return QFileDialog::getOpenFileNames(owner, caption, folder, filter);
    };
    mRunDrag = [](QDrag* drag) { drag->exec(Qt::CopyAction); };

    retranslate();
    ApplyTheme(mTheme);
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
    if (!mItems.isEmpty())
        return;
    auto* layout = static_cast<QVBoxLayout*>(mList->layout());
    for (int slot = 0; slot < kSlotCount; ++slot) {
        auto* item = new QCabInetTypeItem(mList);
        item->setObjectName(QStringLiteral("mwgtCabInetTypeItem%1").arg(slot + 1));
        item->setNumber(slot + 1);
        item->setTheme(mTheme);
        connect(item, &QBaseItem::emitMousePress, this, &QCabInetTypeForm::itemMousePress);
        connect(item, &QBaseItem::emitMouseCtrlPress, this, &QCabInetTypeForm::mouseCtrlPress);
        connect(item, &QBaseItem::emitShowTreeMenu, this, &QCabInetTypeForm::itemShowMenu);
        connect(item, &QBaseItem::emitStartDrag, this, &QCabInetTypeForm::itemStartDrag);
        connect(item, &QBaseItem::emitKeyMove, this, &QCabInetTypeForm::itemKeyMove);
        connect(item, &QBaseItem::emitKeyDelete, this, &QCabInetTypeForm::itemKeyDelete);
        layout->insertWidget(slot, item);
        mItems << item;
    }
    mCurrent = mItems.first();
    mCurrent->setState(QBaseItem::StateSelected);
    QMEFocusOrder::Chain(focusOrder());
    followCurrent();
}

QList<QWidget*> QCabInetTypeForm::focusOrder() const {
    return QList<QWidget*>{mBtnDownload, mBtnDelete} +
           QList<QWidget*>(mItems.begin(), mItems.end());
}

void QCabInetTypeForm::followCurrent() {
    QMEFocusOrder::SetTabStop(QList<QWidget*>(mItems.begin(), mItems.end()), mCurrent);
}

void QCabInetTypeForm::ApplyTheme(int theme) {
    mTheme = theme;
    const QString folder = QMEFolders::imageFolder(theme);
    mBtnDownload->SetButtonImage(folder + "/btn_cabinet_add.png");
    mBtnDelete->SetButtonImage(folder + "/btn_cabinet_delete.png");
    ListPanelLook::apply(theme, mLblTitle, mMenu, mScroll);
    for (QCabInetTypeItem* item : mItems)
        item->setTheme(theme);
    update();
}

void QCabInetTypeForm::retranslate() {
    mLblTitle->setText(QObject::tr("CABINET TYPE"));
    mList->setAccessibleName(mLblTitle->text());
    mBtnDownload->setToolTip(QObject::tr("Download"));
    mBtnDelete->setToolTip(QObject::tr("Delete"));
    mActImport->setText(QObject::tr("Import"));
    mActDelete->setText(QObject::tr("Delete"));
    mActCabLeft->setText(QObject::tr("CAB A(Left)"));
    mActCabRight->setText(QObject::tr("CAB B(Right)"));
    if (mNamesUnknown)
        showNamesUnknown();
}

void QCabInetTypeForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void QCabInetTypeForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    ListPanelLook::paintHeaderRule(painter, *this, mTheme);
}

bool QCabInetTypeForm::deviceOpen() const {
    return mWriteThread && mWriteThread->usbIsOpen();
}

bool QCabInetTypeForm::anySelectedUserIr() const {
    return mParser && std::any_of(mItems.begin(), mItems.end(), [this](QCabInetTypeItem* item) {
               return item->isSelected() && mParser->hasUserIr(item->slotIndex());
           });
}

void QCabInetTypeForm::itemMousePress() {
    auto* pressed = qobject_cast<QCabInetTypeItem*>(sender());
    if (!pressed)
        return;
    for (QCabInetTypeItem* item : mItems) {
        if (item != pressed)
            item->setState(QBaseItem::StateNormal);
    }
    mCurrent = pressed;
    followCurrent();
    mBtnDelete->setEnabled(mParser && mParser->hasUserIr(mCurrent->slotIndex()));
}

void QCabInetTypeForm::mouseCtrlPress() {
    mBtnDelete->setEnabled(anySelectedUserIr());
}

void QCabInetTypeForm::itemShowMenu() {
    // The menu's actions work on the current row: that is the row the menu was opened on, also
    // when it was already selected without being current.
    auto* pressed = qobject_cast<QCabInetTypeItem*>(sender());
    if (pressed) {
        mCurrent = pressed;
        followCurrent();
    }
    mActDelete->setEnabled(anySelectedUserIr());
    mMenu->popup(pressed ? pressed->menuPosition() : QCursor::pos());
}

void QCabInetTypeForm::itemKeyMove(int step, bool extend) {
    QBaseItem::MoveByKey(QList<QBaseItem*>(mItems.begin(), mItems.end()),
                         qobject_cast<QBaseItem*>(sender()), step, extend, mCurrent, mScroll);
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

void QCabInetTypeForm::itemStartDrag() {
    auto* item = qobject_cast<QCabInetTypeItem*>(sender());
    if (!item)
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(slotMimeData(item->slotIndex(), mDragFormat));
    const QPixmap picture = item->grab();
    drag->setPixmap(picture);
    drag->setHotSpot(QPoint(item->width() / 2, item->height() / 2));
    mRunDrag(drag);
    drag->deleteLater();
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
    if (!mCurrent)
        return;
    if (!deviceOpen()) {
        emit emitPromptDisConnect();
        return;
    }
    const int slot = mCurrent->slotIndex();
    const QStringList paths = mChooseFiles(this, QObject::tr("Select one or more files to open"),
                                           irFolder(), irFileFilter());
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
    for (QCabInetTypeItem* item : mItems) {
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
    for (QCabInetTypeItem* item : mItems) {
        if (item != mCurrent)
            item->setState(QBaseItem::StateNormal);
    }
    emit mParser->emitUpdateIR();
}

void QCabInetTypeForm::assign(int cabinet) {
    if (!mCurrent)
        return;
    if (!deviceOpen()) {
        emit emitPromptDisConnect();
        return;
    }
    mParser->chooseCabinetSlot(cabinet, mCurrent->slotIndex());
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
    for (QCabInetTypeItem* item : mItems)
        item->setName(mParser->slotName(item->slotIndex()));
    mBtnDelete->setEnabled(mCurrent && mParser->hasUserIr(mCurrent->slotIndex()));
}

void QCabInetTypeForm::UpdateCAB() {
    if (!mState)
        return;
    for (QCabInetTypeItem* item : mItems)
        item->setMark(QCabInetTypeItem::MarkNone);
    const int cabA = mState->current[DeviceState::valuePosition(0, DeviceState::CabinetSlot)];
    const int cabB = mState->current[DeviceState::valuePosition(1, DeviceState::CabinetSlot)];
    // A slot value beyond the list marks no row.
    auto mark = [this](int slot, int mark) {
        if (slot < mItems.size())
            mItems[slot]->setMark(mItems[slot]->mark() | mark);
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
    for (QCabInetTypeItem* item : mItems)
        item->setName(QObject::tr("Unknown"));
    mBtnDelete->setEnabled(false);
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
