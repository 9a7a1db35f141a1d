#include "uikit/qmemenustyle.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

QMEMenuStyle::QMEMenuStyle() : QProxyStyle(QStyleFactory::create("Fusion")) {}

void QMEMenuStyle::SetColors(const QColor& panel, const QColor& text, const QColor& highlight,
                             const QColor& highlightText) {
    m_panel = panel;
    m_text = text;
    m_highlight = highlight;
    m_highlightText = highlightText;
}

void QMEMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
    if (element == PE_PanelMenu || element == PE_FrameMenu) {
        painter->fillRect(option->rect, m_panel);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void QMEMenuStyle::drawControl(ControlElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element != CE_MenuItem || !item) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const QRect r = item->rect;
    painter->fillRect(r, m_panel);
    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        painter->setPen(m_text.lighter(250));
        painter->drawLine(r.left() + 6, r.center().y(), r.right() - 6, r.center().y());
        return;
    }
    const bool selected = item->state & State_Selected && item->state & State_Enabled;
    if (selected)
        painter->fillRect(r, m_highlight);
    const QRect iconRect(r.left() + 8, r.top() + (r.height() - kIconSize) / 2, kIconSize,
                         kIconSize);
    if (!item->icon.isNull())
        item->icon.paint(painter, iconRect);
    QColor textColor = selected ? m_highlightText : m_text;
    if (!(item->state & State_Enabled))
        textColor.setAlpha(110);
    painter->setPen(textColor);
    painter->setFont(item->font);
    const QRect textRect = r.adjusted(8 + kIconSize + 8, 0, -16, 0);
    const QString label = item->text.section('\t', 0, 0);
    painter->drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextShowMnemonic, label);
    if (item->menuItemType == QStyleOptionMenuItem::SubMenu) {
        QStyleOption arrow = *option;
        arrow.rect = QRect(r.right() - 14, r.top() + (r.height() - 8) / 2, 8, 8);
        arrow.palette.setColor(QPalette::ButtonText, textColor);
        QProxyStyle::drawPrimitive(PE_IndicatorArrowRight, &arrow, painter, widget);
    }
}

QSize QMEMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                     const QSize& size, const QWidget* widget) const {
    const QSize base = QProxyStyle::sizeFromContents(type, option, size, widget);
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (type != CT_MenuItem || !item)
        return base;
    if (item->menuItemType == QStyleOptionMenuItem::Separator)
        return QSize(base.width(), kSeparatorHeight);
    return QSize(base.width() + kIconSize + 24, kItemHeight);
}

int QMEMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                              const QWidget* widget) const {
    if (metric == PM_SmallIconSize)
        return kIconSize;
    if (metric == PM_MenuPanelWidth)
        return 1;
    return QProxyStyle::pixelMetric(metric, option, widget);
}
