#include "settings/parserxml.h"
#include "settings/qmeappinfo.h"
#include "testenv.h"
#include "uikit/qappupdatedialog.h"
#include "uikit/qdialogcolseanimation.h"
#include "uikit/qloadingform.h"
#include "uikit/qmaskwidget.h"
#include "uikit/qmebasebutton.h"
#include "uikit/qmeprogressindicator.h"
#include "uikit/qmestandarddialog.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

namespace {

// A window that may refuse to close, as one does during a transfer.
class RefusingWindow : public QWidget {
public:
    bool refuse = false;

protected:
    void closeEvent(QCloseEvent* event) override {
        if (refuse)
            event->ignore();
    }
};

} // namespace

class TestDialogs final : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void standardDialogIsNotResizable() const {
        QMEStandardDialog dialog;
        QCOMPARE(dialog.ResizeDirections(), 0);
        QCOMPARE(dialog.Kind(), 1);
        QVERIFY(!dialog.CloseButton());
    }

    void closeButtonLayout_data() const {
        QTest::addColumn<bool>("styleMargins");
        QTest::addColumn<QPoint>("at");
        // Dialog 300 wide, button 20 wide, offsets right 5 and top 3, style margins 8.
        QTest::newRow("within style margins") << true << QPoint(300 - 20 - 5 - 8, 3 + 8);
        QTest::newRow("at the edge") << false << QPoint(300 - 20 - 5 - 1, 3 + 1);
    }

    void closeButtonLayout() const {
        QFETCH(bool, styleMargins);
        QFETCH(QPoint, at);
        QMEStandardDialog dialog;
        dialog.resize(300, 200);
        dialog.SetCloseButton(saveImage(m_dir, "close.png", QSize(80, 20)), true);
        QCOMPARE(dialog.CloseButton()->size(), QSize(20, 20));
        QCOMPARE(dialog.CloseButton()->toolTip(), QString("Close"));
        QVERIFY(!dialog.CloseButton()->isHidden());
        dialog.SetUseStyleMargins(styleMargins);
        dialog.SetCloseButtonOffsets(5, 3);
        dialog.LayoutCloseButton();
        QCOMPARE(dialog.CloseButton()->pos(), at);
    }

    void buttonsAreReplaced() const {
        QMEStandardDialog dialog;
        dialog.SetCloseButton(saveImage(m_dir, "a.png", QSize(40, 10)), false);
        QPointer<QMEBaseButton> first = dialog.CloseButton();
        QVERIFY(first->isHidden());
        dialog.SetCloseButton(saveImage(m_dir, "b.png", QSize(80, 20)), true);
        QVERIFY(first.isNull());
        QCOMPARE(dialog.CloseButton()->size(), QSize(20, 20));
        dialog.SetExtraButton1(saveImage(m_dir, "c.png", QSize(40, 10)), false);
        dialog.SetExtraButton2(saveImage(m_dir, "c.png", QSize(40, 10)), false);
        QVERIFY(dialog.ExtraButton1()->isHidden());
        QVERIFY(dialog.ExtraButton1()->toolTip().isEmpty());
        QVERIFY(dialog.ExtraButton2() != dialog.ExtraButton1());
    }

    void updateDialogTextsAndResults() const {
        QAPPUpdateDialog dialog;
        QCOMPARE(dialog.TitleText(), QString("Prompt"));
        QCOMPARE(dialog.MessageLabel()->text(),
                 QString("The software version dose not match the firmware of your device, keep "
                         "using the software may lose support of some functions."));
        QCOMPARE(dialog.UpgradeButton()->text(), QString("Update firmware"));
        QCOMPARE(dialog.ContinueButton()->text(), QString("Continue using"));
        dialog.SetFirmwareVersion("V1.2.0");
        dialog.SetSoftwareVersion("V1.2.2");
        QCOMPARE(dialog.FirmwareLabel()->text(), QString("Firmware version: V1.2.0"));
        QCOMPARE(dialog.SoftwareLabel()->text(), QString("Software version: V1.2.2"));
        QCOMPARE(QAPPUpdateDialog::ImageNames(),
                 QStringList({"/common_bg.png", "/btn_common_close.png", "/btn_common.png"}));
    }

    void updateDialogResults_data() const {
        QTest::addColumn<int>("which");
        QTest::addColumn<int>("result");
        QTest::newRow("update firmware") << 0 << int(QDialog::Accepted);
        QTest::newRow("continue using") << 1 << int(QDialog::Rejected);
        QTest::newRow("close button") << 2 << int(QDialog::Rejected);
    }

    void updateDialogResults() const {
        QFETCH(int, which);
        QFETCH(int, result);
        QAPPUpdateDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QSignalSpy finished(&dialog, &QDialog::finished);
        QMEBaseButton* buttons[] = {dialog.UpgradeButton(), dialog.ContinueButton(),
                                    dialog.CloseButton()};
        QTest::mouseClick(buttons[which], Qt::LeftButton);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), result);
        QVERIFY(!dialog.isVisible());
    }

    void updateDialogLayoutLeavesRoom_data() const {
        QTest::addColumn<QSize>("background");
        QTest::newRow("no images") << QSize();
        QTest::newRow("wide panel") << QSize(470, 288);
        QTest::newRow("narrow panel") << QSize(300, 200);
    }

    void updateDialogLayoutLeavesRoom() const {
        QFETCH(QSize, background);
        QAPPUpdateDialog dialog;
        if (background.isValid()) {
            QVERIFY(dialog.SetBackgroundImage(saveImage(m_dir, "panel.png", background), true));
            const QString strip = saveImage(m_dir, "button.png", QSize(400, 36));
            QVERIFY(dialog.UpgradeButton()->SetButtonImage(strip));
            QVERIFY(dialog.ContinueButton()->SetButtonImage(strip));
            dialog.Layout();
            QVERIFY(dialog.height() >= background.height());
            QCOMPARE(dialog.width(), background.width());
        }
        const QMEAppInfo& info = QMEAppInfo::instance();
        const QRect message = dialog.MessageLabel()->geometry();
        const QRect firmware = dialog.FirmwareLabel()->geometry();
        const QRect software = dialog.SoftwareLabel()->geometry();
        const QRect upgrade = dialog.UpgradeButton()->geometry();
        const QRect cont = dialog.ContinueButton()->geometry();
        // The whole message fits its label, and nothing overlaps what follows it.
        QVERIFY(message.height() >= dialog.MessageLabel()->heightForWidth(message.width()));
        QVERIFY(message.top() >= info.marginTop + info.titleHeight);
        QVERIFY(firmware.top() > message.bottom());
        QVERIFY(software.top() > firmware.bottom());
        QVERIFY(firmware.height() >= dialog.FirmwareLabel()->sizeHint().height());
        // The buttons stand clear of the labels and of the panel's lower edge.
        QCOMPARE(upgrade.top(), cont.top());
        QVERIFY2(upgrade.top() - software.bottom() >= 24,
                 qPrintable(QString::number(upgrade.top())));
        const int panelBottom = dialog.height() - info.marginBottom;
        QVERIFY2(panelBottom - upgrade.bottom() >= 24, qPrintable(QString::number(panelBottom)));
        // The row is centred between the shadow margins.
        const int left = upgrade.left() - info.marginLeft;
        const int right = dialog.width() - info.marginRight - 1 - cont.right();
        QVERIFY(qAbs(left - right) <= 1);
    }

    void updateDialogDarkLook() const {
        ParserXML::WriteValue("UI_Mode", "UI_Mode_Value", "2");
        QAPPUpdateDialog dialog;
        ParserXML::WriteValue("UI_Mode", "UI_Mode_Value", "1");
        QCOMPARE(dialog.Mode(), 2);
        QCOMPARE(dialog.palette().color(QPalette::WindowText), QColor(255, 255, 255));
    }

    void loadingFormPlacesTheNumber_data() const {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("percent") << "Importing %1%" << 42 << "Importing 42%";
        QTest::newRow("no padding") << "%1/100" << 7 << "7/100";
        QTest::newRow("zero") << "Backup %1" << 0 << "Backup 0";
        QTest::newRow("hundred") << "%1 done" << 100 << "100 done";
    }

    void loadingFormPlacesTheNumber() const {
        QFETCH(QString, pattern);
        QFETCH(int, value);
        QFETCH(QString, text);
        QLoadingForm form;
        QVERIFY(form.TextPattern().isEmpty());
        form.SetTextPattern(pattern);
        form.SetValue(value);
        QCOMPARE(form.TextLabel()->text(), text);
        QCOMPARE(form.TextLabel()->size(), form.TextLabel()->sizeHint());
    }

    void loadingFormLayoutAndLooks() const {
        QLoadingForm form;
        form.resize(420, 160);
        form.SetTextPattern("Restore %1%");
        form.SetValue(5);
        QCOMPARE(form.Indicator()->geometry(), QRect(30, 40, 80, 80));
        QCOMPARE(form.TextLabel()->x(), 140);
        QCOMPARE(form.TextLabel()->y(), (160 - form.TextLabel()->height()) / 2);
        QCOMPARE(form.TextLabel()->font().pixelSize(), 20);
        QCOMPARE(form.TextLabel()->font().weight(), 75);
        QCOMPARE(form.Indicator()->palette().color(QPalette::Highlight), QColor(53, 53, 53));
        form.ApplyMode(2);
        QCOMPARE(form.PanelColor(), QColor(51, 51, 51));
        QCOMPARE(form.TextLabel()->palette().color(QPalette::WindowText), QColor(255, 255, 255));
        form.ApplyMode(1);
        QCOMPARE(form.PanelColor(), QColor(241, 241, 241));
        QCOMPARE(form.TextLabel()->palette().color(QPalette::WindowText), QColor(53, 53, 53));
        const QImage image = form.grab().toImage();
        QCOMPARE(image.pixelColor(210, 10), QColor(241, 241, 241));
    }

    void loadingIndicatorStandsOutInBothLooks_data() const {
        QTest::addColumn<int>("mode");
        QTest::newRow("light") << 1;
        QTest::newRow("dark") << 2;
        QTest::newRow("other") << 0;
    }

    void loadingIndicatorStandsOutInBothLooks() const {
        QFETCH(int, mode);
        QLoadingForm form;
        form.resize(420, 160);
        form.ApplyMode(2);
        form.ApplyMode(mode);
        // The palette stays the same in every look.
        QCOMPARE(form.Indicator()->palette().color(QPalette::Highlight), QColor(53, 53, 53));
        QCOMPARE(form.Indicator()->palette().color(QPalette::WindowText), QColor(255, 255, 255));
        form.Indicator()->startAnimation();
        const QImage image = form.grab().toImage();
        const int panel = form.PanelColor().lightness();
        int strong = 0;
        const QRect spokes = form.Indicator()->geometry();
        for (int y = spokes.top(); y <= spokes.bottom(); ++y)
            for (int x = spokes.left(); x <= spokes.right(); ++x)
                strong += qAbs(image.pixelColor(x, y).lightness() - panel) > 100 ? 1 : 0;
        // Twelve spokes of about 4 x 20 pixels, the faintest nearly gone.
        QVERIFY2(strong > 150, qPrintable(QString::number(strong)));
        form.Indicator()->stopAnimation();
    }

    void maskClicks_data() const {
        QTest::addColumn<bool>("band");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("inBand");
        QTest::newRow("band off") << false << QPoint(50, 10) << false;
        QTest::newRow("in band") << true << QPoint(50, 10) << true;
        QTest::newRow("last band row") << true << QPoint(50, 29) << true;
        QTest::newRow("below band") << true << QPoint(50, 30) << false;
    }

    void maskClicks() const {
        QFETCH(bool, band);
        QFETCH(QPoint, at);
        QFETCH(bool, inBand);
        QMaskWidget mask;
        QCOMPARE(mask.BandHeight(), 30);
        QCOMPARE(mask.Radius(), 20);
        QCOMPARE(mask.ContentRect(), QRect(QPoint(0, 0), QPoint(-1, -1)));
        mask.resize(200, 100);
        mask.SetTopBand(band);
        mask.show();
        QSignalSpy clicked(&mask, &QMaskWidget::emitClicked);
        QTest::mouseClick(&mask, Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(mask.InTopBand(at), inBand);
    }

    void maskPaintsShadowColour() const {
        QMaskWidget mask;
        mask.resize(200, 100);
        QVERIFY(!mask.hasMouseTracking());
        const QImage image = mask.grab().toImage();
        const QColor centre = image.pixelColor(100, 50);
        QCOMPARE(centre.alpha(), 100);
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
        // A cover may paint in a colour of its own.
        mask.SetShadowColor(QColor(0, 0, 0, 80));
        QCOMPARE(mask.grab().toImage().pixelColor(100, 50), QColor(0, 0, 0, 80));
    }

    void transferBlocksKeysAndClosing() const {
        QWidget window;
        window.resize(300, 200);
        auto* edit = new QLineEdit(&window);
        auto* save = new QAction(&window);
        save->setShortcut(QKeySequence("Ctrl+S"));
        window.addAction(save);
        QSignalSpy saved(save, &QAction::triggered);
        auto* mask = new QMaskWidget(&window);
        mask->setGeometry(8, 8, 284, 184);
        mask->hide();
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());

        // Without a widget QTest sends keys where a keyboard does: to the focused control.
        QWidget* const keyboard = nullptr;
        mask->show();
        QTest::keyClicks(keyboard, "ab");
        QTest::keyClick(keyboard, Qt::Key_Tab);
        QTest::keyClick(keyboard, Qt::Key_S, Qt::ControlModifier);
        QTest::keyClicks(keyboard, "cd");
        QCOMPARE(edit->text(), QString());
        QCOMPARE(saved.count(), 0);

        mask->hide();
        QCOMPARE(QApplication::focusWidget(), edit);
        QTest::keyClicks(keyboard, "ok");
        QCOMPARE(edit->text(), QString("ok"));
        QTest::keyClick(keyboard, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(saved.count(), 1);

        QLoadingForm form(&window);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.close());
        QVERIFY(form.isVisible());
        // The close went on to the window the form covers, which decides for the program.
        QVERIFY(!window.isVisible());
        form.hide();
        QVERIFY(form.close());
    }

    void refusedCloseRestoresTheWindow() const {
        RefusingWindow window;
        window.refuse = true;
        window.show();
        QDialogColseAnimation fade(&window);
        QSignalSpy finished(&fade, &QDialogColseAnimation::emitFinished);
        QSignalSpy refused(&fade, &QDialogColseAnimation::emitRefused);
        QVERIFY(fade.Start());
        QVERIFY(refused.wait(5000));
        QVERIFY(window.isVisible());
        QCOMPARE(window.windowOpacity(), 1.0);
        QVERIFY(!fade.Started());
        QCOMPARE(finished.count(), 0);

        window.refuse = false;
        QVERIFY(fade.Start());
        QVERIFY(finished.wait(5000));
        QVERIFY(!window.isVisible());
        QCOMPARE(refused.count(), 1);
    }

    void closeFadeRunsOnce() const {
        QWidget window;
        window.show();
        QDialogColseAnimation fade(&window);
        QSignalSpy finished(&fade, &QDialogColseAnimation::emitFinished);
        QVERIFY(!fade.Started());
        QVERIFY(fade.Start());
        QVERIFY(!fade.Start());
        QVERIFY(finished.wait(2000));
        QVERIFY(!window.isVisible());
        QCOMPARE(window.windowOpacity(), 0.0);
        QTest::qWait(100);
        QCOMPARE(finished.count(), 1);
    }
};

TALIX_WIDGET_TEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
