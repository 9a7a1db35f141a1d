#include "tools/skingen/skinpalette.h"

SkinPalette SkinPalette::lightLook() {
    SkinPalette p;
    p.dark = false;
    p.window = QColor(244, 245, 249);
    p.header = QColor(255, 255, 255);
    p.border = QColor(218, 221, 231);
    p.panel = QColor(255, 255, 255);
    p.panelBorder = QColor(226, 229, 238);
    p.field = QColor(242, 243, 248);
    p.fieldBorder = QColor(214, 218, 230);
    p.text = QColor(51, 51, 51);
    p.icon = QColor(96, 100, 116);
    p.hoverFill = QColor(232, 236, 252);
    p.accent = QColor(112, 134, 250);
    p.accentDark = QColor(82, 104, 226);
    p.selectedFill = QColor(95, 112, 203);
    p.disabledIcon = QColor(196, 199, 209);
    p.disabledFill = QColor(168, 173, 191);
    p.track = QColor(226, 228, 237);
    p.buttonFill = QColor(255, 255, 255);
    p.buttonBorder = QColor(206, 210, 224);
    return p;
}

SkinPalette SkinPalette::darkLook() {
    SkinPalette p;
    p.dark = true;
    p.window = QColor(36, 37, 44);
    p.header = QColor(44, 45, 53);
    p.border = QColor(58, 60, 71);
    p.panel = QColor(47, 48, 57);
    p.panelBorder = QColor(62, 64, 76);
    p.field = QColor(57, 58, 69);
    p.fieldBorder = QColor(76, 78, 92);
    p.text = QColor(255, 255, 255);
    p.icon = QColor(201, 204, 214);
    p.hoverFill = QColor(62, 65, 82);
    p.accent = QColor(124, 144, 250);
    p.accentDark = QColor(91, 112, 230);
    p.selectedFill = QColor(99, 113, 192);
    p.disabledIcon = QColor(92, 94, 106);
    p.disabledFill = QColor(66, 67, 78);
    p.track = QColor(67, 69, 81);
    p.buttonFill = QColor(74, 76, 92);
    p.buttonBorder = QColor(92, 95, 112);
    return p;
}
