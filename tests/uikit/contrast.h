#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <cmath>

// Contrast of text against what it is drawn on, as the web's accessibility guidelines count it:
// at least 4.5:1, or 3:1 for text of 18 pixels and more (and for a focus ring).
namespace Contrast {

inline double luminance(const QColor& c) {
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

inline double ratio(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A text (or a ring, pixels 18 or more) and the backgrounds it meets.
struct Item {
    QString what;
    QColor colour;
    QList<QColor> under;
    int pixels;
};

// The items below their ratio, one line each; empty when all pass.
inline QStringList failures(const QList<Item>& items) {
    QStringList out;
    for (const Item& item : items) {
        const double needed = item.pixels >= 18 ? 3.0 : 4.5;
        for (const QColor& under : item.under) {
            if (!item.colour.isValid() || !under.isValid()) {
                out << item.what + ": a colour is missing";
                continue;
            }
            const double r = ratio(item.colour, under);
            if (r < needed)
                out << QStringLiteral("%1: %2 on %3 is %4:1")
                           .arg(item.what, item.colour.name(), under.name())
                           .arg(r, 0, 'f', 2);
        }
    }
    return out;
}

// The colour of a skin image at a point given in its own pixels.
inline QColor pixel(const QString& file, int x, int y) {
    const QImage image(file);
    return image.valid(x, y) ? image.pixelColor(x, y) : QColor();
}

} // namespace Contrast
