#include "files/qcomputerform.h"

#include "files/listpanellook.h"
#include "files/presetdropimport.h"
#include "files/presetfile.h"
#include "files/presetfilesave.h"
#include "files/presetfolder.h"
#include "files/qcomputeritem.h"
#include "files/qscrollareaframeselection.h"
#include "protocol/devicestate.h"
#include "protocol/qdataanalysis.h"
#include "settings/qmefolders.h"
#include "uikit/qmeaccessible.h"
#include "uikit/qmebasebutton.h"
#include "uikit/qmefocusorder.h"
#include "uikit/qmemenu.h"
#include "uikit/qmescrollbar.h"
#include "uikit/qpromptdialog.h"

#include <QApplication>
#include <QCursor>
#include <QDataStream>
#include <QDesktopServices>
#include <QDir>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QVBoxLayout>

namespace {

const QSize kPanelSize(272, 276);
using ListPanelLook::kHeaderHeight;
constexpr int kButtonSize = 26;
using ListPanelLook::kMargin;
const QString kExtension = QStringLiteral(".pfs");
constexpr int kPromptWidth = 300;

// Why the preset file check refused a file.
QString refusalText(unsigned code) {
    switch (code) {
    case PresetFileNotOpened:
        return QObject::tr("could not be opened");
    case PresetFileEmpty:
        return QObject::tr("the file is empty");
    case PresetFileTooShort:
        return QObject::tr("too short for a preset file");
    default:
        return QObject::tr("not a preset file");
    }
}

QString fileLine(const QString& path, const QString& reason) {
    return QObject::tr("%1: %2").arg(QFileInfo(path).fileName(), reason);
}

QString listMessage(const QString& heading, const QStringList& lines) {
    return (QStringList(heading) + lines).join(QStringLiteral("\n"));
}

} // namespace

QComputerForm::QComputerForm(QWidget* parent)
    : QWidget(parent), mFolder(PresetFolder::path()), mLblTitle(new QLabel(this)),
      mBtnOpenDir(new QMEBaseButton(this)), mBtnRefresh(new QMEBaseButton(this)),
      mScroll(new QScrollAreaFrameSelection(this)), mList(new QWidget), mMenu(new QMEMenu(this)) {
    setFixedSize(kPanelSize);
    setAcceptDrops(true);
    mLblTitle->setObjectName("mlblTitle");
    mBtnOpenDir->setObjectName("mbtnOpenDir");
    mBtnRefresh->setObjectName("mbtnRefresh");
    mScroll->setObjectName("mscrComputer");

    QFont title = font();
    title.setBold(true);
    title.setPixelSize(14);
    mLblTitle->setFont(title);
    mLblTitle->setGeometry(kMargin, 0, 160, kHeaderHeight);
    const int buttonTop = (kHeaderHeight - kButtonSize) / 2;
    mBtnRefresh->setGeometry(width() - kMargin - kButtonSize, buttonTop, kButtonSize, kButtonSize);
    mBtnOpenDir->setGeometry(mBtnRefresh->x() - 8 - kButtonSize, buttonTop, kButtonSize,
                             kButtonSize);

    auto* bar = new QMEScrollBar(Qt::Vertical);
    mScroll->setVerticalScrollBar(bar);
    mScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mScroll->setFrameShape(QFrame::NoFrame);
    // The rows take the keys; the area itself is no stop for Tab.
    mScroll->setFocusPolicy(Qt::NoFocus);
    mScroll->viewport()->setAutoFillBackground(false);
    mScroll->setGeometry(8, kHeaderHeight + 4, width() - 16, height() - kHeaderHeight - 12);
    auto* layout = new QVBoxLayout(mList);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addStretch(1);
    mScroll->setListWidget(mList);
    // The scroll area makes its widget fill its background: below the last row the card shows.
    mList->setAutoFillBackground(false);
    QMEAccessible::SetRole(mList, QAccessible::List);

    QFont menuFont = mMenu->font();
    menuFont.setPixelSize(12);
    mMenu->setFont(menuFont);
    mActAdd = mMenu->addAction(QString());
    mActRename = mMenu->addAction(QString());
    mActDelete = mMenu->addAction(QString());
    mActOpenDir = mMenu->addAction(QString());
    connect(mActAdd, &QAction::triggered, this, &QComputerForm::actAddPreset);
    connect(mActRename, &QAction::triggered, this, &QComputerForm::actRename);
    connect(mActDelete, &QAction::triggered, this, &QComputerForm::actDelete);
    connect(mActOpenDir, &QAction::triggered, this, &QComputerForm::actOpenDir);
    connect(mBtnOpenDir, &QPushButton::clicked, this, &QComputerForm::onOpenDir);
    connect(mBtnRefresh, &QPushButton::clicked, this, &QComputerForm::onRefreshList);

    mChooseFiles = [](QWidget* owner, const QString& caption, const QString& folder,
                      const QString& filter) {
        QFileDialog dialog(owner, caption, folder, filter);
        dialog.setFileMode(QFileDialog::ExistingFiles);
        dialog.setViewMode(QFileDialog::Detail);
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
    };
    mRunDrag = [](QDrag* drag) { drag->exec(Qt::CopyAction); };
    mOpenUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };

    retranslate();
    ApplyTheme(mTheme);
}

