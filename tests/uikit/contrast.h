#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QStringList>

#include <cmath>

// Text against what it is drawn on, counted as the web's accessibility guidelines count it:
// 4.5:1, or 3:1 for text of 18 pixels and more and for a focus ring (give it 18).
namespace Contrast {

struct Item {
    QString what;
    QColor colour;
    QList<QColor> under;
    int pixels;
};

inline double ratio(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& c) {
        auto lin = [](int v) {
            const double s = v / 255.0;
            return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * lin(c.red()) + 0.7152 * lin(c.green()) + 0.0722 * lin(c.blue());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The items that fall short, a line each.
inline QStringList failures(const QList<Item>& items) {
    QStringList out;
    for (const Item& item : items) {
        for (const QColor& under : item.under) {
            const double r =
                item.colour.isValid() && under.isValid() ? ratio(item.colour, under) : 0;
            if (r < (item.pixels >= 18 ? 3.0 : 4.5))
                out << QStringLiteral("%1: %2 on %3 is %4:1")
                           .arg(item.what, item.colour.name(), under.name())
                           .arg(r, 0, 'f', 2);
        }
    }
    return out;
}

// A skin image's colour at a point of its own pixels; invalid where there is none.
inline QColor pixel(const QString& file, int x, int y) {
    const QImage image(file);
    return image.valid(x, y) ? image.pixelColor(x, y) : QColor();
}

} // namespace Contrast
