#pragma once

class QDir;

// Both cabinet panels connected to the virtual pedal, showing the pedal's values in the look
// `mode` (1 light, 2 dark): written to `out` as cabinet_panels_<look>.png.
bool savePanelShots(const QDir& out, int mode);
