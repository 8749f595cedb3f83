// Every number-to-text form the program writes, in one place. Each takes the decimal separator as an
// argument ('.' or ','), so the forms can be tested for both regional settings without a window.
#pragma once

#include <string>

namespace kelvora {

// Configuration file parameter lines, pattern "0.00####": at least one integer digit, two to six decimals
// (the third to sixth only when not trailing zeros), rounded to six decimals. 6 -> "6.00", 0.906 -> "0.906".
std::string fixedsix(double x, char sep);

// Configuration file settings lines: a blank for the sign when not negative, up to 15 significant digits
// without trailing zeros, no zero before the separator below 1, then one trailing blank.
// 0.5 -> " .5 ", -160 -> "-160 ", 7.2 -> " 7.2 "; exponent form outside 1E-4 .. 1E+15: " 1E-05 ".
std::string plainnumber(double x, char sep);

// Shortest text with up to 15 significant digits, a zero before the separator below 1, no blanks:
// 0.906 -> "0.906", 1e-05 -> "1E-05", 1e15 -> "1E+15". Used for the text boxes.
std::string shorttext(double x, char sep);

// The same for a single-precision value, at most 7 significant digits: 1.2f -> "1.2", 12345678 ->
// "1.234568E+07".
std::string singletext(float x, char sep);

// Tick label pattern "0.#######": at most seven decimals, trailing zeros dropped; the separator stays
// even when no decimals remain, as the pattern leaves it (2 -> "2.").
std::string tickpattern(double x, char sep);

// A tick label for values the tick pattern cannot tell apart: x rounded to digits significant digits
// (1 to 17). Positional notation drops trailing zeros (-122.700005, 0.5); exponent notation keeps
// exactly digits digits in the mantissa so that the labels of one axis line up (5.0E-07, 2.5E-06).
// Zero is "0" in both.
std::string ticksignificant(double x, int digits, bool exponent, char sep);

// Clipboard pattern "0.###############": at most fifteen decimals of the number rounded to 15 significant
// digits, trailing zeros dropped; like the tick pattern the bare separator stays (3 -> "3.").
std::string tablepattern(double x, char sep);

// The same pattern for a single-precision value, from its 7 significant digits: a parameter stored as
// 1.2f is written "1.2", as the user typed and sees it, not with the digits its binary form adds.
std::string tablepatternsingle(float x, char sep);

// The text without its last character when that is "," or "."; otherwise unchanged.
std::string trimseparator(const std::string& text);

} // namespace kelvora
