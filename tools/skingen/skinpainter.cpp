#include "tools/skingen/skinpainter.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {

// Every window and dialog of both programs keeps an 8-pixel margin for its shadow.
constexpr int kShadow = 8;
constexpr qreal kWindowRadius = 10;

// Thickness of the updater's progress bar inside its 21-pixel widget.
constexpr qreal kProgressBar = 12;

// Sweep of the value dials: a 60-degree dead zone centred straight down.
constexpr qreal kDeadZone = 60;

QColor withAlpha(QColor c, int alpha) {
    c.setAlpha(alpha);
    return c;
}

QColor mix(const QColor& a, const QColor& b, qreal t) {
    return QColor::fromRgbF(
        a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
        a.blueF() + (b.blueF() - a.blueF()) * t, a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

void drawSoftShadow(QPainter& painter, const QRectF& body, qreal radius, int spread, int alpha) {
    painter.save();
    painter.setPen(Qt::NoPen);
    for (int i = spread; i >= 1; --i) {
        const qreal t = 1.0 - qreal(i) / (spread + 1);
        painter.setBrush(QColor(0, 0, 0, int(alpha * t * t / spread * 2.2)));
        painter.drawRoundedRect(body.adjusted(-i, -i + 1, i, i + 1), radius + i, radius + i);
    }
    painter.restore();
}

QPointF polar(QPointF centre, qreal radius, qreal degreesFromDownClockwise) {
    const qreal a = qDegreesToRadians(degreesFromDownClockwise);
    return centre + QPointF(-qSin(a) * radius, qCos(a) * radius);
}

} // namespace

QImage SkinPainter::canvas(QSize size, qreal scale, const std::function<void(QPainter&)>& paint) {
    QImage image(qRound(size.width() * scale), qRound(size.height() * scale),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    paint(painter);
    painter.end();
    return image;
}

QImage SkinPainter::strip(QSize frame, qreal scale,
                          const std::function<void(QPainter&, const QRectF&, State)>& paint) {
    return canvas(QSize(frame.width() * 4, frame.height()), scale, [&](QPainter& painter) {
        for (int i = 0; i < 4; ++i) {
            painter.save();
            const QRectF box(frame.width() * i, 0, frame.width(), frame.height());
            painter.setClipRect(box);
            paint(painter, box, State(i));
            painter.restore();
        }
    });
}

void SkinPainter::drawWindowFrame(QPainter& painter, QSize size, int header) const {
    const QRectF body(kShadow, kShadow, size.width() - 2 * kShadow, size.height() - 2 * kShadow);
    drawSoftShadow(painter, body, kWindowRadius, kShadow, m_palette.dark ? 110 : 60);

    QPainterPath outline;
    outline.addRoundedRect(body, kWindowRadius, kWindowRadius);
    painter.save();
    painter.setClipPath(outline);
    painter.fillRect(body, m_palette.window);
    const QRectF band(body.left(), body.top(), body.width(), header);
    QLinearGradient bandShade(band.topLeft(), band.bottomLeft());
    bandShade.setColorAt(0, m_palette.header.lighter(m_palette.dark ? 108 : 100));
    bandShade.setColorAt(1, m_palette.header);
    painter.fillRect(band, bandShade);
    painter.setPen(QPen(m_palette.border, 1));
    painter.drawLine(QPointF(body.left(), band.bottom() - 0.5),
                     QPointF(body.right(), band.bottom() - 0.5));
    painter.restore();

    painter.setPen(QPen(m_palette.border, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(body.adjusted(0.5, 0.5, -0.5, -0.5), kWindowRadius, kWindowRadius);
}

void SkinPainter::drawCard(QPainter& painter, const QRectF& card) const {
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, m_palette.dark ? 60 : 16));
    painter.drawRoundedRect(card.translated(0, 1.5), 12, 12);
    painter.setPen(QPen(m_palette.panelBorder, 1));
    painter.setBrush(m_palette.panel);
    painter.drawRoundedRect(card.adjusted(0.5, 0.5, -0.5, -0.5), 12, 12);
    painter.restore();
}

QImage SkinPainter::windowBackground(QSize size, int header, qreal scale,
                                     const QVector<QRect>& cards) const {
    return canvas(size, scale, [&](QPainter& painter) {
        drawWindowFrame(painter, size, header);
        for (const QRect& card : cards)
            drawCard(painter, card);
    });
}

QImage SkinPainter::logo(qreal scale) const {
    return canvas(QSize(118, 28), scale, [&](QPainter& painter) {
        // Emblem: a hexagon split by a stylised wave, then the maker's name.
        QPainterPath hex;
        for (int i = 0; i < 6; ++i) {
            const qreal a = qDegreesToRadians(60.0 * i - 90.0);
            const QPointF p(14 + 12 * qCos(a), 14 + 12 * qSin(a));
            if (i == 0)
                hex.moveTo(p);
            else
                hex.lineTo(p);
        }
        hex.closeSubpath();
        QLinearGradient fill(0, 2, 0, 26);
        fill.setColorAt(0, m_palette.accent.lighter(110));
        fill.setColorAt(1, m_palette.accentDark);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawPath(hex);
        QPainterPath wave;
        wave.moveTo(6, 15);
        wave.cubicTo(10, 8, 13, 8, 14, 14);
        wave.cubicTo(15, 20, 18, 20, 22, 13);
        painter.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(wave);

        QFont font("DejaVu Sans");
        font.setPixelSize(17);
        font.setBold(true);
        font.setLetterSpacing(QFont::AbsoluteSpacing, 2.5);
        painter.setFont(font);
        painter.setPen(m_palette.dark ? QColor(240, 241, 246) : QColor(44, 46, 58));
        painter.drawText(QRectF(33, 0, 85, 28), Qt::AlignVCenter | Qt::AlignLeft,
                         QStringLiteral("ZELVA"));
    });
}

QImage SkinPainter::productPicture(qreal scale) const {
    return canvas(QSize(36, 28), scale, [&](QPainter& painter) {
        // The pedal seen from above: a housing with two knobs, a display and a footswitch.
        const QRectF housing(3, 1.5, 30, 25);
        QLinearGradient body(housing.topLeft(), housing.bottomLeft());
        body.setColorAt(0, QColor(72, 76, 92));
        body.setColorAt(1, QColor(38, 40, 50));
        painter.setPen(QPen(m_palette.dark ? QColor(96, 100, 118) : QColor(30, 32, 40), 1));
        painter.setBrush(body);
        painter.drawRoundedRect(housing, 4, 4);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(129, 147, 248));
        painter.drawEllipse(QPointF(10, 8), 3, 3);
        painter.setBrush(QColor(248, 129, 129));
        painter.drawEllipse(QPointF(26, 8), 3, 3);
        painter.setBrush(QColor(37, 207, 160));
        painter.drawRoundedRect(QRectF(15, 6, 6, 4), 1, 1);
        painter.setBrush(QColor(196, 200, 212));
        painter.drawEllipse(QPointF(18, 19.5), 4, 4);
        painter.setBrush(QColor(150, 154, 168));
        painter.drawEllipse(QPointF(18, 19.5), 2.4, 2.4);
    });
}

QImage SkinPainter::titleButton(IconPainter::Glyph glyph, bool closing, int side,
                                qreal scale) const {
    return strip(QSize(side, side), scale, [&](QPainter& painter, const QRectF& box, State s) {
        const QRectF pad = box.adjusted(2, 2, -2, -2);
        QColor glyphColour = m_palette.icon;
        painter.setPen(Qt::NoPen);
        if (s == Hover || s == Pressed) {
            QColor fill = closing ? QColor(232, 72, 77) : m_palette.hoverFill;
            if (s == Pressed)
                fill = closing ? QColor(196, 48, 54) : m_palette.accent;
            painter.setBrush(fill);
            painter.drawRoundedRect(pad, 6, 6);
            glyphColour = (closing || s == Pressed) ? Qt::white : m_palette.accentDark;
        } else if (s == Disabled) {
            glyphColour = m_palette.disabledIcon;
        }
        IconPainter::drawGlyph(painter, glyph, pad.adjusted(2, 2, -2, -2), glyphColour);
    });
}

QImage SkinPainter::iconButton(IconPainter::Glyph glyph, int side, bool notice, qreal scale) const {
    return strip(QSize(side, side), scale, [&](QPainter& painter, const QRectF& box, State s) {
        const QRectF pad = box.adjusted(1, 1, -1, -1);
        QColor glyphColour = m_palette.icon;
        painter.setPen(Qt::NoPen);
        if (s == Hover) {
            painter.setBrush(m_palette.hoverFill);
            painter.drawRoundedRect(pad, 8, 8);
            glyphColour = m_palette.accentDark;
            if (m_palette.dark)
                glyphColour = m_palette.accent.lighter(115);
        } else if (s == Pressed) {
            QLinearGradient fill(pad.topLeft(), pad.bottomLeft());
            fill.setColorAt(0, m_palette.accent);
            fill.setColorAt(1, m_palette.accentDark);
            painter.setBrush(fill);
            painter.drawRoundedRect(pad, 8, 8);
            glyphColour = Qt::white;
        } else if (s == Disabled) {
            glyphColour = m_palette.disabledIcon;
        }
        const qreal inset = side * 0.2;
        IconPainter::drawGlyph(painter, glyph, pad.adjusted(inset, inset, -inset, -inset),
                               glyphColour);
        if (notice) {
            // A red dot tells that the pedal runs other firmware than this editor expects.
            const QPointF dot(box.right() - side * 0.24, box.top() + side * 0.24);
            painter.setPen(QPen(s == Pressed ? m_palette.accentDark : m_palette.header, 1.5));
            QColor red(236, 72, 72);
            if (s == Disabled)
                red = withAlpha(red, 110);
            painter.setBrush(red);
            painter.drawEllipse(dot, side * 0.12, side * 0.12);
        }
    });
}

QImage SkinPainter::framedIconButton(IconPainter::Glyph glyph, int side, qreal scale) const {
    return strip(QSize(side, side), scale, [&](QPainter& painter, const QRectF& box, State s) {
        const QRectF pad = box.adjusted(1.5, 1.5, -1.5, -1.5);
        QColor glyphColour = m_palette.icon;
        QColor border = m_palette.panelBorder;
        QBrush fill = m_palette.panel;
        if (s == Hover) {
            fill = m_palette.hoverFill;
            border = m_palette.accent;
            glyphColour = m_palette.dark ? m_palette.accent.lighter(115) : m_palette.accentDark;
        } else if (s == Pressed) {
            QLinearGradient g(pad.topLeft(), pad.bottomLeft());
            g.setColorAt(0, m_palette.accent);
            g.setColorAt(1, m_palette.accentDark);
            fill = g;
            border = m_palette.accentDark;
            glyphColour = Qt::white;
        } else if (s == Disabled) {
            glyphColour = m_palette.disabledIcon;
        }
        painter.setPen(QPen(border, 1));
        painter.setBrush(fill);
        painter.drawRoundedRect(pad, 8, 8);
        const qreal inset = side * 0.22;
        IconPainter::drawGlyph(painter, glyph, pad.adjusted(inset, inset, -inset, -inset),
                               glyphColour);
    });
}

QImage SkinPainter::textButton(QSize frame, qreal scale) const {
    return strip(frame, scale, [&](QPainter& painter, const QRectF& box, State s) {
        const QRectF pad = box.adjusted(1.5, 1.5, -1.5, -2.5);
        // A faint drop line under the button gives it some lift.
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, m_palette.dark ? 60 : 18));
        painter.drawRoundedRect(pad.translated(0, 1.5), 8, 8);

        QColor top = m_palette.buttonFill;
        QColor bottom = m_palette.dark ? m_palette.buttonFill.darker(110)
                                       : mix(m_palette.buttonFill, m_palette.field, 0.9);
        QColor border = m_palette.buttonBorder;
        qreal width = 1;
        if (s == Hover) {
            border = QColor(152, 168, 255);
            width = 1.5;
        } else if (s == Pressed) {
            top = bottom = m_palette.dark ? m_palette.buttonFill.darker(125)
                                          : mix(m_palette.field, m_palette.hoverFill, 0.7);
            border = QColor(112, 154, 255);
            width = 1.5;
        } else if (s == Disabled) {
            top = bottom = m_palette.disabledFill;
            border = m_palette.disabledFill;
        }
        QLinearGradient fill(pad.topLeft(), pad.bottomLeft());
        fill.setColorAt(0, top);
        fill.setColorAt(1, bottom);
        painter.setPen(QPen(border, width));
        painter.setBrush(fill);
        painter.drawRoundedRect(pad, 8, 8);
    });
}

