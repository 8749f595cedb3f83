// The parameter table, both reversal potentials, their crossing point and the automatic axis ranges against
// the reference figures, and the clipboard table that lists them, exact to the character.
#include "factory.h"
#include "model/cliptable.h"
#include "model/crossing.h"
#include "model/potentials.h"
#include "model/sweep.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

using namespace kelvora;

// Defaults and limits are checked through the configuration text, the entries and the reader's repairs
// (numbers beyond single precision among them); the y-axis list's texts are the parameter names of the
// clipboard table below.
TEST(ReversalPotentials, ReferenceFigures) {
    constexpr double mv = 1e-4; // ATPin: no ATPase figure given
    // y axis, y, ErevANT, ErevATPase.
    const std::tuple<int16_t, double, double, double> cases[] = {
        {-1, 1.0, -126.9684, -121.5386},    {-1, 0.1, -188.5089, -104.9060},
        {-1, 3.0, -97.6061, -129.4743},     {-1, 10.0, -65.4279, -138.1711},
        {ATPin, 3.0, -145.4939, 0},         {ATPout, 2.0, -140.6211, -121.5386},
        {ADPin, 0.0, 351.7027, -250.9091}, // 0 is clamped, not divided by
        {T, 25.0, -122.0559, -120.1405},    {n, 3.0, -126.9684, -151.7643},
        {pHo, 7.0, -124.8044, -106.1535},   {Pin, 1.0, -126.9684, -138.1711},
        {KMatp, 5.0, -126.9684, -137.1732}, {Mg, 0.0, -126.9684, -130.5269},
    };
    for (const auto& [yaxis, y, ant, atpase] : cases) {
        SCOPED_TRACE(testing::Message() << yaxis << " " << y);
        const ModelState s = factorystate(yaxis);
        EXPECT_NEAR(erevant(s, y), ant, mv);
        EXPECT_NEAR(yaxis == ATPin ? 0 : erevatpase(s, y), atpase, mv);
        // The per-row path reuses prepared terms and must match bit for bit.
        const Potentials p = potentialsat(prepareterms(s), y);
        EXPECT_EQ(p.ant, erevant(s, y));
        EXPECT_EQ(p.atpase, erevatpase(s, y));
    }
    // Domain errors (log of 0, a negative ratio, infinity) give a non-finite result, never a trap.
    for (double v : {erevant(factorystate(), 0.0), erevatpase(factorystate(), -1.0),
                     erevatpase(factorystate(Pin), 0.0), erevant(factorystate(ADPin), HUGE_VAL)})
        EXPECT_FALSE(std::isfinite(v)) << v;
}

TEST(CrossingPoint, ClosedFormsAndTheRatioFloor) {
    const std::pair<int16_t, double> cases[] = {{-1, 1.173435},      {ATPin, 7.040611},    {ADPin, 5.113192},
                                                {ATPout, 0.9793759}, {ADPout, 0.01225270}, {Pin, 4.715657}};
    for (const auto& [axis, value] : cases) {
        ModelState s = factorystate(axis);
        const double v = crossingpoint(s);
        EXPECT_NEAR(v, value, value * 1e-6) << axis; // the seven significant digits the figures carry
        // Both potentials are equal there; parameter axes store v in single precision, which limits this.
        EXPECT_NEAR(erevant(s, v), erevatpase(s, v), 1e-4) << axis;
    }
    ModelState s = factorystate();
    EXPECT_NEAR(erevant(s, crossingpoint(s)), -122.6939, 1e-4);
    s.params[ATPout].value = 1e-30f; // drives the crossing ratio to nothing
    EXPECT_EQ(crossingpoint(s), 1e-10);
    s.yaxis = ATPin;
    EXPECT_EQ(crossingpoint(s), static_cast<double>(s.params[ADPin].value) * 1e-10);
    s.yaxis = ADPin;
    EXPECT_EQ(crossingpoint(s), static_cast<double>(s.params[ATPin].value) / 1e-10);
}

