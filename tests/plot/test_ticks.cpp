// The tick rule without a surface: the 1-2-5 step search at its boundaries, the candidates inside the
// visible range, and the label texts with their five-decimal rounding; and, on a surface that only records
// what is printed, the labels that replace the pattern where it would mislead.
#include "plot/ticks.h"

#include "plot/fastdraw.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace kelvora {
namespace {

using limits = std::numeric_limits<double>;
constexpr double inf = limits::infinity();
constexpr double nan = limits::quiet_NaN();

TEST(TickStep, OneTwoFiveAtTheScaledRangeBoundaries) {
    // 80 and 3: the default x and y limits. 40 after scaling is not divided; 41 is (4.1).
    const std::vector<std::pair<double, double>> cases = {
        {80.0, 20.0}, {3.0, 0.5},  {4.0, 1.0},  {7.9, 1.0},   {8.0, 2.0},
        {14.9, 2.0},  {15.0, 5.0}, {40.0, 5.0}, {41.0, 10.0}, {400.0, 50.0}};
    for (const auto& [range, step] : cases)
        EXPECT_EQ(tickstep(range), step) << range;
    EXPECT_DOUBLE_EQ(*tickstep(0.4), 0.1);
}

TEST(TickStep, EndsForEveryRangeAndGivesNoneForUnusableOnes) {
    for (double range : {0.0, -1.0, nan, inf, -inf})
        EXPECT_FALSE(tickstep(range)) << range;
    for (double range : {limits::max(), limits::denorm_min(), limits::min(), 1e-300, 1e300}) {
        const auto step = tickstep(range);
        EXPECT_TRUE(!step || (*step > 0.0 && std::isfinite(*step))) << range;
    }
    EXPECT_TRUE(tickstep(1e-300));
    EXPECT_TRUE(tickstep(1e300));
}

TEST(TickValues, MultiplesInsideTheVisibleRangeBothEndsIncluded) {
    EXPECT_EQ(tickvalues(-160, -80, 20), (std::vector<double>{-160, -140, -120, -100, -80}));
    EXPECT_EQ(tickvalues(0, 3, 0.5), (std::vector<double>{0, 0.5, 1, 1.5, 2, 2.5, 3}));
    EXPECT_EQ(tickvalues(-159, -81, 20), (std::vector<double>{-140, -120, -100}));
    EXPECT_EQ(tickvalues(0.25, 0.75, 0.5), (std::vector<double>{0.5}));
}

TEST(TickValues, UnusableInputGivesNoTicks) {
    // The last two: candidate indices beyond the 64-bit range, and more candidates than an axis can hold.
    const std::vector<std::array<double, 3>> cases = {{nan, 3, 0.5}, {0, inf, 0.5}, {0, 3, 0.0},
                                                      {0, 3, -0.5},  {0, 3, nan},   {-1e300, 1e300, 1e-10},
                                                      {0, 1e6, 1}};
    for (const auto& [lo, hi, step] : cases)
        EXPECT_TRUE(tickvalues(lo, hi, step).empty()) << lo << " " << hi << " " << step;
}

TEST(TickLabels, Texts) {
    struct Case {
        char axis;
        double v;
        char sep;
        const char* text;
    };
    const Case cases[] = {
        // y keeps a bare separator; x drops it and adds the unit.
        {'y', 0, '.', "0."},
        {'y', 2, '.', "2."},
        {'y', 0.5, '.', "0.5"},
        {'y', 2.5, ',', "2,5"},
        {'x', -160, '.', "-160 mV"},
        {'x', -80, ',', "-80 mV"},
        {'x', 2.5, ',', "2,5 mV"},
        {'x', 0, '.', "0 mV"},
        // Five-decimal rounding hides binary noise (3 * 0.1 = 0.30000000000000004) ...
        {'y', 3 * 0.1, '.', "0.3"},
        {'x', 3 * 0.1, '.', "0.3 mV"},
        // ... but y values at or below 0.001 are not rounded; x values are once |v| > 0.0001.
        {'y', 0.000123456789, '.', "0.0001235"},
        {'y', 0.00123456789, '.', "0.00123"},
        {'x', 0.000123456789, '.', "0.00012 mV"},
        {'x', -0.000123456789, '.', "-0.00012 mV"},
        {'x', 0.0000123456789, '.', "0.0000123 mV"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.axis == 'y' ? yticklabel(c.v, c.sep) : xticklabel(c.v, c.sep), c.text)
            << c.axis << " " << c.v;
}

// Texts six pixels a character and thirteen high; only what is printed is kept.
class PrintRecorder final : public Surface {
  public:
    struct Printed {
        int x, y;
        std::string text;
    };
    int width() const override { return defaultsurfacewidth; }
    int height() const override { return defaultsurfaceheight; }
    void line(int, int, int, int, Colour) override {}
    void pset(int, int, Colour) override {}
    void fillrect(int, int, int, int, Colour) override {}
    double textwidth(const std::string& text) const override { return 6.0 * text.size(); }
    double textheight(const std::string&) const override { return 13.0; }
    void print(int x, int y, const std::string& text) override { printed.push_back({x, y, text}); }
    std::vector<Printed> printed;
};

TEST(TickLabels, MisleadingPatternLabelsTakeTheDigitsThatTellTicksApart) {
    struct Case {
        const char* name;
        double ymin, ymax, xmin, xmax;
        std::vector<std::string> ylabels, xlabels; // as printed, y from the bottom, x from the left
    };
    const std::vector<std::string> defaultx = {"-160 mV", "-140 mV", "-120 mV", "-100 mV", "-80 mV"};
    const Case cases[] = {
        // The pattern's labels are distinct and fit: printed as they are, split at the separator.
        {"default", 0, 3, -160, -80, {"0", "0", ".5", "1", "1", ".5", "2", "2", ".5", "3"}, defaultx},
        // "0.0000025" cannot fit left of the axis.
        {"micro",
         0,
         2.5e-6,
         -160,
         -80,
         {"0", "5", ".0E-07", "1", ".0E-06", "1", ".5E-06", "2", ".0E-06", "2", ".5E-06"},
         defaultx},
        // Eight ticks that the pattern all writes "0.".
        {"tenth of a nano",
         0,
         3.7656e-10,
         -160,
         -80,
         {"0", "5", ".0E-11", "1", ".0E-10", "1", ".5E-10", "2", ".0E-10", "2", ".5E-10", "3", ".0E-10", "3",
          ".5E-10"},
         defaultx},
        // Five-decimal rounding makes -122.700005 "-122.7", as -122.7 itself. (-122.69999 falls just
        // outside the range as 5E-06 multiples are computed, and gets no tick.)
        {"narrow x",
         0,
         3,
         -122.70001,
         -122.69999,
         {"0", "0", ".5", "1", "1", ".5", "2", "2", ".5", "3"},
         {"-122.70001 mV", "-122.700005 mV", "-122.7 mV", "-122.699995 mV"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ModelState s;
        s.ymin = c.ymin;
        s.ymax = c.ymax;
        s.xmin = c.xmin;
        s.xmax = c.xmax;
        PlotState ps;
        initplotstate(ps, defaultsurfacewidth, defaultsurfaceheight);
        PrintRecorder surface;
        drawticks(s, ps, surface, '.');
        std::vector<std::string> y, x;
        for (const auto& p : surface.printed) {
            // Nothing is cut at the surface's edges.
            EXPECT_GE(p.x, 0) << p.text;
            EXPECT_LE(p.x + surface.textwidth(p.text), surface.width()) << p.text;
            (p.y >= ps.surfaceheight - bottommargin ? x : y).push_back(p.text);
        }
        EXPECT_EQ(y, c.ylabels);
        EXPECT_EQ(x, c.xlabels);
    }
}

} // namespace
} // namespace kelvora
