// Texts of the axis limits and of the mouse readout that keep every digit the numbers need: a limit
// box that is written and read back gives the very same limit, and neighbouring pixels read different.
#pragma once

#include <string>

namespace kelvora {

// The shortest text of x that parsenumber reads back as exactly x: the box form of shorttext where its
// 15 significant digits are enough, otherwise 16 or 17 digits in the same style (exponent "E+NN" or
// "E-NN"). Two different limits therefore never share a text. A number that is not finite gives "0".
std::string limittext(double x, char sep);

// How many significant digits the readout of an axis from lo to hi over pixels pixels needs so that
// siground tells the values of any two neighbouring pixels apart: at least the readout's usual 4, at
// most 17. The usual 4 for a range or pixel count that is not usable.
int readoutdigits(double lo, double hi, int pixels);

} // namespace kelvora
