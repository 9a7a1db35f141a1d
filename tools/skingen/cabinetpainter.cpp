#include "tools/skingen/cabinetpainter.h"

#include "tools/skingen/skinpainter.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {

// Proportions of a cabinet, in inches.
constexpr qreal kGap = 1.2;    // between speakers
constexpr qreal kBorder = 2.2; // baffle border around the speakers
constexpr qreal kFrame = 1.3;  // wooden frame covered with tolex
constexpr qreal kPanel = 4.0;  // control panel of a combo

QColor withAlphaF(QColor c, qreal a) {
    c.setAlphaF(a);
    return c;
}

void drawCloth(QPainter& painter, const QRectF& area, CabinetPainter::Cloth cloth) {
    painter.save();
    painter.setClipRect(area);
    QColor base;
    switch (cloth) {
    case CabinetPainter::Cloth::Silver:
        base = QColor(178, 180, 178);
        break;
    case CabinetPainter::Cloth::Dark:
        base = QColor(38, 38, 40);
        break;
    case CabinetPainter::Cloth::Wheat:
        base = QColor(206, 190, 150);
        break;
    case CabinetPainter::Cloth::Brown:
        base = QColor(112, 78, 52);
        break;
    case CabinetPainter::Cloth::Diamond:
        base = QColor(96, 62, 46);
        break;
    case CabinetPainter::Cloth::Metal:
        base = QColor(150, 152, 156);
        break;
    case CabinetPainter::Cloth::BlackMetal:
        base = QColor(58, 60, 64);
        break;
    }
    painter.fillRect(area, base);
    const qreal step = 3.2;
    if (cloth == CabinetPainter::Cloth::Diamond) {
        painter.setPen(QPen(QColor(196, 168, 120, 150), 0.9));
        for (qreal x = area.left() - area.height(); x < area.right(); x += step * 2.2) {
            painter.drawLine(QPointF(x, area.top()), QPointF(x + area.height(), area.bottom()));
            painter.drawLine(QPointF(x + area.height(), area.top()), QPointF(x, area.bottom()));
        }
    } else if (cloth == CabinetPainter::Cloth::Metal ||
               cloth == CabinetPainter::Cloth::BlackMetal) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(cloth == CabinetPainter::Cloth::Metal ? QColor(40, 42, 46, 170)
                                                               : QColor(8, 8, 10, 200));
        bool odd = false;
        for (qreal y = area.top() + 1.5; y < area.bottom(); y += 2.6) {
            for (qreal x = area.left() + (odd ? 2.4 : 1.1); x < area.right(); x += 2.6)
                painter.drawEllipse(QPointF(x, y), 0.8, 0.8);
            odd = !odd;
        }
    } else {
        // Woven cloth: fine horizontal and vertical threads.
        const QColor thread = base.lightness() > 120 ? base.darker(118) : base.lighter(150);
        painter.setPen(QPen(thread, 0.6));
        for (qreal y = area.top(); y < area.bottom(); y += step / 2)
            painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        painter.setPen(QPen(withAlphaF(thread, 0.5), 0.6));
        for (qreal x = area.left(); x < area.right(); x += step / 2)
            painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
    }
    // Light falls from above.
    QLinearGradient light(area.topLeft(), area.bottomLeft());
    light.setColorAt(0, QColor(255, 255, 255, 40));
    light.setColorAt(1, QColor(0, 0, 0, 50));
    painter.fillRect(area, light);
    painter.restore();
}

void drawSpeaker(QPainter& painter, QPointF centre, qreal radius, bool behindCloth) {
    painter.save();
    painter.setPen(Qt::NoPen);
    // Behind cloth only the cone's shade shows through; behind metal the cone is visible.
    const qreal alpha = behindCloth ? 0.55 : 1.0;
    QRadialGradient cone(centre, radius);
    cone.setColorAt(0.0, withAlphaF(QColor(70, 70, 74), alpha));
    cone.setColorAt(0.3, withAlphaF(QColor(28, 28, 30), alpha));
    cone.setColorAt(0.86, withAlphaF(QColor(48, 48, 52), alpha));
    cone.setColorAt(1.0, withAlphaF(QColor(12, 12, 14), alpha));
    painter.setBrush(cone);
    painter.drawEllipse(centre, radius, radius);
    painter.setBrush(withAlphaF(QColor(18, 18, 20), alpha));
    painter.drawEllipse(centre, radius * 0.24, radius * 0.24);
    painter.setPen(QPen(withAlphaF(QColor(255, 255, 255), behindCloth ? 0.10 : 0.22), 0.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, radius * 0.86, radius * 0.86);
    painter.restore();
}

} // namespace

