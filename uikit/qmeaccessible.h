#pragma once

#include <QAccessible>

class QWidget;

// What a screen reader learns of the toolkit's own controls: image buttons (named by their text
// or else their tool tip, a menu button as one, a checkable button as one choice of several),
// dials with their value and its unit, the progress bar with its figure, and plain widgets given
// a role (a list, a group of controls, a prompt).
namespace QMEAccessible {

// Installs the interfaces; the controls call it, once per program is enough.
void Install();
// Gives a plain widget a role a screen reader announces; set before it is first asked for.
void SetRole(QWidget* widget, QAccessible::Role role);
// The value of a progress bar as read out, "42 %".
QString PercentText(double value);

} // namespace QMEAccessible
