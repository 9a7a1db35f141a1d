#pragma once

#include "editor/qbaseset.h"

// The panel of CAB A, the left cabinet.
class QLeftSet : public QBaseSet {
    Q_OBJECT
public:
    explicit QLeftSet(QWidget* parent = nullptr);

    int Cabinet() const override { return 0; }

protected:
    void ApplyChooserLook(QMEComboBox* chooser, int mode) override;
    QColor ValueColor() const override { return QColor(129, 147, 248); }
};
