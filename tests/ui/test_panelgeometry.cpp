// Where the panel's columns stand for each y-axis choice. The expected positions were worked out
// separately, step by step in single precision, with every position snapped to the whole pixel the
// toolkit keeps before the next column is placed from it.
#include <gtest/gtest.h>
#include <vector>

#include "ui/panelgeometry.h"

namespace kelvora {
namespace {

const std::array<float, panelarrays> design{600.0f, 480.0f, 480.0f, 480.0f, 360.0f, 480.0f};

TEST(PanelGeometry, EachChoiceHidesItsColumnOnItsLeftNeighbour) {
    for (int16_t y = ratioaxis; y <= lastindex; ++y) {
        const PanelPlacement p = panelgeometry(y, design);
        std::vector<int> hidden;
        for (int i = 0; i <= lastindex; ++i)
            if (!p.columns[i].visible) hidden.push_back(i);
        // The ratio hides both ATPin and ADPin and is the only choice with the y title picture.
        const std::vector<int> expected =
            y == ratioaxis ? std::vector<int>{ATPin, ADPin} : std::vector<int>{y};
        EXPECT_EQ(hidden, expected) << y;
        EXPECT_EQ(p.image2visible, y == ratioaxis) << y;
        if (y >= 1) {
            EXPECT_EQ(p.columns[y].left, p.columns[y - 1].left) << y;
        }
        // The next column stands 1080 twips (scaled) right of the previous visible one.
        const float f = (y + 1 >= 9 && y + 1 < 17) ? widefactor : narrowfactor;
        if (y >= 2 && y < lastindex) {
            EXPECT_NEAR(p.columns[y + 1].left[SliderArray] - p.columns[y - 1].left[SliderArray], 1080.0 * f,
                        7.5)
                << y;
        }
    }
}

TEST(PanelGeometry, RatioAndTemperatureLayouts) {
    // ATPout stands where ATPin would, plus 240 x 0.96 twips (830.4, kept as pixel 55); with T on the y
    // axis the spacing widens at column 9 and narrows again at 17.
    const std::vector<int> ratio{600,  825,  825,  1635, 2445,  3255,  4065,  4875,  5685,  6495,
                                 7305, 8115, 8925, 9735, 10545, 11355, 12165, 12975, 13785, 14595};
    const std::vector<int> temperature{600,  1335, 2070, 2805,  3540,  4275,  5010,  5745,  6480,  7290,
                                       8100, 8910, 9720, 10530, 11340, 12150, 12960, 12960, 13905, 14640};
    for (const auto& [y, sliders] : {std::pair{ratioaxis, ratio}, std::pair{int16_t{T}, temperature}}) {
        const PanelPlacement p = panelgeometry(y, design);
        // The other arrays follow the slider at their design distance, a whole number of pixels.
        for (int a = 0; a < panelarrays; ++a) {
            std::vector<int> expected, lefts;
            for (int i = 0; i <= lastindex; ++i) {
                expected.push_back(sliders[i] - 600 + static_cast<int>(design[a]));
                lefts.push_back(static_cast<int>(p.columns[i].left[a]));
            }
            EXPECT_EQ(lefts, expected) << "y-axis index " << y << ", array " << a;
        }
    }
}

TEST(PanelGeometry, EdgeChoices) {
    struct Figure {
        int16_t y;
        int column;
        PanelArray array;
        float left;
    };
    for (const Figure c : {
             Figure{ATPin, ADPin, SliderArray, 810.0f}, // 240 x 0.87 right of the hidden ATPin column
             Figure{ATPin, ADPin, tbMaxArray, 690.0f},
             Figure{ATPin, KMatp, SliderArray, 14640.0f},
             Figure{ADPin, ATPout, SliderArray, 1545.0f}, // 600 + 1080 x 0.87, kept as pixel 103
             Figure{KMatp, KMadp, SliderArray, 14430.0f},
         })
        EXPECT_EQ(panelgeometry(c.y, design).columns[c.column].left[c.array], c.left)
            << c.y << " " << c.column;
}

TEST(PanelGeometry, PositionsAreSinglePrecisionSums) {
    // Without the toolkit's pixel grid the positions are plain single-precision sums.
    const auto exact = [](float twips) { return twips; };
    const PanelPlacement p = panelgeometry(ratioaxis, design, exact);
    EXPECT_EQ(p.columns[3].left[SliderArray], 600.0f + 240.0f * widefactor + 840.0f * widefactor);
    const PanelPlacement q = panelgeometry(Mg, design, exact);
    float left = 600.0f;
    for (int i = 1; i <= 8; ++i)
        left += 840.0f * narrowfactor;
    EXPECT_EQ(q.columns[8].left[SliderArray], left);
}

} // namespace
} // namespace kelvora
