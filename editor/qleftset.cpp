#include "editor/qleftset.h"

QLeftSet::QLeftSet(QWidget* parent) : QBaseSet(parent) {}

void QLeftSet::ApplyChooserLook(QMEComboBox* chooser, int mode) {
    StyleChooser(chooser, mode, "/mode_aleft_selectbg.png");
}
