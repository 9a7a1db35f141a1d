#include "../uikit/contrast.h"
#include "../uikit/testenv.h"
#include "editor/mainwindow.h"
#include "editor/qbaseset.h"
#include "editor/qbuttonwidget.h"
#include "editor/qleftset.h"
#include "editor/qsliderwidget.h"
#include "files/qcabinettypeform.h"
#include "files/qcabinettypeitem.h"
#include "files/qcomputerform.h"
#include "files/qcomputeritem.h"
#include "files/qdropdragbutton.h"
#include "settings/parserxml.h"
#include "settings/qmefolders.h"
#include "uikit/qappupdatedialog.h"
#include "uikit/qloadingform.h"
#include "uikit/qmebasebutton.h"
#include "uikit/qmecheckbox.h"
#include "uikit/qmecombobox.h"
#include "uikit/qmefocusring.h"
#include "uikit/qmelineedit.h"
#include "uikit/qmemenu.h"
#include "uikit/qmemenustyle.h"
#include "uikit/qpromptdialog.h"
#include "uikit/retractlabel.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

using Contrast::Item;
using Contrast::pixel;

namespace {

QColor text(const QWidget* widget, QPalette::ColorRole role = QPalette::WindowText) {
    return widget->palette().color(role);
}

// The colour a combo box's style rule names.
QColor ruleColour(const QMEComboBox* combo, QMEComboBox::Rule rule) {
    return QColor(QRegularExpression("#[0-9a-fA-F]{6}").match(combo->StyleRule(rule)).captured());
}

// What a row is painted with where no text lies, in a state.
QColor rowUnder(QBaseItem* row, int state) {
    row->setState(state);
    return row->grab().toImage().pixelColor(6, row->height() / 2);
}

} // namespace

// Every text of the editor and its prompts against what it is drawn on, in both looks; the
// colours as the controls set them, the backgrounds from the skins and rows as drawn.
class TestContrast final : public QObject {
    Q_OBJECT

private slots:
    void looks_data() const {
        QTest::addColumn<int>("mode");
        QTest::newRow("light") << 1;
        QTest::newRow("dark") << 2;
    }

