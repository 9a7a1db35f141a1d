#pragma once

#include <QImage>

// The desktop icons of the two programs: the maker's emblem on a rounded tile; the updater's
// carries a download badge.
class AppIconPainter final {
public:
    enum class Program { Editor, Updater };

    // The icon of `program`, `side` pixels square, drawn for that size rather than scaled.
    static QImage draw(Program program, int side);
};