TEST(CrossingPoint, FramesFromTheCrossingOrFixed) {
    // Without a closed form the frame is fixed (crossingpoint -1) and autoscale keeps it; ADPin: the ratio's.
    // y axis, then the frame: ymin, ymax, xmin, xmax.
    const std::tuple<int16_t, double, double, double, double> cases[] = {
        {pHo, 6, 8, -180.0020, -32.3049},          {n, 2.5, 4.5, -192.2380, -89.9887},
        {KMadpin, 0.01, 2, -158.0790, -22.3155},   {KHadpin, 4, 10, -182.6001, 47.2444},
        {Mg, 0, 2, -131.7944, -116.5849},          {T, 0, 40, -129.8340, -110.1839},
        {KMadp, 0, 10, -191.3621, 8.2287},         {-1, 0, 3.520306, -171.6310, -73.7567},
        {ADPin, 0, 15.33958, -171.6310, -73.7567},
    };
    for (const auto& [axis, ymin, ymax, xmin, xmax] : cases) {
        ModelState s = factorystate(axis);
        autoscale(s);
        EXPECT_EQ(s.ymin, ymin) << axis;
        EXPECT_NEAR(s.ymax, ymax, axis == ADPin ? 1e-5 : 1e-6) << axis;
        EXPECT_NEAR(s.xmin, xmin, 1e-4) << axis;
        EXPECT_NEAR(s.xmax, xmax, 1e-4) << axis;
        EXPECT_EQ(crossingpoint(s) == -1.0, axis != -1 && axis != ADPin) << axis;
    }
    // A parameter outside every allowed range (a NaN pH) must not turn the frame into NaN.
    ModelState nan = factorystate(pHo);
    nan.params[pHi].value = std::numeric_limits<float>::quiet_NaN();
    autoscale(nan);
    EXPECT_EQ(limitsof(nan), AxisLimits{});
}

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
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r') + std::count(text.begin(), text.end(), '\n'),
              2 * std::ssize(lines));
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

TEST(CrossingPoint, InfiniteCrossingKeepsTheLimits) {
    // Allowed but extreme values overflow the ATPout crossing to infinity; the frame must stay usable.
    const std::pair<int, float> extreme[] = {{n, 0.1f},      {T, 0.0f},      {pHi, 20.0f},
                                             {pHo, 0.01f},   {KMatp, 10.0f}, {KMadp, 0.0f},
                                             {ADPout, 1e4f}, {ATPin, 1e4f},  {ADPin, 0.01f}};
    ModelState s = factorystate(ATPout);
    for (const auto& [index, value] : extreme)
        s.params[index].value = value;
    EXPECT_FALSE(std::isfinite(crossingpoint(s)));
    // A sweep through that state says so rather than writing a number.
    std::string line;
    appendsweepline(line, sweeprow(s, n, 0.1f), SeparatorChoice::point, '.');
    EXPECT_EQ(line, "0.1\t\t\tnot computable\r\n");
    autoscale(s);
    EXPECT_EQ(limitsof(s), AxisLimits{});
}

TEST(ClipTable, RatioAndParameterAxes) {
    const ModelState s = factorystate();
    const std::vector<std::string> lines = tablelines(s, windowrows);
    ASSERT_EQ(lines.size(), 1u + windowrows); // ymin 0: every row lies above it
    EXPECT_EQ(lines[0], "ATPin/ADPin (y axis)" + header);
    // ATPin and ADPin are on the y axis: the first two data lines have no parameter columns.
    EXPECT_EQ(parameterblock(lines),
              "||ATPout (mM)\t1.2|ADPout (mM)\t0.01|Pin (mM)\t10|pHo \t7.25|" + frompHi);
    // The top row stands for ymax, a whole number without a separator; at most fifteen decimals. Translocase
    // first, synthase second (the potentials themselves are the figures above); past the parameters, the
    // three number columns alone.
    EXPECT_EQ(lines[1].substr(0, 2) + lines[2].substr(0, 17) + lines[windowrows].substr(0, 18),
              "3\t2.98888888888889\t0.011111111111111\t");
    EXPECT_EQ(split(lines[22], "\t").size(), 3u);
    const std::vector<std::string> pho = tablelines(factorystate(pHo), windowrows);
    EXPECT_EQ(pho[0], "pHo (y axis)" + header);
    EXPECT_EQ(parameterblock(pho),
              "ATPin (mM)\t6|ADPin (mM)\t6|ATPout (mM)\t1.2|ADPout (mM)\t0.01|Pin (mM)\t10||" + frompHi);
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
    // An n of 0 (outside its range) makes every ErevATPase non-finite: no row, the header only.
    s = factorystate();
    s.params[n].value = 0.0f;
    EXPECT_EQ(cliptable(s, windowrows, SeparatorChoice::system, '.'),
              "ATPin/ADPin (y axis)" + header + "\r\n");
    // The system's comma, or the comma chosen, in place of every point; the point chosen on a comma system.
    const std::string point = cliptable(factorystate(), windowrows, SeparatorChoice::system, '.');
    std::string comma = point;
    std::replace(comma.begin(), comma.end(), '.', ',');
    EXPECT_EQ(cliptable(factorystate(), windowrows, SeparatorChoice::system, ','), comma);
    EXPECT_EQ(cliptable(factorystate(), windowrows, SeparatorChoice::comma, '.'), comma);
    EXPECT_EQ(cliptable(factorystate(), windowrows, SeparatorChoice::point, ','), point);
}
