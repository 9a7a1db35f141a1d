#include "tools/skingen/iconpainter.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {

QPainterPath arrowHead(QPointF tip, qreal angleDeg, qreal size) {
    QPainterPath p;
    const qreal a = qDegreesToRadians(angleDeg);
    const QPointF back(-qCos(a) * size, -qSin(a) * size);
    const QPointF side(-qSin(a) * size * 0.8, qCos(a) * size * 0.8);
    p.moveTo(tip + back + side);
    p.lineTo(tip);
    p.lineTo(tip + back - side);
    return p;
}

} // namespace

void IconPainter::drawGlyph(QPainter& painter, Glyph glyph, const QRectF& box,
                            const QColor& colour) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = qMin(box.width(), box.height());
    painter.translate(box.center().x() - side / 2, box.center().y() - side / 2);
    painter.scale(side / 24.0, side / 24.0);
    QPen pen(colour, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);

    switch (glyph) {
    case Glyph::Close:
        painter.drawLine(QPointF(7, 7), QPointF(17, 17));
        painter.drawLine(QPointF(17, 7), QPointF(7, 17));
        break;
    case Glyph::Minimise:
        painter.drawLine(QPointF(6.5, 12.5), QPointF(17.5, 12.5));
        break;
    case Glyph::Maximise:
        painter.drawRoundedRect(QRectF(6.5, 6.5, 11, 11), 1.5, 1.5);
        break;
    case Glyph::Restore:
        painter.drawRoundedRect(QRectF(6, 9, 9, 9), 1.5, 1.5);
        painter.drawPolyline(QPolygonF({QPointF(9, 6.5), QPointF(17.5, 6.5), QPointF(17.5, 15)}));
        break;
    case Glyph::Save: {
        QPainterPath body;
        body.moveTo(5, 6.5);
        body.quadTo(5, 5, 6.5, 5);
        body.lineTo(15.5, 5);
        body.lineTo(19, 8.5);
        body.lineTo(19, 17.5);
        body.quadTo(19, 19, 17.5, 19);
        body.lineTo(6.5, 19);
        body.quadTo(5, 19, 5, 17.5);
        body.closeSubpath();
        painter.drawPath(body);
        painter.drawRect(QRectF(8.5, 5, 6, 4));
        painter.drawRoundedRect(QRectF(8, 13, 8, 6), 1, 1);
        break;
    }
    case Glyph::Reset: {
        painter.drawArc(QRectF(5, 5, 14, 14), 100 * 16, 290 * 16);
        painter.drawPath(arrowHead(QPointF(10.2, 5.3), 200, 3.2));
        break;
    }
    case Glyph::Gear: {
        QPainterPath gear;
        const int teeth = 8;
        for (int i = 0; i < teeth * 2; ++i) {
            const qreal r = (i % 2 == 0) ? 8.2 : 6.4;
            const qreal a0 = qDegreesToRadians(i * 180.0 / teeth - 90.0 / teeth * 0.55);
            const qreal a1 = qDegreesToRadians(i * 180.0 / teeth + 90.0 / teeth * 0.55);
            const QPointF p0(12 + r * qCos(a0), 12 + r * qSin(a0));
            const QPointF p1(12 + r * qCos(a1), 12 + r * qSin(a1));
            if (i == 0)
                gear.moveTo(p0);
            else
                gear.lineTo(p0);
            gear.lineTo(p1);
        }
        gear.closeSubpath();
        painter.drawPath(gear);
        painter.drawEllipse(QPointF(12, 12), 2.6, 2.6);
        break;
    }
    case Glyph::Update:
        painter.drawLine(QPointF(12, 5), QPointF(12, 15));
        painter.drawPath(arrowHead(QPointF(12, 15.5), 90, 4));
        painter.drawPolyline(
            QPolygonF({QPointF(5, 15), QPointF(5, 19), QPointF(19, 19), QPointF(19, 15)}));
        break;
    case Glyph::Sun:
        painter.drawEllipse(QPointF(12, 12), 3.6, 3.6);
        for (int i = 0; i < 8; ++i) {
            const qreal a = qDegreesToRadians(i * 45.0);
            painter.drawLine(QPointF(12 + 6.3 * qCos(a), 12 + 6.3 * qSin(a)),
                             QPointF(12 + 8.4 * qCos(a), 12 + 8.4 * qSin(a)));
        }
        break;
    case Glyph::Moon: {
        QPainterPath outer;
        outer.addEllipse(QPointF(12, 12), 7, 7);
        QPainterPath bite;
        bite.addEllipse(QPointF(16, 8.5), 5.6, 5.6);
        painter.drawPath(outer.subtracted(bite));
        break;
    }
    case Glyph::Folder: {
        QPainterPath folder;
        folder.moveTo(4.5, 7);
        folder.quadTo(4.5, 5.5, 6, 5.5);
        folder.lineTo(9.5, 5.5);
        folder.lineTo(11.5, 7.5);
        folder.lineTo(18, 7.5);
        folder.quadTo(19.5, 7.5, 19.5, 9);
        folder.lineTo(19.5, 17);
        folder.quadTo(19.5, 18.5, 18, 18.5);
        folder.lineTo(6, 18.5);
        folder.quadTo(4.5, 18.5, 4.5, 17);
        folder.closeSubpath();
        painter.drawPath(folder);
        painter.drawLine(QPointF(4.5, 10.5), QPointF(19.5, 10.5));
        break;
    }
    case Glyph::Refresh:
        painter.drawArc(QRectF(5.5, 5.5, 13, 13), 20 * 16, 150 * 16);
        painter.drawArc(QRectF(5.5, 5.5, 13, 13), 200 * 16, 150 * 16);
        painter.drawPath(arrowHead(QPointF(18.2, 9.8), 100, 3));
        painter.drawPath(arrowHead(QPointF(5.8, 14.2), 280, 3));
        break;
    case Glyph::Import:
        painter.drawLine(QPointF(12, 6), QPointF(12, 18));
        painter.drawLine(QPointF(6, 12), QPointF(18, 12));
        break;
    case Glyph::Trash:
        painter.drawLine(QPointF(5, 7.5), QPointF(19, 7.5));
        painter.drawPolyline(
            QPolygonF({QPointF(9.5, 7.5), QPointF(9.5, 5), QPointF(14.5, 5), QPointF(14.5, 7.5)}));
        painter.drawPolyline(
            QPolygonF({QPointF(7, 7.5), QPointF(8, 19), QPointF(16, 19), QPointF(17, 7.5)}));
        painter.drawLine(QPointF(10.5, 10.5), QPointF(10.7, 16));
        painter.drawLine(QPointF(13.5, 10.5), QPointF(13.3, 16));
        break;
    case Glyph::Backup:
        painter.drawRoundedRect(QRectF(5, 12, 14, 7), 1.5, 1.5);
        painter.drawLine(QPointF(12, 4.5), QPointF(12, 12.5));
        painter.drawPath(arrowHead(QPointF(12, 13), 90, 3.2));
        break;
    case Glyph::Recall:
        painter.drawRoundedRect(QRectF(5, 12, 14, 7), 1.5, 1.5);
        painter.drawLine(QPointF(12, 15), QPointF(12, 5));
        painter.drawPath(arrowHead(QPointF(12, 4.5), 270, 3.2));
        break;
    }
    painter.restore();
}

