#pragma once

#include "uikit/qappupdatedialog.h"
#include "uikit/qpromptdialog.h"

#include <QApplication>
#include <QLabel>
#include <QStringList>
#include <QTimer>
#include <QtTest>

// Answers the window's modal prompts and the firmware-mismatch dialog as they open, and records
// what they said: a prompt's message, or "mismatch <firmware label>".
class PromptAnswerer final : public QObject {
public:
    static constexpr int kEnter = -1;     // the key on the button the prompt takes by default
    int reply = QPromptDialog::ResultYes; // for prompts with Yes and No
    bool acceptUpdate = false;
    QStringList seen;

    PromptAnswerer() {
        connect(&m_timer, &QTimer::timeout, this, &PromptAnswerer::answer);
        m_timer.start(10);
    }

private:
    void answer() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        if (auto* prompt = qobject_cast<QPromptDialog*>(modal)) {
            seen << prompt->MessageLabel()->text();
            if (prompt->ResultButtons().isEmpty())
                prompt->OnClose();
            else if (reply == kEnter)
                QTest::keyClick(prompt->focusWidget(), Qt::Key_Return);
            else
                prompt->done(reply);
        } else if (auto* mismatch = qobject_cast<QAPPUpdateDialog*>(modal)) {
            seen << "mismatch " + mismatch->FirmwareLabel()->text();
            if (acceptUpdate)
                mismatch->onUpgrade();
            else
                mismatch->onCancel();
        }
    }

    QTimer m_timer;
};
