#pragma once

#include "tools/skingen/iconpainter.h"
#include "tools/skingen/skinpalette.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QVector>

#include <functional>

class QPainter;

// Draws the images of one look. Sizes are logical pixels; `scale` renders the same drawing for
// high-density screens. Buttons are strips of four frames: normal, hover, pressed, disabled.
class SkinPainter final {
public:
    enum State { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };

    explicit SkinPainter(const SkinPalette& palette) : m_palette(palette) {}

    QImage windowBackground(QSize size, int header, qreal scale,
                            const QVector<QRect>& cards = {}) const;
    QImage logo(qreal scale) const;
    QImage productPicture(qreal scale) const;
    QImage titleButton(IconPainter::Glyph glyph, bool closing, int side, qreal scale) const;
    QImage iconButton(IconPainter::Glyph glyph, int side, bool notice, qreal scale) const;
    QImage framedIconButton(IconPainter::Glyph glyph, int side, qreal scale) const;
    QImage textButton(QSize frame, qreal scale) const;
    QImage presetButton(QSize frame, qreal scale) const;
    QImage toggle(bool on, qreal scale) const;
    QImage switchBackground(QSize size, qreal scale) const;
    QImage cabinetPanel(QSize size, qreal scale) const;
    QImage dialFace(int side, qreal scale) const;
    QImage dialNeedle(qreal scale) const;
    QImage inputField(QSize size, qreal scale) const;
    QImage selectBox(QSize size, const QColor& mark, qreal scale) const;
    QImage dropArrow(qreal scale) const;
    QImage progressTrack(QSize size, qreal scale) const;
    QImage progressFill(QSize size, qreal scale) const;
    QImage promptIcon(IconPainter::Badge badge, int side, qreal scale) const;

    static QImage canvas(QSize size, qreal scale, const std::function<void(QPainter&)>& paint);
    static QImage strip(QSize frame, qreal scale,
                        const std::function<void(QPainter&, const QRectF&, State)>& paint);

private:
    void drawWindowFrame(QPainter& painter, QSize size, int header) const;
    void drawCard(QPainter& painter, const QRectF& card) const;

    SkinPalette m_palette;
};
