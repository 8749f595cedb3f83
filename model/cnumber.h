// Conversions between doubles and text in the C library's plain form, whatever locale the process runs
// in: the window toolkit sets the process locale, which would otherwise put its own separator into
// printf-style text and make strtod stop at a point. Both directions are correctly rounded.
#pragma once

#include <string>

namespace kelvora {

// x (finite) in printf's "%.*e" (conversion 'e') or "%.*f" (conversion 'f') form with precision digits
// after the point, always with a point.
std::string printc(double x, char conversion, int precision);

// The number a text in strtod's form stands for: decimal ("125e-3") or hexadecimal ("0x1f"). Out of
// range, it saturates at infinity or goes to zero as strtod does.
double readc(const std::string& text);

} // namespace kelvora