QImage SkinPainter::presetButton(QSize frame, qreal scale) const {
    return strip(frame, scale, [&](QPainter& painter, const QRectF& box, State s) {
        const QRectF pad = box.adjusted(2, 2, -2, -2);
        QBrush fill = m_palette.panel;
        QColor border = m_palette.panelBorder;
        QColor lamp = m_palette.track;
        if (s == Hover) {
            fill = m_palette.hoverFill;
            border = m_palette.accent;
        } else if (s == Pressed) {
            QLinearGradient g(pad.topLeft(), pad.bottomLeft());
            g.setColorAt(0, m_palette.selectedFill);
            g.setColorAt(1, m_palette.selectedFill.darker(115));
            fill = g;
            border = m_palette.selectedFill.darker(115);
            lamp = QColor(255, 255, 255, 230);
        } else if (s == Disabled) {
            fill = m_palette.dark ? m_palette.window : m_palette.field;
            border = withAlpha(m_palette.panelBorder, 120);
            lamp = withAlpha(m_palette.track, 100);
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, m_palette.dark ? 50 : 14));
        painter.drawRoundedRect(pad.translated(0, 1.5), 9, 9);
        painter.setPen(QPen(border, 1));
        painter.setBrush(fill);
        painter.drawRoundedRect(pad.adjusted(0.5, 0.5, -0.5, -0.5), 9, 9);
        // A small lamp at the bottom edge lights up on the selected preset.
        painter.setPen(Qt::NoPen);
        painter.setBrush(lamp);
        painter.drawRoundedRect(QRectF(pad.center().x() - 8, pad.bottom() - 7, 16, 3), 1.5, 1.5);
    });
}

