#include "uikit/qappupdatedialog.h"

#include "settings/parserxml.h"
#include "settings/qmeappinfo.h"
#include "settings/qmefolders.h"
#include "uikit/qmebasebutton.h"

#include <QLabel>

#include <algorithm>

namespace {

const char* const kBackground = "/common_bg.png";
const char* const kClose = "/btn_common_close.png";
const char* const kButton = "/btn_common.png";

} // namespace

QStringList QAPPUpdateDialog::ImageNames() {
    return {kBackground, kClose, kButton};
}

QAPPUpdateDialog::QAPPUpdateDialog(QWidget* parent) : QMEStandardDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    m_mode = ParserXML::ReadValue("UI_Mode", "UI_Mode_Value", "1").toInt();
    const QString folder = QMEFolders::imageFolder(m_mode);
    SetBackgroundImage(folder + kBackground, true);
    SetResizeDirections(0);
    SetCloseButton(folder + kClose, true);
    connect(CloseButton(), &QMEBaseButton::clicked, this, &QAPPUpdateDialog::onCancel);

    const QMEAppInfo& info = QMEAppInfo::instance();
    SetTitleRect(info.marginLeft + 15, info.marginTop + 12, info.marginLeft + 14,
                 info.marginTop + 11);
    SetTitleText(QObject::tr("Prompt"));
    SetTitleBandHeight(info.marginTop + info.titleHeight);
    QFont dialogFont = font();
    dialogFont.setPixelSize(18);
    setFont(dialogFont);

    const QColor text = m_mode == 1 ? QColor(123, 123, 123) : QColor(255, 255, 255);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, text);
    setPalette(pal);

    m_message =
        new QLabel(QObject::tr("The software version dose not match the firmware of your device, "
                               "keep using the software may lose support of some functions."),
                   this);
    m_message->setWordWrap(true);
    m_firmware = new QLabel(QObject::tr("Firmware version:"), this);
    m_software = new QLabel(QObject::tr("Software version:"), this);
    // Smaller than the title, the texts need a darker grey on the light look's pale body.
    QPalette labels = pal;
    labels.setColor(QPalette::WindowText, m_mode == 1 ? QColor(112, 112, 112) : text);
    for (QLabel* label : {m_message, m_firmware, m_software}) {
        QFont f = label->font();
        f.setPixelSize(16);
        label->setFont(f);
        label->setPalette(labels);
    }

    m_upgrade = new QMEBaseButton(QObject::tr("Update firmware"), this);
    m_continue = new QMEBaseButton(QObject::tr("Continue using"), this);
    for (QMEBaseButton* button : {m_upgrade, m_continue}) {
        button->SetButtonImage(folder + kButton);
        QFont f = button->font();
        f.setPixelSize(16);
        button->setFont(f);
        button->SetLookTextColors(m_mode);
    }
    connect(m_upgrade, &QMEBaseButton::clicked, this, &QAPPUpdateDialog::onUpgrade);
    connect(m_continue, &QMEBaseButton::clicked, this, &QAPPUpdateDialog::onCancel);
    setAccessibleName(QObject::tr("Prompt"));
    setAccessibleDescription(m_message->text());
    // Enter, like Escape, goes on without the update: an update is chosen on purpose.
    m_continue->setDefault(true);
    m_continue->setFocus(Qt::OtherFocusReason);
    Layout();
}

void QAPPUpdateDialog::Layout() {
    const QMEAppInfo& info = QMEAppInfo::instance();
    const int left = info.marginLeft + 40;
    const int inner = width() - left - info.marginRight - 40;
    int y = info.marginTop + info.titleHeight + 20;
    // The message wraps to as many lines as its translation needs.
    const int messageHeight = std::max(m_message->heightForWidth(inner), 0);
    m_message->setGeometry(left, y, inner, messageHeight);
    y += messageHeight + 16;
    const int line = m_firmware->sizeHint().height();
    m_firmware->setGeometry(left, y, inner, line);
    y += line + 8;
    m_software->setGeometry(left, y, inner, line);
    y += line;

    // The buttons keep clear of the labels above them and of the panel's lower edge; the
    // background stretches when the texts need more room than the image gives.
    const int bw = m_upgrade->width();
    const int bh = m_upgrade->height();
    const int needed = y + kButtonGap + bh + kButtonGap + info.marginBottom;
    if (height() < needed)
        resize(width(), needed);
    const int by = height() - info.marginBottom - kButtonGap - bh;
    const int gap = 30;
    const int x0 =
        info.marginLeft + (width() - info.marginLeft - info.marginRight - 2 * bw - gap) / 2;
    m_upgrade->move(x0, by);
    m_continue->move(x0 + bw + gap, by);
    SetCloseButtonOffsets(15, 10);
    LayoutCloseButton();
}

void QAPPUpdateDialog::SetFirmwareVersion(const QString& version) {
    m_firmware->setText(QObject::tr("Firmware version:") + " " + version);
}

void QAPPUpdateDialog::SetSoftwareVersion(const QString& version) {
    m_software->setText(QObject::tr("Software version:") + " " + version);
}

QLabel* QAPPUpdateDialog::MessageLabel() const {
    return m_message;
}

QLabel* QAPPUpdateDialog::FirmwareLabel() const {
    return m_firmware;
}

QLabel* QAPPUpdateDialog::SoftwareLabel() const {
    return m_software;
}

QMEBaseButton* QAPPUpdateDialog::UpgradeButton() const {
    return m_upgrade;
}

QMEBaseButton* QAPPUpdateDialog::ContinueButton() const {
    return m_continue;
}

int QAPPUpdateDialog::Mode() const {
    return m_mode;
}

void QAPPUpdateDialog::onUpgrade() {
    accept();
}

void QAPPUpdateDialog::onCancel() {
    close();
}
