#pragma once

#include "uikit/qbasedrawwidget.h"

#include <QMainWindow>

// A frameless QMainWindow drawn and moved by the frame helper.
class QMEMainWindow : public QMainWindow, public QBaseDrawWidget {
    Q_OBJECT
public:
    explicit QMEMainWindow(QWidget* parent = nullptr);

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
