#pragma once

class QLabel;
class QMEMenu;
class QPainter;
class QScrollArea;
class QWidget;

// The look shared by the two list panels (cabinet list and preset browser): title, context menu,
// scroll bar and the rule under the header, in the light (1) or dark (2) look.
namespace ListPanelLook {

constexpr int kHeaderHeight = 44;
constexpr int kMargin = 14;

void apply(int theme, QLabel* title, QMEMenu* menu, QScrollArea* scroll);
void paintHeaderRule(QPainter& painter, const QWidget& panel, int theme);

} // namespace ListPanelLook