void QComputerForm::setParser(QDataAnalysis* parser) {
    mParser = parser;
}

void QComputerForm::ApplyTheme(int theme) {
    mTheme = theme;
    const QString folder = QMEFolders::imageFolder(theme);
    mBtnOpenDir->SetButtonImage(folder + "/btn_opendir.png");
    mBtnRefresh->SetButtonImage(folder + "/btn_refresh.png");
    ListPanelLook::apply(theme, mLblTitle, mMenu, mScroll);
    for (QComputerItem* item : mItems)
        item->setTheme(theme);
    update();
}

void QComputerForm::retranslate() {
    mLblTitle->setText(QObject::tr("COMPUTER"));
    mList->setAccessibleName(mLblTitle->text());
    mBtnOpenDir->setToolTip(QObject::tr("Open this directory"));
    mBtnRefresh->setToolTip(QObject::tr("Refresh"));
    mActAdd->setText(QObject::tr("Add"));
    mActRename->setText(QObject::tr("Rename"));
    mActDelete->setText(QObject::tr("Delete"));
    mActOpenDir->setText(QObject::tr("Open this directory"));
}

void QComputerForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void QComputerForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    ListPanelLook::paintHeaderRule(painter, *this, mTheme);
}

void QComputerForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!mListed)
        onRefreshList();
}

void QComputerForm::onRefreshList() {
    mListed = true;
    // A row that had the keyboard hands it on to the row of the same file, or the first.
    QString focused;
    for (QComputerItem* item : qAsConst(mItems)) {
        if (item->isAncestorOf(QApplication::focusWidget()) || item->hasFocus())
            focused = item->filePath();
    }
    mCurrent = nullptr;
    // Rows may be mid-signal (a rename ends in a relist): delete them once control returns.
    auto* layout = static_cast<QVBoxLayout*>(mList->layout());
    for (QComputerItem* item : mItems) {
        layout->removeWidget(item);
        item->hide();
        item->deleteLater();
    }
    mItems.clear();
    mFolder = PresetFolder::path();
    // Hidden files too: a name with a leading dot, given before it was refused, stays in sight.
    const QFileInfoList entries = QDir(mFolder).entryInfoList(
        QStringList{"*" + kExtension}, QDir::Files | QDir::Readable | QDir::Hidden, QDir::Name);
    for (const QFileInfo& entry : entries) {
        const QString path = entry.absoluteFilePath();
        if (!isPresetFile(path))
            continue;
        auto* item = new QComputerItem(mList);
        item->setObjectName(QStringLiteral("mwgtComputerItem%1").arg(mItems.size() + 1));
        item->setNumber(mItems.size() + 1);
        item->setFilePath(path);
        item->setTheme(mTheme);
        connect(item, &QBaseItem::emitMousePress, this, &QComputerForm::itemMousePress);
        connect(item, &QBaseItem::emitShowTreeMenu, this, &QComputerForm::itemShowMenu);
        connect(item, &QComputerItem::emitChangedName, this, &QComputerForm::ChangedName);
        connect(item, &QBaseItem::emitStartDrag, this, &QComputerForm::itemStartDrag);
        connect(item, &QBaseItem::emitKeyMove, this, &QComputerForm::itemKeyMove);
        connect(item, &QBaseItem::emitKeyDelete, this, &QComputerForm::actDelete);
        layout->insertWidget(mItems.size(), item);
        mItems << item;
    }
    // New rows join Tab's order after the header's buttons.
    QMEFocusOrder::Chain(focusOrder());
    followCurrent();
    if (!focused.isNull() && !mItems.isEmpty()) {
        QComputerItem* row = mItems.first();
        for (QComputerItem* item : qAsConst(mItems)) {
            if (item->filePath() == focused)
                row = item;
        }
        // The layout shows new rows only once control returns; the focus needs it shown now.
        row->show();
        row->setFocus(Qt::OtherFocusReason);
        mScroll->ensureWidgetVisible(row);
    }
}

