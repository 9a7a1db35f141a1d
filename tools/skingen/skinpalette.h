#pragma once

#include <QColor>

// Colours of one look. Every image of a look is drawn from these, so both looks stay consistent.
struct SkinPalette {
    bool dark = false;
    QColor window;      // window body
    QColor header;      // title band
    QColor border;      // outlines of windows and cards
    QColor panel;       // cards inside the window
    QColor panelBorder; // outline of cards
    QColor field;       // input fields and select boxes
    QColor fieldBorder;
    QColor text;
    QColor icon;         // glyphs at rest
    QColor hoverFill;    // background of a hovered icon button
    QColor accent;       // hover outline, pressed fill, values
    QColor accentDark;   // pressed and gradient ends
    QColor selectedFill; // the selected preset, dark enough for its white number
    QColor disabledIcon; // glyphs of a disabled button
    QColor disabledFill; // text buttons when disabled
    QColor track;        // empty progress tracks and dial rings
    QColor buttonFill;   // text buttons at rest
    QColor buttonBorder;

    static SkinPalette lightLook();
    static SkinPalette darkLook();
};
