#include "uikit/qmebaseboxdraw.h"

#include "uikit/qmeimageloader.h"

#include <QPainter>

bool QMEBaseBoxDraw::SetImages(const QString& checkedPath, const QString& uncheckedPath) {
    const QImage checked = QMEImageLoader::Load(checkedPath);
    const QImage unchecked = QMEImageLoader::Load(uncheckedPath);
    if (checked.isNull() || unchecked.isNull())
        return false;
    m_checked = checked;
    m_unchecked = unchecked;
    return true;
}

bool QMEBaseBoxDraw::HasImages() const {
    return !m_checked.isNull() && !m_unchecked.isNull();
}

const QImage& QMEBaseBoxDraw::Image(bool checked) const {
    return checked ? m_checked : m_unchecked;
}

void QMEBaseBoxDraw::SetSpacing(int spacing) {
    m_spacing = spacing;
}

QRect QMEBaseBoxDraw::IndicatorRect(const QSize& box, Qt::LayoutDirection direction) const {
    const QSize indicator = QMEImageLoader::LogicalSize(m_unchecked);
    const int y = (box.height() - indicator.height()) / 2;
    const int x = direction == Qt::RightToLeft ? box.width() - indicator.width() : 0;
    return QRect(QPoint(x, y), indicator);
}

QRect QMEBaseBoxDraw::TextRect(const QSize& box, Qt::LayoutDirection direction) const {
    const int used = QMEImageLoader::LogicalSize(m_unchecked).width() + m_spacing;
    if (direction == Qt::RightToLeft)
        return QRect(0, 0, box.width() - used, box.height());
    return QRect(used, 0, box.width() - used, box.height());
}

void QMEBaseBoxDraw::Paint(QPainter& painter, const QSize& box, Qt::LayoutDirection direction,
                           bool checked, const QString& text) const {
    painter.drawImage(IndicatorRect(box, direction), Image(checked));
    const Qt::Alignment side = direction == Qt::RightToLeft ? Qt::AlignRight : Qt::AlignLeft;
    painter.drawText(TextRect(box, direction), int(side | Qt::AlignVCenter), text);
}
