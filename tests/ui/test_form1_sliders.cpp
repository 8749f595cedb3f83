// The sliders in the window: set from the table, moved by the user, read back into the table.
#include <QSlider>

#include "uitest.h"

namespace kelvora::uitest {
namespace {

class Sliders : public Shown {};

TEST_F(Sliders, StartUpSetsRangePositionAndTicks) {
    struct Expected {
        int index, minimum, maximum, position, tick;
    };
    for (const Expected e : {Expected{pHo, 600, 800, 675, 10}, Expected{ATPin, 1, 1200, 601, 59},
                             Expected{T, 20, 40, 23, 1}, Expected{ADPout, 10, 20000, 19910, 999}}) {
        const QSlider* s = f().Slider[e.index];
        EXPECT_EQ(s->minimum(), e.minimum) << e.index;
        EXPECT_EQ(s->maximum(), e.maximum) << e.index;
        EXPECT_EQ(s->value(), e.position) << e.index;
        EXPECT_EQ(s->tickInterval(), e.tick) << e.index;
        EXPECT_EQ(s->pageStep(), e.tick) << e.index;
        EXPECT_EQ(s->singleStep(), 1) << e.index;
    }
}

TEST_F(Sliders, AStepChangesTheValueTheBoxesAndThePlotAndClearsTheMarksOfItsRow) {
    enter(f().tbMin[pHo], "8.5");  // the maximum box turns red
    enter(f().tbValue[pHo], "30"); // the value box turns red too
    enter(f().tbMax[pHi], "30");   // another row's mark
    ASSERT_TRUE(isred(f().tbMax[pHo]));
    ASSERT_TRUE(isred(f().tbValue[pHo]));
    ASSERT_TRUE(isred(f().tbMax[pHi]));
    ASSERT_EQ(f().model.params[pHo].value, 20.0f);
    const QImage before = picture();

    f().Slider[pHo]->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f().Slider[pHo], Qt::Key_Down); // one step down, away from the maximum
    EXPECT_EQ(f().model.params[pHo].value, 19.99f);
    EXPECT_EQ(text(f().tbValue[pHo]), withsep("19.99"));
    EXPECT_TRUE(isblack(f().tbValue[pHo]));
    EXPECT_TRUE(isblack(f().tbMin[pHo]));
    EXPECT_TRUE(isblack(f().tbMax[pHo]));
    EXPECT_TRUE(isred(f().tbMax[pHi]));
    EXPECT_NE(picture(), before);
}

TEST_F(Sliders, SetslidersShowsValuesLabelrefreshPutsThemOnTheGrid) {
    // Out of range: the thumb stands at the end, the value is not changed.
    f().model.params[pHo].value = 9.0f;
    f().model.params[pHi].value = 5.0f;
    f().setsliders();
    EXPECT_EQ(f().Slider[pHo]->value(), f().Slider[pHo]->minimum());
    EXPECT_EQ(f().Slider[pHi]->value(), f().Slider[pHi]->maximum());
    EXPECT_EQ(f().model.params[pHo].value, 9.0f);
    EXPECT_EQ(f().model.params[pHi].value, 5.0f);

    // 7.254 is shown at position 675 (725.4 rounded) and reads back as 7.25.
    f().model.params[pHo].value = 7.254f;
    f().setsliders();
    EXPECT_EQ(f().Slider[pHo]->value(), 675);
    f().labelrefresh();
    EXPECT_EQ(f().model.params[pHo].value, 7.25f);
    EXPECT_EQ(text(f().tbValue[pHo]), withsep("7.25"));
}

} // namespace
} // namespace kelvora::uitest
