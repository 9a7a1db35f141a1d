#include "files/presetfilesave.h"

#include "files/presetfile.h"
#include "protocol/devicestate.h"
#include "protocol/presetcodec.h"

#include <QByteArray>

bool savePresetToFile(const DeviceState& state, int preset, const QString& path, unsigned& code,
                      QString* error) {
    if (preset < 0 || preset >= DeviceState::kPresetCount) {
        code = PresetFileNotWritten;
        return false;
    }
    const DeviceState::Values& values =
        preset == state.currentPreset ? state.current : state.presets[preset];
    const PresetCodec::Block block = PresetCodec::encode(values);
    const QByteArray data(reinterpret_cast<const char*>(block.data()), int(block.size()));
    return writePresetFile(data, path, code, error);
}
