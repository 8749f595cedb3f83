// Shared by the plot tests: the plot's colours written out, a fixture with the default state and plot at
// the window's size, a Surface that records its calls, and (with the GUI) reading a QImage pixel.
#pragma once

#include "model/parameters.h"
#include "model/potentials.h"
#include "plot/mapping.h"
#include "plot/plotstate.h"
#include "plot/surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#ifdef KELVORA_PLOT_QT
#include <QImage>
#endif

namespace kelvora::test {

// Written out rather than taken from the program's constants, so that a wrong constant shows.
inline constexpr Colour yellow{191, 192, 0}; // left of both curves
inline constexpr Colour darkred{124, 2, 1};  // translocase left of synthase; rows not computed
inline constexpr Colour orange{250, 131, 1}; // synthase left of (or on) the translocase
inline constexpr Colour grey{128, 128, 128}; // right of both curves
inline constexpr Colour white{255, 255, 255};
inline constexpr Colour black{0, 0, 0};
inline constexpr Colour axisblue{0, 0, 150};
inline constexpr Colour back = plotcolours::background;

constexpr int L = leftmargin;

struct Op {
    enum Kind { Line, Pset, Print } kind;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Colour c{};
    std::string text;
    bool operator==(const Op&) const = default;
};
inline Op line(int x1, int y1, int x2, int y2, Colour c) {
    return {Op::Line, x1, y1, x2, y2, c, {}};
}
inline Op pset(int x, int y, Colour c) {
    return {Op::Pset, x, y, 0, 0, c, {}};
}
inline Op print(int x, int y, const std::string& text) {
    return {Op::Print, x, y, 0, 0, {}, text};
}

inline std::ostream& operator<<(std::ostream& os, const Op& op) {
    const char* names[] = {"line", "pset", "print"};
    os << names[op.kind] << "(" << op.x1 << "," << op.y1;
    if (op.kind == Op::Line) os << " -> " << op.x2 << "," << op.y2;
    if (op.kind == Op::Print) return os << " \"" << op.text << "\")";
    return os << " rgb " << int{op.c.r} << "," << int{op.c.g} << "," << int{op.c.b} << ")";
}

// Records every call. The fake font: every character 7 pixels wide except the separators (3.5), every
// text 13 high.
class RecordingSurface final : public Surface {
  public:
    RecordingSurface(int w, int h) : w_(w), h_(h) {}
    int width() const override { return w_; }
    int height() const override { return h_; }
    void line(int x1, int y1, int x2, int y2, Colour c) override {
        ops.push_back(test::line(x1, y1, x2, y2, c));
    }
    void pset(int x, int y, Colour c) override { ops.push_back(test::pset(x, y, c)); }
    double textwidth(const std::string& text) const override {
        double w = 0;
        for (char ch : text)
            w += (ch == '.' || ch == ',') ? 3.5 : 7.0;
        return w;
    }
    double textheight(const std::string&) const override { return 13.0; }
    void print(int x, int y, const std::string& text) override { ops.push_back(test::print(x, y, text)); }

    std::vector<Op> ops;
    bool has(const Op& op) const { return std::find(ops.begin(), ops.end(), op) != ops.end(); }
    // ops[from, from + count), empty when the calls are fewer.
    std::vector<Op> slice(size_t from, size_t count) const {
        if (from + count > ops.size()) return {};
        return {ops.begin() + static_cast<long>(from), ops.begin() + static_cast<long>(from + count)};
    }

  private:
    int w_;
    int h_;
};

// The default state, and the plot at the window's size (551 x 305: W = 461, N = 270, R = 521).
struct PlotFixture : testing::Test {
    void SetUp() override {
        buildtables(s);
        resetsettings(s);
        initplotstate(ps, defaultsurfacewidth, defaultsurfaceheight);
    }
    int nrows() const { return ps.plotheight; }
    int right() const { return ps.surfacewidth - rightmargin; }
    // The y value of row i and the column of a potential, computed here from the limits.
    double rowy(int i) const { return (s.ymax - s.ymin) * (nrows() - i) / nrows() + s.ymin + ps.yshift; }
    int column(double e) const {
        const double p =
            std::clamp((e + ps.xshift - s.xmin) / (s.xmax - s.xmin) * ps.plotwidth, -2000.0, 2000.0);
        return L + static_cast<int>(std::floor(p));
    }
    int antcol(int i) const { return column(erevant(s, rowy(i))); }
    int atpasecol(int i) const { return column(erevatpase(s, rowy(i))); }

    ModelState s;
    PlotState ps;
};

#ifdef KELVORA_PLOT_QT
inline Colour at(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return Colour{static_cast<uint8_t>(qRed(p)), static_cast<uint8_t>(qGreen(p)),
                  static_cast<uint8_t>(qBlue(p))};
}
#endif

} // namespace kelvora::test
