#pragma once

#include "editor/mainwindowrules.h"

#include <QPoint>
#include <QRect>
#include <QString>

// Where a person clicks on the real programs' windows, worked out from the editor's own layout
// rules and the skins of the build's program folder (the light look, in which a new settings file
// starts).
namespace EditorSpots {

// A button of the editor's title band, in window coordinates (Close to Update); empty when its
// image did not load. The controls left of the update button do not move it.
QRect bandButton(MainWindowRules::BandControl control);

// The middle of the "Yes" button of a prompt window with two buttons; null when unknown.
QPoint promptYes(const QString& prompt);

} // namespace EditorSpots
