#pragma once

#include "uikit/qmebaseboxdraw.h"

#include <QCheckBox>

// A check box drawn from two indicator images; a plain check box until images are set.
class QMECheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit QMECheckBox(QWidget* parent = nullptr);
    explicit QMECheckBox(const QString& text, QWidget* parent = nullptr);

    bool SetIndicatorImages(const QString& checkedPath, const QString& uncheckedPath);
    const QMEBaseBoxDraw& Draw() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QMEBaseBoxDraw m_draw;
};
