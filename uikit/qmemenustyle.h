#pragma once

#include <QColor>
#include <QProxyStyle>

// The menu look: a flat panel, image icons and a highlight bar, with fixed item heights.
class QMEMenuStyle : public QProxyStyle {
    Q_OBJECT
public:
    static constexpr int kItemHeight = 28;
    static constexpr int kSeparatorHeight = 7;
    static constexpr int kIconSize = 16;

    QMEMenuStyle();

    void SetColors(const QColor& panel, const QColor& text, const QColor& highlight,
                   const QColor& highlightText);
    QColor PanelColor() const { return m_panel; }
    QColor TextColor() const { return m_text; }
    QColor HighlightColor() const { return m_highlight; }
    QColor HighlightTextColor() const { return m_highlightText; }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;

private:
    QColor m_panel{241, 241, 241};
    QColor m_text{51, 51, 51};
    QColor m_highlight{112, 154, 255};
    QColor m_highlightText{255, 255, 255};
};
