#include "uikit/qpromptdialog.h"

#include "settings/parserxml.h"
#include "settings/qmeappinfo.h"
#include "settings/qmefolders.h"
#include "uikit/qmeaccessible.h"
#include "uikit/qmebasebutton.h"
#include "uikit/qmewidget.h"
#include "uikit/qpromptlayout.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>

namespace {

const char* const kClose = "/btn_close.png";
// A nine-slice source: the prompt never gets smaller than this image.
const char* const kBackground = "/bg_msg.png";
const char* const kButton = "/btn_common.png";
const char* const kWarning = "/warning.png";
const char* const kSuccess = "/success.png";
const char* const kError = "/error.png";
const char* const kHelp = "/help.png";

QPromptDialog::AnswerHook& answerHook() {
    static QPromptDialog::AnswerHook hook;
    return hook;
}

} // namespace

QStringList QPromptDialog::ImageNames() {
    return {kClose, kBackground, kButton, kWarning, kSuccess, kError, kHelp};
}

QString QPromptDialog::IconImageName(int icon) {
    switch (icon) {
    case IconWarning:
        return kWarning;
    case IconSuccess:
        return kSuccess;
    case IconError:
        return kError;
    case IconHelp:
        return kHelp;
    default:
        return QString();
    }
}

int QPromptDialog::ShowPrompt(QWidget* parent, const QString& text, int width, int height,
                              const QString& title, int icon, int buttons, int defaultResult) {
    auto* dialog = new QPromptDialog(parent, text, title, icon, buttons, defaultResult);
    dialog->SetMessageSize(width, height);
    return Run(dialog);
}

int QPromptDialog::ShowFittedPrompt(QWidget* parent, const QString& text, int width,
                                    const QString& title, int icon, int buttons,
                                    int defaultResult) {
    auto* dialog = new QPromptDialog(parent, text, title, icon, buttons, defaultResult);
    dialog->FitMessage(width);
    return Run(dialog);
}

void QPromptDialog::FitMessage(int width) {
    const QFontMetrics metrics(m_message->font());
    int widest = 0;
    for (const QString& line : m_text.split(QLatin1Char('\n')))
        widest = qMax(widest, metrics.horizontalAdvance(line) + 1);
    const int fitted = qBound(width, widest, qMax(width, kFittedMaxWidth));
    SetMessageSize(fitted, m_message->heightForWidth(fitted));
}

int QPromptDialog::Run(QPromptDialog* prompt) {
    // On the heap and watched: the parent deletes its children, so a prompt on the stack would
    // be freed twice when the parent goes while the prompt runs.
    QPointer<QPromptDialog> dialog = prompt;
    int result = ResultClose;
    if (answerHook()) {
        result = answerHook()(*dialog);
    } else {
        const int code = dialog->exec();
        if (dialog)
            result = code;
    }
    delete dialog.data();
    return result;
}

void QPromptDialog::SetAnswerHook(AnswerHook hook) {
    answerHook() = std::move(hook);
}

QPromptDialog::QPromptDialog(QWidget* parent, const QString& text, const QString& title, int icon,
                             int buttons, int defaultResult)
    : QMEStandardDialog(parent), m_iconKind(icon), m_title(title), m_text(text),
      m_buttonSet(buttons) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::FramelessWindowHint;
    if (parent && (parent->window()->windowFlags() & Qt::WindowStaysOnTopHint))
        flags |= Qt::WindowStaysOnTopHint;
    setWindowFlags(flags);
    setAttribute(Qt::WA_TranslucentBackground);
    SetResizeDirections(0);

    m_mode = ParserXML::ReadValue("UI_Mode", "UI_Mode_Value", "1").toInt();
    const QString pic = QMEFolders::picFolder(m_mode);

    SetCloseButton(pic + kClose, true);
    connect(CloseButton(), &QMEBaseButton::clicked, this, &QPromptDialog::OnClose);
    SetBackgroundImage(pic + kBackground, true);
    SetResizeDirections(0);

    m_icon = new QMEWidget(this);
    const QString iconName = IconImageName(icon);
    m_iconShown = !iconName.isEmpty() && m_icon->SetBackgroundImage(pic + iconName, false);
    m_icon->setVisible(m_iconShown);

    const QMEAppInfo& info = QMEAppInfo::instance();
    SetTitleRect(info.marginLeft + 15, info.marginTop + 12, info.marginLeft + 14,
                 info.marginTop + 11);
    SetTitleText(title);
    QFont dialogFont = font();
    dialogFont.setPixelSize(18);
    setFont(dialogFont);

    m_message = new QLabel(text, this);
    m_message->setWordWrap(true);
    QFont messageFont = m_message->font();
    messageFont.setPixelSize(16);
    m_message->setFont(messageFont);
    m_message->resize(m_messageSize);

    const QColor windowText = m_mode == 1 ? QColor(123, 123, 123) : QColor(255, 255, 255);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, windowText);
    setPalette(pal);
    // The message is smaller than the title: on the light look's pale body it needs a darker grey.
    QPalette messagePalette = m_message->palette();
    messagePalette.setColor(QPalette::WindowText,
                            m_mode == 1 ? QColor(112, 112, 112) : QColor(255, 255, 255));
    m_message->setPalette(messagePalette);

    if (buttons == ButtonsOk) {
        AddButton(QObject::tr("OK"), ResultOk);
    } else if (buttons == ButtonsCancel) {
        AddButton(QObject::tr("Cancel"), ResultCancel);
    } else if (buttons == ButtonsYesNo) {
        AddButton(QObject::tr("Yes"), ResultYes);
        AddButton(QObject::tr("No"), ResultNo);
    } else if (buttons == ButtonsOpenOk) {
        AddButton(QObject::tr("Open Folder"), ResultOpen);
        AddButton(QObject::tr("OK"), ResultOk);
    }
    for (QMEBaseButton* button : m_buttons) {
        button->SetLookTextColors(m_mode);
        if (button->property("result").toInt() == defaultResult)
            button->setDefault(true);
    }
    if (!m_buttons.isEmpty() && !DefaultButton())
        m_buttons.first()->setDefault(true);

    SetTitleBandHeight(info.marginTop + info.titleHeight);
    // A screen reader reads it out as it opens.
    QMEAccessible::SetRole(this, QAccessible::AlertMessage);
    setAccessibleName(title);
    setAccessibleDescription(text);
}

