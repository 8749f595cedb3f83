// The redraw: plot rows with their colour zones and the two curves, then frame, marker, ticks and the
// texts of the axis boxes.
#include "plot/fastdraw.h"

#include "model/crossing.h"
#include "model/numtext.h"
#include "model/potentials.h"
#include "model/rounding.h"
#include "plot/mapping.h"

#include <cmath>

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>
#define KELVORA_X86 1
#endif

namespace kelvora {
namespace {

#ifdef KELVORA_X86
__attribute__((target("avx"))) void zeroupper() {
    _mm256_zeroupper();
}
#endif

// Code elsewhere in the process (the window system's libraries) can leave the upper halves of the
// 256-bit vector registers in use. Until something clears them, every scalar floating-point
// instruction of the redraw pays a transition penalty on x86: the model evaluation ran five times
// slower after the GUI had started. Clearing them once per redraw costs nothing measurable.
void clearvectorstate() {
#ifdef KELVORA_X86
    static const bool avx = __builtin_cpu_supports("avx");
    if (avx) zeroupper();
#endif
}

// Rows this close to the bottom do not count for visibility: a curve that only enters the plot along
// the bottom rows is as good as out of view.
constexpr int visibilitybottomrows = 4;
// Significant digits of the axis box texts.
constexpr int16_t axisboxdigits = 5;

bool crosses(int16_t previous, int16_t current, int l, int r) {
    return (previous < r && current > l) || (current < r && previous > l);
}

} // namespace

CurveVisibility drawrows(const ModelState& s, const PlotState& ps, Surface& surface) {
    const PotentialTerms terms = prepareterms(s);
    const int n = ps.plotheight;
    const int l = leftmargin;
    const int r = ps.surfacewidth - rightmargin;
    // With the ratio on the y axis and the plot starting at 0, the curves run out along the bottom row.
    const bool bottomrule = s.ymin + ps.yshift == 0.0 && s.yaxis == ratioaxis;

    CurveVisibility seen;
    int16_t pa0 = 0; // columns of the previous drawn row
    int16_t pb0 = 0;
    bool haveprevious = false;
    for (int i = 0; i < n; ++i) {
        const int row = topmargin + i;
        const double y = rowvalue(s, ps, i);
        // Rows at or below zero are not computed; rows whose potentials cannot be computed are treated
        // the same way. Neither moves the curves' previous points. The row is painted up to and
        // including column R - 1, so that no pixel of an earlier picture survives inside the plot.
        bool computed = y > 0.0;
        Potentials e{};
        if (computed) {
            e = potentialsat(terms, y);
            computed = std::isfinite(e.ant) && std::isfinite(e.atpase);
        }
        if (!computed) {
            surface.line(l, row, r, row, plotcolours::betweenzone);
            continue;
        }

        const int16_t pa = offsetcolumn(valueoffset(s, ps, e.ant));
        const int16_t pb = offsetcolumn(valueoffset(s, ps, e.atpase));

        surface.line(l, row, pa, row, plotcolours::leftzone);
        if (pa < pb) {
            surface.line(pa, row, pb, row, plotcolours::betweenzone);
            surface.line(pb, row, r, row, plotcolours::rightzone);
        } else {
            surface.line(pb, row, pa, row, plotcolours::reversedzone);
            surface.line(pa, row, r, row, plotcolours::rightzone);
        }

        // Each curve two pixels wide, joined to the previous drawn row.
        if (haveprevious) {
            surface.line(pa0, row - 1, pa, row, ps.antcolour);
            surface.line(pa0 + 1, row - 1, pa + 1, row, ps.antcolour);
            surface.line(pb0, row - 1, pb, row, ps.atpasecolour);
            surface.line(pb0 + 1, row - 1, pb + 1, row, ps.atpasecolour);
            if (i < n - visibilitybottomrows) {
                if (crosses(pa0, pa, l, r)) seen.ant = true;
                if (crosses(pb0, pb, l, r)) seen.atpase = true;
            }
        }

        if (i == n - 1) {
            if (bottomrule) {
                surface.line(l, row, pa + 1, row, ps.antcolour);
                surface.line(pb - 1, row, r, row, ps.atpasecolour);
            } else {
                // The end pixels that the last segments leave out.
                surface.pset(pa, row, ps.antcolour);
                surface.pset(pa + 1, row, ps.antcolour);
                surface.pset(pb, row, ps.atpasecolour);
                surface.pset(pb + 1, row, ps.atpasecolour);
            }
        }

        pa0 = pa;
        pb0 = pb;
        haveprevious = true;
    }
    return seen;
}

void drawmarker(const PlotState& ps, Surface& surface, int16_t x, int16_t y) {
    const int s = ps.markersize;
    // Strokes include both end pixels; line() leaves out its last point, hence the + 1.
    auto vertical = [&](int column, int top, int bottom, Colour c) {
        surface.line(column, top, column, bottom + 1, c);
    };
    auto horizontal = [&](int row, int left, int right, Colour c) {
        surface.line(left, row, right + 1, row, c);
    };

    for (int column : {x - 1, x + 1, int{x}})
        vertical(column, y - s - 1, y + s + 1, ps.markeredge);
    for (int row : {y - 1, y + 1, int{y}})
        horizontal(row, x - s - 1, x + s + 1, ps.markeredge);
    vertical(x, y - s, y + s, ps.markercentre);
    horizontal(y, x - s, x + s, ps.markercentre);
}

FastdrawResult fastdraw(int16_t autoflag, bool autotoggle, ModelState& s, PlotState& ps, Surface& surface,
                        char decimalsep) {
    clearvectorstate();
    FastdrawResult result;
    if (autoflag == 1 && autotoggle) {
        result.clearreadout = true;
        ps.pinned = 0;
        autoscale(s);
    }

    const CurveVisibility seen = drawrows(s, ps, surface);
    // A curve that never crossed the plot area: fit the limits once and draw the rows again, whether or
    // not the automatic toggle is on. When autoscale keeps the old limits, the same rows are redrawn.
    if (autoflag == 1 && (!seen.ant || !seen.atpase)) {
        result.clearreadout = true;
        ps.pinned = 0;
        autoscale(s);
        drawrows(s, ps, surface);
    }

    drawframe(ps, surface);
    if (ps.pinned == 1) drawmarker(ps, surface, ps.pressx, ps.pressy);
    drawticks(s, ps, surface, decimalsep);

    result.tbymin = shorttext(siground(s.ymin + ps.yshift, axisboxdigits), decimalsep);
    result.tbymax = shorttext(siground(s.ymax + ps.yshift, axisboxdigits), decimalsep);
    result.tbxmin = shorttext(siground(s.xmin - ps.xshift, axisboxdigits), decimalsep);
    result.tbxmax = shorttext(siground(s.xmax - ps.xshift, axisboxdigits), decimalsep);
    return result;
}

} // namespace kelvora
