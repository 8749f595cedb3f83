// Number-to-text forms. Everything is built from printc, correctly rounded text that ignores the process
// locale the window toolkit sets (printf-style formatting would otherwise write its own separator).
//
// Non-finite input never reaches these functions in normal use; should it happen anyway, NaN is written
// as zero and an infinity as the largest finite number of its sign, the same saturation parsenumber
// applies, so every text written stays readable and finite when read back.
#include "model/numtext.h"
#include "model/cnumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

namespace kelvora {
namespace {

// Significant digits of the double and single-precision text forms; a double needs at most 17.
constexpr int doubledigits = 15;
constexpr int maxsignificant = 17;
constexpr int singledigits = 7;

// Range of decimal exponents (of the leading digit) written in positional notation by the short forms.
constexpr int lowestpositional = -4;
constexpr int highestdoublepositional = 14;
constexpr int highestsinglepositional = 6;

// Decimals of the fixed patterns.
constexpr int fileminimumdecimals = 2;
constexpr int filedecimals = 6;
constexpr int tickdecimals = 7;
constexpr int tabledecimals = 15;

// Exponents are written with at least this many digits ("1E-05").
constexpr int exponentdigits = 2;

template <typename T> T finiteor(T x) {
    if (std::isnan(x)) return T(0);
    if (std::isinf(x)) return x > 0 ? std::numeric_limits<T>::max() : std::numeric_limits<T>::lowest();
    return x;
}

// A number rounded to a count of significant digits: its digits without trailing zeros ("0" for zero)
// and the decimal exponent of the first digit, so that 0.0125 is "125" with exponent -2.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

template <typename T> Decimal significant(T x, int count) {
    const std::string text = printc(finiteor(x), 'e', count - 1);

    Decimal d;
    std::size_t i = 0;
    if (text[i] == '-') {
        d.negative = true;
        ++i;
    }
    for (; i < text.size() && text[i] != 'e'; ++i) {
        if (text[i] != '.') d.digits += text[i];
    }
    ++i; // the 'e'
    if (text[i] == '+') ++i;
    std::from_chars(text.data() + i, text.data() + text.size(), d.exponent);

    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits == "0") {
        d.negative = false; // zero, including negative zero, is written without a sign
        d.exponent = 0;
    }
    return d;
}

// Positional notation of a Decimal without its sign; below 1 the zero before the separator is optional.
std::string positional(const Decimal& d, char sep, bool leadingzero) {
    std::string out;
    const int count = static_cast<int>(d.digits.size());
    if (d.exponent >= 0) {
        const int integerdigits = d.exponent + 1;
        if (count <= integerdigits) {
            out = d.digits;
            out.append(static_cast<std::size_t>(integerdigits - count), '0');
        } else {
            out.assign(d.digits, 0, static_cast<std::size_t>(integerdigits));
            out += sep;
            out.append(d.digits, static_cast<std::size_t>(integerdigits));
        }
    } else {
        if (leadingzero) out.assign(1, '0');
        out += sep;
        out.append(static_cast<std::size_t>(-d.exponent - 1), '0');
        out += d.digits;
    }
    return out;
}

// Exponent notation of a Decimal without its sign: "1E-05", "1.5E+20".
std::string exponential(const Decimal& d, char sep) {
    std::string out(1, d.digits[0]);
    if (d.digits.size() > 1) {
        out += sep;
        out.append(d.digits, 1);
    }
    out += 'E';
    out += d.exponent < 0 ? '-' : '+';
    const std::string magnitude = std::to_string(std::abs(d.exponent));
    if (magnitude.size() < exponentdigits) out.append(exponentdigits - magnitude.size(), '0');
    out += magnitude;
    return out;
}

// The body with a minus in front for a negative number. (Built by insertion: "-" + body trips a
// false -Wrestrict warning of g++ 12 at -O3.)
std::string withsign(const Decimal& d, std::string body) {
    if (d.negative) body.insert(body.begin(), '-');
    return body;
}

std::string shortbody(const Decimal& d, char sep, bool leadingzero, int highestpositional) {
    if (d.exponent >= lowestpositional && d.exponent <= highestpositional)
        return positional(d, sep, leadingzero);
    return exponential(d, sep);
}

// Fixed notation with a number of decimals, correctly rounded from the binary value; trailing zeros of
// the decimals are dropped down to keepdecimals, the separator always stays. A result that shows only
// zeros carries no minus sign.
std::string fixedtrimmed(double x, int decimals, int keepdecimals, char sep) {
    std::string text = printc(finiteor(x), 'f', decimals);

    const std::size_t point = text.find('.');
    std::size_t keep = point + 1 + static_cast<std::size_t>(keepdecimals);
    std::size_t end = text.size();
    while (end > keep && text[end - 1] == '0')
        --end;
    text.resize(end);
    text[point] = sep;

    if (text[0] == '-' && text.find_first_of("123456789") == std::string::npos) text.erase(0, 1);
    return text;
}

} // namespace

std::string fixedsix(double x, char sep) {
    return fixedtrimmed(x, filedecimals, fileminimumdecimals, sep);
}

std::string plainnumber(double x, char sep) {
    const Decimal d = significant(x, doubledigits);
    std::string out(1, d.negative ? '-' : ' ');
    out += shortbody(d, sep, false, highestdoublepositional);
    out += ' ';
    return out;
}

std::string shorttext(double x, char sep) {
    const Decimal d = significant(x, doubledigits);
    return withsign(d, shortbody(d, sep, true, highestdoublepositional));
}

std::string singletext(float x, char sep) {
    const Decimal d = significant(x, singledigits);
    return withsign(d, shortbody(d, sep, true, highestsinglepositional));
}

std::string tickpattern(double x, char sep) {
    return fixedtrimmed(x, tickdecimals, 0, sep);
}

std::string ticksignificant(double x, int digits, bool exponent, char sep) {
    digits = std::clamp(digits, 1, maxsignificant);
    const Decimal d = significant(x, digits);
    if (!exponent || d.digits == "0") return withsign(d, positional(d, sep, true));
    Decimal padded = d;
    padded.digits.resize(static_cast<std::size_t>(digits), '0');
    std::string body = exponential(padded, sep);
    return withsign(d, body);
}

std::string tablepattern(double x, char sep) {
    const Decimal d = significant(x, doubledigits);
    // From an exponent of -1 upward, 15 significant digits never need more than 15 decimals, and the
    // rounding to 15 digits hides binary noise such as 0.30000000000000004. Smaller numbers show fewer
    // than 15 significant digits within 15 decimals; rounding the binary value once, directly to those
    // decimals, avoids rounding twice.
    if (d.exponent < -1) return fixedtrimmed(x, tabledecimals, 0, sep);
    std::string out = withsign(d, positional(d, sep, true));
    if (out.find(sep) == std::string::npos) out += sep;
    return out;
}

std::string tablepatternsingle(float x, char sep) {
    const Decimal d = significant(x, singledigits);
    // Seven significant digits fit in fifteen decimals down to an exponent of -9.
    constexpr int lowestwithinpattern = singledigits - tabledecimals - 1;
    if (d.exponent < lowestwithinpattern) return fixedtrimmed(static_cast<double>(x), tabledecimals, 0, sep);
    std::string out = withsign(d, positional(d, sep, true));
    if (out.find(sep) == std::string::npos) out += sep;
    return out;
}

std::string trimseparator(const std::string& text) {
    if (!text.empty() && (text.back() == ',' || text.back() == '.')) return text.substr(0, text.size() - 1);
    return text;
}

} // namespace kelvora
