#pragma once

class QDir;

// The preset browser on its card with a few preset files, one row selected and another being
// renamed, and the preset strip with its current preset, in the look `mode` (1 light, 2 dark):
// written to `out` as preset_browser_<look>.png and preset_strip_<look>.png.
bool savePresetShots(const QDir& out, int mode);
