#include "editor/qhighcutsliderwidget.h"
#include "editor/qleftset.h"
#include "editor/qlowcutsliderwidget.h"
#include "editor/qrightset.h"
#include "editor/qsliderwidget.h"
#include "link/qmebaselibusb.h"
#include "protocol/qdataanalysis.h"
#include "protocol/qusbwritethread.h"
#include "tests/link/pedalenv.h"
#include "tests/uikit/testenv.h"
#include "uikit/qmecheckbox.h"
#include "uikit/qmecircleslider.h"
#include "uikit/qmecombobox.h"
#include "uikit/qmedialmath.h"
#include "uikit/qmelineedit.h"
#include "uikit/qmespinbox.h"
#include "virtualpedal/virtualpedal.h"

#include <QLabel>
#include <QMimeData>
#include <QWheelEvent>

#include <cmath>
#include <memory>

using virtualpedal::VirtualPedal;
using Frames = std::vector<std::vector<std::uint8_t>>;

namespace {

const QString kDropFormat = QStringLiteral("caplist/text/uri-list");

// A user's press on the dial where its needle would point at `value`.
void pressDialAt(QMECircleSlider* dial, int value) {
    const double angle =
        QMEDialMath::ValueAngle(value, dial->minimum(), dial->maximum(), dial->contraAngle()) +
        dial->contraAngle() / 2.0;
    const double radians = qDegreesToRadians(angle);
    const double radius = std::min(dial->width(), dial->height()) / 2.0 - 2;
    // Angles run clockwise from straight down, y downwards.
    const QPoint at(qRound(dial->width() / 2.0 - radius * std::sin(radians)),
                    qRound(dial->height() / 2.0 + radius * std::cos(radians)));
    QTest::mouseClick(dial, Qt::LeftButton, Qt::NoModifier, at);
}

// One notch of the mouse wheel over the dial.
void wheelDial(QMECircleSlider* dial, bool up) {
    const QPointF centre(dial->width() / 2.0, dial->height() / 2.0);
    QWheelEvent event(centre, dial->mapToGlobal(centre.toPoint()), QPoint(),
                      QPoint(0, up ? 120 : -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(dial, &event);
}

QMimeData* cabinetDrag(int slot) {
    auto* mime = new QMimeData;
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << qint32(slot);
    mime->setData(kDropFormat, bytes);
    mime->setText(QString::number(slot + 1));
    return mime;
}

// Drag enter then drop, as a drag from the cabinet list does; true when the panel took the drag.
bool dragAndDrop(QWidget* panel, const QMimeData* mime) {
    const QPoint at(panel->width() / 2, 10);
    QDragEnterEvent enter(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(panel, &enter);
    QDropEvent drop(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(panel, &drop);
    return enter.isAccepted();
}

Frames::value_type frame(std::uint8_t code, const std::vector<std::uint8_t>& params) {
    return VirtualPedal::frame(code, params);
}

QImage shown(const QLabel* picture) {
    return picture->pixmap(Qt::ReturnByValue).toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage onDisk(const QString& name) {
    return QImage(QCoreApplication::applicationDirPath() + "/image/sound/" + name)
        .convertToFormat(QImage::Format_ARGB32);
}

// Both cabinet panels on the editor's device objects, against the virtual pedal.
struct Panels {
    PedalEnv env;
    QMEBaseLibusb link;
    std::unique_ptr<QUsbWriteThread> thread = std::make_unique<QUsbWriteThread>();
    QDataAnalysis parser;
    QLeftSet left;
    QRightSet right;

    Panels() {
        link.setTransferMode(QMEBaseLibusb::ModeInterrupt);
        thread->attachLink(&link);
        parser.setWriteThread(thread.get());
        VirtualPedal::clearReceivedFrames();
        for (QBaseSet* panel : {static_cast<QBaseSet*>(&left), static_cast<QBaseSet*>(&right)}) {
            panel->SetDropFormat(kDropFormat);
            panel->ApplyMode(1);
            panel->setParser(&parser);
            panel->Retranslate();
            panel->show();
        }
    }
    ~Panels() {
        thread->closeUsbConnect();
        thread.reset();
    }
    // Opens the pedal and starts reading it; true when it runs.
    bool open() {
        if (thread->openUsbConnect(0x0483, 0x5703, 200, "TAL_IX") != QMEBaseLibusb::OpenRunning)
            return false;
        thread->startReceiving();
        return true;
    }
};

} // namespace

class TestPanels final : public QObject {
    Q_OBJECT

private slots:
    void dials() const {
        QSliderWidget level;
        level.setMaxMinValue(0, 100);
        level.ShowField(true);
        level.show();
        QSignalSpy levelSpy(&level, &QSliderWidget::emitValueChanged);
        level.setValue(10);
        QCOMPARE(level.Dial()->value(), 10);
        QCOMPARE(level.Field()->text(), QString("10"));
        wheelDial(level.Dial(), true);
        QCOMPARE(levelSpy.count(), 1);
        QCOMPARE(levelSpy.at(0).at(0).toInt(), 11);
        QCOMPARE(level.value(), 11);
        QCOMPARE(level.Field()->text(), QString("11"));

        QHighCutSliderWidget highCut;
        highCut.setMaxMinValue(0, 100);
        highCut.setSuffix("Hz");
        highCut.SetInverted(true);
        highCut.show();
        QSignalSpy highSpy(&highCut, &QSliderWidget::emitValueChanged);
        highCut.setValue(55);
        QCOMPARE(highCut.Holder()->value(), 45);
        QCOMPARE(highCut.Field()->text(), QString("8339Hz"));
        highCut.setValue(0);
        QCOMPARE(highCut.Field()->text(), QString("Off"));
        // A value beyond the range, as an unlimited pedal report may carry, shows where the dial
        // stops.
        highCut.setValue(150);
        QCOMPARE(highCut.value(), 100);
        QCOMPARE(highCut.Field()->text(), QString("3000Hz"));
        QCOMPARE(highSpy.count(), 0);
        pressDialAt(highCut.Dial(), 30);
        QCOMPARE(highCut.value(), 30);
        QVERIFY(highSpy.count() >= 1);
        QCOMPARE(highSpy.last().at(0).toInt(), 70);
        QCOMPARE(highCut.Field()->text(), QString("12750Hz"));

        QLowCutSliderWidget lowCut;
        lowCut.setMaxMinValue(3, 100);
        lowCut.setSuffix("Hz");
        QSignalSpy lowSpy(&lowCut, &QSliderWidget::emitValueChanged);
        lowCut.setValue(40);
        QCOMPARE(lowCut.Field()->text(), QString("250Hz"));
        lowCut.setValue(150);
        QCOMPARE(lowCut.Field()->text(), QString("500Hz"));
        lowCut.setValue(3);
        QCOMPARE(lowCut.Field()->text(), QString("Off"));
        // Shown again, the dial refreshes its texts from its position.
        lowCut.Field()->setText(QString());
        lowCut.show();
        QCOMPARE(lowCut.Field()->text(), QString("Off"));
        QCOMPARE(lowSpy.count(), 0);
    }

    // Both panels on the editor's device objects, against the virtual pedal: what the user does
    // reaches the pedal at once, what the pedal reports moves the panels and sends nothing back.
    void panels() const {
        Panels panels;
        QLeftSet& left = panels.left;
        QRightSet& right = panels.right;
        DeviceState& state = *panels.parser.deviceState();
        QCOMPARE(right.Chooser()->count(), 11);
        QCOMPARE(right.Chooser()->itemText(1), QString("A15 1x12"));
        QVERIFY(right.PicturePath().endsWith("/image/sound/sound0.png"));
        QCOMPARE(shown(right.Picture()), onDisk("sound0.png"));
        QCOMPARE(right.SliderWidget(QBaseSet::DialLevel)->Field()->text(), QString("0"));

        // Not connected: the choice changes picture and state, nothing reaches the pedal.
        right.Chooser()->setCurrentIndex(4);
        QCOMPARE(int(state.current[6]), 4);
        QCOMPARE(shown(right.Picture()), onDisk("sound4.png"));
        QCOMPARE(int(state.current[1]), 0);
        QVERIFY(VirtualPedal::receivedFrames().empty());

        QVERIFY(panels.open());
        VirtualPedal::clearReceivedFrames();

        // Reports from the pedal: CAB B level 75 and latency 58 (14.5 ms), CAB A high-cut 30,
        // both cabinets on.
        QSliderWidget* levelB = right.SliderWidget(QBaseSet::DialLevel);
        QSliderWidget* latencyB = right.SliderWidget(QBaseSet::DialLatency);
        QSliderWidget* highCutA = left.SliderWidget(QBaseSet::DialHighCut);
        QVERIFY(VirtualPedal::pushAnswer(0x92, {1, 0, 75}));
        QVERIFY(VirtualPedal::pushAnswer(0x94, {1, 0, 58}));
        QVERIFY(VirtualPedal::pushAnswer(0x96, {0, 0, 30}));
        QVERIFY(VirtualPedal::pushAnswer(0x98, {1, 1}));
        QTRY_VERIFY_WITH_TIMEOUT(left.Switch()->isChecked() && right.Switch()->isChecked(), 10000);
        QCOMPARE(levelB->value(), 75);
        QCOMPARE(levelB->Field()->text(), QString("75"));
        QCOMPARE(left.SliderWidget(QBaseSet::DialLevel)->value(), 0);
        QCOMPARE(latencyB->Field()->text(), QString("15ms"));
        QCOMPARE(highCutA->value(), 30);
        QCOMPARE(highCutA->Holder()->value(), 70);
        QCOMPARE(highCutA->Field()->text(), QString("12750Hz"));
        QCOMPARE(right.Switch()->text(), QString("ON"));
        QCOMPARE(int(state.current[7]), 58); // the report itself is kept as the pedal sent it

        // The user's turns and clicks, each sent at once with the value the pedal expects.
        wheelDial(levelB->Dial(), true);
        pressDialAt(latencyB->Dial(), 20);
        pressDialAt(right.SliderWidget(QBaseSet::DialLowCut)->Dial(), 50);
        pressDialAt(highCutA->Dial(), 40);
        QTest::mouseClick(left.Switch(), Qt::LeftButton, Qt::NoModifier,
                          left.Switch()->rect().center());
        QCOMPARE(left.Switch()->text(), QString("OFF"));
        QCOMPARE(right.SliderWidget(QBaseSet::DialLowCut)->Field()->text(), QString("292Hz"));
        QCOMPARE(latencyB->Field()->text(), QString("20ms"));

        // A cabinet dropped from the list: a factory cabinet, then the same slot holding a user
        // IR. The chooser follows through the parser.
        std::unique_ptr<QMimeData> seven(cabinetDrag(7));
        QVERIFY(dragAndDrop(&right, seven.get()));
        QCOMPARE(int(state.current[6]), 7);
        QCOMPARE(right.Chooser()->currentIndex(), 7);
        QVERIFY(right.PicturePath().endsWith("/image/sound/sound7.png"));
        QCOMPARE(shown(right.Picture()), onDisk("sound7.png"));
        std::vector<std::uint8_t> userIr(11, 0);
        userIr[7] = 1;
        QVERIFY(VirtualPedal::pushAnswer(0xE6, userIr));
        QTRY_VERIFY_WITH_TIMEOUT(panels.parser.hasUserIr(7), 10000);
        QVERIFY(right.PicturePath().endsWith("/image/sound/soundir.png"));
        QVERIFY(dragAndDrop(&right, seven.get()));
        QCOMPARE(shown(right.Picture()), onDisk("soundir.png"));
        QCOMPARE(right.Chooser()->currentIndex(), 7);
        QVERIFY(left.PicturePath().endsWith("/image/sound/sound0.png"));

        // Drops that name no cabinet slot change nothing and send nothing.
        QMimeData textOnly;
        textOnly.setText("8");
        QVERIFY(!dragAndDrop(&right, &textOnly));
        std::unique_ptr<QMimeData> eleven(cabinetDrag(11));
        dragAndDrop(&right, eleven.get());
        QMimeData shortData;
        shortData.setData(kDropFormat, QByteArray("\x00\x03", 2));
        dragAndDrop(&right, &shortData);
        QCOMPARE(int(state.current[6]), 7);
        QVERIFY(right.PicturePath().endsWith("/image/sound/soundir.png"));

        // A closing command that the panels never send marks the end of the log.
        QVERIFY(panels.thread->requestCurrent());
        const Frames expected{
            frame(0x92, {1, 0, 76}), frame(0x94, {1, 0, 80}), frame(0x95, {1, 0, 50}),
            frame(0x96, {0, 0, 40}), frame(0x98, {0, 1}),     frame(0x93, {1, 0, 7}),
            frame(0x93, {1, 0, 7}),  frame(0x9B, {}),
        };
        QTRY_COMPARE_WITH_TIMEOUT(VirtualPedal::receivedFrames().size(), expected.size(), 10000);
        QVERIFY(VirtualPedal::receivedFrames() == expected);
        QCOMPARE(int(state.bypassA), 0);
        QCOMPARE(int(state.bypassB), 1);
        QCOMPARE(int(state.current[5]), 76);
        QCOMPARE(int(state.current[7]), 80);
        QCOMPARE(int(state.current[4]), 40);
    }

    // Keys on both panels against the virtual pedal: each step shows its value, as the field and
    // as a screen reader hears it, and sends the one command the same turn of the mouse sends.
    void keys() const {
        Panels panels;
        QBaseSet* left = &panels.left;
        QBaseSet* right = &panels.right;
        QVERIFY(panels.open());

        constexpr int kSwitch = -1;
        constexpr int kWheelUp = -1; // a notch of the wheel in place of a key
        struct Step {
            QBaseSet* panel;
            int control;
            int key;
            const char* shown;
            const char* heard;
            Frames sent;
        };
        const int level = QBaseSet::DialLevel;
        const int latency = QBaseSet::DialLatency;
        const int lowCut = QBaseSet::DialLowCut;
        const int highCut = QBaseSet::DialHighCut;
        const Step steps[] = {
            {left, level, Qt::Key_Right, "1", "1", {frame(0x92, {0, 0, 1})}},
            {left, level, Qt::Key_PageUp, "11", "11", {frame(0x92, {0, 0, 11})}},
            {left, level, Qt::Key_Up, "12", "12", {frame(0x92, {0, 0, 12})}},
            {left, level, kWheelUp, "13", "13", {frame(0x92, {0, 0, 13})}},
            {left, level, Qt::Key_Down, "12", "12", {frame(0x92, {0, 0, 12})}},
            {left, level, Qt::Key_Left, "11", "11", {frame(0x92, {0, 0, 11})}},
            {left, level, Qt::Key_PageDown, "1", "1", {frame(0x92, {0, 0, 1})}},
            {left, level, Qt::Key_End, "100", "100", {frame(0x92, {0, 0, 100})}},
            {left, level, Qt::Key_Home, "0", "0", {frame(0x92, {0, 0, 0})}},
            // At its end a dial stays, and nothing is sent.
            {left, level, Qt::Key_Left, "0", "0", {}},
            {right, latency, Qt::Key_End, "20ms", "20 ms", {frame(0x94, {1, 0, 80})}},
            {right, latency, Qt::Key_Left, "19ms", "19 ms", {frame(0x94, {1, 0, 76})}},
            {left, lowCut, Qt::Key_Right, "25Hz", "25 Hz", {frame(0x95, {0, 0, 4})}},
            {left, lowCut, Qt::Key_Home, "Off", "Off", {frame(0x95, {0, 0, 3})}},
            {right, highCut, Qt::Key_Right, "20000Hz", "20000 Hz", {frame(0x96, {1, 0, 1})}},
            {right, highCut, Qt::Key_PageUp, "17500Hz", "17500 Hz", {frame(0x96, {1, 0, 11})}},
            {right, highCut, Qt::Key_Home, "Off", "Off", {frame(0x96, {1, 0, 0})}},
            {left, kSwitch, Qt::Key_Space, "ON", "", {frame(0x98, {1, 0})}},
            {right, kSwitch, Qt::Key_Return, "ON", "", {frame(0x98, {1, 1})}},
            {left, kSwitch, Qt::Key_Enter, "OFF", "", {frame(0x98, {0, 1})}},
        };
        for (const Step& step : steps) {
            VirtualPedal::clearReceivedFrames();
            const QString row = QStringLiteral("%1 %2 %3")
                                    .arg(step.panel->Cabinet())
                                    .arg(step.control)
                                    .arg(step.key, 0, 16);
            if (step.control == kSwitch) {
                QTest::keyClick(step.panel->Switch(), Qt::Key(step.key));
                QVERIFY2(step.panel->Switch()->text() == step.shown, qPrintable(row));
            } else {
                QSliderWidget* slider = step.panel->SliderWidget(step.control);
                if (step.key == kWheelUp)
                    wheelDial(slider->Dial(), true);
                else
                    QTest::keyClick(slider->Dial(), Qt::Key(step.key));
                QVERIFY2(slider->Field()->text() == step.shown, qPrintable(row));
                QVERIFY2(slider->Dial()->valueText() == step.heard, qPrintable(row));
            }
            // A command the panels never send closes each step's log.
            QVERIFY(panels.thread->requestCurrent());
            Frames expected = step.sent;
            expected.push_back(frame(0x9B, {}));
            QTRY_COMPARE_WITH_TIMEOUT(VirtualPedal::receivedFrames().size(), expected.size(),
                                      10000);
            QVERIFY2(VirtualPedal::receivedFrames() == expected, qPrintable(row));
        }
    }
};

TALIX_WIDGET_TEST_MAIN(TestPanels)
#include "test_panels.moc"
