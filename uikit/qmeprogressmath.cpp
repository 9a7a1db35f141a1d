#include "uikit/qmeprogressmath.h"

#include <algorithm>
#include <cmath>

namespace QMEProgressMath {

double Clamp(double value, double minimum, double maximum) {
    if (std::isnan(value))
        return minimum;
    return std::max(minimum, std::min(value, maximum));
}

int FillLength(double value, double minimum, double maximum, int usableLength) {
    const double range = maximum - minimum;
    if (usableLength <= 0 || !(range > 0))
        return 0;
    // Measured from the minimum, so a range that does not start at 0 begins empty.
    const double share = (Clamp(value, minimum, maximum) - minimum) / range;
    return std::min(usableLength, int(share * usableLength + 0.5));
}

FillParts SplitFill(int length, int endWidth) {
    FillParts parts;
    if (length <= 0)
        return parts;
    if (length < 2 * endWidth) {
        parts.leftEnd = length / 2;
        parts.rightEnd = length - parts.leftEnd;
        parts.halves = true;
        return parts;
    }
    parts.leftEnd = endWidth;
    parts.rightEnd = endWidth;
    parts.middle = length - 2 * endWidth;
    return parts;
}

} // namespace QMEProgressMath
