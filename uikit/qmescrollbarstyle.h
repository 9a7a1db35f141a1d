#pragma once

#include <QColor>
#include <QProxyStyle>

// A slim scroll bar: a rounded handle on a plain groove, no arrow buttons.
class QMEScrollBarStyle : public QProxyStyle {
    Q_OBJECT
public:
    static constexpr int kExtent = 8;

    QMEScrollBarStyle();

    void SetColors(const QColor& groove, const QColor& handle, const QColor& handleHover);

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget = nullptr) const override;

private:
    QColor m_groove{0, 0, 0, 0};
    QColor m_handle{153, 153, 153};
    QColor m_handleHover{112, 154, 255};
};
