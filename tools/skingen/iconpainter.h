#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

// Line glyphs of the skins, designed on a 24 x 24 grid and scaled into any box.
class IconPainter final {
public:
    enum class Glyph {
        Close,
        Minimise,
        Maximise,
        Restore,
        Save,
        Reset,
        Gear,
        Update,
        Sun,
        Moon,
        Folder,
        Refresh,
        Import,
        Trash,
        Backup,
        Recall,
    };
    enum class Badge { Warning, Success, Error, Help };

    static void drawGlyph(QPainter& painter, Glyph glyph, const QRectF& box, const QColor& colour);
    // A filled sign with a white symbol, as used by the message prompts.
    static void drawBadge(QPainter& painter, Badge badge, const QRectF& box);
};
