// The plot rows with their colour zones and the two curves, then frame, marker and ticks.
#include "plot/curves.h"

#include "model/potentials.h"
#include "plot/frame.h"
#include "plot/mapping.h"
#include "plot/reference.h"
#include "plot/ticks.h"

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

bool crosses(int previous, int current, int l, int r) {
    return (previous < r && current > l) || (current < r && previous > l);
}

} // namespace

CurveVisibility drawrows(const ModelState& s, const PlotState& ps, Surface& surface) {
    const PotentialTerms terms = prepareterms(s);
    const DeviceGeometry d = devicegeometry(ps);
    const int n = d.rows;
    const int l = d.left;
    const int r = d.right;
    const int thickness = d.length(curvewidth);
    const int onepixel = d.length(1);
    const int bottomrows = d.length(visibilitybottomrows);
    // With the ratio on the y axis and the plot starting at 0, the curves run out along the bottom row.
    const bool bottomrule = s.ymin + ps.yshift == 0.0 && s.yaxis == ratioaxis;

    CurveVisibility seen;
    int pa0 = 0; // columns of the previous drawn row
    int pb0 = 0;
    bool haveprevious = false;
    for (int i = 0; i < n; ++i) {
        const int row = d.top + i;
        const double y = rowvalue(s, ps, n, i);
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

        const int pa = offsetcolumn(d, valueoffset(s, ps, d, e.ant));
        const int pb = offsetcolumn(d, valueoffset(s, ps, d, e.atpase));

        surface.line(l, row, pa, row, plotcolours::leftzone);
        if (pa < pb) {
            surface.line(pa, row, pb, row, plotcolours::betweenzone);
            surface.line(pb, row, r, row, plotcolours::rightzone);
        } else {
            surface.line(pb, row, pa, row, plotcolours::reversedzone);
            surface.line(pa, row, r, row, plotcolours::rightzone);
        }

        // Each curve joined to the previous drawn row, as wide as two logical pixels.
        if (haveprevious) {
            // The synthase's curve is drawn last: where the two meet, it lies on top.
            for (int k = 0; k < thickness; ++k)
                surface.line(pa0 + k, row - 1, pa + k, row, ps.antcolour);
            for (int k = 0; k < thickness; ++k)
                surface.line(pb0 + k, row - 1, pb + k, row, ps.atpasecolour);
            if (i < n - bottomrows) {
                if (crosses(pa0, pa, l, r)) seen.ant = true;
                if (crosses(pb0, pb, l, r)) seen.atpase = true;
            }
        }

        if (i == n - 1) {
            if (bottomrule) {
                surface.line(l, row, pa + onepixel, row, ps.antcolour);
                surface.line(pb - onepixel, row, r, row, ps.atpasecolour);
            } else {
                // The end pixels that the last segments leave out.
                for (int k = 0; k < thickness; ++k)
                    surface.pset(pa + k, row, ps.antcolour);
                for (int k = 0; k < thickness; ++k)
                    surface.pset(pb + k, row, ps.atpasecolour);
            }
        }

        pa0 = pa;
        pb0 = pb;
        haveprevious = true;
    }
    return seen;
}

void drawmarker(const PlotState& ps, Surface& surface, int x, int y) {
    // Strokes one logical pixel wide, whole logical pixels long, both end pixels included.
    const DeviceGeometry d = devicegeometry(ps);
    const int s = ps.markersize;
    auto vertical = [&](int column, int top, int bottom, Colour c) {
        surface.fillrect(d.at(column), d.at(top), d.length(1), d.at(bottom + 1) - d.at(top), c);
    };
    auto horizontal = [&](int row, int left, int right, Colour c) {
        surface.fillrect(d.at(left), d.at(row), d.at(right + 1) - d.at(left), d.length(1), c);
    };

    for (int column : {x - 1, x + 1, int{x}})
        vertical(column, y - s - 1, y + s + 1, ps.markeredge);
    for (int row : {y - 1, y + 1, int{y}})
        horizontal(row, x - s - 1, x + s + 1, ps.markeredge);
    vertical(x, y - s, y + s, ps.markercentre);
    horizontal(y, x - s, x + s, ps.markercentre);
}

CurveVisibility drawplot(const ModelState& s, const PlotState& ps, Surface& surface, char decimalsep) {
    clearvectorstate();
    const CurveVisibility seen = drawrows(s, ps, surface);
    drawreference(s, ps, surface);
    drawframe(ps, surface);
    if (ps.pinned) drawmarker(ps, surface, ps.pressx, ps.pressy);
    drawticks(s, ps, surface, decimalsep);
    return seen;
}

} // namespace kelvora
