#pragma once

#include "files/qlistpanelform.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <functional>

class QAction;
class QComputerItem;
class QDataAnalysis;

// The "COMPUTER" panel: the preset files kept on the computer. A preset button dropped on it is
// saved as a file; files are added, renamed, deleted and dragged onto preset buttons from here.
class QComputerForm : public QListPanelForm {
    Q_OBJECT
public:
    // Opens a folder in the system's file browser.
    using UrlOpener = std::function<void(const QUrl&)>;

    explicit QComputerForm(QWidget* parent = nullptr);

    // The parser's device state supplies the presets that are saved.
    void setParser(QDataAnalysis* parser);
    void setDropFormat(const QString& format) { mDropFormat = format; }
    QString dropFormat() const { return mDropFormat; }
    void ApplyTheme(int theme);

    void setUrlOpener(UrlOpener opener) { mOpenUrl = std::move(opener); }

    QString folder() const { return mFolder; }
    QList<QComputerItem*> items() const;
    QComputerItem* currentItem() const;
    QAction* addAction() const { return mActAdd; }
    QAction* renameAction() const { return mActRename; }
    QAction* deleteAction() const { return mActDelete; }
    QAction* openDirAction() const { return mActOpenDir; }
    QMEBaseButton* openDirButton() const { return leftButton(); }
    QMEBaseButton* refreshButton() const { return rightButton(); }

    // The data of a dragged row: its number as text, the file's path as a stream value.
    static QMimeData* fileMimeData(int number, const QString& path, const QString& format);

    // Saves preset `preset` (0-based) under the first free "CAB PRESET0…" name and lists the
    // folder again; false when nothing was written, which a prompt tells.
    bool savePreset(int preset);

public slots:
    void ChangedName(QString oldname, QString newName);
    void onOpenDir();
    void actOpenDir();
    void onRefreshList();
    void actAddPreset();
    void actDelete();
    void actRename();

protected:
    QMimeData* dragData(QBaseItem* row) const override;
    void retranslate() override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // A failure prompt; the later one waits for the event loop, outside a drop or an edit that
    // ends while its window closes.
    void showFailure(const QString& text);
    void showFailureLater(const QString& text);
    // Moves the files to the trash, or deletes them for good once the user agrees; the lines
    // name the files that stayed and why.
    QStringList deleteFiles(const QStringList& paths);

    QPointer<QDataAnalysis> mParser;
    QString mFolder;
    QString mDropFormat;
    bool mListed = false;

    QAction* mActAdd;
    QAction* mActRename;
    QAction* mActDelete;
    QAction* mActOpenDir;

    UrlOpener mOpenUrl;
};
