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

// The table split into lines; every line must end in CR LF, and no other CR or LF may occur.
std::vector<std::string> tablelines(const std::string& text) {
    EXPECT_TRUE(text.ends_with("\r\n")) << "last line without CR LF";
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; start < text.size(); start = end + 2) {
        end = std::min(text.find("\r\n", start), text.size());
        lines.push_back(text.substr(start, end - start));
        EXPECT_EQ(lines.back().find_first_of("\r\n"), std::string::npos) << lines.back();
    }
    return lines;
}

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> out(1);
    for (char c : line) {
        if (c == '\t')
            out.emplace_back();
        else
            out.back() += c;
    }
    return out;
}

const std::string header =
    "\tErevANT (mV) (x axis)\tErevATPase (mV) (x axis)\t\tParameter name\tParameter value";

// The parameter columns of data lines 1 to 21, each "name\tvalue" or empty, joined by "|". They follow the
// three number columns and the always empty fourth.
std::string parameterblock(const std::vector<std::string>& lines) {
    std::string block;
    for (int i = 1; i <= 21; ++i) {
        const std::size_t at = lines[i].find("\t\t");
        block += (at == std::string::npos ? "" : lines[i].substr(at + 2)) + "|";
    }
    return block;
}

// From pHi on, the block is the same for the ratio and the pHo axis. Values are the stored single-precision
// ones as the user sees them; names without a unit keep their blank.
const std::string frompHi =
    "pHi \t7.38|n \t3.7|KM(adp)in (mM)\t0.906|KM(adp)out (mM)\t0.906|KM(atp)in (mM)\t0.114|"
    "KM(atp)out (mM)\t0.114|KH(adp)in 10^(-x) M\t6.8|KH(adp)out 10^(-x) M\t6.8|"
    "KH(atp)in 10^(-x) M\t7.06|KH(atp)out 10^(-x) M\t7.06|Mg (mM)\t0.5|T (Celsius)\t37|"
    "KM(adp) 10^(-x)\t3.198|KM(atp) 10^(-x)\t4.06|pKa2\t7.2|";

} // namespace

TEST(ClipTable, RatioOnTheYAxis) {
    const ModelState s = factorystate();
    const std::vector<std::string> lines = tablelines(cliptable(s, windowrows, SeparatorChoice::system, '.'));
    ASSERT_EQ(lines.size(), 1u + windowrows); // ymin 0: every row lies above it
    EXPECT_EQ(lines[0], "ATPin/ADPin (y axis)" + header);
    // ATPin and ADPin are on the y axis: the first two data lines have no parameter columns.
    EXPECT_EQ(parameterblock(lines),
              "||ATPout (mM)\t1.2|ADPout (mM)\t0.01|Pin (mM)\t10|pHo \t7.25|" + frompHi);

    // The rows are the plot's: the top one stands for ymax, a whole number without a separator.
    EXPECT_EQ(fields(lines[1])[0], "3");
    EXPECT_EQ(fields(lines[2])[0], "2.98888888888889");
    EXPECT_EQ(fields(lines[windowrows])[0], "0.011111111111111"); // at most fifteen decimals
    for (int i = 0; i < windowrows; ++i) {
        const std::vector<std::string> f = fields(lines[1 + i]);
        EXPECT_EQ(f.size(), i < 2 || i > 20 ? 3u : 6u) << i;
        const double y = 3.0 * (windowrows - i) / windowrows;
        EXPECT_NEAR(parsenumber(f[0]), y, 1e-14 * y) << i;
        // Translocase first, synthase second, at 15 significant digits.
        EXPECT_NEAR(parsenumber(f[1]), erevant(s, y), 1e-12) << i;
        EXPECT_NEAR(parsenumber(f[2]), erevatpase(s, y), 1e-12) << i;
    }
}

TEST(ClipTable, ParameterOnTheYAxisLeavesItsLineEmpty) {
    const std::vector<std::string> lines =
        tablelines(cliptable(factorystate(pHo), windowrows, SeparatorChoice::system, '.'));
    EXPECT_EQ(lines[0], "pHo (y axis)" + header);
    EXPECT_EQ(parameterblock(lines),
              "ATPin (mM)\t6|ADPin (mM)\t6|ATPout (mM)\t1.2|ADPout (mM)\t0.01|Pin (mM)\t10||" + frompHi);
    EXPECT_EQ(fields(lines[22]).size(), 3u);
    // The header names the y-axis entry with its unit.
    EXPECT_EQ(tablelines(cliptable(factorystate(T), 1, SeparatorChoice::system, '.'))[0],
              "T (Celsius) (y axis)" + header);
}

TEST(ClipTable, SkippedRowsKeepTheParameterCount) {
    ModelState s = factorystate(pHo);
    s.ymin = -1;
    s.ymax = 1;
    // Rows stand for 1, 0.5, 0 and -0.5; the last two are left out.
    std::vector<std::string> lines = tablelines(cliptable(s, 4, SeparatorChoice::system, '.'));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(fields(lines[1])[0], "1");
    EXPECT_EQ(fields(lines[2])[0], "0.5");
    EXPECT_EQ(fields(lines[1])[4], "ATPin (mM)");
    EXPECT_EQ(fields(lines[2])[4], "ADPin (mM)");
    // An n of 0 (outside its allowed range) makes ErevATPase non-finite on every row: no row is written.
    s = factorystate();
    s.params[n].value = 0.0f;
    EXPECT_EQ(tablelines(cliptable(s, windowrows, SeparatorChoice::system, '.')).size(), 1u);
    // No rows give the header only.
    EXPECT_EQ(cliptable(factorystate(), 0, SeparatorChoice::system, '.'),
              "ATPin/ADPin (y axis)" + header + "\r\n");
}

TEST(ClipTable, SeparatorChoices) {
    const ModelState s = factorystate();
    const std::string systemcomma = cliptable(s, windowrows, SeparatorChoice::system, ',');
    const std::string pointoncomma = cliptable(s, windowrows, SeparatorChoice::point, ',');
    const std::string commaonpoint = cliptable(s, windowrows, SeparatorChoice::comma, '.');
    const std::string systempoint = cliptable(s, windowrows, SeparatorChoice::system, '.');
    const std::vector<std::string> lines = tablelines(systemcomma);
    EXPECT_EQ(fields(lines[1])[0], "3"); // the trailing comma is trimmed too
    EXPECT_EQ(fields(lines[2])[0], "2,98888888888889");
    EXPECT_EQ(lines[21].substr(lines[21].find("\t\t")), "\t\tpKa2\t7,2");
    EXPECT_EQ(systemcomma, commaonpoint);
    EXPECT_EQ(pointoncomma, systempoint);
    EXPECT_EQ(systemcomma.find('.'), std::string::npos);
    EXPECT_EQ(systempoint.find(','), std::string::npos);
}
