// The sliders in the window: set from the table, moved by the user, read back into the table.
#include <QSlider>

#include "model/parameters.h"
#include "ui/plotwidget.h"
#include "uitest.h"

namespace kelvora::uitest {
namespace {

class Sliders : public InTempDir {
  protected:
    void SetUp() override {
        InTempDir::SetUp();
        start(true);
    }
    Form1& f() { return *form; }
    std::string withsep(const char* withpoint) const {
        std::string s = withpoint;
        for (char& c : s)
            if (c == '.') c = form->sep;
        return s;
    }
};

struct Expected {
    int index, minimum, maximum, position, tick;
};

TEST_F(Sliders, StartUpSetsRangePositionAndTicks) {
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

TEST_F(Sliders, AStepChangesTheValueTheBoxesAndThePlotAndClearsTheMarks) {
    typeinto(f().tbMin[pHo], QStringLiteral("8.5")); // the maximum box turns red
    QTest::keyClick(f().tbMin[pHo], Qt::Key_Return);
    typeinto(f().tbValue[pHo], QStringLiteral("30")); // the value box turns red too
    QTest::keyClick(f().tbValue[pHo], Qt::Key_Return);
    ASSERT_TRUE(isred(f().tbMax[pHo]));
    ASSERT_TRUE(isred(f().tbValue[pHo]));
    ASSERT_EQ(f().model.params[pHo].value, 20.0f);
    const QImage before = f().Picture1->surface().image().copy();

    f().Slider[pHo]->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f().Slider[pHo], Qt::Key_Down); // one step down, away from the maximum
    EXPECT_EQ(f().model.params[pHo].value, 19.99f);
    EXPECT_EQ(text(f().tbValue[pHo]), withsep("19.99"));
    EXPECT_TRUE(isblack(f().tbValue[pHo]));
    EXPECT_TRUE(isblack(f().tbMin[pHo]));
    EXPECT_TRUE(isblack(f().tbMax[pHo]));
    EXPECT_NE(f().Picture1->surface().image(), before);
}

TEST_F(Sliders, UpMovesTowardsTheMaximum) {
    QTest::keyClick(f().Slider[T], Qt::Key_Up);
    EXPECT_EQ(f().model.params[T].value, 38.0f);
    EXPECT_EQ(text(f().tbValue[T]), "38");
    QTest::keyClick(f().Slider[T], Qt::Key_End); // the bottom end: the minimum
    EXPECT_EQ(f().model.params[T].value, 20.0f);
    QTest::keyClick(f().Slider[T], Qt::Key_Home);
    EXPECT_EQ(f().model.params[T].value, 40.0f);
}

TEST_F(Sliders, DraggingTheThumbFollowsTheMouse) {
    QSlider* s = f().Slider[pHo];
    // Press on the thumb, drag it to the top of the track: the value becomes the maximum.
    QPoint thumb(s->width() / 2, 0);
    for (int y = 0; y < s->height(); ++y) {
        // A press on the thumb starts a drag; a press on the track pages instead.
        QTest::mousePress(s, Qt::LeftButton, {}, QPoint(thumb.x(), y));
        if (s->isSliderDown()) {
            thumb.setY(y);
            break;
        }
        QTest::mouseRelease(s, Qt::LeftButton, {}, QPoint(thumb.x(), y));
        s->setValue(675);
    }
    ASSERT_TRUE(s->isSliderDown());
    for (int y = thumb.y() - 10; y >= -20; y -= 10) {
        QMouseEvent move(QEvent::MouseMove, QPointF(thumb.x(), y), s->mapToGlobal(QPointF(thumb.x(), y)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(s, &move);
    }
    QTest::mouseRelease(s, Qt::LeftButton, {}, QPoint(thumb.x(), -20));
    EXPECT_EQ(f().model.params[pHo].value, 8.0f);
    EXPECT_EQ(text(f().tbValue[pHo]), "8");
}

TEST_F(Sliders, SetslidersShowsOutOfRangeValuesAtTheEndsWithoutChangingThem) {
    f().model.params[pHo].value = 9.0f;
    f().model.params[pHi].value = 5.0f;
    f().setsliders();
    EXPECT_EQ(f().Slider[pHo]->value(), f().Slider[pHo]->minimum());
    EXPECT_EQ(f().Slider[pHi]->value(), f().Slider[pHi]->maximum());
    EXPECT_EQ(f().model.params[pHo].value, 9.0f);
    EXPECT_EQ(f().model.params[pHi].value, 5.0f);
}

TEST_F(Sliders, LabelrefreshPutsValuesOnTheSliderGrid) {
    f().model.params[pHo].value = 7.254f;
    f().setsliders();
    EXPECT_EQ(f().Slider[pHo]->value(), 675);
    f().labelrefresh();
    EXPECT_EQ(f().model.params[pHo].value, 7.25f);
    EXPECT_EQ(text(f().tbValue[pHo]), withsep("7.25"));
}

TEST_F(Sliders, TheProgramsOwnSliderChangesKeepTheMarksOfAnEntry) {
    // The range change of the entry moves the slider while the entry runs; the mark stays.
    typeinto(f().tbValue[pHo], QStringLiteral("25"));
    QTest::keyClick(f().tbValue[pHo], Qt::Key_Return);
    EXPECT_TRUE(isred(f().tbValue[pHo]));
    EXPECT_EQ(f().Slider[pHo]->maximum(), 2000);
    // Outside an entry, a change of the position clears the marks of its row only.
    typeinto(f().tbMax[pHi], QStringLiteral("30"));
    QTest::keyClick(f().tbMax[pHi], Qt::Key_Return);
    ASSERT_TRUE(isred(f().tbMax[pHi]));
    f().Slider[pHo]->setValue(700);
    EXPECT_TRUE(isblack(f().tbValue[pHo]));
    EXPECT_TRUE(isred(f().tbMax[pHi]));
}

} // namespace
} // namespace kelvora::uitest
