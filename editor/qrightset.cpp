#include "editor/qrightset.h"

QRightSet::QRightSet(QWidget* parent) : QBaseSet(parent) {}

void QRightSet::ApplyChooserLook(QMEComboBox* chooser, int mode) {
    StyleChooser(chooser, mode, "/mode_bright_selectbg.png");
}
