#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QVector>

// Size and layout of the prompt, computed once on its first show.
struct QPromptLayout {
    struct Input {
        QMargins margins; // style margins
        int titleHeight = 0;
        QSize message; // message area
        QSize icon;    // icon image size
        bool iconShown = false;
        QSize button; // one result button
        int buttonCount = 0;
        QSize close; // title-bar close button
    };

    QSize size;
    QPoint close;
    QPoint icon;
    QPoint message;
    QVector<QPoint> buttons;

    static QPromptLayout Compute(const Input& in);

    // Top-left corner of a dialog of `size` centred on `around`; a coordinate that would be 0 or
    // less becomes 50.
    static QPoint Placement(const QRect& around, const QSize& size);
};
