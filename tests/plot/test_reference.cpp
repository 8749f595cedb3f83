// The reference curves: dashes of both curves' colours inside the plot area, none without a reference,
// outlined in a journal figure as the curves are.
#include "plot/reference.h"

#include "plot/figure.h"
#include "plot/vectorsurface.h"

#include "../model/factory.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kelvora {
namespace {

double length(const Stroke& stroke) {
    double sum = 0.0;
    for (std::size_t k = 1; k < stroke.points.size(); ++k)
        sum += std::hypot(stroke.points[k].x - stroke.points[k - 1].x,
                          stroke.points[k].y - stroke.points[k - 1].y);
    return sum;
}

TEST(Reference, DashesOfBothColoursOnlyWithAReference) {
    const ModelState s = factorystate();
    PlotState ps;
    initplotstate(ps, defaultsurfacewidth, defaultsurfaceheight);
    EXPECT_TRUE(referencestrokes(s, ps).empty());
    ps.reference = s;
    const std::vector<Stroke> dashes = referencestrokes(s, ps);
    ASSERT_GT(dashes.size(), 2u);
    std::size_t ant = 0;
    for (const Stroke& d : dashes) {
        EXPECT_LE(length(d), referencedash + 1e-9);
        ant += d.colour == ps.antcolour;
    }
    EXPECT_GT(ant, 0u);
    EXPECT_LT(ant, dashes.size());
}

// Counts the lines drawn; texts six pixels a character and ten high.
class LineCounter final : public VectorSurface {
  public:
    int width() const override { return defaultsurfacewidth; }
    int height() const override { return defaultsurfaceheight; }
    void line(int, int, int, int, Colour) override {}
    void pset(int, int, Colour) override {}
    void fillrect(int, int, int, int, Colour) override {}
    double textwidth(const std::string& text) const override { return 6.0 * text.size(); }
    double textheight(const std::string&) const override { return 10.0; }
    void print(int, int, const std::string&) override {}
    void polygon(const std::vector<Point>&, Colour) override {}
    void polyline(const std::vector<Point>&, double, Colour) override { ++lines; }
    void printupward(double, double, const std::string&) override {}
    void setorigin(double, double) override {}
    int lines = 0;
};

// Every line of the journal figure, the reference's dashes in the plot and the legend too, has its
// outline beneath: twice the window style's lines.
TEST(Reference, OutlinedInTheJournalStyleAsTheCurves) {
    const ModelState s = factorystate();
    PlotState ps;
    initplotstate(ps, defaultsurfacewidth, defaultsurfaceheight);
    ps.reference = s;
    ps.reference->params[pHo].value = 7.6f;
    LineCounter window, journal;
    drawfigure(s, ps, window, figurelayout(s, ps, window, true, '.'), '.');
    const FigureStyle style = journalstyle(Palette::safe, Colour{255, 255, 255});
    drawfigure(s, ps, journal, figurelayout(s, ps, journal, true, '.', style), '.', style);
    EXPECT_EQ(journal.lines, 2 * window.lines);
}

} // namespace
} // namespace kelvora
