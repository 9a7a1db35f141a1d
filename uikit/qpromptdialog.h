#pragma once

#include "uikit/qmestandarddialog.h"

#include <QFont>
#include <QImage>
#include <QList>
#include <QSize>
#include <QStringList>
#include <functional>

class QLabel;
class QMEWidget;

// The system's message box: a skinned dialog with an icon, a message and a row of result buttons.
class QPromptDialog : public QMEStandardDialog {
    Q_OBJECT
public:
    enum Icon { IconNone = 0, IconWarning = 1, IconSuccess = 3, IconError = 4, IconHelp = 5 };
    // ButtonsOpenOk: "Open Folder", which answers ResultOpen, and "OK".
    enum Buttons {
        ButtonsNone = 0,
        ButtonsOk = 1,
        ButtonsCancel = 2,
        ButtonsYesNo = 4,
        ButtonsOpenOk = 8
    };
    // The result codes are those of the standard message-box buttons.
    enum Result {
        ResultOk = 0x400,
        ResultOpen = 0x2000,
        ResultYes = 0x4000,
        ResultNo = 0x10000,
        ResultClose = 0x200000,
        ResultCancel = 0x400000
    };

    // Builds a prompt, runs it modally and returns its result code. A prompt whose parent is
    // deleted while it runs ends with ResultClose. Enter takes the button answering
    // `defaultResult` (the first button when it is 0 or answers none) and Escape closes.
    static int ShowPrompt(QWidget* parent, const QString& text, int width, int height,
                          const QString& title, int icon, int buttons, int defaultResult = 0);
    // The same for a text of any length: the message area is at least `width` wide, widens to
    // the longest line up to kFittedMaxWidth and is as tall as the wrapped text.
    static int ShowFittedPrompt(QWidget* parent, const QString& text, int width,
                                const QString& title, int icon, int buttons, int defaultResult = 0);
    static constexpr int kFittedMaxWidth = 480;

    // Test seam for every window that prompts: while a hook is set, ShowPrompt builds the prompt
    // (not shown), passes it to the hook instead of running it, deletes it and returns the hook's
    // result code. The hook reads Text(), Title(), IconKind(), ButtonSet() or ResultButtons() to
    // tell prompts apart. The programs never set it; a test clears it when done:
    //     QStringList asked;
    //     QPromptDialog::SetAnswerHook([&asked](const QPromptDialog& prompt) {
    //         asked << prompt.Text();
    //         return int(QPromptDialog::ResultYes);
    //     });
    //     ... drive the window ...
    //     QPromptDialog::SetAnswerHook(nullptr);
    using AnswerHook = std::function<int(const QPromptDialog&)>;
    static void SetAnswerHook(AnswerHook hook);

    QPromptDialog(QWidget* parent, const QString& text, const QString& title, int icon, int buttons,
                  int defaultResult = 0);

    // Images of the prompt, relative to the "pic" theme folder.
    static QStringList ImageNames();
    // The icon image for a kind; empty for kinds without an icon.
    static QString IconImageName(int icon);

    QString Text() const;
    QString Title() const;
    int IconKind() const;
    int ButtonSet() const;
    void SetMessageSize(int width, int height);
    // Sizes the message area for its text as ShowFittedPrompt does.
    void FitMessage(int width);
    QSize MessageSize() const;
    bool IconShown() const;
    QMEWidget* IconWidget() const;
    QLabel* MessageLabel() const;
    QList<QMEBaseButton*> ResultButtons() const;
    // The button Enter takes; null without buttons.
    QMEBaseButton* DefaultButton() const;
    int Mode() const;

public slots:
    void OnClose();
    void OnBtnDone();

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void AddButton(const QString& text, int result);
    // Runs the prompt, or hands it to the answer hook, and deletes it.
    static int Run(QPromptDialog* dialog);

    QLabel* m_message = nullptr;
    QMEWidget* m_icon = nullptr;
    int m_iconKind = 0;
    bool m_iconShown = false;
    QString m_title;
    QString m_text;
    int m_buttonSet = 0;
    QList<QMEBaseButton*> m_buttons;
    int m_mode = 1;
    QSize m_messageSize{250, 200};
    bool m_shown = false;
};
