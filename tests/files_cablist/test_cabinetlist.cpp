#include "files/irfilereader.h"
#include "files/irskipreport.h"
#include "files/qcabinettypeform.h"
#include "files/qcabinettypeitem.h"
#include "files/qscrollareaframeselection.h"
#include "settings/parserxml.h"
#include "tests/files_backup/pedalsession.h"
#include "tests/files_ir/irfileimages.h"
#include "uikit/qmebasebutton.h"
#include "uikit/qmefocusring.h"
#include "uikit/qmemenu.h"
#include "uikit/qpromptdialog.h"
#include "virtualpedal/virtualpedal.h"

#include <QApplication>
#include <QDataStream>
#include <QDrag>
#include <QMimeData>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include <fnmatch.h>

#include <memory>

using virtualpedal::VirtualPedal;
using Bytes = std::vector<std::uint8_t>;

namespace {

const QString kDragFormat = QStringLiteral("caplist/text/uri-list");

// Parameters of every frame with this command code the pedal received, in order.
QList<Bytes> sent(std::uint8_t code) {
    QList<Bytes> out;
    for (const Bytes& frame : VirtualPedal::receivedFrames()) {
        if (frame.size() > 7 && frame[4] == code)
            out << Bytes(frame.begin() + 5, frame.end() - 2);
    }
    return out;
}

void mouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier, QPoint at = QPoint(20, 10)) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, at, widget->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : button, held, modifiers);
    QApplication::sendEvent(widget, &event);
}

void click(QWidget* widget, Qt::MouseButton button,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    mouse(widget, QEvent::MouseButtonPress, button, modifiers);
    mouse(widget, QEvent::MouseButtonRelease, button, modifiers);
}

struct Progress {
    int value;
    QString path;
    int type;
    bool operator==(const Progress& o) const {
        return value == o.value && path == o.path && type == o.type;
    }
};

} // namespace