CabinetPainter::Cabinet CabinetPainter::factoryCabinet(int slot) {
    Cabinet c;
    const QColor black(30, 30, 32);
    switch (slot) {
    case 0: // 65DLX 1x12
        c = {1,     1, 12, true, false, false, false, black, QColor(196, 198, 204), Cloth::Silver,
             "1x12"};
        break;
    case 1: // A15 1x12
        c = {1,
             1,
             12,
             true,
             false,
             false,
             false,
             QColor(214, 204, 178),
             QColor(150, 40, 40),
             Cloth::Dark,
             "1x12"};
        break;
    case 2: // Twinverb.B 2x12
        c = {2,     1, 12, true, false, false, false, black, QColor(196, 198, 204), Cloth::Silver,
             "2x12"};
        break;
    case 3: // AC30.S 2x12
        c = {2,
             1,
             12,
             true,
             false,
             false,
             false,
             QColor(40, 36, 34),
             QColor(150, 110, 70),
             Cloth::Diamond,
             "2x12"};
        break;
    case 4: // 59Baseman 4x10
        c = {2,
             2,
             10,
             true,
             false,
             false,
             false,
             QColor(200, 172, 118),
             QColor(92, 64, 44),
             Cloth::Brown,
             "4x10"};
        break;
    case 5: // 1960AG 4x12
        c = {2, 2, 12, false, true, false, false, black, QColor(), Cloth::Wheat, "4x12"};
        break;
    case 6: // Rect.S 4x12
        c = {2, 2, 12, false, false, false, true, black, QColor(), Cloth::BlackMetal, "4x12"};
        break;
    case 7: // German.V 4x12
        c = {2,        2,           12,    false, false, false, true, QColor(26, 26, 26),
             QColor(), Cloth::Dark, "4x12"};
        break;
    case 8: // B.svt 1x15
        c = {1, 1, 15, false, false, false, true, black, QColor(), Cloth::Metal, "1x15"};
        break;
    case 9: // B.svt 4x10
        c = {2, 2, 10, false, false, false, true, black, QColor(), Cloth::Metal, "4x10"};
        break;
    case 10: // B.svt 8x10
    default:
        c = {2, 4, 10, false, false, true, true, black, QColor(), Cloth::Metal, "8x10"};
        break;
    }
    return c;
}