QList<QWidget*> QComputerForm::focusOrder() const {
    return QList<QWidget*>{mBtnOpenDir, mBtnRefresh} +
           QList<QWidget*>(mItems.begin(), mItems.end());
}

void QComputerForm::followCurrent() {
    QMEFocusOrder::SetTabStop(QList<QWidget*>(mItems.begin(), mItems.end()), mCurrent);
}

void QComputerForm::itemKeyMove(int step, bool extend) {
    QBaseItem::MoveByKey(QList<QBaseItem*>(mItems.begin(), mItems.end()),
                         qobject_cast<QBaseItem*>(sender()), step, extend, mCurrent, mScroll);
}

void QComputerForm::itemMousePress() {
    auto* pressed = qobject_cast<QComputerItem*>(sender());
    if (!pressed)
        return;
    for (QComputerItem* item : mItems) {
        if (item != pressed)
            item->setState(QBaseItem::StateNormal);
    }
    mCurrent = pressed;
    followCurrent();
}

void QComputerForm::itemShowMenu() {
    // The menu's actions work on the current row: that is the row the menu was opened on, also
    // when it was already selected without being current.
    auto* pressed = qobject_cast<QComputerItem*>(sender());
    if (pressed) {
        mCurrent = pressed;
        followCurrent();
    }
    mMenu->popup(pressed ? pressed->menuPosition() : QCursor::pos());
}

QMimeData* QComputerForm::fileMimeData(int number, const QString& path, const QString& format) {
    auto* data = new QMimeData;
    data->setText(QString::number(number));
    data->setData(format, encodePresetDragPath(path));
    return data;
}

void QComputerForm::itemStartDrag() {
    auto* item = qobject_cast<QComputerItem*>(sender());
    if (!item)
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(fileMimeData(item->number(), item->filePath(), mDragFormat));
    drag->setPixmap(item->grab());
    drag->setHotSpot(QPoint(item->width() / 2, item->height() / 2));
    mRunDrag(drag);
    drag->deleteLater();
}

void QComputerForm::ChangedName(QString oldname, QString newName) {
    auto* item = qobject_cast<QComputerItem*>(sender());
    if (!item)
        return;
    // The row's own file is renamed, whatever its name shows.
    const QString newPath = mFolder + newName + kExtension;
    if (newName.isEmpty()) {
        item->setName(oldname);
        return;
    }
    QString reason;
    if (!renamePresetFile(item->filePath(), newPath, &reason)) {
        item->setName(oldname);
        showFailureLater(QObject::tr("'%1' could not be renamed to '%2': %3")
                             .arg(QFileInfo(item->filePath()).fileName(),
                                  QFileInfo(newPath).fileName(), reason));
        return;
    }
    item->setFilePath(newPath);
    // An edit also ends when its window closes: list again once control returns, never inside a
    // window that is being torn down.
    QMetaObject::invokeMethod(this, &QComputerForm::onRefreshList, Qt::QueuedConnection);
}

void QComputerForm::onOpenDir() {
    actOpenDir();
}

void QComputerForm::actOpenDir() {
    mFolder = PresetFolder::path();
    // A path holding "#" or "%" stays a path: it is not parsed as a URL.
    mOpenUrl(QUrl::fromLocalFile(mFolder));
}

