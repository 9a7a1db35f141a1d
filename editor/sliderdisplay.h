#pragma once

#include <QString>

// Conversions between the cabinet dials and the pedal, and the texts the dials show. The dial
// position is what the pedal gets; these texts are for display only.
namespace SliderDisplay {

// Latency dial in ms (0-20) to the pedal's number, and back rounded half up. Integer arithmetic:
// in floating point a half-way value such as 58 rounds down.
int latencyToDevice(int ms);
int latencyFromDevice(int device);

// Low-cut frequency in Hz for a dial position: 1.25 x (x = 5 p) up to position 40 (250 Hz), then
// rising on a straight line to 500 Hz at position 100.
int lowCutFrequency(int position);
// "Off" for 20 Hz or less, otherwise the frequency followed by `suffix`.
QString lowCutText(int position, const QString& suffix);

// High-cut frequency in Hz: 20000 at position 1 falling by 250 per step to 10250 at 40, then from
// 10000 at 41 by 7000 / 59 per step (rounded half up) to 3000 at 100.
int highCutFrequency(int position);
// "Off" at the dial's minimum only, otherwise the frequency followed by `suffix`.
QString highCutText(int position, int minimum, const QString& suffix);

} // namespace SliderDisplay