class TestCabinetList final : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    IrFileReader irReader;
    std::unique_ptr<PedalSession> session;
    std::unique_ptr<QCabInetTypeForm> form;
    QStringList chooserFolders; // the folder each dialog opened in
    QStringList chosen;         // what the dialog answers
    QStringList asked;          // the prompts, in order
    QList<int> icons;           // and their icons
    int reply = QPromptDialog::ResultYes;

    QCabInetTypeItem* row(int slot) const { return form->items().at(slot); }

    QList<int> states() const {
        QList<int> out;
        for (QCabInetTypeItem* item : form->items())
            out << item->state();
        return out;
    }

    // Two user IRs on the pedal, read into the list as on connect.
    bool openWithUserIrs() {
        if (!session->open())
            return false;
        virtualpedal::PedalState state = VirtualPedal::snapshot();
        const char* names[] = {"Amp One", "Amp Five"};
        const int userSlots[] = {0, 4};
        for (int i = 0; i < 2; ++i) {
            state.userIr[std::size_t(userSlots[i])] = 1;
            state.irNames[std::size_t(userSlots[i])].fill(0);
            std::copy(names[i], names[i] + qstrlen(names[i]),
                      state.irNames[std::size_t(userSlots[i])].begin());
        }
        VirtualPedal::setState(state);
        session->writeThread().requestIrList();
        return QTest::qWaitFor([this] { return row(4)->name() == "Amp Five"; }, 10000);
    }

    // A list on a new pedal session, whose faults take effect from its first open.
    void start(const PedalSession::Environment& faults = {}) {
        form.reset();
        session.reset();
        session = std::make_unique<PedalSession>(faults);
        session->writeThread().setIrFileLoader(&irReader);
        form = std::make_unique<QCabInetTypeForm>();
        form->setDragFormat(kDragFormat);
        chooserFolders.clear();
        chosen.clear();
        form->setFileChooser(
            [this](QWidget*, const QString& caption, const QString& folder, const QString& filter) {
                chooserFolders << folder;
                [&] {
                    QCOMPARE(caption, QStringLiteral("Select one or more files to open"));
                    QCOMPARE(filter, QCabInetTypeForm::irFileFilter());
                }();
                return chosen;
            });
        form->setParser(&session->analysis());
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    // Starts an import from `row` (0-based) and waits for its end; true when it ended.
    bool importFrom(int row, const QStringList& paths, int timeoutMs = 20000) {
        click(this->row(row), Qt::LeftButton);
        chosen = paths;
        // Queued after the list's own handler, as the window's are.
        bool ended = false;
        const QMetaObject::Connection watch =
            connect(&session->writeThread(), &QUsbWriteThread::emitImportIrProgress, form.get(),
                    [&ended](int, QString, int type) { ended |= type != 0; });
        form->importAction()->trigger();
        const bool done = QTest::qWaitFor([&ended] { return ended; }, timeoutMs);
        disconnect(watch);
        return done;
    }

    QString goodFile(const QString& name) {
        using namespace IrFileImages;
        Wave layout;
        for (int j = 0; j < 2048; ++j)
            putSample(layout.samples, 16, (j * 37) % 30000 - 15000);
        return writeFile(dir.filePath(name), wave(layout));
    }

private slots:
    void init() {
        QFile::remove(ParserXML::SettingsPath());
        asked.clear();
        icons.clear();
        reply = QPromptDialog::ResultYes;
        QPromptDialog::SetAnswerHook([this](const QPromptDialog& prompt) {
            asked << prompt.Text();
            icons << prompt.IconKind();
            return prompt.ButtonSet() == QPromptDialog::ButtonsYesNo
                       ? reply
                       : int(QPromptDialog::ResultClose);
        });
        start();
    }

    void cleanup() {
        QPromptDialog::SetAnswerHook(nullptr);
        form.reset();
        session.reset();
    }

    void disconnectedPedalPromptsAndSendsNothing() {
        QSignalSpy prompts(form.get(), &QCabInetTypeForm::emitPromptDisConnect);
        const DeviceState before = *session->analysis().deviceState();
        chosen << dir.filePath("never.wav");
        form->downloadButton()->click();
        form->actDelete();
        form->actCABLeft();
        form->actCABRight();
        QCOMPARE(prompts.count(), 4);
        QVERIFY(chooserFolders.isEmpty());
        QCOMPARE(session->analysis().deviceState()->current, before.current);
        QCOMPARE(session->analysis().deviceState()->userIr, before.userIr);
    }

    void selectionMenuAndDelete() {
        QVERIFY(openWithUserIrs());
        QCOMPARE(row(0)->name(), QStringLiteral("Amp One"));
        QCOMPARE(row(1)->name(), QStringLiteral("A15 1x12"));
        QCOMPARE(row(9)->number(), 10);
        QVERIFY(form->deleteButton()->isEnabled()); // first row current, holds a user IR

        // Hover shows on normal rows only.
        QEvent enter(QEvent::Enter);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(row(3), &enter);
        QApplication::sendEvent(row(0), &enter);
        QCOMPARE(states(), QList<int>({2, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}));
        QApplication::sendEvent(row(3), &leave);
        QApplication::sendEvent(row(0), &leave);
        QCOMPARE(states(), QList<int>({2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));

        click(row(1), Qt::LeftButton);
        QCOMPARE(states(), QList<int>({0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
        QCOMPARE(form->currentItem(), row(1));
        QVERIFY(!form->deleteButton()->isEnabled());

        // Ctrl toggles; the delete button follows every selected slot.
        QSignalSpy ctrl(row(4), &QBaseItem::emitMouseCtrlPress);
        click(row(4), Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(row(4)->state(), 2);
        QVERIFY(form->deleteButton()->isEnabled());
        click(row(4), Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(row(4)->state(), 0);
        QVERIFY(!form->deleteButton()->isEnabled());
        QCOMPARE(ctrl.count(), 2);
        QCOMPARE(form->currentItem(), row(1));

        // Shift-left only reports itself.
        QSignalSpy shift(row(7), &QBaseItem::emitMouseShiftPress);
        QSignalSpy press(row(7), &QBaseItem::emitMousePress);
        click(row(7), Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(shift.count(), 1);
        QCOMPARE(press.count(), 0);
        QCOMPARE(states(), QList<int>({0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0}));

        // Right on a selected row keeps the selection; Delete follows the selected slots.
        click(row(4), Qt::LeftButton, Qt::ControlModifier);
        QSignalSpy rightPress(row(4), &QBaseItem::emitMousePress);
        click(row(4), Qt::RightButton);
        QCOMPARE(rightPress.count(), 0);
        QCOMPARE(states(), QList<int>({0, 2, 0, 0, 2, 0, 0, 0, 0, 0, 0}));
        QVERIFY(form->contextMenu()->isVisible());
        QVERIFY(form->deleteAction()->isEnabled());
        form->contextMenu()->hide();

        // Right on an unselected row selects it alone.
        click(row(9), Qt::RightButton, Qt::ControlModifier);
        QCOMPARE(row(9)->state(), 2);
        click(row(8), Qt::RightButton);
        QCOMPARE(states(), QList<int>({0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0}));
        QCOMPARE(form->currentItem(), row(8));
        QVERIFY(form->contextMenu()->isVisible());
        QVERIFY(!form->deleteAction()->isEnabled());
        const QList<QAction*> actions = form->contextMenu()->actions();
        QCOMPARE(actions.size(), 4);
        QCOMPARE(actions.at(0)->text(), QStringLiteral("Import"));
        QCOMPARE(actions.at(3)->text(), QStringLiteral("CAB B(Right)"));
        form->contextMenu()->hide();

        // Three rows selected: one delete each, in slot order, whatever order they were chosen.
        click(row(6), Qt::LeftButton);
        click(row(0), Qt::LeftButton, Qt::ControlModifier);
        click(row(4), Qt::LeftButton, Qt::ControlModifier);
        VirtualPedal::clearReceivedFrames();
        form->deleteAction()->trigger();
        QCOMPARE(sent(0xE4), QList<Bytes>({{0}, {4}, {6}}));
        QCOMPARE(states(), QList<int>({0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0}));
        QCOMPARE(row(0)->name(), QStringLiteral("65DLX 1x12 "));
        QCOMPARE(row(4)->name(), QStringLiteral("59Baseman 4x10"));
        QVERIFY(!session->analysis().hasUserIr(0));
        QTRY_VERIFY(VirtualPedal::snapshot().userIr[4] == 0);
        QCOMPARE(row(0)->name(), QStringLiteral("65DLX 1x12 "));
        QVERIFY(!form->deleteButton()->isEnabled());
    }

    // The list by key: the arrows move and select as a click does, with Shift they extend the
    // selection from the current row, Space toggles as Ctrl+click does, Enter, the menu key and
    // Shift+F10 open the menu at the row, Delete deletes as the menu does.
    void keys() {
        QVERIFY(openWithUserIrs());
        struct Step {
            int key;
            Qt::KeyboardModifiers modifiers;
            int focus;
            QList<int> selected;
            int current;
            QList<Bytes> deleted;
        };
        const Qt::KeyboardModifiers none = Qt::NoModifier;
        const QList<Step> steps{
            {Qt::Key_Up, none, 0, {0}, 0, {}},
            {Qt::Key_Down, none, 1, {1}, 1, {}},
            {Qt::Key_Down, none, 2, {2}, 2, {}},
            {Qt::Key_Down, Qt::ShiftModifier, 3, {2, 3}, 2, {}},
            {Qt::Key_Down, Qt::ShiftModifier, 4, {2, 3, 4}, 2, {}},
            {Qt::Key_Up, Qt::ShiftModifier, 3, {2, 3}, 2, {}},
            {Qt::Key_Space, none, 3, {2}, 2, {}},
            // No selected slot holds a user IR: Delete does nothing, as the menu's is disabled.
            {Qt::Key_Delete, none, 3, {2}, 2, {}},
            {Qt::Key_Down, none, 4, {4}, 4, {}},
            {Qt::Key_Space, none, 4, {}, 4, {}},
            {Qt::Key_Space, none, 4, {4}, 4, {}},
            {Qt::Key_Delete, none, 4, {4}, 4, {{4}}},
        };
        QWidget* focus = row(0);
        focus->setFocus(Qt::TabFocusReason);
        for (const Step& step : steps) {
            VirtualPedal::clearReceivedFrames();
            QTest::keyClick(focus, Qt::Key(step.key), step.modifiers);
            focus = form->focusWidget();
            QCOMPARE(focus, row(step.focus));
            QList<int> selected;
            for (int slot = 0; slot < form->items().size(); ++slot) {
                if (row(slot)->isSelected())
                    selected << slot;
            }
            QCOMPARE(selected, step.selected);
            QCOMPARE(form->currentItem(), row(step.current));
            QCOMPARE(sent(0xE4), step.deleted);
        }
        QCOMPARE(row(4)->name(), QStringLiteral("59Baseman 4x10"));

        // The menu opens below the row that has the keyboard, not at the pointer, with its first
        // usable item highlighted; opened by the mouse, with none.
        QMEFocusRing::Install(1);
        QMenu* menu = form->contextMenu();
        QAction* first = menu->actions().first(); // Import, always offered
        const QList<QPair<Qt::Key, Qt::KeyboardModifiers>> menuKeys{
            {Qt::Key_Return, none}, {Qt::Key_Menu, none}, {Qt::Key_F10, Qt::ShiftModifier}};
        for (const auto& key : menuKeys) {
            QTest::keyClick(row(3), key.first, key.second);
            QVERIFY(menu->isVisible());
            QCOMPARE(menu->activeAction(), first);
            QCOMPARE(form->currentItem(), row(3));
            QVERIFY(qAbs(menu->y() - row(3)->mapToGlobal(QPoint()).y()) <= 40);
            menu->hide();
        }
        click(row(3), Qt::RightButton);
        QVERIFY(menu->isVisible());
        QCOMPARE(menu->activeAction(), nullptr);
        menu->hide();
    }

    void assignAndMarks() {
        QVERIFY(session->open());
        VirtualPedal::clearReceivedFrames();
        auto marks = [this] {
            QList<int> out;
            for (QCabInetTypeItem* item : form->items())
                out << item->mark();
            return out;
        };
        click(row(3), Qt::LeftButton);
        form->cabLeftAction()->trigger();
        click(row(10), Qt::LeftButton);
        form->cabRightAction()->trigger();
        QCOMPARE(sent(0x93), QList<Bytes>({{0, 0, 3}, {1, 0, 10}}));
        QCOMPARE(marks(), QList<int>({0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 2}));
        click(row(3), Qt::LeftButton);
        form->actCABRight();
        QCOMPARE(marks(), QList<int>({0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0}));

        // The menu acts on the row it was opened on, also a selected row that was not current.
        click(row(7), Qt::LeftButton, Qt::ControlModifier);
        click(row(7), Qt::RightButton);
        form->contextMenu()->hide();
        QCOMPARE(form->currentItem(), row(7));
        QCOMPARE(states(), QList<int>({0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0}));
        VirtualPedal::clearReceivedFrames();
        form->cabLeftAction()->trigger();
        QCOMPARE(sent(0x93), QList<Bytes>({{0, 0, 7}}));

        // A slot the pedal reports beyond the list marks no row.
        VirtualPedal::pushAnswer(0x93, {0, 0, 40});
        QTRY_COMPARE(marks(), QList<int>({0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0}));
    }

    void dragCarriesTheSlot() {
        QList<QPair<QString, QByteArray>> drags;
        QSize picture;
        QPoint hotSpot;
        form->setDragRunner([&](QDrag* drag) {
            drags << qMakePair(drag->mimeData()->text(), drag->mimeData()->data(kDragFormat));
            picture = drag->pixmap().size() / drag->pixmap().devicePixelRatio();
            hotSpot = drag->hotSpot();
        });
        // A name cut to the row carries the full name as tool tip.
        const QString longName = QString(40, 'W');
        row(6)->setName(longName);
        QVERIFY(row(6)->shownName().endsWith(QChar(0x2026)));
        QCOMPARE(row(6)->toolTip(), longName);
        QCOMPARE(row(5)->toolTip(), QString());
        QCOMPARE(row(5)->shownName(), row(5)->name());

        QCabInetTypeItem* item = row(6);
        mouse(item, QEvent::MouseButtonPress, Qt::LeftButton);
        mouse(item, QEvent::MouseMove, Qt::LeftButton, Qt::NoModifier, QPoint(21, 11));
        QVERIFY(drags.isEmpty()); // within the start distance
        const QPoint far(20 + QApplication::startDragDistance() + 1, 10);
        mouse(item, QEvent::MouseMove, Qt::LeftButton, Qt::NoModifier, far);
        mouse(item, QEvent::MouseMove, Qt::LeftButton, Qt::NoModifier, far + QPoint(9, 0));
        QCOMPARE(drags.size(), 1); // one press, one drag
        QCOMPARE(drags.first().first, QStringLiteral("7"));
        QCOMPARE(drags.first().second, QByteArray::fromHex("00000006"));
        QDataStream stream(drags.first().second);
        qint32 index = -1;
        stream >> index;
        QCOMPARE(index, 6);
        QCOMPARE(picture, item->size());
        QCOMPARE(hotSpot, QPoint(item->width() / 2, item->height() / 2));
    }

    void importReportsSkippedFiles() {
        using namespace IrFileImages;
        QVERIFY(session->open());
        QList<Progress> progress;
        connect(&session->writeThread(), &QUsbWriteThread::emitImportIrProgress, form.get(),
                [&](int value, QString path, int type) {
                    progress << Progress{value, path, type};
                });
        const QString a = writeFile(dir.filePath("A.wav"), "not audio at all, only words");
        const QString b = goodFile("Bright.v2.wav");
        const QString c = goodFile("Crunch.wav");
        click(row(2), Qt::LeftButton);
        chosen = QStringList{a, b, c};
        VirtualPedal::clearReceivedFrames();
        form->importAction()->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!progress.isEmpty() && progress.last().type != 0, 20000);

        QCOMPARE(chooserFolders, QStringList{"/."});
        QCOMPARE(asked,
                 QStringList{"These files were not imported:\nA.wav: not a WAVE or GIR file"});
        QCOMPARE(form->skippedFiles().size(), 1);
        QCOMPARE(form->skippedFiles().first().path, a);

        const virtualpedal::PedalState pedal = VirtualPedal::snapshot();
        QCOMPARE(int(pedal.userIr[2]), 1);
        QCOMPARE(int(pedal.userIr[3]), 1);
        QCOMPARE(int(pedal.userIr[4]), 0);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(pedal.irNames[2].data())), "Bright");
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(pedal.irNames[3].data())), "Crunch");
        QVector<int> irSlots;
        for (const Bytes& p : sent(0xE2))
            irSlots << p[0];
        QCOMPARE(irSlots, QVector<int>(13, 2) + QVector<int>(13, 3));

        // The designed progress: the skipped file only advances the value.
        QList<Progress> expected;
        const float share = 100.0f / 3;
        int value = int(0.0f + share);
        for (const QString& path : {b, c}) {
            for (int packet = 0; packet < 12; ++packet) {
                value = int(float(value) + share / 5 / 3);
                expected << Progress{value, path, 0};
            }
            value = int(float(value) + share / 5);
            expected << Progress{value, path, 0} << Progress{value, path, 0};
        }
        expected << Progress{100, QString(), 0} << Progress{100, QString(), 2};
        QCOMPARE(progress, expected);

        // The folder of the chosen files is remembered; a cancelled dialog keeps it.
        QCOMPARE(QCabInetTypeForm::irFolder(), dir.path());
        ParserXML::WriteValue("Ir_Path_Item", "Ir_path_Value", "/elsewhere");
        chosen.clear();
        form->onDownload();
        QCOMPARE(chooserFolders, QStringList({"/.", "/elsewhere"}));
        QCOMPARE(QCabInetTypeForm::irFolder(), QStringLiteral("/elsewhere"));
        QCOMPARE(asked.size(), 1);
    }

    // Readable files beyond the last slot are asked about before anything is sent, and named
    // in the report when the user goes on.
    void importCountRule_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("unreadable"); // files that come first and are not IR files
        QTest::addColumn<int>("readable");
        QTest::addColumn<int>("reply");
        QTest::addColumn<QStringList>("prompts");
        QTest::addColumn<QList<int>>("written");
        const int yes = QPromptDialog::ResultYes;
        const QString fit = "Only %1 of the %2 files fit from slot %3 on (the pedal has 11 slots). "
                            "Import the first %1?";
        const QString skipped = "These files were not imported:";
        QTest::newRow("three from row 11")
            << 11 << 0 << 3 << yes
            << QStringList{fit.arg(1).arg(3).arg(11),
                           skipped + "\nfile2.wav: no free slot\nfile3.wav: no free slot"}
            << QList<int>{10};
        QTest::newRow("twelve from row 1")
            << 1 << 0 << 12 << yes
            << QStringList{fit.arg(11).arg(12).arg(1), skipped + "\nfile12.wav: no free slot"}
            << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        QTest::newRow("an unreadable file takes no slot")
            << 10 << 1 << 2 << yes << QStringList{skipped + "\nfile1.wav: not a WAVE or GIR file"}
            << QList<int>{9, 10};
        QTest::newRow("answered No") << 11 << 0 << 2 << int(QPromptDialog::ResultNo)
                                     << QStringList{fit.arg(1).arg(2).arg(11)} << QList<int>();
    }

    void importCountRule() {
        QFETCH(int, row);
        QFETCH(int, unreadable);
        QFETCH(int, readable);
        QFETCH(int, reply);
        QFETCH(QStringList, prompts);
        QFETCH(QList<int>, written);
        QVERIFY(session->open());
        QStringList paths;
        for (int i = 1; i <= unreadable + readable; ++i) {
            const QString name = QStringLiteral("file%1.wav").arg(i);
            paths << (i <= unreadable ? IrFileImages::writeFile(dir.filePath(name), "words")
                                      : goodFile(name));
        }
        this->reply = reply;
        VirtualPedal::clearReceivedFrames();
        if (reply == QPromptDialog::ResultYes) {
            QVERIFY(importFrom(row - 1, paths));
        } else {
            importFrom(row - 1, paths, 0);
            QVERIFY(!session->writeThread().isWorkerRunning());
        }
        QCOMPARE(asked, prompts);
        QList<int> used;
        for (const Bytes& p : sent(0xE2))
            if (!used.contains(p[0]))
                used << p[0];
        QCOMPARE(used, written);
        for (int slot = 0; slot < QCabInetTypeForm::kSlotCount; ++slot)
            QCOMPARE(int(VirtualPedal::snapshot().userIr[std::size_t(slot)]),
                     int(written.contains(slot)));
    }

    // The desktops' dialogs match the filter's patterns as globs: every case, nothing else.
    void irFilterMatchesEveryCase() {
        const QStringList globs =
            QCabInetTypeForm::irFileFilter().section('(', 1).chopped(1).split(' ');
        auto shown = [&globs](const char* name) {
            return std::any_of(globs.begin(), globs.end(), [name](const QString& glob) {
                return ::fnmatch(qPrintable(glob), name, 0) == 0;
            });
        };
        for (const char* name : {"cab.wav", "CAB.WAV", "x.wAv", "amp.gir", "AMP.Gir"})
            QVERIFY2(shown(name), name);
        for (const char* name : {"a.wave", "a.wav.txt", "live.pfs"})
            QVERIFY2(!shown(name), name);
    }

    // The pedal fails the upload of the first file: the prompt names it and what happened, and
    // the list shows what the pedal reports now, or "Unknown" until it can.
    void failedImportRereadsNames_data() {
        QTest::addColumn<QByteArray>("fault");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("prompt");
        const QString skipped =
            "These files were not imported:\nBroken.wav: not a WAVE or GIR file";
        QTest::newRow("name packet unanswered")
            << QByteArray("TALIX_VP_DROP_IR_ACK") << QByteArray("12")
            << "The import stopped at Warm.wav: the pedal stopped answering.\n" + skipped;
        QTest::newRow("pedal unplugged")
            << QByteArray("TALIX_VP_UNPLUG_ON") << QByteArray("0xE2")
            << "The import stopped at Warm.wav: the connection to the pedal was lost.\n" + skipped +
                   "\nThe slot names are read again when the pedal is connected.";
    }

    void failedImportRereadsNames() {
        QFETCH(QByteArray, fault);
        QFETCH(QByteArray, value);
        QFETCH(QString, prompt);
        start({{fault, value}});
        const bool unplugged = fault == "TALIX_VP_UNPLUG_ON";
        // The unanswered packet's wait runs to its end: shorter than the editor's 5 s.
        if (!unplugged)
            session->writeThread().setAnswerTimeout(1000);
        QVERIFY(openWithUserIrs());
        QVERIFY(importFrom(1, {IrFileImages::writeFile(dir.filePath("Broken.wav"), "words"),
                               goodFile("Warm.wav"), goodFile("Tight.wav")}));
        QCOMPARE(asked, QStringList{prompt});
        QCOMPARE(icons, QList<int>{QPromptDialog::IconError});
        if (unplugged) {
            QVERIFY(form->namesUnknown());
            QCOMPARE(row(4)->name(), QStringLiteral("Unknown"));
            // The next connect reads the names.
            QVERIFY(VirtualPedal::replug());
            QVERIFY(session->open());
            session->writeThread().requestIrList();
        }
        // The pedal kept the name packet it did not acknowledge.
        QTRY_COMPARE(row(1)->name(),
                     unplugged ? QStringLiteral("A15 1x12") : QStringLiteral("Warm"));
        QVERIFY(!form->namesUnknown());
        QCOMPARE(row(4)->name(), QStringLiteral("Amp Five"));
        QCOMPARE(row(2)->name(), QStringLiteral("Twinverb.B 2x12"));
    }

    void skipReasons_data() {
        using namespace IrFileImages;
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<int>("reason");
        Wave good;
        good.samples = QByteArray(4096, '\x10');
        Wave slow = good;
        slow.rate = 22050;
        Wave twelveBit = good;
        twelveBit.bits = 12;
        Gir gir;
        gir.samples = QVector<float>(16, 0.25f);
        Gir shortGir = gir;
        shortGir.lengthAdjust = -1;
        QTest::newRow("text") << QByteArray("hello") << int(IrSkipReason::NotIrFile);
        QTest::newRow("empty") << QByteArray() << int(IrSkipReason::NotIrFile);
        QTest::newRow("other RIFF") << QByteArray("RIFF\x20\0\0\0AVI LIST").append(30, '\0')
                                    << int(IrSkipReason::NotIrFile);
        QTest::newRow("22050 Hz") << wave(slow) << int(IrSkipReason::Unsupported);
        QTest::newRow("12-bit") << wave(twelveBit) << int(IrSkipReason::Unsupported);
        QTest::newRow("WAVE cut in its header")
            << wave(good).left(20) << int(IrSkipReason::Damaged);
        QTest::newRow("RIFF cut before WAVE")
            << QByteArray("RIFF\x20\0") << int(IrSkipReason::Damaged);
        QTest::newRow("WAVE without data") << wave(good).left(36) << int(IrSkipReason::Damaged);
        QTest::newRow("GIR length word")
            << IrFileImages::gir(shortGir) << int(IrSkipReason::Damaged);
        QTest::newRow("GIR cut") << IrFileImages::gir(gir).left(30) << int(IrSkipReason::Damaged);
        QTest::newRow("missing") << QByteArray("<missing>") << int(IrSkipReason::NotOpened);
    }

    void skipReasons() {
        QFETCH(QByteArray, image);
        QFETCH(int, reason);
        QString path = dir.filePath("reason.wav");
        QFile::remove(path);
        if (image == "<missing>")
            path = dir.filePath("no such file.wav");
        else
            IrFileImages::writeFile(path, image);
        IrFileReader reader;
        std::vector<uint32_t> samples;
        QVERIFY(!reader.load(path, samples));
        QCOMPARE(int(reader.lastFailure()), reason);
        QVERIFY(!IrSkipReport::reasonText(reason).isEmpty());
    }

    void frameSelectionScrollsAtTheEdges() {
        QScrollAreaFrameSelection* area = form->scrollArea();
        QScrollBar* bar = area->verticalScrollBar();
        QVERIFY(bar->isVisible()); // eleven rows do not fit
        QCOMPARE(bar->value(), 0);
        QSignalSpy frames(area, &QScrollAreaFrameSelection::emitSelectPtChange);
        QSignalSpy shown(area, &QScrollAreaFrameSelection::emitScrollBarShow);

        QCabInetTypeItem* item = row(2);
        mouse(item, QEvent::MouseButtonPress, Qt::LeftButton);
        QVERIFY(area->isFrameHeld());
        const QPoint start = item->mapTo(area->widget(), QPoint(20, 10));
        QCOMPARE(area->selectionFrame(), QRect(start, start));
        // Below the visible area: the frame ends at its bottom edge, and the list scrolls.
        const int below =
            area->viewport()->height() + 30 - item->mapTo(area->viewport(), QPoint()).y();
        mouse(item, QEvent::MouseMove, Qt::LeftButton, Qt::NoModifier, QPoint(20, below));
        QCOMPARE(frames.last().at(1).toPoint().y(), area->viewport()->height() - 1);
        QTRY_VERIFY(bar->value() >= 2 * QScrollAreaFrameSelection::kScrollStep ||
                    bar->value() == bar->maximum());
        QCOMPARE(bar->value() % QScrollAreaFrameSelection::kScrollStep == 0 ||
                     bar->value() == bar->maximum(),
                 true);
        QCOMPARE(frames.last().at(1).toPoint().y(), area->viewport()->height() - 1 + bar->value());
        mouse(item, QEvent::MouseButtonRelease, Qt::LeftButton);
        QVERIFY(!area->isFrameHeld());

        // Room for every row hides the bar.
        area->resize(area->width(), 11 * QCabInetTypeItem::kRowHeight + 20);
        QTRY_COMPARE(shown.count(), 1);
        QCOMPARE(shown.first().first().toBool(), false);
    }
};

int main(int argc, char** argv) {
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    QApplication app(argc, argv);
    TestCabinetList test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_cabinetlist.moc"
