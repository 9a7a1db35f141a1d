#include "files/presetdropimport.h"
#include "files/presetfolder.h"
#include "files/qcomputerform.h"
#include "files/qcomputeritem.h"
#include "protocol/devicestate.h"
#include "protocol/qdataanalysis.h"
#include "protocol/qusbwritethread.h"
#include "settings/qmefolders.h"
#include "tests/files_presetbrowser/promptcatcher.h"
#include "tests/files_presets/presetfileimage.h"
#include "tests/uikit/testenv.h"
#include "tests/updater/unprivilegedscope.h"
#include "uikit/qmebasebutton.h"
#include "uikit/qmemenu.h"
#include "uikit/qpromptdialog.h"
#include "uikit/retractlabel.h"

#include <QDataStream>
#include <QDir>
#include <QDrag>
#include <QLineEdit>
#include <QMimeData>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <csignal>
#include <memory>

namespace {

const QString kDropFormat = QStringLiteral("btn/text/uri-list");
const QString kDragFormat = QStringLiteral("list/text/uri-list");

// A preset file image around ten words.
QByteArray presetImage(const DeviceState::Values& words) {
    return presetFileImage(presetFileData(words));
}

DeviceState::Values words(int seed) {
    DeviceState::Values out{};
    for (int i = 0; i < 10; ++i)
        out[size_t(i)] = uint16_t(seed * 257 + i * 3);
    return out;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// What a preset button puts into its drag.
QMimeData* buttonDrag(qint64 preset) {
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << preset;
    auto* mime = new QMimeData;
    mime->setData(kDropFormat, bytes);
    mime->setText(QString::number(preset + 1));
    return mime;
}

void mouse(QWidget* widget, QEvent::Type type, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
           QPoint at = QPoint(60, 10), Qt::MouseButton button = Qt::LeftButton) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, at, widget->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : button, held, modifiers);
    QApplication::sendEvent(widget, &event);
}

void click(QWidget* widget, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    mouse(widget, QEvent::MouseButtonPress, modifiers);
    mouse(widget, QEvent::MouseButtonRelease, modifiers);
}

QString trashFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Trash";
}

} // namespace

class TestPresetBrowser final : public QObject {
    Q_OBJECT

    QString folder;
    std::unique_ptr<QUsbWriteThread> thread;
    std::unique_ptr<QDataAnalysis> parser;
    std::unique_ptr<QComputerForm> form;
    QStringList chosen;

    QStringList names() const {
        QStringList out;
        for (QComputerItem* item : form->items())
            out << item->name();
        return out;
    }

