// Renders the editor's panels and the complete editor window connected to the virtual pedal, in
// both looks and the window also in Chinese (for the narrow widths), and the editor's prompts of a
// refused close and of a missing updater in both looks and every language, to PNG files:
//   talix-editor-screenshots <output folder>
// A program of its own: the editor's and the updater's windows share their class name.
#include "editor/mainwindow.h"
#include "editor/mainwindowrules.h"
#include "protocol/qdataanalysis.h"
#include "protocol/qusbwritethread.h"
#include "settings/parserxml.h"
#include "tools/screenshots/panelshots.h"
#include "tools/screenshots/presetshots.h"
#include "tools/screenshots/promptshots.h"
#include "tools/screenshots/shotsetup.h"
#include "uikit/qmecheckbox.h"
#include "uikit/qmecircleslider.h"
#include "uikit/qmecombobox.h"
#include "uikit/qmefocusring.h"
#include "uikit/qpromptdialog.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTextStream>

namespace {

// The window in a look and a language of the language list, once the pedal's answers are in;
// a null image when the pedal did not answer. With `keyboard` the keyboard is on CAB A's Latency
// dial, which shows the focus ring.
QImage render(int mode, const QString& language, bool keyboard = false) {
    ParserXML::WriteValue("UI_Mode", "UI_Mode_Value", QString::number(mode));
    MainWindow window;
    auto* languages = window.findChild<QMEComboBox*>("mccbLanguage");
    languages->setCurrentIndex(languages->findText(language));
    window.show();
    window.Parser()->deviceState()->deviceValue = 0;
    window.findChild<QMECheckBox*>("mcbxConnect")->click();
    // The device value is the last answer of the connect sequence.
    QElapsedTimer timer;
    timer.start();
    while (window.Parser()->deviceState()->deviceValue != 3 && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QCoreApplication::processEvents();
    if (keyboard) {
        QApplication::setActiveWindow(&window);
        window.findChild<QWidget*>("mwgtLeftSet")
            ->findChild<QWidget*>("mwgtLatency")
            ->findChild<QMECircleSlider*>()
            ->setFocus(Qt::TabFocusReason);
        QMEFocusRing::ShowForKeyboard();
        QCoreApplication::processEvents();
    }
    const bool connected = window.Parser()->deviceState()->deviceValue == 3;
    const QImage shot = connected ? window.grab().toImage() : QImage();
    window.WriteThread()->closeUsbConnect();
    return shot;
}

// The prompts of a close refused while something runs and of a missing updater, in the current
// language.
QList<TextPrompt> closePrompts() {
    using namespace MainWindowRules;
    const auto refusal = [](const char* name, Busy busy) {
        return TextPrompt{name, closeRefusal(busy), kLongPromptWidth, QPromptDialog::IconWarning,
                          QPromptDialog::ButtonsNone};
    };
    return {refusal("close_backup", Busy::Backup),
            refusal("close_restore", Busy::Restore),
            refusal("close_import", Busy::IrImport),
            refusal("close_reset", Busy::FactoryReset),
            {"updater_missing", updaterMissing("/home/guitarist/Applications/TALIX/TALIXUpdate"),
             kLongPromptWidth, QPromptDialog::IconError, QPromptDialog::ButtonsNone}};
}

} // namespace

int main(int argc, char** argv) {
    ShotSetup setup;
    QApplication app(argc, argv);
    QDir out;
    if (const int code = ShotSetup::outputFolder(app.arguments(), "talix-editor-screenshots", out))
        return code;
    struct Shot {
        int mode;
        const char* language;
        const char* name;
        bool keyboard;
    };
    bool ok = true;
    for (int mode : {1, 2}) {
        ParserXML::WriteValue("UI_Mode", "UI_Mode_Value", QString::number(mode));
        ok &= savePanelShots(out, mode);
        ok &= savePresetShots(out, mode);
        ok &= saveTextPrompts(closePrompts(), mode, mode == 1 ? "light" : "dark", out);
    }
    ok &= inEachLanguage([&out](const QString& language) {
        return saveTextPrompts(closePrompts(), 1, language, out);
    });
    for (const Shot& s :
         {Shot{1, "English", "editor_light", false}, Shot{2, "English", "editor_dark", false},
          Shot{1, "Chinese", "editor_zh_CN", false}, Shot{1, "English", "editor_focus_light", true},
          Shot{2, "English", "editor_focus_dark", true}}) {
        const QImage shot = render(s.mode, QString::fromLatin1(s.language), s.keyboard);
        const bool saved = !shot.isNull() && shot.save(out.filePath(s.name + QString(".png")));
        if (!saved)
            QTextStream(stderr) << "talix-editor-screenshots: no picture for " << s.name << "\n";
        ok &= saved;
    }
    return ok ? 0 : 1;
}