QImage SkinPainter::toggle(bool on, qreal scale) const {
    return canvas(QSize(36, 20), scale, [&](QPainter& painter) {
        const QRectF track(1, 1, 34, 18);
        QColor trackColour =
            on ? m_palette.accent : (m_palette.dark ? QColor(86, 89, 106) : QColor(201, 204, 216));
        painter.setPen(Qt::NoPen);
        painter.setBrush(trackColour);
        painter.drawRoundedRect(track, 9, 9);
        const QPointF knob(on ? 26 : 10, 10);
        painter.setBrush(QColor(0, 0, 0, 40));
        painter.drawEllipse(knob + QPointF(0, 0.8), 7.2, 7.2);
        painter.setBrush(Qt::white);
        painter.drawEllipse(knob, 7, 7);
    });
}

QImage SkinPainter::switchBackground(QSize size, qreal scale) const {
    return canvas(size, scale, [&](QPainter& painter) {
        const qreal r = size.height() / 2.0 - 1;
        painter.setPen(QPen(m_palette.fieldBorder, 1));
        painter.setBrush(m_palette.field);
        painter.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), r, r);
    });
}

QImage SkinPainter::cabinetPanel(QSize size, qreal scale) const {
    return canvas(size, scale, [&](QPainter& painter) {
        drawCard(painter, QRectF(1, 1, size.width() - 2, size.height() - 3));
        // The dials sit on a recessed deck along the bottom (their row starts 153 above the
        // bottom edge).
        const QRectF deck(16, size.height() - 164, size.width() - 32, 150);
        painter.setPen(Qt::NoPen);
        painter.setBrush(m_palette.dark ? m_palette.window.lighter(112) : m_palette.window);
        painter.drawRoundedRect(deck, 10, 10);
    });
}

