#include "files/qcomputerform.h"

#include "files/presetdropimport.h"
#include "files/presetfile.h"
#include "files/presetfilesave.h"
#include "files/presetfolder.h"
#include "files/qcomputeritem.h"
#include "files/qscrollareaframeselection.h"
#include "protocol/devicestate.h"
#include "protocol/qdataanalysis.h"
#include "uikit/qmebasebutton.h"
#include "uikit/qmemenu.h"
#include "uikit/qpromptdialog.h"

#include <QApplication>
#include <QDataStream>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>

namespace {

const QSize kPanelSize(272, 276);
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
    : QListPanelForm(
          kPanelSize,
          {"mbtnOpenDir", "btn_opendir.png", "mbtnRefresh", "btn_refresh.png", "mscrComputer"},
          parent),
      mFolder(PresetFolder::path()) {
    setAcceptDrops(true);
    QMEMenu* menu = contextMenu();
    mActAdd = menu->addAction(QString());
    mActRename = menu->addAction(QString());
    mActDelete = menu->addAction(QString());
    mActOpenDir = menu->addAction(QString());
    connect(mActAdd, &QAction::triggered, this, &QComputerForm::actAddPreset);
    connect(mActRename, &QAction::triggered, this, &QComputerForm::actRename);
    connect(mActDelete, &QAction::triggered, this, &QComputerForm::actDelete);
    connect(mActOpenDir, &QAction::triggered, this, &QComputerForm::actOpenDir);
    connect(openDirButton(), &QPushButton::clicked, this, &QComputerForm::onOpenDir);
    connect(refreshButton(), &QPushButton::clicked, this, &QComputerForm::onRefreshList);

    setFileChooser(
        [](QWidget* owner, const QString& caption, const QString& folder, const QString& filter) {
            QFileDialog dialog(owner, caption, folder, filter);
            dialog.setFileMode(QFileDialog::ExistingFiles);
            dialog.setViewMode(QFileDialog::Detail);
            return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
        });
    mOpenUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };

    retranslate();
    ApplyTheme(theme());
}

void QComputerForm::setParser(QDataAnalysis* parser) {
    mParser = parser;
}

QList<QComputerItem*> QComputerForm::items() const {
    return rowsAs<QComputerItem>();
}

QComputerItem* QComputerForm::currentItem() const {
    return static_cast<QComputerItem*>(currentRow());
}

void QComputerForm::ApplyTheme(int theme) {
    applyLook(theme);
    for (QComputerItem* item : items())
        item->setTheme(theme);
}

void QComputerForm::retranslate() {
    setTitle(QObject::tr("COMPUTER"));
    openDirButton()->setToolTip(QObject::tr("Open this directory"));
    refreshButton()->setToolTip(QObject::tr("Refresh"));
    mActAdd->setText(QObject::tr("Add"));
    mActRename->setText(QObject::tr("Rename"));
    mActDelete->setText(QObject::tr("Delete"));
    mActOpenDir->setText(QObject::tr("Open this directory"));
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
    for (QComputerItem* item : items()) {
        if (item->isAncestorOf(QApplication::focusWidget()) || item->hasFocus())
            focused = item->filePath();
    }
    removeRows();
    mFolder = PresetFolder::path();
    // Hidden files too: a name with a leading dot, given before it was refused, stays in sight.
    const QFileInfoList entries = QDir(mFolder).entryInfoList(
        QStringList{"*" + kExtension}, QDir::Files | QDir::Readable | QDir::Hidden, QDir::Name);
    for (const QFileInfo& entry : entries) {
        const QString path = entry.absoluteFilePath();
        if (!isPresetFile(path))
            continue;
        const int number = rows().size() + 1;
        auto* item = new QComputerItem(listWidget());
        item->setObjectName(QStringLiteral("mwgtComputerItem%1").arg(number));
        item->setNumber(number);
        item->setFilePath(path);
        item->setTheme(theme());
        addRow(item);
        connect(item, &QComputerItem::emitChangedName, this, &QComputerForm::ChangedName);
        connect(item, &QBaseItem::emitKeyDelete, this, &QComputerForm::actDelete);
    }
    // New rows join Tab's order after the header's buttons.
    chainRows();
    const QList<QComputerItem*> all = items();
    if (!focused.isNull() && !all.isEmpty()) {
        QComputerItem* row = all.first();
        for (QComputerItem* item : all) {
            if (item->filePath() == focused)
                row = item;
        }
        // The layout shows new rows only once control returns; the focus needs it shown now.
        row->show();
        row->setFocus(Qt::OtherFocusReason);
        scrollArea()->ensureWidgetVisible(row);
    }
}

QMimeData* QComputerForm::dragData(QBaseItem* row) const {
    auto* item = static_cast<QComputerItem*>(row);
    return fileMimeData(item->number(), item->filePath(), dragFormat());
}

QMimeData* QComputerForm::fileMimeData(int number, const QString& path, const QString& format) {
    auto* data = new QMimeData;
    data->setText(QString::number(number));
    data->setData(format, encodePresetDragPath(path));
    return data;
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
    const QStringList paths = chooseFiles(QString(), QString(), QStringLiteral("*") + kExtension);
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
    for (QComputerItem* item : items()) {
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
    if (currentItem())
        currentItem()->startRename();
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
