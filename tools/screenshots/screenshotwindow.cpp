#include "tools/screenshots/screenshotwindow.h"

#include "settings/qmeappinfo.h"
#include "settings/qmefolders.h"
#include "uikit/qmebasebutton.h"
#include "uikit/qmecheckbox.h"
#include "uikit/qmecircleslider.h"
#include "uikit/qmecombobox.h"
#include "uikit/qmeimageloader.h"
#include "uikit/qmelineedit.h"
#include "uikit/qmeprogressindicator.h"

#include <QLabel>

namespace {

const QStringList kStrips{"/btn_common.png",  "/btn_save.png",     "/btn_set.png",
                          "/btn_update2.png", "/btn_darkmode.png", "/btn_lightmode.png",
                          "/btns/btn_1.png",  "/btn_close.png",    "/btn_cabinet_add.png"};

} // namespace

ScreenshotWindow::ScreenshotWindow(int mode) : m_mode(mode) {
    QWidget* central = new QWidget(this);
    central->setObjectName("centralWidget");
    setCentralWidget(central);
    InitFrame();
    ApplyTheme(mode);
    BuildGallery();
    LayoutTitleBar();
}

void ScreenshotWindow::InitAppInfo() {
    QMEAppInfo& info = QMEAppInfo::instance();
    info.makerName = QStringLiteral("Zelva");
    info.productName = QStringLiteral("TALIX");
    info.caption = QStringLiteral("TALIX");
    info.titleHeight = 48;
    info.font.setFamily(QStringLiteral("Arial"));
}

void ScreenshotWindow::InitExtra() {}

QMargins ScreenshotWindow::FrameMargins() {
    return QMargins(8, 8, 8, 8);
}

void ScreenshotWindow::InitReserved() {}

void ScreenshotWindow::BuildGallery() {
    const QString folder = QMEFolders::imageFolder(m_mode);
    const bool dark = m_mode == 2;
    const QColor label = dark ? QColor(219, 219, 219) : QColor(97, 97, 97);
    QWidget* central = centralWidget();
    auto caption = [&](const QString& text, int x, int y) {
        auto* l = new QLabel(text, central);
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, label);
        l->setPalette(pal);
        l->move(x, y);
    };

    // Every button strip in its four states: normal, hover, pressed, disabled.
    caption(QStringLiteral("Buttons: normal, hover, pressed, disabled"), 40, 100);
    int y = 125;
    int x = 40;
    for (const QString& strip : kStrips) {
        int width = 0;
        for (int state = 0; state < 4; ++state) {
            auto* button = new QMEBaseButton(strip.contains("btn_common") ? "OK" : "", central);
            button->SetButtonImage(folder + strip);
            button->SetLookTextColors(dark ? 2 : 1);
            if (state == 1)
                button->Draw().Enter(true);
            if (state == 2)
                button->Draw().Press(true);
            button->SetFixedState(true);
            button->setEnabled(state != 3);
            if (x + button->width() * 4 + 30 > 1250) {
                x = 40;
                y += 70;
            }
            width = button->width();
            button->move(x + state * (width + 6), y);
        }
        x += (width + 6) * 4 + 30;
    }

    // Switches, on and off.
    y += 80;
    caption(QStringLiteral("Switches"), 40, y);
    for (int i = 0; i < 2; ++i) {
        auto* box = new QMECheckBox(i == 0 ? "ON" : "OFF", central);
        box->SetIndicatorImages(folder + "/button_on.png", folder + "/button_off.png");
        box->setChecked(i == 0);
        box->setLayoutDirection(Qt::RightToLeft);
        box->resize(70, 24);
        box->move(40 + i * 90, y + 25);
    }

    // Dials in arc mode at a few values, one in dot mode.
    caption(QStringLiteral("Dials"), 260, y);
    const int values[] = {0, 35, 70, 100};
    for (int i = 0; i < 5; ++i) {
        auto* dial = new QMECircleSlider(central);
        dial->setNeedleStyle(2);
        dial->setNeedleDistance(14);
        dial->setArcMargin(12, 12, 12, 12);
        dial->setContraAngle(60);
        dial->setArcValueWidth(2.0);
        dial->setValueColor(i % 2 ? QColor(248, 129, 129) : QColor(129, 147, 248));
        dial->setBackgroundImage(QMEImageLoader::LoadPixmap(folder + "/circle_slider_bg.png"));
        dial->setNeedleImage(QMEImageLoader::LoadPixmap(folder + "/circle_slider_point.png"));
        if (i == 4) {
            dial->setArcMode(false);
            dial->setValue(60);
        } else {
            dial->setValue(values[i]);
        }
        dial->move(260 + i * 90, y + 25);
    }

    // Value field, cabinet chooser and the busy indicator.
    caption(QStringLiteral("Fields"), 740, y);
    auto* field = new QMELineEdit(central);
    field->setStyleSheet(QStringLiteral("QLineEdit{border-image:url(%1/input_bg.png);color:%2}")
                             .arg(folder, dark ? "#b4b4b4" : "#7b7b7b"));
    field->setText(QStringLiteral("20ms"));
    field->setAlignment(Qt::AlignCenter);
    field->resize(70, 20);
    field->move(740, y + 30);

    for (int i = 0; i < 2; ++i) {
        auto* chooser = new QMEComboBox(central);
        chooser->setStyleSheet(
            QStringLiteral("QComboBox{border-image:url(%1/%2);padding-left:16px;color:%3}"
                           "QComboBox::drop-down{border:none;width:24px}"
                           "QComboBox::down-arrow{image:url(%1/mode_arrow.png)}")
                .arg(folder, i == 0 ? "mode_aleft_selectbg.png" : "mode_bright_selectbg.png",
                     dark ? "#dbdbdb" : "#616161"));
        chooser->addItem(i == 0 ? QStringLiteral("Twinverb.B 2x12")
                                : QStringLiteral("1960AG 4x12"));
        chooser->resize(220, 32);
        chooser->move(830, y + 25 + i * 40);
    }

    auto* busy = new QMEProgressIndicator(central);
    busy->setColor(dark ? Qt::white : QColor(53, 53, 53));
    busy->setDisplayedWhenStopped(true);
    busy->resize(40, 40);
    busy->move(1080, y + 25);

    // The cabinet pictures, as the panels show them.
    y += 130;
    caption(QStringLiteral("Cabinet pictures"), 40, y);
    const QString sound = QMEFolders::applicationFolder("/image/sound/");
    // Scaled in device pixels so that a high-DPI screen shows them sharp.
    const qreal ratio = QMEImageLoader::ScreenRatio();
    for (int slot = 0; slot <= 11; ++slot) {
        auto* picture = new QLabel(central);
        const QPixmap image = QMEImageLoader::LoadPixmap(
            sound + (slot < 11 ? QStringLiteral("sound%1.png").arg(slot) : "soundir.png"));
        QPixmap shown =
            image.scaled(QSize(142, 104) * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        shown.setDevicePixelRatio(ratio);
        picture->setPixmap(shown);
        picture->resize(142, 104);
        picture->move(40 + (slot % 8) * 150, y + 25 + (slot / 8) * 112);
    }
}
