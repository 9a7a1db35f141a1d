#pragma once

#include "uikit/qpromptdialog.h"

#include <QApplication>
#include <QLabel>
#include <QObject>
#include <QSize>
#include <QStringList>
#include <QTimer>

// Closes every prompt that opens and keeps its message, title and message area.
class PromptCatcher final : public QObject {
public:
    PromptCatcher() {
        connect(&timer, &QTimer::timeout, this, [this] {
            if (auto* prompt = qobject_cast<QPromptDialog*>(QApplication::activeModalWidget())) {
                texts << prompt->MessageLabel()->text();
                titles << prompt->TitleText();
                sizes << prompt->MessageSize();
                prompt->OnClose();
            }
        });
        timer.start(10);
    }
    QStringList texts;
    QStringList titles;
    QList<QSize> sizes;

private:
    QTimer timer;
};