void QPromptDialog::AddButton(const QString& text, int result) {
    auto* button = new QMEBaseButton(text, this);
    button->SetButtonImage(QMEFolders::picFolder(m_mode) + kButton);
    QFont buttonFont = button->font();
    buttonFont.setPixelSize(16);
    button->setFont(buttonFont);
    button->setProperty("result", result);
    connect(button, &QMEBaseButton::clicked, this, &QPromptDialog::OnBtnDone);
    m_buttons.append(button);
}

QString QPromptDialog::Text() const {
    return m_text;
}

QString QPromptDialog::Title() const {
    return m_title;
}

int QPromptDialog::IconKind() const {
    return m_iconKind;
}

int QPromptDialog::ButtonSet() const {
    return m_buttonSet;
}

void QPromptDialog::SetMessageSize(int width, int height) {
    m_messageSize = QSize(width, height);
    m_message->resize(m_messageSize);
}

QSize QPromptDialog::MessageSize() const {
    return m_messageSize;
}

bool QPromptDialog::IconShown() const {
    return m_iconShown;
}

QMEWidget* QPromptDialog::IconWidget() const {
    return m_icon;
}

QLabel* QPromptDialog::MessageLabel() const {
    return m_message;
}

QList<QMEBaseButton*> QPromptDialog::ResultButtons() const {
    return m_buttons;
}

QMEBaseButton* QPromptDialog::DefaultButton() const {
    for (QMEBaseButton* button : m_buttons) {
        if (button->isDefault())
            return button;
    }
    return nullptr;
}

int QPromptDialog::Mode() const {
    return m_mode;
}

void QPromptDialog::OnClose() {
    done(ResultClose);
}

void QPromptDialog::OnBtnDone() {
    const QObject* button = sender();
    if (button)
        done(button->property("result").toInt());
}

void QPromptDialog::reject() {
    // Escape ends the prompt as its close button does.
    done(ResultClose);
}

void QPromptDialog::showEvent(QShowEvent* event) {
    if (!m_shown) {
        m_shown = true;
        const QMEAppInfo& info = QMEAppInfo::instance();
        QPromptLayout::Input in;
        in.margins = QMargins(info.marginLeft, info.marginTop, info.marginRight, info.marginBottom);
        in.titleHeight = info.titleHeight;
        in.message = m_messageSize;
        in.icon = m_icon->size();
        in.iconShown = m_iconShown;
        in.buttonCount = m_buttons.size();
        if (!m_buttons.isEmpty())
            in.button = m_buttons.first()->size();
        in.close = CloseButton()->size();
        const QPromptLayout layout = QPromptLayout::Compute(in);

        resize(layout.size);
        CloseButton()->move(layout.close);
        m_icon->move(layout.icon);
        m_message->setGeometry(QRect(layout.message, m_messageSize));
        for (int i = 0; i < m_buttons.size(); ++i)
            m_buttons[i]->move(layout.buttons[i]);

        QRect around;
        if (parentWidget())
            around = parentWidget()->window()->geometry();
        else if (const QScreen* screen = QGuiApplication::primaryScreen())
            around = screen->availableGeometry();
        move(QPromptLayout::Placement(around, layout.size));
        // The keyboard starts on the button Enter takes, or on the close button.
        if (QMEBaseButton* first = DefaultButton() ? DefaultButton() : CloseButton())
            first->setFocus(Qt::OtherFocusReason);
    }
    QMEStandardDialog::showEvent(event);
}
