// Where the panel's columns stand for each y-axis choice. The expected positions were worked out
// separately, step by step in single precision, with every position snapped to the whole pixel the
// toolkit keeps before the next column is placed from it.
#include <gtest/gtest.h>
#include <vector>

#include "ui/panelgeometry.h"

namespace kelvora {
namespace {

const std::array<float, panelarrays> design{600.0f, 480.0f, 480.0f, 480.0f, 360.0f, 480.0f};

std::vector<int> lefts(const PanelPlacement& p, PanelArray a) {
    std::vector<int> out;
    for (const PanelColumn& c : p.columns)
        out.push_back(static_cast<int>(c.left[a]));
    return out;
}

std::vector<int> hidden(const PanelPlacement& p) {
    std::vector<int> out;
    for (int i = 0; i <= lastindex; ++i)
        if (!p.columns[i].visible) out.push_back(i);
    return out;
}

TEST(PanelGeometry, RatioHidesATPinAndADPinAndSpacesEvenly) {
    const PanelPlacement p = panelgeometry(ratioaxis, design);
    EXPECT_TRUE(p.image2visible);
    EXPECT_EQ(hidden(p), (std::vector<int>{0, 1}));
    // ATPout stands where ATPin would, plus 240 x 0.96 twips (830.4, kept as pixel 55).
    EXPECT_EQ(lefts(p, SliderArray),
              (std::vector<int>{600,  825,  825,  1635, 2445,  3255,  4065,  4875,  5685,  6495,
                                7305, 8115, 8925, 9735, 10545, 11355, 12165, 12975, 13785, 14595}));
    EXPECT_EQ(lefts(p, tbMaxArray),
              (std::vector<int>{480,  705,  705,  1515, 2325,  3135,  3945,  4755,  5565,  6375,
                                7185, 7995, 8805, 9615, 10425, 11235, 12045, 12855, 13665, 14475}));
    EXPECT_EQ(lefts(p, lbNameArray),
              (std::vector<int>{360,  585,  585,  1395, 2205,  3015,  3825,  4635,  5445,  6255,
                                7065, 7875, 8685, 9495, 10305, 11115, 11925, 12735, 13545, 14355}));
    EXPECT_EQ(lefts(p, tbMinArray), lefts(p, tbMaxArray));
    EXPECT_EQ(lefts(p, tbValueArray), lefts(p, tbMaxArray));
    EXPECT_EQ(lefts(p, lbUnitArray), lefts(p, tbMaxArray));
}

TEST(PanelGeometry, TemperatureHidesOnlyItsColumn) {
    const PanelPlacement p = panelgeometry(T, design);
    EXPECT_FALSE(p.image2visible);
    EXPECT_EQ(hidden(p), (std::vector<int>{17}));
    EXPECT_EQ(lefts(p, SliderArray),
              (std::vector<int>{600,  1335, 2070, 2805,  3540,  4275,  5010,  5745,  6480,  7290,
                                8100, 8910, 9720, 10530, 11340, 12150, 12960, 12960, 13905, 14640}));
    // The hidden T column sits on the Mg column; KM(adp) stands 1080 x 0.87 = 939.6 twips right of Mg.
    EXPECT_EQ(p.columns[T].left, p.columns[Mg].left);
    EXPECT_NEAR(p.columns[KMadp].left[SliderArray] - p.columns[Mg].left[SliderArray], 939.6, 7.5);
}

TEST(PanelGeometry, FirstParameterOnTheAxis) {
    const PanelPlacement p = panelgeometry(ATPin, design);
    EXPECT_EQ(hidden(p), (std::vector<int>{0}));
    EXPECT_FALSE(p.image2visible);
    // ADPin stands 240 x 0.87 twips right of the place of the hidden ATPin column.
    EXPECT_EQ(p.columns[ADPin].left[SliderArray], 810.0f);
    EXPECT_EQ(p.columns[ADPin].left[tbMaxArray], 690.0f);
    EXPECT_EQ(p.columns[lastindex].left[SliderArray], 14640.0f);
}

TEST(PanelGeometry, SecondParameterOnTheAxis) {
    const PanelPlacement p = panelgeometry(ADPin, design);
    EXPECT_EQ(hidden(p), (std::vector<int>{1}));
    EXPECT_EQ(p.columns[ADPin].left, p.columns[ATPin].left);
    EXPECT_EQ(p.columns[ATPout].left[SliderArray], 1545.0f); // 600 + 1080 x 0.87, kept as pixel 103
}

TEST(PanelGeometry, LastParameterOnTheAxis) {
    const PanelPlacement p = panelgeometry(KMatp, design);
    EXPECT_EQ(hidden(p), (std::vector<int>{19}));
    EXPECT_EQ(p.columns[KMatp].left, p.columns[KMadp].left);
    EXPECT_EQ(p.columns[KMadp].left[SliderArray], 14430.0f);
}

TEST(PanelGeometry, EveryMiddleChoiceHidesExactlyItsColumn) {
    for (int16_t y = 2; y <= 18; ++y) {
        const PanelPlacement p = panelgeometry(y, design);
        EXPECT_EQ(hidden(p), (std::vector<int>{y})) << "y-axis index " << y;
        EXPECT_EQ(p.columns[y].left, p.columns[y - 1].left) << "y-axis index " << y;
        // The next column stands 1080 twips (scaled) right of the previous visible one.
        const float f = (y + 1 >= 9 && y + 1 < 17) ? widefactor : narrowfactor;
        EXPECT_NEAR(p.columns[y + 1].left[SliderArray] - p.columns[y - 1].left[SliderArray], 1080.0 * f, 7.5)
            << "y-axis index " << y;
    }
}

TEST(PanelGeometry, PositionsAreSinglePrecisionSums) {
    // Without the toolkit's pixel grid the positions are plain single-precision sums.
    const PanelPlacement p = panelgeometry(ratioaxis, design, [](float twips) { return twips; });
    const float third = 600.0f + 240.0f * widefactor + 840.0f * widefactor;
    EXPECT_EQ(p.columns[3].left[SliderArray], third);
    const PanelPlacement q = panelgeometry(Mg, design, [](float twips) { return twips; });
    float left = 600.0f;
    for (int i = 1; i <= 8; ++i)
        left += 840.0f * narrowfactor;
    EXPECT_EQ(q.columns[8].left[SliderArray], left);
}

} // namespace
} // namespace kelvora
