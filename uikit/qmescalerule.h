#pragma once

#include <QSize>

// The device pixel ratio of a program whose main window has a fixed size. The skins come at
// one and two times their size, so only whole factors stay sharp; and a fixed window that is
// larger than the screen can be neither moved into view nor resized.
namespace QMEScaleRule {

// The desktop's scale rounded to the nearest whole factor (150 % gives 2, 125 % gives 1), then
// lowered until `window` (logical pixels) fits the screen's available area (`available`, in
// physical pixels); never below 1.
int Factor(qreal desktopScale, const QSize& available, const QSize& window);

// Before the application object exists: measures the primary screen with a short-lived
// application and makes the real one use Factor(). A scale the user set through Qt's
// environment variables wins. Call Finish() once the application object exists.
void Prepare(int argc, char** argv, const QSize& window);
// Takes back what Prepare() set, so programs started from this one measure afresh.
void Finish();

} // namespace QMEScaleRule