    QStringList filesOnDisk() const {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    QComputerItem* row(const QString& name) const {
        for (QComputerItem* item : form->items()) {
            if (item->name() == name)
                return item;
        }
        return nullptr;
    }

    // Types a new name into the row's editor and ends the edit as the user does, with Return.
    void rename(const QString& name, const QString& newName) {
        QComputerItem* item = row(name);
        QVERIFY(item);
        click(item);
        form->renameAction()->trigger();
        QLineEdit* editor = item->nameLabel()->Editor();
        QVERIFY(editor && editor->isVisible());
        QCOMPARE(editor->text(), name);
        editor->setText(newName);
        QTest::keyClick(editor, Qt::Key_Return);
    }

    void drop(qint64 preset) {
        const std::unique_ptr<QMimeData> mime(buttonDrag(preset));
        const QPoint at(100, 100);
        QDragEnterEvent enter(at, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent dropped(at, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &dropped);
    }

private slots:
    void initTestCase() {
        // A write beyond the file size limit fails instead of ending the process.
        std::signal(SIGXFSZ, SIG_IGN);
    }

    void init() {
        folder = PresetFolder::path();
        QVERIFY(QDir(folder).removeRecursively());
        QFile::remove(trashFolder());
        QVERIFY(QDir(trashFolder()).removeRecursively());
        thread = std::make_unique<QUsbWriteThread>();
        parser = std::make_unique<QDataAnalysis>();
        parser->setWriteThread(thread.get());
        form = std::make_unique<QComputerForm>();
        QCOMPARE(form->folder(), QMEFolders::userDataFolder() + "/Presetfiles/");
        QVERIFY(QDir(folder).exists()); // made again at construction
        form->setParser(parser.get());
        form->setDropFormat(kDropFormat);
        form->setDragFormat(kDragFormat);
        chosen.clear();
        form->setFileChooser(
            [this](QWidget*, const QString&, const QString&, const QString& filter) {
                [&] { QCOMPARE(filter, QStringLiteral("*.pfs")); }();
                return chosen;
            });
    }

    void cleanup() {
        QPromptDialog::SetAnswerHook(nullptr);
        form.reset();
        parser.reset();
        thread.reset();
    }

    void droppedButtonsSaveNumberedFiles() {
        DeviceState& state = *parser->deviceState();
        state.currentPreset = 0;
        state.current = words(1);
        state.presets[0] = words(2);
        state.presets[9] = words(3);
        writeFile(folder + "notes.pfs", QByteArray(660, 'n'));
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QVERIFY(form->items().isEmpty());

        for (int i = 0; i < 3; ++i)
            drop(0);
        drop(9);
        // Sorted by file name, where "(" comes before ".".
        QCOMPARE(names(), QStringList({"CAB PRESET01(1)", "CAB PRESET01(2)", "CAB PRESET01",
                                       "CAB PRESET010"}));
        QCOMPARE(form->items().at(3)->number(), 4);
        for (const char* name : {"CAB PRESET01", "CAB PRESET01(1)", "CAB PRESET01(2)"})
            QCOMPARE(readAll(folder + name + ".pfs"), presetImage(words(1)));   // values in use
        QCOMPARE(readAll(folder + "CAB PRESET010.pfs"), presetImage(words(3))); // stored values

        // A drop of another kind, or of a position no button has, writes nothing.
        QMimeData other;
        other.setText("1");
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &other, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &enter);
        QVERIFY(!enter.isAccepted());
        drop(14);
        drop(-1);
        QCOMPARE(filesOnDisk().size(), 5);

        // With every name up to the counter 1000 taken, nothing is written over.
        QStringList taken{"CAB PRESET02.pfs"};
        for (int counter = 1; counter <= PresetFolder::kMaxCounter; ++counter)
            taken << QStringLiteral("CAB PRESET02(%1).pfs").arg(counter);
        for (const QString& name : taken)
            writeFile(folder + name, "x");
        PromptCatcher prompts;
        QVERIFY(!form->savePreset(1));
        QTRY_COMPARE(
            prompts.texts,
            QStringList{"'CAB PRESET02.pfs' could not be saved: no free file name is left"});
        QCOMPARE(filesOnDisk().size(), 5 + taken.size());
        for (const QString& name :
             {QStringLiteral("CAB PRESET02.pfs"), QStringLiteral("CAB PRESET02(1000).pfs")})
            QCOMPARE(readAll(folder + name), QByteArray("x"));
    }

    void freeFileName_data() {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<int>("preset");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty folder") << QStringList() << 0 << "CAB PRESET01.pfs";
        QTest::newRow("preset 10 keeps the 0") << QStringList() << 9 << "CAB PRESET010.pfs";
        QTest::newRow("taken, counter starts at 1")
            << QStringList{"CAB PRESET05.pfs"} << 4 << "CAB PRESET05(1).pfs";
        QTest::newRow("first gap is taken")
            << QStringList{"CAB PRESET05.pfs", "CAB PRESET05(2).pfs"} << 4 << "CAB PRESET05(1).pfs";
        QTest::newRow("other presets do not count")
            << QStringList{"CAB PRESET01.pfs", "CAB PRESET011.pfs"} << 0 << "CAB PRESET01(1).pfs";
        QTest::newRow("a folder of that name is taken")
            << QStringList{"CAB PRESET03.pfs/"} << 2 << "CAB PRESET03(1).pfs";
    }

    void freeFileName() {
        QFETCH(QStringList, existing);
        QFETCH(int, preset);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        for (const QString& name : existing) {
            if (name.endsWith('/'))
                QVERIFY(QDir(dir.path()).mkdir(name));
            else
                writeFile(dir.filePath(name), "x");
        }
        QCOMPARE(PresetFolder::freeFileName(dir.path(), preset), expected);
    }

    void renameDeleteAndDragActOnTheRowsOwnFile() {
        const QStringList files{"a.pfs", "b.pfs", "c.pfs", "d.pfs", "my.live.pfs", "my.pfs"};
        for (int i = 0; i < files.size(); ++i)
            writeFile(folder + files.at(i), presetImage(words(10 + i)));
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QCOMPARE(names(), QStringList({"a", "b", "c", "d", "my.live", "my"}));
        PromptCatcher prompts;

        // Context menu entries, in order.
        QStringList entries;
        for (QAction* action : form->contextMenu()->actions())
            entries << action->text();
        QCOMPARE(entries, QStringList({"Add", "Rename", "Delete", "Open this directory"}));

        // Onto a listed name: refused and told, both files intact.
        rename("a", "b");
        QCOMPARE(names(), QStringList({"a", "b", "c", "d", "my.live", "my"}));
        QTRY_COMPARE(
            prompts.texts,
            QStringList{
                "'a.pfs' could not be renamed to 'b.pfs': a file of that name already exists"});
        QCOMPARE(readAll(folder + "a.pfs"), presetImage(words(10)));
        QCOMPARE(readAll(folder + "b.pfs"), presetImage(words(11)));
        rename("a", "");
        QCOMPARE(row("a")->nameLabel()->text(), QStringLiteral("a"));
        QVERIFY(QFile::exists(folder + "a.pfs"));

        // The row "my.live" is the file my.live.pfs, never my.pfs.
        QList<QPair<QString, QString>> drags;
        form->setDragRunner([&](QDrag* drag) {
            drags << qMakePair(drag->mimeData()->text(),
                               decodePresetDragPath(drag->mimeData(), kDragFormat));
            [&] {
                QCOMPARE(drag->hotSpot(),
                         QPoint(row("my.live")->width() / 2, QComputerItem::kRowHeight / 2));
            }();
        });
        QComputerItem* live = row("my.live");
        mouse(live, QEvent::MouseButtonPress);
        mouse(live, QEvent::MouseMove, Qt::NoModifier,
              QPoint(61 + QApplication::startDragDistance(), 10));
        mouse(live, QEvent::MouseButtonRelease);
        QCOMPARE(drags, (QList<QPair<QString, QString>>{{"5", folder + "my.live.pfs"}}));

        rename("my.live", "gig.night");
        QTRY_COMPARE(names(), QStringList({"a", "b", "c", "d", "gig.night", "my"}));
        QCOMPARE(readAll(folder + "gig.night.pfs"), presetImage(words(14)));
        QCOMPARE(readAll(folder + "my.pfs"), presetImage(words(15)));
        QVERIFY(!QFile::exists(folder + "my.live.pfs"));

        // The menu acts on the row it was opened on, also a selected row that was not current.
        click(row("a"));
        click(row("c"), Qt::ControlModifier);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            mouse(row("c"), type, Qt::NoModifier, QPoint(60, 10), Qt::RightButton);
        QVERIFY(form->contextMenu()->isVisible());
        form->contextMenu()->hide();
        form->renameAction()->trigger();
        QVERIFY(row("c")->nameLabel()->IsRenaming());
        QVERIFY(!row("a")->nameLabel()->IsRenaming());
        QTest::keyClick(row("c")->nameLabel()->Editor(), Qt::Key_Return);

        // Three rows selected: exactly their three files go, into the desktop's trash.
        click(row("b"));
        click(row("gig.night"), Qt::ControlModifier);
        click(row("d"), Qt::ControlModifier);
        form->deleteAction()->trigger();
        QCOMPARE(filesOnDisk(), QStringList({"a.pfs", "c.pfs", "my.pfs"}));
        QCOMPARE(names(), QStringList({"a", "c", "my"}));
        QCOMPARE(readAll(folder + "my.pfs"), presetImage(words(15)));
        QCOMPARE(QDir(trashFolder() + "/files").entryList(QDir::Files, QDir::Name),
                 QStringList({"b.pfs", "d.pfs", "gig.night.pfs"}));
        QCOMPARE(readAll(trashFolder() + "/files/gig.night.pfs"), presetImage(words(14)));
        QCOMPARE(QDir(trashFolder() + "/info").entryList(QDir::Files).size(), 3);
        QCOMPARE(prompts.texts.size(), 1);
    }

    // The list by key: F2 renames the row that has the keyboard (Escape leaves it as it was),
    // which keeps the keyboard under its new name; Delete deletes the selected files.
    void keys() {
        for (const char* file : {"a.pfs", "b.pfs", "c.pfs"})
            writeFile(folder + file, presetImage(words(10)));
        form->show();
        QApplication::setActiveWindow(form.get());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        row("a")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(row("a"), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), row("b"));
        QCOMPARE(form->currentItem(), row("b"));

        QTest::keyClick(row("b"), Qt::Key_F2);
        QLineEdit* editor = row("b")->nameLabel()->Editor();
        QVERIFY(editor && editor->hasFocus());
        QTest::keyClicks(editor, "x");
        QTest::keyClick(editor, Qt::Key_Escape);
        QVERIFY(!editor->isVisible());
        QCOMPARE(QApplication::focusWidget(), row("b"));
        QCOMPARE(filesOnDisk(), QStringList({"a.pfs", "b.pfs", "c.pfs"}));

        QTest::keyClick(row("b"), Qt::Key_F2);
        editor->setText("bee");
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(names(), QStringList({"a", "bee", "c"}));
        QTRY_COMPARE(QApplication::focusWidget(), row("bee"));
        QVERIFY(!form->contextMenu()->isVisible()); // the Return ended the edit, nothing more

        QTest::keyClick(row("bee"), Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(row("c"), Qt::Key_Delete);
        QCOMPARE(filesOnDisk(), QStringList({"a.pfs"}));
        QCOMPARE(QApplication::focusWidget(), row("a"));
    }

    // Every failure names the file and the reason, and leaves the folder as it was. The tag
    // names the folder's state and the user's action.
    void failuresAreNamed_data() {
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QStringList>("listing");
        auto row = [](const char* tag, const QString& prompt,
                      const QStringList& listing = {".old.pfs", "a.pfs"}) {
            QTest::newRow(tag) << prompt << listing;
        };
        const QString notSaved = "'CAB PRESET01.pfs' could not be saved: ";
        const QString notAdded = "These files were not added:\n";
        row("read-only drop", notSaved + "Permission denied");
        row("read-only add", notAdded + "x.pfs: Permission denied");
        row("read-only rename", "'a.pfs' could not be renamed to 'b.pfs': Cannot open "
                                "destination file: Permission denied");
        row("read-only delete", "These files were not deleted:\na.pfs: Permission denied");
        row("full-disk drop", notSaved + "File too large");
        row("full-disk add", notAdded + "x.pfs: File too large");
        row("plain add-invalid",
            notAdded + "notes.pfs: not a preset file\nempty.pfs: the file is empty\nshort.pfs: "
                       "too short for a preset file",
            {".old.pfs", "a.pfs", "x.pfs"});
        row("plain rename-dot", QString());
        row("no-trash delete", "'a.pfs' cannot be moved to the trash. Delete it for good?",
            {".old.pfs"});
    }

    void failuresAreNamed() {
        QFETCH(QString, prompt);
        QFETCH(QStringList, listing);
        const QString setup = QString(QTest::currentDataTag()).section(' ', 0, 0);
        const QString action = QString(QTest::currentDataTag()).section(' ', 1);
        writeFile(folder + "a.pfs", presetImage(words(1)));
        writeFile(folder + ".old.pfs", presetImage(words(2)));
        QTemporaryDir elsewhere;
        writeFile(elsewhere.filePath("x.pfs"), presetImage(words(3)));
        writeFile(elsewhere.filePath("notes.pfs"), QByteArray(660, 'n'));
        writeFile(elsewhere.filePath("empty.pfs"), QByteArray());
        writeFile(elsewhere.filePath("short.pfs"), presetImage(words(4)).left(100));
        for (const char* name : {"notes.pfs", "empty.pfs", "short.pfs", "x.pfs"})
            if (action == "add-invalid" || name == QLatin1String("x.pfs"))
                chosen << elsewhere.filePath(name);
        QStringList asked;
        bool enterDeletes = false; // a question Enter alone would answer Yes
        QPromptDialog::SetAnswerHook([&asked, &enterDeletes](const QPromptDialog& prompt) {
            asked << prompt.Text();
            enterDeletes |= prompt.ButtonSet() == QPromptDialog::ButtonsYesNo &&
                            prompt.DefaultButton()->property("result").toInt() != QPromptDialog::ResultNo;
            return int(QPromptDialog::ResultYes);
        });
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QCOMPARE(names(), QStringList({".old", "a"}));

        if (setup == "no-trash")
            writeFile(trashFolder(), "not a folder");
        if (setup == "read-only") {
            // Reachable, with a usable trash, for a user who is not root; the folder not writable.
            for (const QString& path :
                 {QDir::homePath(), elsewhere.path(), trashFolder() + "/..", trashFolder(),
                  trashFolder() + "/files", trashFolder() + "/info"}) {
                QDir().mkpath(path);
                QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions(0x7777)));
            }
            QVERIFY(QFile::setPermissions(folder, QFileDevice::Permissions(0x5555)));
        }
        auto act = [&] {
            if (action == "drop") {
                drop(0);
            } else if (action.startsWith("add")) {
                form->addAction()->trigger();
            } else if (action == "delete") {
                click(row("a"));
                form->deleteAction()->trigger();
            } else {
                rename("a", action == "rename" ? "b" : ".live");
            }
        };
        if (setup == "read-only") {
            const UnprivilegedScope user;
            QVERIFY(user.isEffective());
            act();
        } else if (setup == "full-disk") {
            rlimit kept{};
            ::getrlimit(RLIMIT_FSIZE, &kept);
            rlimit full = kept;
            full.rlim_cur = 100; // no file grows beyond 100 bytes
            ::setrlimit(RLIMIT_FSIZE, &full);
            act();
            ::setrlimit(RLIMIT_FSIZE, &kept);
        } else {
            act();
        }
        QVERIFY(QFile::setPermissions(folder, QFileDevice::Permissions(0x7755)));
        // Prompts waiting for the event loop show now.
        QCoreApplication::processEvents();
        QCOMPARE(asked, prompt.isEmpty() ? QStringList() : QStringList{prompt});
        QVERIFY(!enterDeletes);
        QCOMPARE(filesOnDisk(), listing);
        QStringList rows;
        for (const QString& file : listing)
            rows << PresetFolder::shownName(file);
        QCOMPARE(names(), rows);
    }

    void renameOpenWhileTheWindowCloses() {
        writeFile(folder + "c.pfs", presetImage(words(30)));
        {
            // Closing the window ends the edit, which renames the file inside the closing window.
            QWidget window;
            form->setParent(&window);
            QComputerForm* panel = form.release();
            window.show();
            QApplication::setActiveWindow(&window);
            QVERIFY(QTest::qWaitForWindowActive(&window));
            QComputerItem* item = panel->items().value(0);
            QVERIFY(item);
            click(item);
            panel->renameAction()->trigger();
            item->nameLabel()->Editor()->setText("finished");
            QTRY_VERIFY(item->nameLabel()->Editor()->hasFocus());
        }
        QCOMPARE(filesOnDisk(), QStringList{"finished.pfs"});
        QCOMPARE(readAll(folder + "finished.pfs"), presetImage(words(30)));
    }

    void addKeepsExistingFilesAndOpensTheFolder() {
        QTemporaryDir elsewhere;
        writeFile(folder + "live.pfs", presetImage(words(20)));
        writeFile(elsewhere.filePath("live.pfs"), presetImage(words(21)));
        writeFile(elsewhere.filePath("studio.take2.pfs"), presetImage(words(22)));
        writeFile(elsewhere.filePath("clean.pfs"), presetImage(words(23)));
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QCOMPARE(names(), QStringList{"live"});

        chosen = QStringList{elsewhere.filePath("live.pfs"), elsewhere.filePath("studio.take2.pfs"),
                             elsewhere.filePath("clean.pfs")};
        PromptCatcher prompts;
        form->addAction()->trigger();
        QCOMPARE(prompts.texts, QStringList{"'live.pfs' already exists"});
        QCOMPARE(prompts.titles, QStringList{"Prompt"});
        QCOMPARE(prompts.sizes, QList<QSize>{QSize(250, 80)});
        QCOMPARE(readAll(folder + "live.pfs"), presetImage(words(20)));
        QCOMPARE(readAll(folder + "studio.take2.pfs"), presetImage(words(22)));
        QCOMPARE(names(), QStringList({"clean", "live", "studio.take2"}));

        // The folder is opened as a local file, made again when it went missing.
        QList<QUrl> opened;
        form->setUrlOpener([&](const QUrl& url) { opened << url; });
        QVERIFY(QDir(folder).removeRecursively());
        form->openDirButton()->click();
        form->openDirAction()->trigger();
        QCOMPARE(opened, QList<QUrl>({QUrl::fromLocalFile(folder), QUrl::fromLocalFile(folder)}));
        QVERIFY(QDir(folder).exists());
        form->refreshButton()->click();
        QVERIFY(form->items().isEmpty());
    }
};

TALIX_WIDGET_TEST_MAIN(TestPresetBrowser)
#include "test_presetbrowser.moc"
