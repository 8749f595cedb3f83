#include "factory.h"
#include "model/cliptable.h"
#include "model/parsenumber.h"
#include "model/potentials.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kelvora;

namespace {

constexpr int windowrows = 270; // the window's plot area is 270 pixels high

// The table split into lines; every line must end in CR LF, and no other CR or LF may occur.
std::vector<std::string> tablelines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "last line without CR LF";
        if (end == std::string::npos) break;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find('\r'), std::string::npos);
        EXPECT_EQ(line.find('\n'), std::string::npos);
    }
    return lines;
}

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        out.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) return out;
        start = tab + 1;
    }
}

const std::string header =
    "\tErevANT (mV) (x axis)\tErevATPase (mV) (x axis)\t\tParameter name\tParameter value";

} // namespace

TEST(TableNumber, SeparatorRuleAndTrim) {
    EXPECT_EQ(tablenumber(3, SeparatorChoice::system, '.'), "3");
    EXPECT_EQ(tablenumber(3, SeparatorChoice::comma, ','), "3");
    EXPECT_EQ(tablenumber(-160, SeparatorChoice::system, '.'), "-160");
    EXPECT_EQ(tablenumber(0.5, SeparatorChoice::system, '.'), "0.5");
    EXPECT_EQ(tablenumber(0.5, SeparatorChoice::system, ','), "0,5");
    EXPECT_EQ(tablenumber(0.5, SeparatorChoice::point, ','), "0.5");
    EXPECT_EQ(tablenumber(0.5, SeparatorChoice::comma, '.'), "0,5");
    EXPECT_EQ(tablenumber(7.2, SeparatorChoice::point, '.'), "7.2");
    EXPECT_EQ(tablenumber(-97.25, SeparatorChoice::comma, ','), "-97,25");
}

TEST(ClipTable, RatioOnTheYAxis) {
    const ModelState s = factorystate();
    const std::vector<std::string> lines = tablelines(cliptable(s, windowrows, SeparatorChoice::system, '.'));
    ASSERT_EQ(lines.size(), 1u + windowrows); // ymin 0: every row lies above it
    EXPECT_EQ(lines[0], "ATPin/ADPin (y axis)" + header);

    // ATPin and ADPin are on the y axis: the first two data lines have three columns only.
    EXPECT_EQ(fields(lines[1]).size(), 3u);
    EXPECT_EQ(fields(lines[2]).size(), 3u);
    const std::vector<std::string> atpout = fields(lines[3]);
    ASSERT_EQ(atpout.size(), 6u);
    EXPECT_EQ(atpout[3], "");
    EXPECT_EQ(atpout[4], "ATPout (mM)");
    EXPECT_EQ(atpout[5], "1.2"); // the stored single-precision value, as the user sees it
    EXPECT_EQ(fields(lines[4])[5], "0.01");        // ADPout: 10 / 1000 in single precision
    EXPECT_EQ(fields(lines[7])[5], "7.38");
    EXPECT_EQ(fields(lines[6])[4], "pHo ");   // the blank stands even without a unit
    EXPECT_EQ(fields(lines[6])[5], "7.25");
    EXPECT_EQ(fields(lines[18])[4], "T (Celsius)");
    EXPECT_EQ(fields(lines[18])[5], "37");
    EXPECT_EQ(fields(lines[20])[4], "KM(atp) 10^(-x)");
    EXPECT_EQ(lines[21].substr(lines[21].find("\t\t")), "\t\tpKa2\t7.2");
    for (std::size_t i = 22; i < lines.size(); ++i)
        EXPECT_EQ(fields(lines[i]).size(), 3u) << i;
}

TEST(ClipTable, RowsAreThePlotRows) {
    const ModelState s = factorystate();
    const std::vector<std::string> lines = tablelines(cliptable(s, windowrows, SeparatorChoice::system, '.'));
    ASSERT_EQ(lines.size(), 1u + windowrows);
    EXPECT_EQ(fields(lines[1])[0], "3"); // the top row stands for ymax; a whole number has no separator
    EXPECT_EQ(fields(lines[2])[0], "2.98888888888889");
    EXPECT_EQ(fields(lines[windowrows])[0], "0.011111111111111"); // at most fifteen decimals
    for (int i = 0; i < windowrows; ++i) {
        const std::vector<std::string> f = fields(lines[1 + i]);
        const double y = 3.0 * (windowrows - i) / windowrows;
        EXPECT_NEAR(parsenumber(f[0]), y, 1e-14 * y) << i;
        // Translocase first, synthase second, at 15 significant digits.
        EXPECT_NEAR(parsenumber(f[1]), erevant(s, y), 1e-12) << i;
        EXPECT_NEAR(parsenumber(f[2]), erevatpase(s, y), 1e-12) << i;
    }
}