QImage SkinPainter::dialFace(int side, qreal scale) const {
    return canvas(QSize(side, side), scale, [&](QPainter& painter) {
        const QPointF c(side / 2.0, side / 2.0);
        // Ring under the value arc: the arc is drawn 12 pixels inside the control.
        const qreal ring = side / 2.0 - 12;
        const QRectF ringBox(c.x() - ring, c.y() - ring, 2 * ring, 2 * ring);
        painter.setPen(QPen(m_palette.track, 2.0, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(ringBox, int((270 - kDeadZone / 2) * 16), int(-(360 - kDeadZone) * 16));

        // Scale marks outside the ring.
        painter.setPen(Qt::NoPen);
        painter.setBrush(m_palette.dark ? QColor(110, 113, 130) : QColor(184, 188, 202));
        const int marks = 11;
        for (int i = 0; i < marks; ++i) {
            const qreal a = kDeadZone / 2 + i * (360 - kDeadZone) / (marks - 1);
            const qreal r = (i == 0 || i == marks - 1) ? 1.4 : 1.0;
            painter.drawEllipse(polar(c, ring + 6.5, a), r, r);
        }

        // The knob, wide enough to carry the needle mark 14 pixels out from the centre.
        const qreal knob = ring - 4.5;
        painter.setBrush(QColor(0, 0, 0, m_palette.dark ? 90 : 40));
        painter.drawEllipse(c + QPointF(0, 1.2), knob + 0.8, knob + 0.8);
        QLinearGradient body(c.x(), c.y() - knob, c.x(), c.y() + knob);
        if (m_palette.dark) {
            body.setColorAt(0, QColor(86, 89, 106));
            body.setColorAt(1, QColor(52, 54, 66));
        } else {
            body.setColorAt(0, QColor(255, 255, 255));
            body.setColorAt(1, QColor(226, 229, 238));
        }
        painter.setPen(QPen(m_palette.dark ? QColor(100, 104, 122) : QColor(206, 210, 222), 1));
        painter.setBrush(body);
        painter.drawEllipse(c, knob, knob);
        QRadialGradient gloss(c - QPointF(0, knob * 0.4), knob);
        gloss.setColorAt(0, QColor(255, 255, 255, m_palette.dark ? 26 : 90));
        gloss.setColorAt(1, QColor(255, 255, 255, 0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(gloss);
        painter.drawEllipse(c, knob - 1.5, knob - 1.5);
    });
}

QImage SkinPainter::dialNeedle(qreal scale) const {
    // A short upright mark; the dial turns it about its centre and sets it off from the centre
    // by its needle distance, so it rides on the knob.
    return canvas(QSize(6, 10), scale, [&](QPainter& painter) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(m_palette.dark ? QColor(240, 242, 248) : QColor(84, 88, 106));
        painter.drawRoundedRect(QRectF(1.5, 1, 3, 8), 1.5, 1.5);
    });
}

QImage SkinPainter::inputField(QSize size, qreal scale) const {
    return canvas(size, scale, [&](QPainter& painter) {
        painter.setPen(QPen(m_palette.fieldBorder, 1));
        painter.setBrush(m_palette.field);
        painter.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 4, 4);
    });
}

QImage SkinPainter::selectBox(QSize size, const QColor& mark, qreal scale) const {
    return canvas(size, scale, [&](QPainter& painter) {
        const QRectF box(0.5, 0.5, size.width() - 1, size.height() - 1);
        painter.setPen(QPen(m_palette.fieldBorder, 1));
        painter.setBrush(m_palette.field);
        painter.drawRoundedRect(box, 6, 6);
        // Colour mark of the cabinet the chooser belongs to.
        painter.setPen(Qt::NoPen);
        painter.setBrush(mark);
        painter.drawRoundedRect(QRectF(6, 8, 4, size.height() - 16), 2, 2);
    });
}

QImage SkinPainter::dropArrow(qreal scale) const {
    return canvas(QSize(12, 8), scale, [&](QPainter& painter) {
        painter.setPen(QPen(m_palette.icon, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygonF({QPointF(2, 2), QPointF(6, 6), QPointF(10, 2)}));
    });
}

QImage SkinPainter::progressTrack(QSize size, qreal scale) const {
    // A slim bar centred in the progress widget's full height, so it is drawn unscaled.
    return canvas(size, scale, [&](QPainter& painter) {
        const QRectF bar(0, (size.height() - kProgressBar) / 2.0, size.width(), kProgressBar);
        const qreal r = kProgressBar / 2.0;
        painter.setPen(Qt::NoPen);
        painter.setBrush(m_palette.track);
        painter.drawRoundedRect(bar, r, r);
        painter.setBrush(QColor(0, 0, 0, m_palette.dark ? 40 : 14));
        painter.drawRoundedRect(QRectF(bar.left() + 1, bar.top(), bar.width() - 2, 2), 1, 1);
    });
}

QImage SkinPainter::progressFill(QSize size, qreal scale) const {
    return canvas(size, scale, [&](QPainter& painter) {
        const QRectF bar(0, (size.height() - kProgressBar) / 2.0, size.width(), kProgressBar);
        const qreal r = kProgressBar / 2.0;
        QLinearGradient fill(bar.topLeft(), bar.bottomLeft());
        fill.setColorAt(0, m_palette.accent.lighter(112));
        fill.setColorAt(1, m_palette.accentDark);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawRoundedRect(bar, r, r);
        painter.setBrush(QColor(255, 255, 255, 60));
        painter.drawRoundedRect(
            QRectF(r * 0.6, bar.top() + 1.5, bar.width() - r * 1.2, kProgressBar * 0.3), 1.5, 1.5);
    });
}

QImage SkinPainter::promptIcon(IconPainter::Badge badge, int side, qreal scale) const {
    return canvas(QSize(side, side), scale, [&](QPainter& painter) {
        IconPainter::drawBadge(painter, badge, QRectF(0, 0, side, side));
    });
}
