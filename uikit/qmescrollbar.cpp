#include "uikit/qmescrollbar.h"

#include "uikit/qmescrollbarstyle.h"

QMEScrollBar::QMEScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent), m_style(new QMEScrollBarStyle) {
    m_style->setParent(this);
    setStyle(m_style);
    setAttribute(Qt::WA_Hover);
}

QMEScrollBarStyle* QMEScrollBar::BarStyle() const {
    return m_style;
}
