// Reading numbers from text typed by users or stored in the configuration file.
#pragma once

#include <string_view>

namespace kelvora {

// Reads the leading number of a text, accepting a decimal comma or point, and never fails:
// - every comma becomes a point, then only the first 35 characters count;
// - blanks, tabs and line feeds are ignored wherever they stand ("1 000" is 1000);
// - an optional sign, digits with at most one point, an optional exponent introduced by E or D;
// - "&H" and "&O" introduce a hexadecimal or octal whole number;
// - reading stops at the first character that does not fit; no digit read gives 0.
// The result is always finite: a number beyond the double range saturates at the largest double.
double parsenumber(std::string_view text);

} // namespace kelvora
