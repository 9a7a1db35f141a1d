#pragma once

#include <QColor>
#include <QImage>
#include <QString>

// Pictures of the pedal's factory cabinets: each shows the named cabinet with its speaker count
// and speaker size, on a transparent ground so that it suits both looks.
class CabinetPainter final {
public:
    enum class Cloth { Silver, Dark, Wheat, Brown, Diamond, Metal, BlackMetal };

    struct Cabinet {
        int columns = 1;
        int rows = 1;
        int inches = 12;      // speaker diameter
        bool combo = false;   // amplifier head built into the top
        bool slanted = false; // upper half angled back
        bool split = false;   // two stacked enclosures
        bool corners = false; // metal corner protectors
        QColor covering;      // tolex
        QColor panel;         // control panel of a combo
        Cloth cloth = Cloth::Silver;
        QString badge; // speaker layout, e.g. "4x12"
    };

    static Cabinet factoryCabinet(int slot);
    static QImage cabinet(const Cabinet& cabinet, qreal scale);
    // The picture for a slot that holds a user impulse response.
    static QImage impulseResponse(qreal scale);

    static constexpr int kWidth = 284;
    static constexpr int kHeight = 208;
    static constexpr int kFactorySlots = 11;
};
