#include "tools/skingen/appiconpainter.h"

#include "tools/skingen/iconpainter.h"
#include "tools/skingen/skinpainter.h"
#include "tools/skingen/skinpalette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {

// Designed on a 48 x 48 grid.
constexpr int kGrid = 48;

QPainterPath hexagon(QPointF centre, qreal radius) {
    QPainterPath hex;
    for (int i = 0; i < 6; ++i) {
        const qreal a = qDegreesToRadians(60.0 * i - 90.0);
        const QPointF p(centre.x() + radius * qCos(a), centre.y() + radius * qSin(a));
        if (i == 0)
            hex.moveTo(p);
        else
            hex.lineTo(p);
    }
    hex.closeSubpath();
    return hex;
}

} // namespace

QImage AppIconPainter::draw(Program program, int side) {
    const SkinPalette palette = SkinPalette::lightLook();
    return SkinPainter::canvas(QSize(kGrid, kGrid), side / qreal(kGrid), [&](QPainter& painter) {
        // The tile, with a thin darker rim so it holds on light and dark panels alike.
        const QRectF tile(2, 2, 44, 44);
        QLinearGradient fill(0, tile.top(), 0, tile.bottom());
        fill.setColorAt(0, palette.accent.lighter(112));
        fill.setColorAt(1, palette.accentDark.darker(115));
        painter.setPen(QPen(palette.accentDark.darker(140), 1));
        painter.setBrush(fill);
        painter.drawRoundedRect(tile.adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);

        // The emblem of the logo: a hexagon crossed by a wave, here in white.
        painter.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(hexagon(QPointF(24, 24), 15));
        QPainterPath wave;
        wave.moveTo(13, 25.5);
        wave.cubicTo(18, 15, 22, 15, 24, 24);
        wave.cubicTo(26, 33, 30, 33, 35, 22.5);
        painter.drawPath(wave);

        if (program == Program::Updater) {
            const QRectF badge(27, 27, 20, 20);
            painter.setPen(QPen(Qt::white, 1.5));
            painter.setBrush(QColor(6, 176, 37));
            painter.drawEllipse(badge.adjusted(0.75, 0.75, -0.75, -0.75));
            IconPainter::drawGlyph(painter, IconPainter::Glyph::Update,
                                   badge.adjusted(3, 3, -3, -3), Qt::white);
        }
    });
}