void QComputerForm::actAddPreset() {
    const QStringList paths =
        mChooseFiles(this, QString(), QString(), QStringLiteral("*") + kExtension);
    mFolder = PresetFolder::path();
    bool added = false;
    QStringList refused;
    for (const QString& path : paths) {
        // A file the listing would never show must not take a name either.
        QByteArray bytes;
        unsigned code = readPresetFile(path, bytes);
        if (code == PresetFileOk)
            code = checkPresetImage(bytes);
        if (code != PresetFileOk) {
            refused << fileLine(path, refusalText(code));
            continue;
        }
        const QString name = PresetFolder::shownName(QFileInfo(path).fileName()) + kExtension;
        if (QFileInfo::exists(mFolder + name)) {
            QPromptDialog::ShowPrompt(this, "'" + name + "' " + QObject::tr("already exists"), 250,
                                      80, QObject::tr("Prompt"), QPromptDialog::IconWarning,
                                      QPromptDialog::ButtonsNone);
            continue;
        }
        QString reason;
        if (writePresetBytes(bytes, mFolder + name, &reason))
            added = true;
        else
            refused << fileLine(path, reason);
    }
    if (added)
        onRefreshList();
    if (!refused.isEmpty())
        showFailure(listMessage(QObject::tr("These files were not added:"), refused));
}

QStringList QComputerForm::deleteFiles(const QStringList& paths) {
    QStringList failed;
    if (PresetFolder::canTrash(mFolder)) {
        for (const QString& path : paths) {
            QFile file(path);
            if (!file.moveToTrash())
                failed << fileLine(path, file.errorString());
        }
        return failed;
    }
    const QString question =
        paths.size() == 1
            ? QObject::tr("'%1' cannot be moved to the trash. Delete it for good?")
                  .arg(QFileInfo(paths.first()).fileName())
            : QObject::tr("%1 preset files cannot be moved to the trash. Delete them for good?")
                  .arg(paths.size());
    // Enter alone must not delete for good: No is the default.
    if (QPromptDialog::ShowFittedPrompt(this, question, kPromptWidth, QObject::tr("Prompt"),
                                        QPromptDialog::IconWarning, QPromptDialog::ButtonsYesNo,
                                        QPromptDialog::ResultNo) != QPromptDialog::ResultYes)
        return failed;
    for (const QString& path : paths) {
        QFile file(path);
        if (!file.remove())
            failed << fileLine(path, file.errorString());
    }
    return failed;
}

void QComputerForm::actDelete() {
    QStringList paths;
    for (QComputerItem* item : mItems) {
        if (item->isSelected())
            paths << item->filePath();
    }
    mFolder = PresetFolder::path();
    const QStringList failed = paths.isEmpty() ? QStringList() : deleteFiles(paths);
    onRefreshList();
    if (!failed.isEmpty())
        showFailure(listMessage(QObject::tr("These files were not deleted:"), failed));
}

void QComputerForm::showFailure(const QString& text) {
    QPromptDialog::ShowFittedPrompt(this, text, kPromptWidth, QObject::tr("Prompt"),
                                    QPromptDialog::IconError, QPromptDialog::ButtonsNone);
}

void QComputerForm::showFailureLater(const QString& text) {
    QMetaObject::invokeMethod(
        this, [this, text] { showFailure(text); }, Qt::QueuedConnection);
}

void QComputerForm::actRename() {
    if (mCurrent)
        mCurrent->startRename();
}

bool QComputerForm::savePreset(int preset) {
    if (!mParser || preset < 0 || preset >= DeviceState::kPresetCount)
        return false;
    mFolder = PresetFolder::path();
    const QString name = PresetFolder::freeFileName(mFolder, preset);
    QString reason;
    unsigned code = 0;
    if (name.isEmpty()) {
        reason = QObject::tr("no free file name is left");
    } else if (savePresetToFile(*mParser->deviceState(), preset, mFolder + name, code, &reason)) {
        onRefreshList();
        return true;
    }
    showFailureLater(
        QObject::tr("'%1' could not be saved: %2")
            .arg(name.isEmpty() ? PresetFolder::presetFileName(preset) : name, reason));
    return false;
}

void QComputerForm::dragEnterEvent(QDragEnterEvent* event) {
    if (!mDropFormat.isEmpty() && event->mimeData()->hasFormat(mDropFormat))
        event->acceptProposedAction();
}

void QComputerForm::dropEvent(QDropEvent* event) {
    if (mDropFormat.isEmpty() || !event->mimeData()->hasFormat(mDropFormat))
        return;
    QByteArray bytes = event->mimeData()->data(mDropFormat);
    QDataStream stream(&bytes, QIODevice::ReadOnly);
    qint64 preset = -1;
    stream >> preset;
    if (stream.status() != QDataStream::Ok || preset < 0 || preset >= DeviceState::kPresetCount)
        return;
    event->acceptProposedAction();
    savePreset(int(preset));
}
