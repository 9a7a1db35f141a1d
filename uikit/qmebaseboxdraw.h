#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <Qt>

class QPainter;

// Drawing of an image check box: the indicator image for the checked state beside the text.
class QMEBaseBoxDraw {
public:
    bool SetImages(const QString& checkedPath, const QString& uncheckedPath);
    bool HasImages() const;
    const QImage& Image(bool checked) const;
    void SetSpacing(int spacing);

    // Indicator on the left (on the right for right-to-left), vertically centred; the text takes
    // the rest beside it.
    QRect IndicatorRect(const QSize& box, Qt::LayoutDirection direction) const;
    QRect TextRect(const QSize& box, Qt::LayoutDirection direction) const;

    void Paint(QPainter& painter, const QSize& box, Qt::LayoutDirection direction, bool checked,
               const QString& text) const;

private:
    QImage m_checked;
    QImage m_unchecked;
    int m_spacing = 6;
};
