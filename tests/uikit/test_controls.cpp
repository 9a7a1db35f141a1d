#include "testenv.h"
#include "uikit/qmebasebutton.h"
#include "uikit/qmecheckbox.h"
#include "uikit/qmecircleslider.h"
#include "uikit/qmecombobox.h"
#include "uikit/qmeintlineedit.h"
#include "uikit/qmemenu.h"
#include "uikit/qmeprogressindicator.h"
#include "uikit/qmescrollbar.h"
#include "uikit/qmescrollbarstyle.h"
#include "uikit/qmespinbox.h"
#include "uikit/retractlabel.h"

#include <QDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyleOptionSlider>
#include <QWheelEvent>
#include <cmath>

Q_DECLARE_METATYPE(QMouseEvent*)

namespace {

void wheel(QWidget* w, int delta) {
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    QWheelEvent event(at, w->mapToGlobal(at.toPoint()), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &event);
}

// Deletes its target from a slot, as an owner rebuilding its rows does.
class Deleter : public QObject {
    Q_OBJECT
public:
    QWidget* target = nullptr;

public slots:
    void Delete() { delete target; }
};

} // namespace

class TestControls final : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void initTestCase() { qRegisterMetaType<QMouseEvent*>(); }

    void buttonStripMakesOneFrameButton_data() const {
        QTest::addColumn<QSize>("strip");
        QTest::addColumn<QSize>("button");
        QTest::newRow("400 wide") << QSize(400, 30) << QSize(100, 30);
        QTest::newRow("odd width") << QSize(130, 22) << QSize(32, 22);
    }

    void buttonStripMakesOneFrameButton() const {
        QFETCH(QSize, strip);
        QFETCH(QSize, button);
        QMEBaseButton b;
        b.resize(7, 7);
        QVERIFY(b.SetButtonImage(saveImage(m_dir, "strip.png", strip)));
        QCOMPARE(b.size(), button);
        QVERIFY(!b.SetButtonImage(m_dir.filePath("missing.png")));
        QCOMPARE(b.size(), button);
    }

    void frameRects() const {
        QCOMPARE(QMEBaseButtonDraw::FrameRect(QSize(400, 30), 0), QRect(0, 0, 100, 30));
        QCOMPARE(QMEBaseButtonDraw::FrameRect(QSize(400, 30), 2), QRect(200, 0, 100, 30));
        QCOMPARE(QMEBaseButtonDraw::FrameRect(QSize(400, 30), 3), QRect(300, 0, 100, 30));
    }

    void buttonDrawTransitions_data() const {
        QTest::addColumn<QString>("events");
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("frame");
        // e enter, l leave, p press, r release, R release while checked, d disable, n enable,
        // f fix the state
        QTest::newRow("start") << "" << 0 << 0;
        QTest::newRow("enter") << "e" << 1 << 1;
        QTest::newRow("enter leave") << "el" << 0 << 0;
        QTest::newRow("press") << "ep" << 2 << 2;
        QTest::newRow("leave while pressed keeps pressed") << "epl" << 2 << 2;
        QTest::newRow("release") << "epr" << 0 << 0;
        QTest::newRow("release checked") << "epR" << 1 << 2;
        QTest::newRow("disabled") << "ed" << 3 << 3;
        QTest::newRow("disabled ignores input") << "depre" << 3 << 3;
        QTest::newRow("enabled again") << "dn" << 0 << 0;
        QTest::newRow("fixed keeps hover on leave") << "efl" << 1 << 1;
        QTest::newRow("fixed keeps pressed on release") << "fpr" << 2 << 2;
    }

    void buttonDrawTransitions() const {
        QFETCH(QString, events);
        QFETCH(int, state);
        QFETCH(int, frame);
        QMEBaseButtonDraw draw;
        bool enabled = true;
        bool checked = false;
        for (const QChar c : events) {
            switch (c.toLatin1()) {
            case 'e':
                draw.Enter(enabled);
                break;
            case 'l':
                draw.Leave(enabled);
                break;
            case 'p':
                draw.Press(enabled);
                break;
            case 'r':
                draw.Release(enabled, false);
                break;
            case 'R':
                checked = true;
                draw.Release(enabled, true);
                break;
            case 'd':
                enabled = false;
                draw.EnabledChanged(false);
                break;
            case 'n':
                enabled = true;
                draw.EnabledChanged(true);
                break;
            case 'f':
                draw.SetFixedState(true);
                break;
            }
        }
        QCOMPARE(draw.State(), state);
        QCOMPARE(draw.Frame(checked), frame);
    }

    void buttonWidgetSignalsAndStates() const {
        QMEBaseButton b;
        b.SetButtonImage(saveImage(m_dir, "strip.png", QSize(400, 30)));
        b.SetTextColor(QMEBaseButtonDraw::StatePressed, QColor(112, 154, 255));
        b.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b));
        QSignalSpy down(&b, &QMEBaseButton::mouseDown);
        QSignalSpy release(&b, &QMEBaseButton::mouseRelease);
        QSignalSpy clicked(&b, &QMEBaseButton::clicked);
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(&b, &enter);
        QCOMPARE(b.State(), 1);
        QTest::mousePress(&b, Qt::LeftButton, Qt::NoModifier, QPoint(37, 10));
        QCOMPARE(b.State(), 2);
        QCOMPARE(b.Draw().CurrentTextColor(), QColor(112, 154, 255));
        QCOMPARE(down.count(), 1);
        QCOMPARE(down.at(0).at(1).toInt(), 37);
        QTest::mouseRelease(&b, Qt::LeftButton, Qt::NoModifier, QPoint(40, 10));
        QCOMPARE(release.count(), 1);
        QCOMPARE(release.at(0).at(1).toInt(), 40);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(b.State(), 0);

        b.setCheckable(true);
        QTest::mouseClick(&b, Qt::LeftButton);
        QVERIFY(b.isChecked());
        QCOMPARE(b.State(), 1);
        QCOMPARE(b.Draw().Frame(b.isChecked()), 2);
        b.setEnabled(false);
        QCOMPARE(b.State(), 3);
    }

    void buttonDeletedByItsOwnSignal_data() const {
        QTest::addColumn<QByteArray>("signal");
        QTest::addColumn<int>("event");
        QTest::newRow("mouseDown")
            << QByteArray(SIGNAL(mouseDown(QMouseEvent*, int))) << int(QEvent::MouseButtonPress);
        QTest::newRow("mouseRelease") << QByteArray(SIGNAL(mouseRelease(QMouseEvent*, int)))
                                      << int(QEvent::MouseButtonRelease);
        QTest::newRow("mouseMove")
            << QByteArray(SIGNAL(mouseMove(QMouseEvent*, int))) << int(QEvent::MouseMove);
        QTest::newRow("mouseEnter")
            << QByteArray(SIGNAL(mouseEnter(QEvent*))) << int(QEvent::Enter);
        QTest::newRow("mouseLeave")
            << QByteArray(SIGNAL(mouseLeave(QEvent*))) << int(QEvent::Leave);
    }

    void buttonDeletedByItsOwnSignal() const {
        QFETCH(QByteArray, signal);
        QFETCH(int, event);
        QWidget owner;
        auto* button = new QMEBaseButton(&owner);
        button->SetButtonImage(saveImage(m_dir, "strip.png", QSize(400, 30)));
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        const QPoint at(20, 10);
        if (event == QEvent::MouseButtonRelease) {
            QMouseEvent press(QEvent::MouseButtonPress, at, button->mapToGlobal(at), Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(button, &press);
        }
        Deleter deleter;
        deleter.target = button;
        QVERIFY(QObject::connect(button, signal.constData(), &deleter, SLOT(Delete())));
        const QPointer<QMEBaseButton> alive(button);
        const auto type = QEvent::Type(event);
        if (type == QEvent::Enter || type == QEvent::Leave) {
            QEvent plain(type);
            QCoreApplication::sendEvent(button, &plain);
        } else {
            const Qt::MouseButton changed =
                type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
            const Qt::MouseButtons held =
                type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
            QMouseEvent mouse(type, at, button->mapToGlobal(at), changed, held, Qt::NoModifier);
            QCoreApplication::sendEvent(button, &mouse);
        }
        // Reaching here without touching the freed button (the sanitizer build checks) is the test.
        QVERIFY(!alive);
    }

    void dialDefaults() const {
        QMECircleSlider dial;
        QCOMPARE(dial.dotCount(), 13);
        QCOMPARE(dial.dotRadius(), 2);
        QCOMPARE(dial.contraAngle(), 60);
        QCOMPARE(dial.wheelStep(), 1);
        QCOMPARE(dial.valueColor(), QColor(37, 207, 160));
        QCOMPARE(dial.arcValueWidth(), 2.5);
        QCOMPARE(dial.noValueColor(), QColor(102, 102, 102));
        QCOMPARE(dial.minimum(), 0);
        QCOMPARE(dial.maximum(), 100);
        QCOMPARE(dial.needleStyle(), 1);
        QCOMPARE(dial.needleDistance(), 4);
        QCOMPARE(dial.property("contraAngle").toInt(), 60);
    }

    void dialBackgroundSizesTheControl() const {
        QMECircleSlider dial;
        dial.setBackgroundImage(QPixmap(46, 46));
        QCOMPARE(dial.size(), QSize(46, 46));
    }

    void dialPointerInput_data() const {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("value");
        const double t27 = std::tan(27.0 * M_PI / 180.0);
        const double t15 = std::tan(15.0 * M_PI / 180.0);
        // The dial is 101 x 101 with its centre at (50.5, 50.5); it starts at 50.
        QTest::newRow("straight below changes nothing") << QPoint(50, 90) << 50;
        QTest::newRow("just inside the left edge gives the minimum")
            << QPoint(int(std::lround(50.5 - 40 * t27 - 0.5)), 90) << 0;
        QTest::newRow("deep in the dead zone changes nothing")
            << QPoint(int(std::lround(50.5 - 40 * t15 - 0.5)), 90) << 50;
        QTest::newRow("just inside the right edge gives the maximum")
            << QPoint(int(std::lround(50.5 + 40 * t27 - 0.5)), 90) << 100;
        QTest::newRow("nine o'clock") << QPoint(10, 50) << 20;
        QTest::newRow("twelve o'clock") << QPoint(50, 10) << 50;
        QTest::newRow("three o'clock") << QPoint(90, 50) << 80;
    }

    void dialPointerInput() const {
        QFETCH(QPoint, at);
        QFETCH(int, value);
        QMECircleSlider dial;
        dial.resize(101, 101);
        dial.setValue(50);
        dial.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dial));
        QSignalSpy changed(&dial, &QMECircleSlider::valueChanged);
        QTest::mousePress(&dial, Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseRelease(&dial, Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(dial.value(), value);
        QCOMPARE(changed.count(), value == 50 ? 0 : 1);
        // Ignored positions keep the previous pointer angle.
        if (value == 50 && at != QPoint(50, 10))
            QCOMPARE(dial.pointerAngle(), 0.0);
    }

    void dialWheel() const {
        QMECircleSlider dial;
        dial.resize(50, 50);
        dial.setWheelStep(5);
        dial.setValue(97);
        wheel(&dial, 120);
        QCOMPARE(dial.value(), 100);
        wheel(&dial, 120);
        QCOMPARE(dial.value(), 100);
        dial.setWrapping(true);
        wheel(&dial, 120);
        QCOMPARE(dial.value(), 0);
        wheel(&dial, -120);
        QCOMPARE(dial.value(), 100);
        wheel(&dial, -120);
        QCOMPARE(dial.value(), 95);
        // A touchpad sends small deltas: eight of 15 make one notch and one step.
        dial.setWrapping(false);
        dial.setValue(50);
        QSignalSpy changed(&dial, &QDial::valueChanged);
        for (int i = 0; i < 12; ++i)
            wheel(&dial, 15);
        QCOMPARE(dial.value(), 55);
        QCOMPARE(changed.count(), 1);
        // 60 left over, then 180 back: one notch down.
        for (int i = 0; i < 12; ++i)
            wheel(&dial, -15);
        QCOMPARE(dial.value(), 50);
        QCOMPARE(changed.count(), 2);
        wheel(&dial, 240);
        QCOMPARE(dial.value(), 60);
        QCOMPARE(changed.count(), 3);
        dial.resize(100, 100);
        QTest::mousePress(&dial, Qt::LeftButton, Qt::NoModifier, QPoint(10, 50));
        QCOMPARE(dial.pointerAngle(), 60.0);
        QTest::mousePress(&dial, Qt::LeftButton, Qt::NoModifier, QPoint(50, 90));
        QCOMPARE(dial.pointerAngle(), 60.0);
        QCOMPARE(dial.value(), 20);
    }

    void dialDotsAtEnds() const {
        QMECircleSlider dial;
        dial.setArcMode(false);
        dial.setValue(0);
        QCOMPARE(dial.litDots(), 0);
        dial.setValue(100);
        QCOMPARE(dial.litDots(), 13);
        dial.setDotCount(7);
        QCOMPARE(dial.litDots(), 7);
        dial.setValue(50);
        QCOMPARE(dial.litDots(), 4);
    }

    void dialPaintsValueColour() const {
        QMECircleSlider dial;
        QPixmap face(60, 60);
        face.fill(Qt::black);
        dial.setBackgroundImage(face);
        dial.setArcMode(false);
        dial.setDotCount(2);
        dial.setDotRadius(3);
        dial.setValue(100);
        const QImage full = dial.grab().toImage();
        bool valueColourSeen = false;
        for (int y = 0; y < full.height() && !valueColourSeen; ++y)
            for (int x = 0; x < full.width() && !valueColourSeen; ++x)
                valueColourSeen = full.pixelColor(x, y) == QColor(37, 207, 160);
        QVERIFY(valueColourSeen);
        dial.setValue(0);
        const QImage none = dial.grab().toImage();
        for (int y = 0; y < none.height(); ++y)
            for (int x = 0; x < none.width(); ++x)
                QVERIFY(none.pixelColor(x, y) != QColor(37, 207, 160));
    }

    void spinBoxRepeatCounting() const {
        QMESpinBox spin;
        spin.SetButtonImages(saveImage(m_dir, "up.png", QSize(48, 10)),
                             saveImage(m_dir, "down.png", QSize(48, 10)));
        spin.setRange(0, 100);
        spin.setValue(10);
        QTest::mousePress(spin.UpButton(), Qt::LeftButton);
        QCOMPARE(spin.HeldDirection(), 1);
        for (int i = 0; i < 5; ++i)
            spin.OnRepeatTick();
        QCOMPARE(spin.value(), 10);
        spin.OnRepeatTick();
        QCOMPARE(spin.value(), 11);
        spin.OnRepeatTick();
        QCOMPARE(spin.value(), 12);
        QTest::mouseRelease(spin.UpButton(), Qt::LeftButton);
        QCOMPARE(spin.HeldDirection(), 0);
        // The release also completes a click: one more step.
        QCOMPARE(spin.value(), 13);
        spin.OnRepeatTick();
        QCOMPARE(spin.value(), 13);
    }

    void spinBoxRepeat_data() const {
        QTest::addColumn<QString>("end");
        QTest::newRow("released") << "release";
        QTest::newRow("release taken by a modal dialog") << "modal";
        QTest::newRow("hidden while held") << "hide";
    }

    // Presses go through the window, as the system's do, so the application knows the button.
    void spinBoxRepeat() const {
        QFETCH(QString, end);
        QWidget window;
        window.resize(200, 60);
        auto* spin = new QMESpinBox(&window);
        spin->SetButtonImages(saveImage(m_dir, "up.png", QSize(48, 10)),
                              saveImage(m_dir, "down.png", QSize(48, 10)));
        spin->setGeometry(10, 10, 100, 20);
        spin->setRange(0, 1000);
        spin->setValue(500);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QPoint down = spin->DownButton()->geometry().center() + spin->pos();
        QTest::mousePress(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, down);
        QCOMPARE(spin->HeldDirection(), -1);
        // Six ticks of 100 ms come before the first repeat.
        QTRY_VERIFY_WITH_TIMEOUT(spin->value() <= 498, 10000);
        if (end == "release") {
            QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, down);
        } else if (end == "modal") {
            QDialog modal;
            modal.setModal(true);
            modal.show();
            QVERIFY(QTest::qWaitForWindowExposed(&modal));
            QTest::mouseRelease(modal.windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
            QTRY_COMPARE_WITH_TIMEOUT(spin->HeldDirection(), 0, 10000);
        } else {
            spin->hide();
            QCOMPARE(spin->HeldDirection(), 0);
        }
        QCOMPARE(spin->HeldDirection(), 0);
        const int after = spin->value();
        // The timer is stopped; a hold left running would step every 100 ms.
        QSignalSpy changed(spin, QOverload<int>::of(&QSpinBox::valueChanged));
        QVERIFY(!changed.wait(1000));
        QCOMPARE(spin->value(), after);
    }

    void spinBoxWithoutImagesHasNoButtons() const {
        QMESpinBox spin;
        spin.setRange(0, 100);
        spin.setValue(10);
        spin.resize(80, 24);
        spin.show();
        QVERIFY(QTest::qWaitForWindowExposed(&spin));
        QVERIFY(!spin.UpButton()->isVisible());
        QVERIFY(!spin.DownButton()->isVisible());
        QTest::mouseClick(spin.windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(75, 4));
        QTest::mouseClick(spin.windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(75, 20));
        QCOMPARE(spin.value(), 10);
        spin.SetButtonImages(saveImage(m_dir, "up.png", QSize(48, 10)),
                             saveImage(m_dir, "down.png", QSize(48, 10)));
        QVERIFY(spin.UpButton()->isVisible());
        QCOMPARE(spin.UpButton()->geometry(), QRect(68, 2, 12, 10));
    }

    void spinBoxLook() const {
        QMESpinBox spin;
        QCOMPARE(spin.styleSheet(),
                 QString("QMESpinBox {background-color:transparent;border:none}"));
        QCOMPARE(spin.findChild<QLineEdit*>()->styleSheet(),
                 QString("QLineEdit {background-color:transparent;border:none; padding: 0px 0px "
                         "1px -2px}"));
    }

    void renameRefusesForbiddenCharacters_data() const {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("plain") << "My preset 2" << true;
        QTest::newRow("dots") << "a.b.c" << true;
        QTest::newRow("question mark") << "what?" << false;
        QTest::newRow("slash") << "a/b" << false;
        QTest::newRow("backslash") << "a\\b" << false;
        QTest::newRow("colon") << "c:" << false;
        QTest::newRow("star") << "*" << false;
        QTest::newRow("quote") << "say \"hi\"" << false;
        QTest::newRow("angles") << "<x>" << false;
        QTest::newRow("pipe") << "a|b" << false;
        QTest::newRow("leading dot") << ".live" << false;
    }

    void renameRefusesForbiddenCharacters() const {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QCOMPARE(RetractLabel::IsAcceptable(typed), accepted);
        RetractLabel label;
        label.SetName("Clean.pfs");
        label.StartRename();
        label.Editor()->setText(typed);
        QCOMPARE(label.Editor()->text(), accepted ? typed : QString("Clean.pfs"));
        QCOMPARE(label.AcceptedText(), accepted ? typed : QString("Clean.pfs"));
    }

    void nameChangeBeforeAnyRenameIsSafe() const {
        RetractLabel label;
        label.SetName("Clean.pfs");
        label.NameChange("bad?");
        QVERIFY(label.AcceptedText().isEmpty());
        label.NameChange("good");
        QCOMPARE(label.AcceptedText(), QString("good"));
        QVERIFY(!label.Editor());
    }

    void renameTypingQuestionMarkKeepsText() const {
        RetractLabel label;
        label.SetName("Rock");
        label.show();
        label.StartRename();
        label.Editor()->end(false);
        QTest::keyClicks(label.Editor(), "y");
        QCOMPARE(label.Editor()->text(), QString("Rocky"));
        QTest::keyClicks(label.Editor(), "?");
        QCOMPARE(label.Editor()->text(), QString("Rocky"));
    }

    void renameKeepsHiddenExtension_data() const {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("result");
        QTest::newRow("one extension") << "Clean.pfs"
                                       << "Clean"
                                       << "Lead.pfs";
        QTest::newRow("two dots") << "my.cab.wav"
                                  << "my.cab"
                                  << "Lead.wav";
        QTest::newRow("no extension") << "Plain"
                                      << "Plain"
                                      << "Lead";
    }

    void renameKeepsHiddenExtension() const {
        QFETCH(QString, name);
        QFETCH(QString, shown);
        QFETCH(QString, result);
        RetractLabel label;
        label.SetName(name);
        label.SetHideExtension(true);
        label.show();
        QSignalSpy spy(&label, &RetractLabel::emitChangeName);
        label.StartRename();
        QCOMPARE(label.Editor()->text(), shown);
        label.Editor()->setText("Lead");
        QTest::keyClick(label.Editor(), Qt::Key_Return);
        label.Editor()->clearFocus();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), result);
        QVERIFY(!label.IsRenaming());
    }

    void integerLineEdit_data() const {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("digits") << "120"
                                << "120";
        QTest::newRow("leading zero") << "007"
                                      << "007";
        QTest::newRow("letters dropped") << "1a2"
                                         << "12";
        QTest::newRow("minus dropped") << "-5"
                                       << "5";
        QTest::newRow("point dropped") << "1.5"
                                       << "15";
    }

    void integerLineEdit() const {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QMEIntLineEdit edit;
        QTest::keyClicks(&edit, typed);
        QCOMPARE(edit.text(), kept);
    }

    void integerLineEditNeedsNonZeroDigit() const {
        QMEIntLineEdit edit;
        QTest::keyClicks(&edit, "000");
        QVERIFY(!edit.hasAcceptableInput());
        QTest::keyClicks(&edit, "4");
        QVERIFY(edit.hasAcceptableInput());
    }

    void comboRules() const {
        QMEComboBox combo;
        combo.SetBaseStyle();
        combo.SetTextColor("#7b7b7b");
        combo.SetPopupMinWidth(120);
        combo.SetPopupBorder(1, "#333333");
        combo.SetPopupPadding(1, 2, 3, 4);
        combo.SetPopupRadius(5);
        combo.SetPopupBackground("#f1f1f1");
        combo.SetItemBackground("#111", "#222");
        combo.SetItemHover("#333", "#444");
        combo.SetItemSelected("#555", "#666");
        QCOMPARE(combo.StyleRule(QMEComboBox::RuleBase),
                 QString("QComboBox {background-color:transparent;border:none}"));
        QCOMPARE(combo.StyleRule(QMEComboBox::RuleTextColor),
                 QString("QLineEdit {background-color:transparent;border:none;color:#7b7b7b}"));
        QCOMPARE(combo.StyleRule(QMEComboBox::RulePopupMinWidth),
                 QString("QComboBox QAbstractItemView { min-height: 10px; min-width: 120px}"));
        QCOMPARE(combo.StyleRule(QMEComboBox::RulePopupBorder),
                 QString("QComboBox QAbstractItemView{border: 1px solid #333333}"));
        QCOMPARE(combo.StyleRule(QMEComboBox::RulePopupPadding),
                 QString("QComboBox QAbstractItemView{padding: 1px 2px 3px 4px}"));
        QCOMPARE(combo.StyleRule(QMEComboBox::RulePopupRadius),
                 QString("QComboBox QAbstractItemView{border-radius: 5px;}"));
        QCOMPARE(combo.StyleRule(QMEComboBox::RulePopupBackground),
                 QString("QComboBox QAbstractItemView{background-color: #f1f1f1;}"));
        QCOMPARE(combo.StyleRule(QMEComboBox::RuleItemBackground),
                 QString("QListView::item {background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: "
                         "1, stop: 0 #111, stop: 1.0 #222);}"));
        QCOMPARE(combo.StyleRule(QMEComboBox::RuleItemHover),
                 QString("QListView::item:hover {background: qlineargradient(x1: 0, y1: 0, x2: "
                         "0, y2: 1, stop: 0 #333, stop: 1.0 #444);}"));
        QCOMPARE(combo.StyleRule(QMEComboBox::RuleItemSelected),
                 QString("QListView::item:selected{background: qlineargradient(x1: 0, y1: 0, x2: "
                         "0, y2: 1, stop: 0 #555, stop: 1.0 #666);}"));
        // A setter replaces its own rule and keeps the others.
        combo.SetPopupRadius(9);
        QVERIFY(combo.styleSheet().contains("border-radius: 9px;"));
        QVERIFY(!combo.styleSheet().contains("border-radius: 5px;"));
        QVERIFY(combo.styleSheet().contains("min-width: 120px"));
    }

    void comboSignals() const {
        QMEComboBox combo;
        combo.addItems({"English", "Deutsch"});
        combo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&combo));
        QSignalSpy popup(&combo, &QMEComboBox::emitShowPopup);
        QSignalSpy clicked(&combo, &QMEComboBox::emitClicked);
        QTest::mouseClick(combo.lineEdit(), Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(popup.count(), 1);
        combo.hidePopup();
        QVERIFY(combo.lineEdit()->isReadOnly());
    }

    void spokeGeometry_data() const {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<double>("inner");
        QTest::addColumn<double>("outer");
        QTest::addColumn<double>("width");
        QTest::newRow("32") << QSize(32, 32) << 7.75 << 15.5 << 0.35 * 7.75;
        QTest::newRow("80") << QSize(80, 80) << 19.75 << 39.5 << 0.23 * 19.75;
        QTest::newRow("wide 33") << QSize(100, 33) << 8.0 << 16.0 << 0.23 * 8.0;
    }

    void spokeGeometry() const {
        QFETCH(QSize, size);
        QFETCH(double, inner);
        QFETCH(double, outer);
        QFETCH(double, width);
        const auto spoke = QMEProgressIndicator::SpokeGeometry(size);
        QCOMPARE(spoke.inner, inner);
        QCOMPARE(spoke.outer, outer);
        QCOMPARE(spoke.width, width);
    }

    void indicatorAnimates() const {
        QMEProgressIndicator indicator;
        indicator.setAnimationDelay(10);
        QVERIFY(!indicator.isAnimated());
        indicator.startAnimation();
        QVERIFY(indicator.isAnimated());
        QTRY_VERIFY_WITH_TIMEOUT(indicator.angle() != 0, 2000);
        indicator.stopAnimation();
        QVERIFY(!indicator.isAnimated());
        const int stopped = indicator.angle();
        QTest::qWait(50);
        QCOMPARE(indicator.angle(), stopped);
        QCOMPARE(stopped % 30, 0);
    }

    void checkBoxIndicatorPlacement() const {
        QMECheckBox box("Loop");
        QVERIFY(!box.SetIndicatorImages(m_dir.filePath("none.png"), m_dir.filePath("no.png")));
        QVERIFY(box.SetIndicatorImages(saveImage(m_dir, "on.png", QSize(16, 14)),
                                       saveImage(m_dir, "off.png", QSize(16, 14))));
        QCOMPARE(box.Draw().IndicatorRect(QSize(100, 30), Qt::LeftToRight), QRect(0, 8, 16, 14));
        QCOMPARE(box.Draw().IndicatorRect(QSize(100, 30), Qt::RightToLeft), QRect(84, 8, 16, 14));
        QCOMPARE(box.Draw().TextRect(QSize(100, 30), Qt::LeftToRight), QRect(22, 0, 78, 30));
        box.resize(100, 30);
        box.show();
        QTest::mouseClick(&box, Qt::LeftButton, Qt::NoModifier, QPoint(60, 15));
        QVERIFY(box.isChecked());
    }

    void scrollBarHandle_data() const {
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("value");
        QTest::addColumn<QRect>("handle");
        // A vertical bar 8 x 200 with a page step of 100.
        QTest::newRow("half visible, top") << 100 << 0 << QRect(0, 0, 8, 100);
        QTest::newRow("half visible, bottom") << 100 << 100 << QRect(0, 100, 8, 100);
        QTest::newRow("tenth visible, middle") << 900 << 450 << QRect(0, 90, 8, 20);
        QTest::newRow("tiny page keeps minimum") << 100000 << 0 << QRect(0, 0, 8, 20);
        QTest::newRow("nothing to scroll") << 0 << 0 << QRect(0, 0, 8, 200);
    }

    void scrollBarHandle() const {
        QFETCH(int, maximum);
        QFETCH(int, value);
        QFETCH(QRect, handle);
        QMEScrollBar bar(Qt::Vertical);
        bar.resize(QMEScrollBarStyle::kExtent, 200);
        bar.setRange(0, maximum);
        bar.setPageStep(100);
        bar.setValue(value);
        QStyleOptionSlider option;
        option.initFrom(&bar);
        option.orientation = Qt::Vertical;
        option.minimum = bar.minimum();
        option.maximum = bar.maximum();
        option.pageStep = bar.pageStep();
        option.sliderPosition = bar.sliderPosition();
        option.rect = bar.rect();
        QCOMPARE(bar.style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                             QStyle::SC_ScrollBarSlider, &bar),
                 handle);
        QCOMPARE(bar.style()->pixelMetric(QStyle::PM_ScrollBarExtent), 8);
    }

    void menuItemsCarryImages() const {
        QMEMenu menu("Presets", nullptr);
        QAction* withImage = menu.AddImageAction("Open", saveImage(m_dir, "open.png", {16, 16}));
        QAction* without = menu.AddImageAction("Save", m_dir.filePath("missing.png"));
        QMEMenu* sub = menu.AddSubMenu("More");
        QVERIFY(!withImage->icon().isNull());
        QVERIFY(without->icon().isNull());
        QCOMPARE(sub->title(), QString("More"));
        QCOMPARE(sub->parent(), &menu);
        QCOMPARE(menu.actions().size(), 3);
        QVERIFY(menu.sizeHint().height() >= 3 * 28);
    }
};

TALIX_WIDGET_TEST_MAIN(TestControls)
#include "test_controls.moc"
