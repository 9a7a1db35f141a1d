#pragma once

#include <QString>

// Starting the editor from the updater's own folder.
namespace EditorLauncher {

// folder + "/TALIX", with ".exe" on Windows.
QString EditorProgram(const QString& folder);

// Starts the editor from the application folder as a process of its own, so that it keeps
// running when the updater ends. False when it could not be started; the updater goes on alike.
bool StartEditor();

} // namespace EditorLauncher
