#include "uikit/qmedialmath.h"

#include <algorithm>
#include <cmath>

namespace QMEDialMath {

namespace {

constexpr double kSnap = 5.0;

double degrees(double radians) {
    return radians * 180.0 / M_PI;
}

} // namespace

double Sweep(int contra) {
    return 360.0 - contra;
}

double ValueAngle(int value, int minimum, int maximum, int contra) {
    if (maximum <= minimum)
        return 0;
    return double(value - minimum) * Sweep(contra) / double(maximum - minimum);
}

double NeedleAngle(int value, int minimum, int maximum, int contra) {
    return ValueAngle(value, minimum, maximum, contra) + contra / 2.0;
}

Pointer PointerAngle(double dx, double dy, int contra) {
    const double h = contra / 2.0;
    const double sweep = Sweep(contra);
    Pointer p;
    if (dx == 0 && dy == 0)
        return p;
    if (dx <= 0 && dy > 0) {
        const double a = degrees(std::atan(-dx / dy)) - h;
        if (a >= 0) {
            p = {true, a};
        } else if (a >= -kSnap) {
            p = {true, 0};
        }
    } else if (dx < 0 && dy <= 0) {
        p = {true, degrees(std::atan(-dy / -dx)) + 90 - h};
    } else if (dx >= 0 && dy < 0) {
        p = {true, degrees(std::atan(dx / -dy)) + 180 - h};
    } else {
        const double b = degrees(std::atan(dx / dy)) - h;
        if (b >= 0) {
            p = {true, sweep - b};
        } else if (b >= -kSnap) {
            p = {true, sweep};
        }
    }
    return p;
}

int ValueFromAngle(double angle, int minimum, int maximum, int contra) {
    if (maximum <= minimum)
        return minimum;
    const double perUnit = Sweep(contra) / double(maximum - minimum);
    const int value = minimum + int(std::floor(angle / perUnit + 0.5));
    return std::clamp(value, minimum, maximum);
}

int WheelNotches(int& pending, int delta) {
    pending += delta;
    const int notches = pending / 120;
    pending -= notches * 120;
    return notches;
}

int WheelValue(int value, int minimum, int maximum, int step, bool up, bool wrapping) {
    if (up) {
        if (value >= maximum)
            return wrapping ? minimum : maximum;
        return std::min(value + step, maximum);
    }
    if (value <= minimum)
        return wrapping ? maximum : minimum;
    return std::max(value - step, minimum);
}

int LitDots(int value, int minimum, int maximum, int contra, int dotCount) {
    if (dotCount <= 0 || value <= minimum)
        return 0;
    if (value >= maximum || dotCount == 1)
        return dotCount;
    const double step = Sweep(contra) / (dotCount - 1);
    const int lit = int(std::floor(ValueAngle(value, minimum, maximum, contra) / step)) + 1;
    return std::min(lit, dotCount);
}

double ArcStartAngle(int contra) {
    return 270.0 - contra / 2.0;
}

} // namespace QMEDialMath
