#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QPainter;

// State and drawing of an image button: a strip of four frames (normal, hover, pressed,
// disabled) and an optional icon strip laid out the same way.
class QMEBaseButtonDraw {
public:
    enum State { StateNormal = 0, StateHover = 1, StatePressed = 2, StateDisabled = 3 };

    QMEBaseButtonDraw();

    bool LoadButtonImage(const QString& path);
    bool LoadIconImage(const QString& path);
    const QImage& ButtonImage() const;
    const QImage& IconImage() const;
    // One frame of the strip: a quarter of the width, the full height.
    QSize FrameSize() const;
    static QRect FrameRect(const QSize& strip, int frame);

    void SetIconPosition(const QPoint& position);
    void SetIconSize(const QSize& size);
    QRect IconRect(const QSize& button) const;

    void SetTextColor(int state, const QColor& color);
    QColor TextColor(int state) const;
    QColor CurrentTextColor() const;

    // While set, entering, leaving and releasing keep the state.
    void SetFixedState(bool fixed);
    int State() const;
    // The frame drawn: the state's, or the pressed frame while checked.
    int Frame(bool checked) const;

    void Enter(bool enabled);
    void Leave(bool enabled);
    void Press(bool enabled);
    void Release(bool enabled, bool checked);
    void EnabledChanged(bool enabled);

    void Paint(QPainter& painter, const QRect& rect, const QString& text, const QFont& font,
               bool checked) const;

private:
    QImage m_button;
    QImage m_icon;
    int m_state = StateNormal;
    QColor m_colors[4];
    QPoint m_iconPosition{-1, -1};
    QSize m_iconSize{18, 18};
    bool m_fixed = false;
};
