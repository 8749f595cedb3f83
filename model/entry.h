// Typed values and ranges: how a number entered for a parameter's value, minimum or maximum is checked
// against the hard limits, how the range and the slider step are repaired around it, and which of the
// row's three boxes the window must mark red because their entry was corrected.
#pragma once

#include <cstdint>
#include <string_view>

#include "model/parameters.h"

namespace kelvora {

// The boxes of one row whose entry was corrected.
struct RedMarks {
    bool value = false;
    bool min = false;
    bool max = false;
    bool operator==(const RedMarks&) const = default;
};

// The step rule shared by all three entries: the parameter's base step while max / base step stays
// within 10000, otherwise a power of ten that leaves between 10000 and 100000 steps below max.
double steprule(double max, double basestep);

// The model's part of the window's value, minimum and maximum entries (the window's applyvalue,
// applyminimum and applymaximum add the sliders, boxes and plot).
//
// A typed value: clamped to the hard limits, the range widened to hold it and re-gridded to the step
// rule.
RedMarks entervalue(ModelState& s, int index, std::string_view text);

// The same check of the stored value, which runs over every value read from the configuration file.
RedMarks checkvalue(ModelState& s, int index);

// A typed minimum: brought inside the hard limits with at least one base step below the maximum,
// re-gridded, the value moved into the new range, and then every value quantised to its slider's grid
// (quantisetosliders); the window only shows the result.
RedMarks enterminimum(ModelState& s, int index, std::string_view text);

// A typed maximum, the mirror image of enterminimum.
RedMarks entermaximum(ModelState& s, int index, std::string_view text);

} // namespace kelvora
