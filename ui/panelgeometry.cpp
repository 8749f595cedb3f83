#include "ui/panelgeometry.h"

#include "model/rounding.h"

namespace kelvora {

float pixelgrid(float twips) {
    constexpr int twipsperpixel = 15;
    return static_cast<float>(roundeven32(static_cast<double>(twips) / twipsperpixel) * twipsperpixel);
}

PanelPlacement panelgeometry(int16_t yaxis, const std::array<float, panelarrays>& designleft,
                             const StoredTwips& stored) {
    PanelPlacement placement;

    // Column 0 keeps its design position; with the ratio both ATPin and ADPin leave the panel.
    placement.columns[0].left = designleft;
    placement.columns[0].visible = !(yaxis == ratioaxis || yaxis == 0);

    // The column right of the hidden one gets the extra gap.
    const int s = yaxis > 0 ? yaxis + 1 : 1;
    const float outer = yaxis == ratioaxis ? widefactor : narrowfactor;

    for (int i = 1; i <= lastindex; ++i) {
        float f = outer;
        if (i >= 9 && i < 17) f = widefactor;

        float d = columnpitch;
        bool v = true;
        if (i == 1) {
            d = yaxis > 1 ? columnpitch : 0.0f;
            v = !(yaxis == ratioaxis || yaxis == 1);
        } else if (i == 2) {
            if (yaxis == 2) {
                d = 0.0f;
                v = false;
            } else if (yaxis == ratioaxis) {
                d = 0.0f;
            }
        } else if (yaxis == i) {
            d = 0.0f;
            v = false;
        }
        if (i == s) d += extragap;

        const float step = d * f;
        for (int a = 0; a < panelarrays; ++a)
            placement.columns[i].left[a] = stored(placement.columns[i - 1].left[a] + step);
        placement.columns[i].visible = v;
    }
    return placement;
}

} // namespace kelvora
