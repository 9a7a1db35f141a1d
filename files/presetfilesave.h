#pragma once

#include <QString>

struct DeviceState;

// Writes preset `preset` to a preset file: the values in use when it is the current preset,
// otherwise its stored values. An index above 13 writes nothing and gives code 14.
bool savePresetToFile(const DeviceState& state, int preset, const QString& path, unsigned& code,
                      QString* error = nullptr);
