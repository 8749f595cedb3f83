// Reading the leading number of a text. Only the first 35 characters are looked at, so the work is
// bounded whatever the caller passes (long pastes, binary garbage, embedded NUL characters). The number
// is assembled into a small canonical buffer and converted with readc, which is correctly rounded and
// independent of the process locale the window toolkit sets.
#include "model/parsenumber.h"
#include "model/cnumber.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>

namespace kelvora {
namespace {

// Characters of the text that count; blanks among them count too.
constexpr std::size_t readlength = 35;

// Exponent digits beyond this magnitude cannot change the outcome (any double is reached within
// +-400 of the mantissa's own exponent), so the exponent stops growing here instead of overflowing.
constexpr int exponentcap = 1'000'000;

constexpr double largest = std::numeric_limits<double>::max();

bool isdigit(char c) {
    return c >= '0' && c <= '9';
}
bool ishexdigit(char c) {
    return isdigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
bool isoctaldigit(char c) {
    return c >= '0' && c <= '7';
}
bool isignored(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

// Hexadecimal digits as an unsigned whole number; at most 33 digits fit in the 35 characters, well
// inside the double range, so there is no overflow. readc rounds correctly beyond 53 bits.
double hexvalue(std::string_view digits) {
    return readc("0x" + std::string(digits));
}

double readhexadecimal(std::string_view s) {
    std::size_t n = 0;
    while (n < s.size() && ishexdigit(s[n]))
        ++n;
    if (n == 0) return 0;
    return hexvalue(s.substr(0, n));
}

// Octal digits become hexadecimal ones in groups: four octal digits hold the same twelve bits as three
// hexadecimal digits, once the octal text is padded with zeros on the left to a multiple of four.
double readoctal(std::string_view s) {
    std::size_t n = 0;
    while (n < s.size() && isoctaldigit(s[n]))
        ++n;
    if (n == 0) return 0;
    constexpr std::size_t octalgroup = 4;
    std::string octal((octalgroup - n % octalgroup) % octalgroup, '0');
    octal.append(s.substr(0, n));
    static constexpr char hexdigits[] = "0123456789abcdef";
    std::string hex;
    for (std::size_t i = 0; i < octal.size(); i += octalgroup) {
        unsigned bits = 0;
        for (std::size_t j = 0; j < octalgroup; ++j)
            bits = bits * 8 + static_cast<unsigned>(octal[i + j] - '0');
        hex += hexdigits[(bits >> 8) & 0xf];
        hex += hexdigits[(bits >> 4) & 0xf];
        hex += hexdigits[bits & 0xf];
    }
    return hexvalue(hex);
}

double readdecimal(std::string_view s) {
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }

    std::string mantissa; // every digit read, leading zeros included; at most 35
    int fractiondigits = 0;
    bool point = false;
    for (; i < s.size(); ++i) {
        if (isdigit(s[i])) {
            mantissa += s[i];
            if (point) ++fractiondigits;
        } else if (s[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    const std::size_t leading = mantissa.find_first_not_of('0');
    if (leading == std::string::npos) return 0; // no digit, or only zeros: whatever follows, it is 0

    int exponent = 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        ++i;
        bool negativeexponent = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            negativeexponent = s[i] == '-';
            ++i;
        }
        for (; i < s.size() && isdigit(s[i]); ++i) {
            exponent = std::min(exponent * 10 + (s[i] - '0'), exponentcap);
        }
        if (negativeexponent) exponent = -exponent;
    }

    // Canonical form "<digits>e<exponent>", the point folded into the exponent.
    std::string canonical(mantissa, leading);
    canonical += 'e';
    canonical += std::to_string(exponent - fractiondigits);

    // Overflow saturates at the largest finite number; underflow goes to zero or a subnormal number.
    double value = readc(canonical);
    if (!std::isfinite(value)) value = largest;
    if (value == 0) return 0; // never a negative zero
    return negative ? -value : value;
}

} // namespace

double parsenumber(std::string_view text) {
    // Commas become points and blanks, tabs and line feeds drop out, all within the first 35 characters.
    std::array<char, readlength> kept{};
    std::size_t count = 0;
    const std::size_t length = std::min(text.size(), readlength);
    for (std::size_t i = 0; i < length; ++i) {
        const char c = text[i];
        if (isignored(c)) continue;
        kept[count++] = c == ',' ? '.' : c;
    }
    const std::string_view s(kept.data(), count);

    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h') return readhexadecimal(s.substr(2));
        if (s[1] == 'O' || s[1] == 'o') return readoctal(s.substr(2));
        return 0;
    }
    return readdecimal(s);
}

} // namespace kelvora
