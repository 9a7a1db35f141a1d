// Renders the toolkit's windows and dialogs in both looks to PNG files:
//   talix-screenshots <output folder>
// With QT_SCALE_FACTOR=2 the pictures show a high-DPI screen: twice the pixels, the same layout.
// It reads the skins beside itself, like the programs, and keeps its settings in a private place.
#include "editor/mainwindowrules.h"
#include "settings/parserxml.h"
#include "tools/screenshots/cabinetlistshot.h"
#include "tools/screenshots/promptshots.h"
#include "tools/screenshots/screenshotwindow.h"
#include "tools/screenshots/shotsetup.h"
#include "tools/screenshots/updaterscreenshots.h"
#include "uikit/qappupdatedialog.h"
#include "uikit/qloadingform.h"
#include "uikit/qmaskwidget.h"
#include "uikit/qmefocusring.h"
#include "uikit/qmeimageloader.h"
#include "uikit/qmeprogressindicator.h"
#include "uikit/qpromptdialog.h"
#include "updater/image/firmwarefolder.h"
#include "updater/image/firmwaretexts.h"

#include <QApplication>
#include <QDir>
#include <QPainter>

namespace {

struct PromptCase {
    const char* name;
    const char* text;
    QSize area;
    int icon;
    int buttons;
};

// Each icon kind and each button set at least once, with texts the programs show.
const PromptCase kPrompts[] = {
    {"warning_yesno",
     QT_TRANSLATE_NOOP("QObject", "Are you sure to save the Preset?"),
     {250, 60},
     1,
     4},
    {"success_none",
     QT_TRANSLATE_NOOP("QObject", "Device data backup successful."),
     {250, 80},
     3,
     0},
    {"error_none", QT_TRANSLATE_NOOP("QObject", "Device Disconnected!"), {200, 100}, 4, 0},
    {"help_ok",
     QT_TRANSLATE_NOOP("QObject", "Device connection disconnected, please reconnect!"),
     {250, 80},
     5,
     1},
    {"noicon_cancel", QT_TRANSLATE_NOOP("QObject", "Exit the application!"), {200, 60}, 0, 2},
};

// The prompts of a firmware update and of a pedal that cannot be opened, in the current language:
// the editor's question naming the image, its prompt when there is none (two files refused), the
// updater's close question, and the editor's connect failures; and the list of keys.
QList<TextPrompt> pedalPrompts() {
    const QString folder = QStringLiteral("/home/guitarist/Documents/TALIX/Firmware/");
    const QString none =
        FirmwareTexts::NoImageLine(folder) + QStringLiteral("\n\n") +
        FirmwareTexts::RefusalLines({{folder + "talix_v1.3.0.zv", QFirmwareImage::OtherDevice},
                                     {folder + "talix_v1.4.0.zv", QFirmwareImage::CutOff}});
    using F = QMEBaseLibusb::OpenFailure;
    const QList<QPair<const char*, QString>> failures = {
        {"noaccess", MainWindowRules::openFailureText(F::AccessDenied, "/dev/bus/usb/001/002")},
        {"held", MainWindowRules::openFailureText(F::Busy, QString())},
        {"driver", MainWindowRules::openFailureText(F::DriverStuck, QString())},
        {"otherdevice", MainWindowRules::openFailureText(F::OtherDevice, "TAL_X2")},
        {"noanswer", MainWindowRules::openFailureText(F::NoAnswer, QString())},
        {"nousb", MainWindowRules::openFailureText(F::UsbUnavailable, "LIBUSB_ERROR_OTHER")},
    };
    QList<TextPrompt> prompts;
    for (const auto& failure : failures)
        prompts.append({QStringLiteral("open_") + failure.first, failure.second, 360,
                        QPromptDialog::IconError, QPromptDialog::ButtonsNone});
    return prompts +
           QList<TextPrompt>{
               {"update_question",
                QCoreApplication::translate(
                    "QObject",
                    QT_TRANSLATE_NOOP("QObject", "Update the pedal with \"%1\"? The pedal "
                                                 "restarts into its update mode; keep it "
                                                 "plugged in until the updater says it has "
                                                 "finished."))
                    .arg("talix_v1.3.0.zv"),
                320, QPromptDialog::IconWarning, QPromptDialog::ButtonsYesNo},
               {"firmware_missing", none, 420, QPromptDialog::IconWarning,
                QPromptDialog::ButtonsOpenOk},
               {"keyboard_shortcuts", MainWindowRules::keyboardHelp(), 420, QPromptDialog::IconHelp,
                QPromptDialog::ButtonsOk},
               {"updater_close",
                QCoreApplication::translate(
                    "QObject",
                    QT_TRANSLATE_NOOP("QObject",
                                      "The pedal is being updated. If you close now it stays "
                                      "in its update mode until you run the update again. "
                                      "Close anyway?")),
                300, QPromptDialog::IconWarning, QPromptDialog::ButtonsYesNo},
           };
}

} // namespace

