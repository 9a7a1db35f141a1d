#include "editor/sliderdisplay.h"

#include <QObject>

namespace SliderDisplay {

namespace {

constexpr int kLowCutOffAtOrBelow = 20;

} // namespace

int latencyToDevice(int ms) {
    return ms * 4;
}

int latencyFromDevice(int device) {
    return (device + 2) / 4;
}

int lowCutFrequency(int position) {
    const int x = 5 * position;
    if (x <= 200)
        return (5 * x + 2) / 4; // 1.25 x + 0.5, integer part
    // 250 Hz at x = 200 to 500 Hz at x = 500: (5 x + 500) / 6, rounded half up.
    return (5 * x + 503) / 6;
}

QString lowCutText(int position, const QString& suffix) {
    const int f = lowCutFrequency(position);
    if (f <= kLowCutOffAtOrBelow)
        return QObject::tr("Off");
    return QString::number(f) + suffix;
}

int highCutFrequency(int position) {
    if (position <= 40)
        return 20000 - 250 * (position - 1);
    // (p - 41) x 7000 / 59, rounded half up, in integers.
    const int r = ((position - 41) * 14000 + 59) / 118;
    return 10000 - r;
}

QString highCutText(int position, int minimum, const QString& suffix) {
    if (position == minimum)
        return QObject::tr("Off");
    return QString::number(highCutFrequency(position)) + suffix;
}

} // namespace SliderDisplay