TEST(ClipTable, ParameterOnTheYAxisLeavesItsLineEmpty) {
    const ModelState s = factorystate(pHo);
    const std::vector<std::string> lines = tablelines(cliptable(s, windowrows, SeparatorChoice::system, '.'));
    EXPECT_EQ(lines[0], "pHo (y axis)" + header);
    EXPECT_EQ(fields(lines[1])[4], "ATPin (mM)");
    EXPECT_EQ(fields(lines[1])[5], "6");
    EXPECT_EQ(fields(lines[2])[4], "ADPin (mM)");
    EXPECT_EQ(fields(lines[6]).size(), 3u);
    EXPECT_EQ(fields(lines[7])[4], "pHi ");
    EXPECT_EQ(fields(lines[21])[4], "pKa2");
    EXPECT_EQ(fields(lines[22]).size(), 3u);
}

TEST(ClipTable, HeaderNamesTheYAxisEntry) {
    EXPECT_EQ(tablelines(cliptable(factorystate(T), 1, SeparatorChoice::system, '.'))[0],
              "T (Celsius) (y axis)" + header);
    EXPECT_EQ(tablelines(cliptable(factorystate(KHadpin), 1, SeparatorChoice::system, '.'))[0],
              "KH(adp)in 10^(-x) M (y axis)" + header);
}

TEST(ClipTable, RowsAtOrBelowZeroAreSkippedAndKeepTheParameterCount) {
    ModelState s = factorystate(pHo);
    s.ymin = -1;
    s.ymax = 1;
    // Rows stand for 1, 0.5, 0 and -0.5; the last two are left out.
    const std::vector<std::string> lines = tablelines(cliptable(s, 4, SeparatorChoice::system, '.'));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(fields(lines[1])[0], "1");
    EXPECT_EQ(fields(lines[2])[0], "0.5");
    EXPECT_EQ(fields(lines[1])[4], "ATPin (mM)");
    EXPECT_EQ(fields(lines[2])[4], "ADPin (mM)");
}

TEST(ClipTable, RowsThatCannotBeComputedAreSkipped) {
    // An n of 0 (outside its allowed range) makes ErevATPase non-finite on every row: no row is written.
    ModelState s = factorystate();
    s.params[n].value = 0.0f;
    const std::vector<std::string> lines = tablelines(cliptable(s, windowrows, SeparatorChoice::system, '.'));
    EXPECT_EQ(lines.size(), 1u);
}

TEST(ClipTable, NoRowsGiveTheHeaderOnly) {
    const std::string text = cliptable(factorystate(), 0, SeparatorChoice::system, '.');
    EXPECT_EQ(text, "ATPin/ADPin (y axis)" + header + "\r\n");
}

TEST(ClipTable, SeparatorChoices) {
    const ModelState s = factorystate();
    const std::string systemcomma = cliptable(s, windowrows, SeparatorChoice::system, ',');
    const std::string pointoncomma = cliptable(s, windowrows, SeparatorChoice::point, ',');
    const std::string commaonpoint = cliptable(s, windowrows, SeparatorChoice::comma, '.');
    const std::string systempoint = cliptable(s, windowrows, SeparatorChoice::system, '.');
    EXPECT_EQ(fields(tablelines(systemcomma)[2])[0], "2,98888888888889");
    EXPECT_EQ(systemcomma, commaonpoint);
    EXPECT_EQ(pointoncomma, systempoint);
    EXPECT_EQ(systemcomma.find('.'), std::string::npos);
    EXPECT_EQ(systempoint.find(','), std::string::npos);
    EXPECT_EQ(tablelines(systemcomma)[21].substr(tablelines(systemcomma)[21].find("\t\t")), "\t\tpKa2\t7,2");
}