int main(int argc, char** argv) {
    ShotSetup setup;
    QApplication app(argc, argv);
    QDir out;
    if (const int code = ShotSetup::outputFolder(app.arguments(), "talix-screenshots", out))
        return code;

    bool ok = true;
    for (int mode : {1, 2}) {
        const QString look = mode == 1 ? "light" : "dark";
        ParserXML::WriteValue("UI_Mode", "UI_Mode_Value", QString::number(mode));

        for (const PromptCase& c : kPrompts) {
            QPromptDialog prompt(nullptr, QString::fromUtf8(c.text), QStringLiteral("Prompt"),
                                 c.icon, c.buttons);
            prompt.SetMessageSize(c.area.width(), c.area.height());
            ok &= saveShot(onBackdrop(grabShown(prompt), mode), out,
                           QStringLiteral("prompt_%1_%2").arg(c.name, look));
        }
        ok &= saveTextPrompts(pedalPrompts(), mode, look, out);

        // A question as the keyboard finds it: on its default button, ringed.
        QMEFocusRing::Install(mode);
        QPromptDialog question(nullptr, QString::fromUtf8(kPrompts[0].text),
                               QStringLiteral("Prompt"), kPrompts[0].icon, kPrompts[0].buttons);
        question.SetMessageSize(kPrompts[0].area.width(), kPrompts[0].area.height());
        question.show();
        QApplication::setActiveWindow(&question);
        QMEFocusRing::ShowForKeyboard();
        ok &= saveShot(onBackdrop(grabShown(question), mode), out, "prompt_focus_" + look);
        question.hide();

        QAPPUpdateDialog mismatch(nullptr);
        mismatch.SetFirmwareVersion(QStringLiteral("V1.1.9"));
        mismatch.SetSoftwareVersion(QStringLiteral("V1.2.2"));
        ok &= saveShot(onBackdrop(grabShown(mismatch), mode), out, "firmware_mismatch_" + look);

        ScreenshotWindow window(mode);
        const QImage frame = grabShown(window);
        ok &= saveShot(onBackdrop(frame, mode), out, "window_gallery_" + look);
        ok &= saveShot(CabinetListShot::render(mode), out, "cabinet_list_" + look);

        // The progress form over the mask, as during a backup.
        QMaskWidget mask(window.centralWidget());
        mask.setGeometry(window.rect().marginsRemoved(QMargins(8, 8, 8, 8)));
        QLoadingForm loading;
        loading.ApplyMode(mode);
        loading.SetTextPattern(QStringLiteral("Backuping...%1%..."));
        loading.SetValue(42);
        loading.Indicator()->startAnimation();
        mask.show();
        QImage covered = grabShown(window);
        const QImage form = grabShown(loading);
        const QSize coveredSize = QMEImageLoader::LogicalSize(covered);
        const QSize formSize = QMEImageLoader::LogicalSize(form);
        QPainter painter(&covered);
        painter.drawImage((coveredSize.width() - formSize.width()) / 2,
                          (coveredSize.height() - formSize.height()) / 2, form);
        painter.end();
        ok &= saveShot(onBackdrop(covered, mode), out, "loading_over_mask_" + look);
    }

    // Two dialogs with the longest texts in each translated language, to check that they fit.
    ok &= inEachLanguage([&out](const QString& language) {
        const PromptCase& c = kPrompts[0];
        QPromptDialog prompt(nullptr, QCoreApplication::translate("QObject", c.text),
                             QCoreApplication::translate("QObject", "Prompt"), c.icon, c.buttons);
        prompt.SetMessageSize(c.area.width(), c.area.height());
        bool saved = saveShot(onBackdrop(grabShown(prompt), 1), out,
                              QStringLiteral("prompt_%1_%2").arg(c.name, language));
        QAPPUpdateDialog mismatch(nullptr);
        mismatch.SetFirmwareVersion(QStringLiteral("V1.1.9"));
        mismatch.SetSoftwareVersion(QStringLiteral("V1.2.2"));
        saved &= saveShot(onBackdrop(grabShown(mismatch), 1), out,
                          QStringLiteral("firmware_mismatch_%1").arg(language));
        return saved && saveTextPrompts(pedalPrompts(), 1, language, out);
    });
    ok &= SaveUpdaterScreenshots([&](QWidget& widget, int mode, const QString& name) {
        return saveShot(onBackdrop(grabShown(widget), mode), out, name);
    });
    return ok ? 0 : 1;
}