    void looks() const {
        QFETCH(int, mode);
        ParserXML::WriteValue("UI_Mode", "UI_Mode_Value", QString::number(mode));
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QString image = QMEFolders::imageFolder(mode);
        const QString pic = QMEFolders::picFolder(mode);
        auto under = [&image](const QWidget* w) {
            const QPoint at = w->mapTo(w->window(), QPoint(0, 0));
            return pixel(image + "/background.png", at.x(), at.y());
        };
        const QColor pill = pixel(image + "/connected_bg.png", 30, 20);
        const QColor field = pixel(image + "/input_bg.png", 35, 10);
        const QColor card = pixel(image + "/cabab_bg.png", 40, 100);
        const QColor deck = pixel(image + "/cabab_bg.png", 40, 470);
        const QColor select = pixel(image + "/mode_aleft_selectbg.png", 100, 16);
        const QColor promptBody = pixel(pic + "/bg_msg.png", 60, 120);
        const QColor promptTitle = pixel(pic + "/bg_msg.png", 60, 30);
        const QColor dialogBody = pixel(image + "/common_bg.png", 100, 150);

        QList<Item> items;
        auto* connect = window.findChild<QMECheckBox*>("mcbxConnect");
        items << Item{"connect switch", text(connect), {pill}, connect->font().pixelSize()};
        for (const char* name : {"mlblProjectNane", "mlblVersion"}) {
            auto* label = window.findChild<QLabel*>(name);
            items << Item{name, text(label), {under(label)}, label->font().pixelSize()};
        }
        auto* languages = window.findChild<QMEComboBox*>("mccbLanguage");
        items << Item{"language",
                      text(languages->lineEdit(), QPalette::Text),
                      {under(languages)},
                      14}
              << Item{"language list",
                      text(languages->view(), QPalette::Text),
                      {ruleColour(languages, QMEComboBox::RulePopupBackground),
                       ruleColour(languages, QMEComboBox::RuleItemHover),
                       ruleColour(languages, QMEComboBox::RuleItemSelected)},
                      14};
        auto* cabinets = window.findChild<QCabInetTypeForm*>("mwgtCabInetType");
        for (QMEMenu* menu : {window.Menu(), cabinets->contextMenu()}) {
            const QMEMenuStyle* style = menu->MenuStyle();
            items << Item{"menu", style->TextColor(), {style->PanelColor()}, 12}
                  << Item{"menu entry under the pointer",
                          style->HighlightTextColor(),
                          {style->HighlightColor()},
                          12};
        }

        // Preset buttons: each state of the strip on its frame, the checked one on the pressed
        // frame in every state.
        auto* strip = window.findChild<QButtonWidget*>("mwgtBtnList");
        const QString presets = image + "/btns/btn_1.png";
        for (QMEBaseButton* button : {strip->buttons().at(0), strip->buttons().at(1)}) {
            const bool checked = button->isChecked();
            for (int state = 0; state < 3; ++state) {
                const int frame = checked ? 2 : state;
                items << Item{
                    QStringLiteral("preset %1 state %2").arg(button->text()).arg(state),
                    button->Draw().TextColor(state),
                    {pixel(presets, 62 * frame + 31, 12), pixel(presets, 62 * frame + 31, 40)},
                    16};
            }
        }

        // A cabinet panel: title, switch, chooser and its list, the dials' titles and values.
        auto* panel = window.findChild<QLeftSet*>("mwgtLeftSet");
        items << Item{"cabinet title", text(panel->findChild<QLabel*>("mlblTitle")), {card}, 18}
              << Item{"cabinet switch", text(panel->Switch()), {card}, 14}
              << Item{"cabinet chooser",
                      QBaseSet::TextColor(mode),
                      {select, ruleColour(panel->Chooser(), QMEComboBox::RulePopupBackground),
                       ruleColour(panel->Chooser(), QMEComboBox::RuleItemHover)},
                      14};
        for (int dial = QBaseSet::DialLevel; dial <= QBaseSet::DialHighCut; ++dial) {
            QSliderWidget* slider = panel->SliderWidget(dial);
            slider->Field()->ensurePolished();
            items << Item{slider->title(),
                          text(slider->findChild<QLabel*>("mlblTitle")),
                          {deck},
                          14}
                  << Item{slider->title() + " value",
                          slider->Field()->palette().color(QPalette::Disabled, QPalette::Text),
                          {field},
                          14};
        }

        // The lists' rows, odd and even, at rest, under the pointer and selected; the cabinets'
        // marks.
        auto* computer = window.findChild<QComputerForm*>("mwgtComputer");
        QVERIFY(computer->savePreset(0));
        QVERIFY(computer->savePreset(1));
        items << Item{
            "list title", text(cabinets->findChild<QLabel*>("mlblTitle")), {under(cabinets)}, 14};
        QList<QColor> rows;
        for (QBaseItem* row : {static_cast<QBaseItem*>(cabinets->items().at(0)),
                               static_cast<QBaseItem*>(cabinets->items().at(1)),
                               static_cast<QBaseItem*>(computer->items().at(0)),
                               static_cast<QBaseItem*>(computer->items().at(1))}) {
            for (int state :
                 {QBaseItem::StateNormal, QBaseItem::StateHovered, QBaseItem::StateSelected})
                rows << rowUnder(row, state);
        }
        items << Item{"row name", text(computer->items().at(0)->nameLabel()), rows, 12}
              << Item{"row number", QCabInetTypeItem::numberColor(mode), rows, 12};
        for (int cabinet : {0, 1})
            items << Item{"cabinet mark",
                          QCabInetTypeItem::markTextColor(),
                          {QCabInetTypeItem::markColor(cabinet)},
                          11};

        // Prompts and the firmware dialog: title, message, the buttons in their states.
        QPromptDialog prompt(nullptr, "x", "Prompt", QPromptDialog::IconWarning,
                             QPromptDialog::ButtonsYesNo);
        items << Item{"prompt title", text(&prompt), {promptTitle}, 18}
              << Item{"prompt message", text(prompt.MessageLabel()), {promptBody}, 16};
        for (int state = 0; state < 3; ++state) {
            const QString strip = pic + "/btn_common.png";
            items << Item{QStringLiteral("prompt button state %1").arg(state),
                          prompt.ResultButtons().at(0)->Draw().TextColor(state),
                          {pixel(strip, 160 * state + 80, 8), pixel(strip, 160 * state + 80, 32)},
                          16};
        }
        QAPPUpdateDialog mismatch;
        items << Item{"firmware dialog", text(mismatch.MessageLabel()), {dialogBody}, 16};
        QLoadingForm loading;
        loading.ApplyMode(mode);
        items << Item{"progress form", text(loading.TextLabel()), {loading.PanelColor()}, 20};

        // The focus ring against every background it is drawn on.
        items << Item{"focus ring", QMEFocusRing::Color(mode),
                      QList<QColor>{under(panel), card, deck, pill, field, select, promptBody,
                                    promptTitle, dialogBody} +
                          rows,
                      18};

        const QStringList failures = Contrast::failures(items);
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join("\n")));
    }
};

TALIX_WIDGET_TEST_MAIN(TestContrast)
#include "test_contrast.moc"
