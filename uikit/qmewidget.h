#pragma once

#include "uikit/qbasedrawwidget.h"

#include <QWidget>

// A frameless QWidget drawn and moved by the frame helper.
class QMEWidget : public QWidget, public QBaseDrawWidget {
    Q_OBJECT
public:
    explicit QMEWidget(QWidget* parent = nullptr);

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
