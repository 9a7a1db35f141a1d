#pragma once

#include <QString>

// Starts the suite's other program (editor or updater) from the application folder.
namespace QMEProgramLauncher {

// The application folder + "/" + name, with ".exe" on Windows.
QString programPath(const QString& name);

// Starts the program detached, with no arguments and the application folder as its working
// folder: a child process object would end it together with the program that starts it, which
// quits right after. False when it could not be started; callers go on alike.
bool startDetached(const QString& name);

} // namespace QMEProgramLauncher
