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

// The first free file name (with ".pfs") for preset `preset` (0-based) in `folder`:
// "CAB PRESET0<n>", then "CAB PRESET0<n>(1)" up to "(1000)". Empty when every one is taken, so
// that no existing file is ever written over.
QString freeFileName(const QString& folder, int preset);

} // namespace PresetFolder
