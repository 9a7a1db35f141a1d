#pragma once

#include <QList>

class QWidget;

// The order in which Tab walks a window's controls, and groups that Tab enters at one control
// (a preset strip, a list) while the arrow keys move within them.
namespace QMEFocusOrder {

// Chains the widgets in this order for Tab and Shift+Tab, also those Tab skips (members of a
// group), so the arrow keys and Tab agree on where a group sits.
void Chain(const QList<QWidget*>& widgets);
// Makes `stop` the one member of `group` that Tab reaches; the others are reached by the arrow
// keys. A null stop makes the first member the stop.
void SetTabStop(const QList<QWidget*>& group, QWidget* stop);

} // namespace QMEFocusOrder
