// The mapping between a parameter's value, range and step and the integers of its vertical slider.
// The top end of every slider is the maximum: positions grow downwards, so the scale is turned over.
#pragma once

#include <cstdint>

#include "model/parameters.h"

namespace kelvora {

// Everything the window sets on one slider.
struct SliderSettings {
    int32_t minimum = 0;     // R(min / inc); the top of the track, which stands for max
    int32_t maximum = 0;     // R(max / inc); the bottom of the track, which stands for min
    int32_t position = 0;    // R(minimum + maximum - value / inc), kept inside [minimum, maximum]
    int32_t tickspacing = 1; // floor((maximum - minimum) / 20), at least 1; also the large step
    int32_t smallstep = 1;
};

// The end positions R(min / inc) and R(max / inc), as a slider that keeps its minimum not above its
// maximum ends up after setting the raised maximum, the minimum and then the maximum (should the
// maximum come out below the minimum, the last setting pulls the minimum down to it).
// Also the position, clamped into the range the way the control clamps it, and the tick spacing.
SliderSettings slidersettings(const parameter& p);

// The maximum to set first, before the new minimum: the current maximum raised by the new minimum
// position, so that the control's minimum never passes its maximum while both move. Saturates.
int32_t raisedmaximum(int32_t currentmaximum, const parameter& p);

// The value a slider position stands for: (minimum + maximum - position) * inc, computed in double
// precision and rounded to single precision.
float slidervalue(int32_t minimum, int32_t maximum, int32_t position, double inc);

// What setting every slider from the table and reading every value back from its slider does to the
// values: each value moves onto its slider's grid, and a value below min (taken in single precision)
// becomes min. Ranges and steps do not change.
void quantisetosliders(ModelState& s);

} // namespace kelvora