QImage CabinetPainter::cabinet(const Cabinet& cab, qreal scale) {
    return SkinPainter::canvas(QSize(kWidth, kHeight), scale, [&](QPainter& painter) {
        const qreal baffleW = cab.columns * cab.inches + (cab.columns - 1) * kGap + 2 * kBorder;
        const qreal baffleH = cab.rows * cab.inches + (cab.rows - 1) * kGap + 2 * kBorder +
                              (cab.split ? kGap * 2 : 0);
        const qreal boxW = baffleW + 2 * kFrame;
        const qreal boxH = baffleH + 2 * kFrame + (cab.combo ? kPanel : 0);
        // Fit the cabinet into the picture, leaving room for the floor shadow; small cabinets
        // are drawn smaller so that the speaker size stays visible from picture to picture.
        const qreal fit = qMin(250.0 / boxW, 184.0 / boxH);
        const qreal unit = qMin(fit, 5.6);
        const QSizeF size(boxW * unit, boxH * unit);
        const QRectF box((kWidth - size.width()) / 2, 192 - size.height(), size.width(),
                         size.height());

        // Floor shadow.
        QRadialGradient floor(QPointF(box.center().x(), 193), box.width() * 0.62);
        floor.setColorAt(0, QColor(0, 0, 0, 90));
        floor.setColorAt(1, QColor(0, 0, 0, 0));
        painter.save();
        painter.translate(box.center().x(), 193);
        painter.scale(1, 0.09);
        painter.translate(-box.center().x(), -193);
        painter.setPen(Qt::NoPen);
        painter.setBrush(floor);
        painter.drawEllipse(QPointF(box.center().x(), 193), box.width() * 0.62, box.width() * 0.62);
        painter.restore();

        // Enclosure.
        QPainterPath shell;
        if (cab.slanted) {
            const qreal lean = box.width() * 0.07;
            shell.moveTo(box.left() + lean, box.top());
            shell.lineTo(box.right() - lean, box.top());
            shell.lineTo(box.right(), box.top() + box.height() * 0.48);
            shell.lineTo(box.right(), box.bottom());
            shell.lineTo(box.left(), box.bottom());
            shell.lineTo(box.left(), box.top() + box.height() * 0.48);
            shell.closeSubpath();
        } else {
            shell.addRoundedRect(box, unit * 0.8, unit * 0.8);
        }
        QLinearGradient tolex(box.topLeft(), box.bottomLeft());
        tolex.setColorAt(0, cab.covering.lighter(135));
        tolex.setColorAt(0.12, cab.covering);
        tolex.setColorAt(1, cab.covering.darker(125));
        painter.setPen(QPen(QColor(0, 0, 0, 160), 1));
        painter.setBrush(tolex);
        painter.drawPath(shell);
        // A faint rim keeps a black cabinet apart from a dark panel behind it.
        painter.setPen(QPen(QColor(255, 255, 255, 46), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(shell.translated(0, 0.5));

        // Control panel of a combo, with its knobs.
        qreal top = box.top() + kFrame * unit;
        if (cab.combo) {
            const QRectF panel(box.left() + kFrame * unit, top + unit * 0.4,
                               box.width() - 2 * kFrame * unit, (kPanel - 1.2) * unit);
            QLinearGradient face(panel.topLeft(), panel.bottomLeft());
            face.setColorAt(0, cab.panel.lighter(125));
            face.setColorAt(1, cab.panel.darker(115));
            painter.setPen(QPen(QColor(0, 0, 0, 120), 0.8));
            painter.setBrush(face);
            painter.drawRoundedRect(panel, unit * 0.3, unit * 0.3);
            const int knobs = qMax(4, cab.columns * 4);
            const qreal spacing = panel.width() * 0.6 / (knobs - 1);
            const qreal x0 = panel.left() + panel.width() * 0.3;
            painter.setPen(QPen(QColor(0, 0, 0, 150), 0.6));
            for (int i = 0; i < knobs; ++i) {
                painter.setBrush(QColor(24, 24, 26));
                painter.drawEllipse(QPointF(x0 + i * spacing, panel.center().y()),
                                    panel.height() * 0.24, panel.height() * 0.24);
            }
            painter.setBrush(QColor(210, 40, 40));
            painter.drawEllipse(QPointF(panel.left() + panel.width() * 0.12, panel.center().y()),
                                panel.height() * 0.13, panel.height() * 0.13);
            top = panel.bottom() + unit * 0.8;
        }

        // Baffle with its cloth or metal grille, one per enclosure.
        const int sections = cab.split ? 2 : 1;
        const int rowsPerSection = cab.rows / sections;
        const qreal sectionH =
            (box.bottom() - kFrame * unit - top - (sections - 1) * kGap * unit) / sections;
        const bool metal = cab.cloth == Cloth::Metal || cab.cloth == Cloth::BlackMetal;
        painter.save();
        if (cab.slanted)
            painter.setClipPath(shell);
        for (int s = 0; s < sections; ++s) {
            const QRectF baffle(box.left() + kFrame * unit, top + s * (sectionH + kGap * unit),
                                box.width() - 2 * kFrame * unit, sectionH);
            drawCloth(painter, baffle, cab.cloth);
            const qreal r = cab.inches * unit / 2;
            const qreal cellW = (baffle.width() - 2 * kBorder * unit) / cab.columns;
            const qreal cellH = (baffle.height() - 2 * kBorder * unit) / rowsPerSection;
            for (int row = 0; row < rowsPerSection; ++row) {
                for (int col = 0; col < cab.columns; ++col) {
                    const QPointF centre(baffle.left() + kBorder * unit + cellW * (col + 0.5),
                                         baffle.top() + kBorder * unit + cellH * (row + 0.5));
                    drawSpeaker(painter, centre, r, !metal);
                }
            }
            if (metal) {
                // The perforated grille in front of the cones.
                painter.save();
                painter.setOpacity(0.35);
                drawCloth(painter, baffle, cab.cloth);
                painter.restore();
            }
            // Piping around the baffle.
            painter.setPen(QPen(cab.covering.lightness() > 120 ? QColor(90, 70, 40, 180)
                                                               : QColor(226, 226, 220, 150),
                                0.9));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(baffle);
            if (cab.slanted) {
                // The upper half leans back and catches less light.
                const qreal crease = box.top() + box.height() * 0.48;
                QLinearGradient lean(0, baffle.top(), 0, crease);
                lean.setColorAt(0, QColor(0, 0, 0, 110));
                lean.setColorAt(1, QColor(0, 0, 0, 30));
                painter.fillRect(
                    QRectF(baffle.left(), baffle.top(), baffle.width(), crease - baffle.top()),
                    lean);
                painter.setPen(QPen(QColor(0, 0, 0, 120), 1));
                painter.drawLine(QPointF(box.left(), crease), QPointF(box.right(), crease));
            }
        }
        painter.restore();

        if (cab.corners) {
            const qreal k = unit * 2.6;
            painter.setPen(QPen(QColor(0, 0, 0, 140), 0.6));
            QLinearGradient steel(box.topLeft(), box.bottomLeft());
            steel.setColorAt(0, QColor(226, 228, 232));
            steel.setColorAt(1, QColor(150, 152, 158));
            painter.setBrush(steel);
            const QPointF corners[4] = {box.topLeft(), box.topRight() - QPointF(k, 0),
                                        box.bottomLeft() - QPointF(0, k),
                                        box.bottomRight() - QPointF(k, k)};
            for (const QPointF& p : corners)
                painter.drawRoundedRect(QRectF(p, QSizeF(k, k)), unit * 0.5, unit * 0.5);
        }

        // Plate with the speaker layout, at the bottom left of the baffle.
        QFont font("DejaVu Sans");
        font.setPixelSize(9);
        font.setBold(true);
        painter.setFont(font);
        const QRectF plate(box.left() + kFrame * unit + 3, box.bottom() - kFrame * unit - 15, 30,
                           12);
        painter.setPen(QPen(QColor(0, 0, 0, 120), 0.6));
        painter.setBrush(QColor(236, 236, 232, 235));
        painter.drawRoundedRect(plate, 2, 2);
        painter.setPen(QColor(40, 40, 44));
        QString label = cab.badge;
        label.replace('x', QChar(0x00D7));
        painter.drawText(plate, Qt::AlignCenter, label);
    });
}

QImage CabinetPainter::impulseResponse(qreal scale) {
    return SkinPainter::canvas(QSize(kWidth, kHeight), scale, [&](QPainter& painter) {
        const QRectF card(52, 24, 180, 156);
        painter.setPen(Qt::NoPen);
        QRadialGradient floor(QPointF(card.center().x(), 186), 120);
        floor.setColorAt(0, QColor(0, 0, 0, 70));
        floor.setColorAt(1, QColor(0, 0, 0, 0));
        painter.save();
        painter.translate(0, 186 * (1 - 0.08));
        painter.scale(1, 0.08);
        painter.setBrush(floor);
        painter.drawEllipse(QPointF(card.center().x(), 186), 120, 120);
        painter.restore();

        QLinearGradient body(card.topLeft(), card.bottomLeft());
        body.setColorAt(0, QColor(58, 62, 80));
        body.setColorAt(1, QColor(30, 32, 42));
        painter.setPen(QPen(QColor(0, 0, 0, 160), 1));
        painter.setBrush(body);
        painter.drawRoundedRect(card, 12, 12);

        // A decaying impulse response drawn as a trace on a small screen.
        const QRectF screen = card.adjusted(14, 14, -14, -44);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(16, 18, 24));
        painter.drawRoundedRect(screen, 6, 6);
        painter.setPen(QPen(QColor(255, 255, 255, 22), 0.8));
        for (int i = 1; i < 4; ++i) {
            const qreal y = screen.top() + screen.height() * i / 4;
            painter.drawLine(QPointF(screen.left() + 4, y), QPointF(screen.right() - 4, y));
        }
        QPainterPath trace;
        const qreal mid = screen.center().y();
        trace.moveTo(screen.left() + 6, mid);
        for (int i = 0; i <= 140; ++i) {
            const qreal t = i / 140.0;
            const qreal x = screen.left() + 10 + t * (screen.width() - 20);
            const qreal envelope = qExp(-t * 6.5);
            const qreal y = mid - (screen.height() * 0.42) * envelope * qSin(t * 62.0 + 0.6) *
                                      (i == 0 ? 0.0 : 1.0);
            trace.lineTo(x, y);
        }
        painter.setPen(QPen(QColor(37, 207, 160), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(trace);

        QFont font("DejaVu Sans");
        font.setPixelSize(20);
        font.setBold(true);
        font.setLetterSpacing(QFont::AbsoluteSpacing, 3);
        painter.setFont(font);
        painter.setPen(QColor(232, 236, 250));
        painter.drawText(QRectF(card.left(), card.bottom() - 40, card.width(), 34), Qt::AlignCenter,
                         QStringLiteral("IR"));
    });
}
