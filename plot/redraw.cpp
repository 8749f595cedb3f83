#include "plot/redraw.h"

#include "model/crossing.h"
#include "plot/curves.h"

namespace kelvora {

bool redraw(bool mayfit, bool automatic, ModelState& s, PlotState& ps, Surface& surface, char decimalsep) {
    bool fitted = false;
    if (mayfit && automatic) {
        setlimits(s, fittedlimits(s));
        fitted = true;
        ps.pinned = false;
    }
    const CurveVisibility seen = drawplot(s, ps, surface, decimalsep);
    // When the fit keeps the old limits, the same picture is drawn again.
    if (mayfit && (!seen.ant || !seen.atpase)) {
        setlimits(s, fittedlimits(s));
        fitted = true;
        ps.pinned = false;
        drawplot(s, ps, surface, decimalsep);
    }
    return fitted;
}

} // namespace kelvora
