#pragma once

#include <QString>

// How the desktop ties a program's windows to its menu entry and icon.
namespace QMEDesktopIdentity {

// Call after the application object exists and before the first window: `windowClass` becomes
// the class every window reports (WM_CLASS on X11, the entry's StartupWMClass), `desktopEntry` the
// entry's file name without ".desktop" (the application id on Wayland), and the entry's icon from
// the icon theme the windows' icon.
void Apply(const QString& windowClass, const QString& desktopEntry);

} // namespace QMEDesktopIdentity