void IconPainter::drawBadge(QPainter& painter, Badge badge, const QRectF& box) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = qMin(box.width(), box.height());
    painter.translate(box.center().x() - side / 2, box.center().y() - side / 2);
    painter.scale(side / 48.0, side / 48.0);

    QColor fill;
    switch (badge) {
    case Badge::Warning:
        fill = QColor(247, 171, 46);
        break;
    case Badge::Success:
        fill = QColor(46, 189, 133);
        break;
    case Badge::Error:
        fill = QColor(239, 83, 80);
        break;
    case Badge::Help:
        fill = QColor(104, 128, 248);
        break;
    }
    QLinearGradient shade(0, 2, 0, 46);
    shade.setColorAt(0, fill.lighter(112));
    shade.setColorAt(1, fill.darker(108));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shade);
    if (badge == Badge::Warning) {
        QPainterPath tri;
        tri.moveTo(24, 4);
        tri.lineTo(45, 42);
        tri.lineTo(3, 42);
        tri.closeSubpath();
        QPainterPathStroker rounder;
        rounder.setWidth(6);
        rounder.setJoinStyle(Qt::RoundJoin);
        painter.drawPath(tri.united(rounder.createStroke(tri)));
    } else {
        painter.drawEllipse(QRectF(2, 2, 44, 44));
    }

    QPen pen(Qt::white, 4.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    switch (badge) {
    case Badge::Warning:
        painter.drawLine(QPointF(24, 17), QPointF(24, 29));
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawEllipse(QPointF(24, 36), 2.7, 2.7);
        break;
    case Badge::Success:
        painter.drawPolyline(QPolygonF({QPointF(14, 24.5), QPointF(21, 31.5), QPointF(34, 17)}));
        break;
    case Badge::Error:
        painter.drawLine(QPointF(16.5, 16.5), QPointF(31.5, 31.5));
        painter.drawLine(QPointF(31.5, 16.5), QPointF(16.5, 31.5));
        break;
    case Badge::Help: {
        QPainterPath q;
        q.moveTo(18, 19);
        q.cubicTo(18, 11.5, 30, 11.5, 30, 18.5);
        q.cubicTo(30, 23, 24, 23.5, 24, 28.5);
        painter.drawPath(q);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawEllipse(QPointF(24, 35.5), 2.7, 2.7);
        break;
    }
    }
    painter.restore();
}
