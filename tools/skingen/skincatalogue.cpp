#include "tools/skingen/skincatalogue.h"

#include "tools/skingen/cabinetpainter.h"
#include "tools/skingen/skinpainter.h"

namespace {

using Glyph = IconPainter::Glyph;
using Badge = IconPainter::Badge;

// Client sizes fixed by the programs: the editor window and the updater window (which shares its
// background with the firmware-mismatch dialog).
const QSize kEditorWindow(1296, 736);
const QSize kUpdaterWindow(470, 288);
const QSize kPresetButton(62, 54);
const QSize kProgressBar(341, 21); // the updater's progress widget
const QSize kCabinetPanel(470, 520);
// Cards behind the preset browser and the cabinet list in the editor's left column; the cabinet
// panels bring their own.
const QVector<QRect> kEditorCards{QRect(29, 132, 272, 276), QRect(29, 420, 272, 294)};

constexpr int kPresetButtons = 14;

void addLook(QVector<SkinCatalogue::Entry>& out, const QString& look, const SkinPalette& palette) {
    const SkinPainter p(palette);
    const QString image = QStringLiteral("image/%1/").arg(look);
    const QString pic = QStringLiteral("pic/%1/").arg(look);
    auto add = [&out](const QString& path, std::function<QImage(qreal)> draw) {
        out.append({path, std::move(draw)});
    };

    // Window frame.
    add(image + "background.png",
        [p](qreal s) { return p.windowBackground(kEditorWindow, 70, s, kEditorCards); });
    add(image + "logo.png", [p](qreal s) { return p.logo(s); });
    add(image + "btn_close.png", [p](qreal s) { return p.titleButton(Glyph::Close, true, 28, s); });
    add(image + "btn_min.png",
        [p](qreal s) { return p.titleButton(Glyph::Minimise, false, 28, s); });
    add(image + "btn_max.png",
        [p](qreal s) { return p.titleButton(Glyph::Maximise, false, 28, s); });
    add(image + "btn_restore.png",
        [p](qreal s) { return p.titleButton(Glyph::Restore, false, 28, s); });

    // Editor title band and product row.
    add(image + "btn_update.png",
        [p](qreal s) { return p.iconButton(Glyph::Update, 34, false, s); });
    add(image + "btn_update2.png",
        [p](qreal s) { return p.iconButton(Glyph::Update, 34, true, s); });
    add(image + "btn_reset.png", [p](qreal s) { return p.iconButton(Glyph::Reset, 34, false, s); });
    add(image + "btn_set.png", [p](qreal s) { return p.iconButton(Glyph::Gear, 34, false, s); });
    add(image + "btn_darkmode.png",
        [p](qreal s) { return p.iconButton(Glyph::Moon, 34, false, s); });
    add(image + "btn_lightmode.png",
        [p](qreal s) { return p.iconButton(Glyph::Sun, 34, false, s); });
    add(image + "btn_backup.png",
        [p](qreal s) { return p.iconButton(Glyph::Backup, 34, false, s); });
    add(image + "btn_rebackup.png",
        [p](qreal s) { return p.iconButton(Glyph::Recall, 34, false, s); });
    add(image + "button_on.png", [p](qreal s) { return p.toggle(true, s); });
    add(image + "button_off.png", [p](qreal s) { return p.toggle(false, s); });
    add(image + "connected_bg.png", [p](qreal s) { return p.switchBackground(QSize(60, 40), s); });
    add(image + "app_plot.png", [p](qreal s) { return p.productPicture(s); });

    // Preset strip and its save button.
    for (int n = 1; n <= kPresetButtons; ++n)
        add(image + QStringLiteral("btns/btn_%1.png").arg(n),
            [p](qreal s) { return p.presetButton(kPresetButton, s); });
    add(image + "btn_save.png", [p](qreal s) { return p.framedIconButton(Glyph::Save, 40, s); });

    // Cabinet panels and their dials.
    add(image + "cabab_bg.png", [p](qreal s) { return p.cabinetPanel(kCabinetPanel, s); });
    add(image + "circle_slider_bg.png", [p](qreal s) { return p.dialFace(72, s); });
    add(image + "circle_slider_point.png", [p](qreal s) { return p.dialNeedle(s); });
    add(image + "input_bg.png", [p](qreal s) { return p.inputField(QSize(70, 20), s); });
    add(image + "mode_aleft_selectbg.png",
        [p](qreal s) { return p.selectBox(QSize(220, 32), QColor(129, 147, 248), s); });
    add(image + "mode_bright_selectbg.png",
        [p](qreal s) { return p.selectBox(QSize(220, 32), QColor(248, 129, 129), s); });
    add(image + "mode_arrow.png", [p](qreal s) { return p.dropArrow(s); });

    // Cabinet list and preset browser headers.
    add(image + "btn_cabinet_add.png",
        [p](qreal s) { return p.iconButton(Glyph::Import, 26, false, s); });
    add(image + "btn_cabinet_delete.png",
        [p](qreal s) { return p.iconButton(Glyph::Trash, 26, false, s); });
    add(image + "btn_opendir.png",
        [p](qreal s) { return p.iconButton(Glyph::Folder, 26, false, s); });
    add(image + "btn_refresh.png",
        [p](qreal s) { return p.iconButton(Glyph::Refresh, 26, false, s); });

    // Firmware-mismatch dialog and updater window.
    add(image + "common_bg.png",
        [p](qreal s) { return p.windowBackground(kUpdaterWindow, 50, s); });
    add(image + "btn_common.png", [p](qreal s) { return p.textButton(QSize(160, 40), s); });
    add(image + "btn_common_close.png",
        [p](qreal s) { return p.titleButton(Glyph::Close, true, 24, s); });
    add(image + "update_pro_bottom.png", [p](qreal s) { return p.progressTrack(kProgressBar, s); });
    add(image + "update_pro_up.png", [p](qreal s) { return p.progressFill(kProgressBar, s); });

    // Message prompts.
    add(pic + "bg_msg.png", [p](qreal s) { return p.windowBackground(QSize(120, 174), 50, s); });
    add(pic + "btn_close.png", [p](qreal s) { return p.titleButton(Glyph::Close, true, 24, s); });
    add(pic + "btn_common.png", [p](qreal s) { return p.textButton(QSize(160, 40), s); });
    add(pic + "warning.png", [p](qreal s) { return p.promptIcon(Badge::Warning, 48, s); });
    add(pic + "success.png", [p](qreal s) { return p.promptIcon(Badge::Success, 48, s); });
    add(pic + "error.png", [p](qreal s) { return p.promptIcon(Badge::Error, 48, s); });
    add(pic + "help.png", [p](qreal s) { return p.promptIcon(Badge::Help, 48, s); });
}

} // namespace

QVector<SkinCatalogue::Entry> SkinCatalogue::entries() {
    QVector<Entry> out;
    addLook(out, QStringLiteral("light"), SkinPalette::lightLook());
    addLook(out, QStringLiteral("dark"), SkinPalette::darkLook());
    for (int slot = 0; slot < CabinetPainter::kFactorySlots; ++slot) {
        const CabinetPainter::Cabinet cab = CabinetPainter::factoryCabinet(slot);
        out.append({QStringLiteral("image/sound/sound%1.png").arg(slot),
                    [cab](qreal s) { return CabinetPainter::cabinet(cab, s); }});
    }
    out.append({QStringLiteral("image/sound/soundir.png"),
                [](qreal s) { return CabinetPainter::impulseResponse(s); }});
    return out;
}
