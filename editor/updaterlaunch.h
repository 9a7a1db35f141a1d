#pragma once

#include <QString>

// Hands the pedal over to the firmware updater program beside the editor.
namespace UpdaterLaunch {

// The program folder + "/TALIXUpdate" (".exe" on Windows).
QString updaterPath();

// Starts the updater detached, with no arguments, so that it outlives the editor; false when it
// could not be started.
bool start();

} // namespace UpdaterLaunch
