#include "plot/mouse.h"

#include "model/limittext.h"
#include "model/rounding.h"
#include "plot/mapping.h"

#include <cmath>
#include <numbers>

namespace kelvora {
namespace {

const std::string millivolts = " mV";

// The usual four significant digits, more where the axis spans so little that neighbouring pixels would
// read the same.
std::string readouttext(double v, double lo, double hi, int pixels, char sep) {
    return limittext(siground(v, static_cast<int16_t>(readoutdigits(lo, hi, pixels))), sep);
}

// Moves both limits of an axis toward the centre c by the square root of two, or away from it.
void scaleaxis(double& lo, double& hi, double c, bool zoomin) {
    constexpr double root2 = std::numbers::sqrt2;
    lo = zoomin ? (lo - c) / root2 + c : (lo - c) * root2 + c;
    hi = zoomin ? (hi - c) / root2 + c : (hi - c) * root2 + c;
}

} // namespace

bool limitsvalid(double xmin, double xmax, double ymin, double ymax) {
    return !(ymin < 0.0 || xmin >= xmax || ymin >= ymax) && std::isfinite(xmax - xmin) &&
           std::isfinite(ymax - ymin);
}

bool insidelimits(const ModelState& s, const PlotState& ps, double X, double Y) {
    const double x = pixeltox(s, ps, X);
    const double y = pixeltoy(s, ps, Y);
    return s.xmin <= x && x <= s.xmax && s.ymin <= y && y <= s.ymax;
}

Readout readoutat(const ModelState& s, const PlotState& ps, double X, double Y, char decimalsep) {
    return {readouttext(pixeltox(s, ps, X), s.xmin, s.xmax, ps.plotwidth, decimalsep) + millivolts,
            readouttext(pixeltoy(s, ps, Y), s.ymin, s.ymax, ps.plotheight, decimalsep)};
}

void mousepress(PlotState& ps, MouseButton button, double X, double Y) {
    ps.otherbutton = button != MouseButton::left;
    ps.dragging = true;
    ps.pressx = roundeven32(X);
    ps.pressy = roundeven32(Y);
    ps.xshift = 0.0;
    ps.yshift = 0.0;
}

void dragoffsets(const ModelState& s, PlotState& ps, double X, double Y) {
    ps.xshift = (X - ps.pressx) / ps.plotwidth * (s.xmax - s.xmin);
    ps.yshift = (Y - ps.pressy) / ps.plotheight * (s.ymax - s.ymin);
    if (s.ymin + ps.yshift < 0.0) ps.yshift = -s.ymin;
    if (!limitsvalid(s.xmin - ps.xshift, s.xmax - ps.xshift, s.ymin + ps.yshift, s.ymax + ps.yshift)) {
        ps.xshift = 0.0;
        ps.yshift = 0.0;
    }
}

Release mouserelease(ModelState& s, PlotState& ps, double X, double Y, char decimalsep) {
    const bool moved = !(X == ps.pressx && Y == ps.pressy);
    dragoffsets(s, ps, X, Y);
    ps.dragging = false;
    s.xmin -= ps.xshift;
    s.xmax -= ps.xshift;
    s.ymin += ps.yshift;
    s.ymax += ps.yshift;
    ps.xshift = 0.0;
    ps.yshift = 0.0;

    Release r;
    r.inside = insidelimits(s, ps, X, Y);
    if (r.inside) {
        r.readout = readoutat(s, ps, X, Y, decimalsep);
        ps.pinned = !ps.pinned;
        if (moved || ps.dblclicked) ps.pinned = false;
        r.enabled = ps.pinned;
    } else {
        ps.pinned = false;
    }
    ps.dblclicked = false;
    return r;
}

bool mousedoubleclick(ModelState& s, PlotState& ps) {
    ps.pinned = false;
    ps.dblclicked = true;
    const double cx = pixeltox(s, ps, ps.pressx);
    const double cy = pixeltoy(s, ps, ps.pressy);
    const double xspan = s.xmax - s.xmin;
    const double yspan = s.ymax - s.ymin;
    const bool zoomin = !ps.otherbutton;
    if (zoomin && !(xspan >= smallestzoomspan && yspan >= smallestzoomspan)) return false;
    if (!zoomin && !(xspan <= largestzoomspan && yspan <= largestzoomspan)) return false;
    scaleaxis(s.xmin, s.xmax, cx, zoomin);
    scaleaxis(s.ymin, s.ymax, cy, zoomin);
    if (s.ymin < 0.0) {
        // Keep the span, lift the range so that it starts at zero.
        s.ymax -= s.ymin;
        s.ymin = 0.0;
    }
    return true;
}

} // namespace kelvora
