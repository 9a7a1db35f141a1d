#pragma once

// Angles and values of the round dial. Angles are in degrees, measured clockwise from straight
// down; the dead zone of `contra` degrees is centred on straight down.
namespace QMEDialMath {

// The usable sweep: 360 - contra.
double Sweep(int contra);
double ValueAngle(int value, int minimum, int maximum, int contra);
double NeedleAngle(int value, int minimum, int maximum, int contra);

struct Pointer {
    bool accepted = false; // false: keep the previous angle
    double angle = 0;
};

// The dial angle for a pointer at (dx, dy) from the centre, y downwards. Just inside the dead
// zone (within 5 degrees of its edge) snaps to the near end; deeper in it is ignored, and so is
// the exact centre.
Pointer PointerAngle(double dx, double dy, int contra);

// min + angle / (S / (max - min)), rounded half up.
int ValueFromAngle(double angle, int minimum, int maximum, int contra);

// Whole wheel notches (120 each) in `delta` plus what `pending` kept from earlier events, signed;
// the rest stays in `pending`. A touchpad sends many small deltas for one notch.
int WheelNotches(int& pending, int delta);

// One wheel notch; wraps at the ends only when `wrapping`.
int WheelValue(int value, int minimum, int maximum, int step, bool up, bool wrapping);

// Lit dots in dot mode: none at the minimum, all at the maximum, else the dots the value angle
// has reached.
int LitDots(int value, int minimum, int maximum, int contra, int dotCount);

// Start of the value arc, counter-clockwise from three o'clock.
double ArcStartAngle(int contra);

} // namespace QMEDialMath
