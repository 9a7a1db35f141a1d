#pragma once

#include "uikit/qmebasebuttondraw.h"

#include <QPushButton>

// A push button drawn from a four-frame image strip.
class QMEBaseButton : public QPushButton {
    Q_OBJECT
public:
    explicit QMEBaseButton(QWidget* parent = nullptr);
    explicit QMEBaseButton(const QString& text, QWidget* parent = nullptr);

    // Loads the strip (when the file exists) and sizes the button to one frame.
    bool SetButtonImage(const QString& path);
    bool SetIconImage(const QString& path);
    void SetIconPosition(const QPoint& position);
    void SetIconSize(const QSize& size);
    void SetTextColor(int state, const QColor& color);
    // The text colours of a text button in look `mode` (1 light, other modes dark): the prompts',
    // the firmware dialog's and the updater's.
    void SetLookTextColors(int mode);
    void SetFixedState(bool fixed);
    int State() const;
    QMEBaseButtonDraw& Draw();
    // A button that opens a menu: the Down key opens it too, and a screen reader hears so.
    void SetOpensMenu(bool opens);
    bool OpensMenu() const { return m_opensMenu; }

signals:
    void mouseMove(QMouseEvent* event, int x);
    void mouseDown(QMouseEvent* event, int x);
    void mouseRelease(QMouseEvent* event, int x);
    void mouseEnter(QEvent* event);
    void mouseLeave(QEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QMEBaseButtonDraw m_draw;
    bool m_opensMenu = false;
};
