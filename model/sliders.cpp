#include "model/sliders.h"

#include <algorithm>

#include "model/rounding.h"

namespace kelvora {
namespace {

constexpr double ticksperslider = 20.0; // a slider shows about twenty tick marks

} // namespace

SliderSettings slidersettings(const parameter& p) {
    SliderSettings sl;
    sl.minimum = roundeven32(p.min / p.inc);
    sl.maximum = roundeven32(p.max / p.inc);
    // The last of the three settings is the maximum; a control that keeps its minimum not above its
    // maximum lowers the minimum to it.
    sl.minimum = std::min(sl.minimum, sl.maximum);
    // The sum of both ends minus the value's own step count turns the scale upside down.
    const double steps = static_cast<double>(sl.minimum) + static_cast<double>(sl.maximum);
    sl.position =
        std::clamp(roundeven32(steps - static_cast<double>(p.value) / p.inc), sl.minimum, sl.maximum);
    const double span = static_cast<double>(sl.maximum) - static_cast<double>(sl.minimum);
    sl.tickspacing = std::max(floor32(span / ticksperslider), int32_t{1});
    sl.smallstep = 1;
    return sl;
}

int32_t raisedmaximum(int32_t currentmaximum, const parameter& p) {
    return roundeven32(static_cast<double>(currentmaximum) + roundeven32(p.min / p.inc));
}

float slidervalue(int32_t minimum, int32_t maximum, int32_t position, double inc) {
    const double steps = static_cast<double>(minimum) + static_cast<double>(maximum) - position;
    return tosingle(steps * inc);
}

void quantisetosliders(ModelState& s) {
    for (int i = 0; i <= lastindex; ++i) {
        parameter& p = s.params[i];
        const SliderSettings sl = slidersettings(p);
        p.value = slidervalue(sl.minimum, sl.maximum, sl.position, p.inc);
        if (tosingle(p.min) > p.value) p.value = tosingle(p.min);
    }
}

} // namespace kelvora
