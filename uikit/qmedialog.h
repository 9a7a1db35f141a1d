#pragma once

#include "uikit/qbasedrawwidget.h"

#include <QDialog>

// A frameless QDialog drawn and moved by the frame helper.
class QMEDialog : public QDialog, public QBaseDrawWidget {
    Q_OBJECT
public:
    explicit QMEDialog(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
};
