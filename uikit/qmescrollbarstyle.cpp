#include "uikit/qmescrollbarstyle.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionSlider>

#include <algorithm>

QMEScrollBarStyle::QMEScrollBarStyle() : QProxyStyle(QStyleFactory::create("Fusion")) {}

void QMEScrollBarStyle::SetColors(const QColor& groove, const QColor& handle,
                                  const QColor& handleHover) {
    m_groove = groove;
    m_handle = handle;
    m_handleHover = handleHover;
}

void QMEScrollBarStyle::drawComplexControl(ComplexControl control,
                                           const QStyleOptionComplex* option, QPainter* painter,
                                           const QWidget* widget) const {
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (control != CC_ScrollBar || !bar) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->fillRect(bar->rect, m_groove);
    const QRect handle = subControlRect(control, option, SC_ScrollBarSlider, widget);
    const bool hot =
        (bar->state & State_MouseOver) && (bar->activeSubControls & SC_ScrollBarSlider);
    painter->setPen(Qt::NoPen);
    painter->setBrush(hot ? m_handleHover : m_handle);
    const double radius = std::min(handle.width(), handle.height()) / 2.0;
    painter->drawRoundedRect(QRectF(handle).adjusted(1, 1, -1, -1), radius - 1, radius - 1);
    painter->restore();
}

int QMEScrollBarStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                   const QWidget* widget) const {
    if (metric == PM_ScrollBarExtent)
        return kExtent;
    if (metric == PM_ScrollBarSliderMin)
        return 20;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

QRect QMEScrollBarStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                        SubControl sub, const QWidget* widget) const {
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (control != CC_ScrollBar || !bar)
        return QProxyStyle::subControlRect(control, option, sub, widget);
    // No arrow buttons: the groove is the whole bar.
    const bool horizontal = bar->orientation == Qt::Horizontal;
    const QRect r = bar->rect;
    const int length = horizontal ? r.width() : r.height();
    const int range = bar->maximum - bar->minimum;
    const int sliderMin = pixelMetric(PM_ScrollBarSliderMin, option, widget);
    int handle = range > 0 ? int(qint64(length) * bar->pageStep / (range + bar->pageStep)) : length;
    handle = std::clamp(handle, std::min(sliderMin, length), length);
    const int start = sliderPositionFromValue(bar->minimum, bar->maximum, bar->sliderPosition,
                                              length - handle, bar->upsideDown);
    switch (sub) {
    case SC_ScrollBarSlider:
        return horizontal ? QRect(r.x() + start, r.y(), handle, r.height())
                          : QRect(r.x(), r.y() + start, r.width(), handle);
    case SC_ScrollBarGroove:
        return r;
    case SC_ScrollBarAddPage:
        return horizontal
                   ? QRect(r.x() + start + handle, r.y(), length - start - handle, r.height())
                   : QRect(r.x(), r.y() + start + handle, r.width(), length - start - handle);
    case SC_ScrollBarSubPage:
        return horizontal ? QRect(r.x(), r.y(), start, r.height())
                          : QRect(r.x(), r.y(), r.width(), start);
    default:
        return QRect();
    }
}
