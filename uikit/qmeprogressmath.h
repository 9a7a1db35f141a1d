#pragma once

// Figures of the horizontal progress bar, apart from the widget.
namespace QMEProgressMath {

// The value kept inside [minimum, maximum]; a reversed range is taken as it is given.
double Clamp(double value, double minimum, double maximum);

// Pixels of the usable length that show `value`, rounded to the nearest pixel and kept within
// 0 and the length. An empty range shows nothing.
int FillLength(double value, double minimum, double maximum, int usableLength);

// How the fill image is laid over `length` pixels: both ends at their natural width and the
// middle stretched between them, or, when the length is shorter than both ends together, each
// half of the image squeezed into half the length.
struct FillParts {
    int leftEnd = 0;
    int middle = 0;
    int rightEnd = 0;
    // Each half of the image is drawn into leftEnd and rightEnd pixels.
    bool halves = false;
};
FillParts SplitFill(int length, int endWidth);

} // namespace QMEProgressMath
