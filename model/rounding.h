// Rounding helpers shared by the display and editing code.
#pragma once

#include <cstdint>

namespace kelvora {

// Rounds x to n significant digits, ties to even. Numbers with at least n integer digits (and 0) are
// floored instead: siground(123456.7, 5) = 123456, siground(-123456.7, 5) = -123457.
double siground(double x, int16_t n);

// Smallest whole number not below x; saturates at the 32-bit range, NaN gives 0.
int32_t roundup(double x);

// Float-to-integer conversions, round half to even, saturating at the type's range; NaN gives 0.
// They keep every conversion of a computed double into a control's integer well defined.
int32_t roundeven32(double x);
int16_t roundeven16(double x);
int32_t floor32(double x);

} // namespace kelvora
