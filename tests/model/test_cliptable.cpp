// The clipboard table, exact to the character.
#include "factory.h"
#include "model/cliptable.h"
#include "model/parsenumber.h"
#include "model/potentials.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace kelvora;

namespace {

constexpr int windowrows = 270; // the window's plot area is 270 pixels high

std::vector<std::string> split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + separator.size())
        parts.push_back(text.substr(start, (end = text.find(separator, start)) - start));
    return parts;
}

// The table's lines: each ends in CR LF, and no other CR or LF occurs.
std::vector<std::string> tablelines(const ModelState& s, int rows) {
    const std::string text = cliptable(s, rows, SeparatorChoice::system, '.');
    std::vector<std::string> lines = split(text, "\r\n");
    EXPECT_EQ(lines.back(), "") << "last line without CR LF";
    lines.pop_back();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), std::ssize(lines));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), std::ssize(lines));
    return lines;
}

// The parameter columns of data lines 1 to 21, "name\tvalue" or empty, joined by "|". They follow the three
// number columns and the always empty fourth.
std::string parameterblock(const std::vector<std::string>& lines) {
    std::string block;
    for (int i = 1; i <= 21; ++i) {
        const std::vector<std::string> f = split(lines[i], "\t");
        block += (f.size() == 6 && f[3].empty() ? f[4] + "\t" + f[5] : "") + "|";
    }
    return block;
}

const std::string header =
    "\tErevANT (mV) (x axis)\tErevATPase (mV) (x axis)\t\tParameter name\tParameter value";

// From pHi on, the block is the same for the ratio and the pHo axis: the stored single-precision values as
// the user sees them; names without a unit keep their blank.
const std::string frompHi =
    "pHi \t7.38|n \t3.7|KM(adp)in (mM)\t0.906|KM(adp)out (mM)\t0.906|KM(atp)in (mM)\t0.114|"
    "KM(atp)out (mM)\t0.114|KH(adp)in 10^(-x) M\t6.8|KH(adp)out 10^(-x) M\t6.8|"
    "KH(atp)in 10^(-x) M\t7.06|KH(atp)out 10^(-x) M\t7.06|Mg (mM)\t0.5|T (Celsius)\t37|"
    "KM(adp) 10^(-x)\t3.198|KM(atp) 10^(-x)\t4.06|pKa2\t7.2|";

} // namespace

TEST(ClipTable, RatioAndParameterAxes) {
    const ModelState s = factorystate();
    const std::vector<std::string> lines = tablelines(s, windowrows);
    ASSERT_EQ(lines.size(), 1u + windowrows); // ymin 0: every row lies above it
    EXPECT_EQ(lines[0], "ATPin/ADPin (y axis)" + header);
    // ATPin and ADPin are on the y axis: the first two data lines have no parameter columns.
    EXPECT_EQ(parameterblock(lines),
              "||ATPout (mM)\t1.2|ADPout (mM)\t0.01|Pin (mM)\t10|pHo \t7.25|" + frompHi);
    // The top row stands for ymax, a whole number without a separator; at most fifteen decimals.
    EXPECT_EQ(lines[1].substr(0, 2) + lines[2].substr(0, 17) + lines[windowrows].substr(0, 18),
              "3\t2.98888888888889\t0.011111111111111\t");
    for (int i = 0; i < windowrows; ++i) {
        const std::vector<std::string> f = split(lines[1 + i], "\t");
        EXPECT_EQ(f.size(), i < 2 || i > 20 ? 3u : 6u) << i;
        const double y = 3.0 * (windowrows - i) / windowrows;
        EXPECT_NEAR(parsenumber(f[0]), y, 1e-14 * y) << i;
        // Translocase first, synthase second, at 15 significant digits.
        EXPECT_NEAR(parsenumber(f[1]), erevant(s, y), 1e-12) << i;
        EXPECT_NEAR(parsenumber(f[2]), erevatpase(s, y), 1e-12) << i;
    }
    const std::vector<std::string> pho = tablelines(factorystate(pHo), windowrows);
    EXPECT_EQ(pho[0], "pHo (y axis)" + header);
    EXPECT_EQ(parameterblock(pho),
              "ATPin (mM)\t6|ADPin (mM)\t6|ATPout (mM)\t1.2|ADPout (mM)\t0.01|Pin (mM)\t10||" + frompHi);
    EXPECT_EQ(split(pho[22], "\t").size(), 3u);
}

TEST(ClipTable, SkippedRowsAndSeparators) {
    ModelState s = factorystate(pHo);
    s.ymin = -1;
    s.ymax = 1;
    // Rows stand for 1, 0.5, 0 and -0.5; the last two are left out, the parameters still counted.
    const std::vector<std::string> lines = tablelines(s, 4);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].substr(0, 2) + lines[1].substr(lines[1].find("\t\t")), "1\t\t\tATPin (mM)\t6");
    EXPECT_EQ(lines[2].substr(0, 4) + lines[2].substr(lines[2].find("\t\t")), "0.5\t\t\tADPin (mM)\t6");
    // An n of 0 (outside its range) makes every ErevATPase non-finite: no row. No rows: the header only.
    s = factorystate();
    s.params[n].value = 0.0f;
    EXPECT_EQ(tablelines(s, windowrows).size(), 1u);
    EXPECT_EQ(cliptable(factorystate(), 0, SeparatorChoice::system, '.'),
              "ATPin/ADPin (y axis)" + header + "\r\n");
    // The system's comma, or the comma chosen, in place of every point; the point chosen on a comma system.
    const std::string point = cliptable(factorystate(), windowrows, SeparatorChoice::system, '.');
    std::string comma = point;
    std::replace(comma.begin(), comma.end(), '.', ',');
    EXPECT_EQ(cliptable(factorystate(), windowrows, SeparatorChoice::system, ','), comma);
    EXPECT_EQ(cliptable(factorystate(), windowrows, SeparatorChoice::comma, '.'), comma);
    EXPECT_EQ(cliptable(factorystate(), windowrows, SeparatorChoice::point, ','), point);
}
