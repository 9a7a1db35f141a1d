#pragma once

#include <QString>

// Where the preset browser keeps its files, and how it names them.
namespace PresetFolder {

constexpr int kMaxCounter = 1000;

// The data folder + "/Presetfiles/", created when missing.
QString path();

// The name a row shows for a preset file: the file name without its ".pfs" ending, so that
// "my.live.pfs" shows "my.live" and is never mistaken for "my.pfs".
QString shownName(const QString& fileName);

// The file name (with ".pfs") of preset `preset` (0-based): "CAB PRESET0<n>", and with a counter
// above 0 "CAB PRESET0<n>(<counter>)".
QString presetFileName(int preset, int counter = 0);

// The first free file name for preset `preset` in `folder`: the name without counter, then the
// counters 1 up to 1000. Empty when every one is taken, so that no existing file is ever written
// over.
QString freeFileName(const QString& folder, int preset);

// True when files of `folder` can go to the desktop's trash. Otherwise they can only be deleted
// for good.
bool canTrash(const QString& folder);

} // namespace PresetFolder
