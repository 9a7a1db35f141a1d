#include "../uikit/contrast.h"
#include "../uikit/testenv.h"
#include "editor/mainwindow.h"
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

// Every text of the editor and its prompts against what it is drawn on, in both looks: the
// colours as the controls set them, the grounds from the skins, the rows as they paint.
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
        const QString image = QMEFolders::imageFolder(mode) + "/";
        const QString pic = QMEFolders::picFolder(mode) + "/";
        auto colour = [](const QWidget* w, QPalette::ColorRole role = QPalette::WindowText) {
            return w->palette().color(role);
        };
        auto under = [&image](const QWidget* w) {
            const QPoint at = w->mapTo(w->window(), QPoint(0, 0));
            return pixel(image + "background.png", at.x(), at.y());
        };
        auto rule = [](const QMEComboBox* combo, QMEComboBox::Rule rule) {
            return QColor(
                QRegularExpression("#[0-9a-f]{6}").match(combo->StyleRule(rule)).captured());
        };
        const QColor card = pixel(image + "cabab_bg.png", 40, 100);
        const QColor field = pixel(image + "input_bg.png", 35, 10);
        const QColor select = pixel(image + "mode_aleft_selectbg.png", 100, 16);
        const QColor promptBody = pixel(pic + "bg_msg.png", 60, 120);
        const QColor dialogBody = pixel(image + "common_bg.png", 100, 150);
        QList<QColor> grounds{card, field, select, promptBody, dialogBody};

        auto* connect = window.findChild<QMECheckBox*>("mcbxConnect");
        auto* languages = window.findChild<QMEComboBox*>("mccbLanguage");
        auto* version = window.findChild<QLabel*>("mlblVersion");
        auto* panel = window.findChild<QLeftSet*>("mwgtLeftSet");
        auto* cabinets = window.findChild<QCabInetTypeForm*>("mwgtCabInetType");
        QList<Item> items{
            {"connect switch", colour(connect), {pixel(image + "connected_bg.png", 30, 20)}, 11},
            {"version", colour(version), {under(version)}, 15},
            {"language", colour(languages->lineEdit(), QPalette::Text), {under(languages)}, 14},
            {"language list",
             colour(languages->view(), QPalette::Text),
             {rule(languages, QMEComboBox::RulePopupBackground),
              rule(languages, QMEComboBox::RuleItemHover)},
             14},
            {"cabinet title", colour(panel->findChild<QLabel*>("mlblTitle")), {card}, 18},
            {"cabinet switch", colour(panel->Switch()), {card}, 14},
            {"cabinet chooser",
             QBaseSet::TextColor(mode),
             {select, rule(panel->Chooser(), QMEComboBox::RulePopupBackground),
              rule(panel->Chooser(), QMEComboBox::RuleItemHover)},
             14},
            {"dial title",
             colour(panel->SliderWidget(0)->findChild<QLabel*>()),
             {pixel(image + "cabab_bg.png", 40, 470)},
             14},
        };
        for (QMEComboBox* chooser : {languages, panel->Chooser()}) {
            chooser->view()->ensurePolished();
            items << Item{chooser->objectName() + " highlighted entry",
                          colour(chooser->view(), QPalette::HighlightedText),
                          {rule(chooser, QMEComboBox::RuleItemSelected)},
                          14};
        }
        QLineEdit* value = panel->SliderWidget(QBaseSet::DialHighCut)->Field();
        value->ensurePolished();
        items << Item{
            "dial value", value->palette().color(QPalette::Disabled, QPalette::Text), {field}, 14};
        for (QMEMenu* menu : {window.Menu(), cabinets->contextMenu()}) {
            const QMEMenuStyle* style = menu->MenuStyle();
            items << Item{"menu", style->TextColor(), {style->PanelColor()}, 12}
                  << Item{"menu highlight",
                          style->HighlightTextColor(),
                          {style->HighlightColor()},
                          12};
        }
        // Presets in each state on their frames, the checked one on the pressed frame.
        const QString presets = image + "btns/btn_1.png";
        for (QDropDragButton* button : window.findChild<QButtonWidget*>()->buttons().mid(0, 2)) {
            for (int state = 0; state < 3; ++state) {
                const int frame = button->isChecked() ? 2 : state;
                items << Item{
                    "preset " + button->text(),
                    button->Draw().TextColor(state),
                    {pixel(presets, 62 * frame + 31, 12), pixel(presets, 62 * frame + 31, 40)},
                    16};
            }
        }
        // The rows, odd and even, at rest, under the pointer and selected; the cabinets' marks.
        auto* computer = window.findChild<QComputerForm*>("mwgtComputer");
        QVERIFY(computer->savePreset(0) && computer->savePreset(1));
        QList<QColor> rows;
        for (QBaseItem* row : QList<QBaseItem*>{cabinets->items().at(0), cabinets->items().at(1),
                                                computer->items().at(0), computer->items().at(1)}) {
            for (int state : {0, 1, 2}) {
                row->setState(state);
                rows << row->grab().toImage().pixelColor(6, row->height() / 2);
            }
        }
        items << Item{"row name", colour(computer->items().at(0)->nameLabel()), rows, 12}
              << Item{"row number", QCabInetTypeItem::numberColor(mode), rows, 12};
        for (int cabinet : {0, 1})
            items << Item{"mark",
                          QCabInetTypeItem::markTextColor(),
                          {QCabInetTypeItem::markColor(cabinet)},
                          11};
        // Prompts, the firmware dialog and the progress form.
        QPromptDialog prompt(nullptr, "x", "Prompt", 1, QPromptDialog::ButtonsYesNo);
        items << Item{"prompt title", colour(&prompt), {pixel(pic + "bg_msg.png", 60, 30)}, 18}
              << Item{"prompt message", colour(prompt.MessageLabel()), {promptBody}, 16};
        for (int state = 0; state < 3; ++state)
            items << Item{"prompt button",
                          prompt.ResultButtons().at(0)->Draw().TextColor(state),
                          {pixel(pic + "btn_common.png", 160 * state + 80, 8),
                           pixel(pic + "btn_common.png", 160 * state + 80, 32)},
                          16};
        QAPPUpdateDialog mismatch;
        QLoadingForm loading;
        loading.ApplyMode(mode);
        items << Item{"firmware dialog", colour(mismatch.MessageLabel()), {dialogBody}, 16}
              << Item{"progress form", colour(loading.TextLabel()), {loading.PanelColor()}, 20}
              << Item{"focus ring", QMEFocusRing::Color(mode), grounds + rows << under(version),
                      18};

        const QStringList failures = Contrast::failures(items);
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join("\n")));
    }
};

TALIX_WIDGET_TEST_MAIN(TestContrast)
#include "test_contrast.moc"
