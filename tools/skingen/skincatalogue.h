#pragma once

#include <QImage>
#include <QString>
#include <QVector>

#include <functional>

// Every image the programs load, by its path below the program folder, with the drawing that
// makes it.
class SkinCatalogue final {
public:
    struct Entry {
        QString path; // e.g. "image/dark/btn_close.png"
        std::function<QImage(qreal scale)> draw;
    };

    static QVector<Entry> entries();
};
