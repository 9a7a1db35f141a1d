#pragma once

#include "editor/qbaseset.h"

// The panel of CAB B, the right cabinet.
class QRightSet : public QBaseSet {
    Q_OBJECT
public:
    explicit QRightSet(QWidget* parent = nullptr);

    int Cabinet() const override { return 1; }

protected:
    void ApplyChooserLook(QMEComboBox* chooser, int mode) override;
    QColor ValueColor() const override { return QColor(248, 129, 129); }
};
