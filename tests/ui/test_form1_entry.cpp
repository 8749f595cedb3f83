// The panel's boxes and sliders: Enter, Escape, leaving the box, a slider step, and the red marks.
#include <QFocusEvent>
#include <QSlider>

#include "uitest.h"

namespace kelvora::uitest {
namespace {

class Entry : public Shown {};

TEST_F(Entry, EnterAppliesCorrectsAndMarks) {
    // A pHo value (7.25, range 6 ... 8, hard limits 0.01 and 20): the table, the boxes, the slider range.
    struct Typed {
        const char* text;
        float value;
        const char *valuetext, *mintext, *maxtext;
        bool valuered;
        int sliderminimum, slidermaximum;
    };
    for (const Typed& c : {Typed{"9", 9.0f, "9", "6", "9", false, 600, 900}, // widens the range
                           Typed{"25", 20.0f, "20", "6", "20", true, 600, 2000},
                           Typed{"abc", 0.01f, "0.01", "0.01", "8", true, 1, 800}}) { // no number reads 0
        closewindow();
        ASSERT_TRUE(QFile::remove(path("Kelvora.ini")));
        start(true);
        const QImage before = picture();
        enter(f().tbValue[pHo], c.text);
        EXPECT_EQ(f().model.params[pHo].value, c.value) << c.text;
        EXPECT_EQ(text(f().tbValue[pHo]), withsep(c.valuetext)) << c.text;
        EXPECT_EQ(text(f().tbMin[pHo]), withsep(c.mintext)) << c.text;
        EXPECT_EQ(text(f().tbMax[pHo]), withsep(c.maxtext)) << c.text;
        EXPECT_EQ(isred(f().tbValue[pHo]), c.valuered) << c.text;
        EXPECT_TRUE(isblack(f().tbMin[pHo]) && isblack(f().tbMax[pHo])) << c.text;
        EXPECT_EQ(f().Slider[pHo]->minimum(), c.sliderminimum) << c.text;
        EXPECT_EQ(f().Slider[pHo]->maximum(), c.slidermaximum) << c.text;
        EXPECT_NE(picture(), before) << c.text;
    }
    // A minimum above the maximum marks the maximum box; typing clears the value box's mark only.
    enter(f().tbMin[pHo], "8.5");
    enter(f().tbValue[pHo], "25");
    EXPECT_TRUE(isred(f().tbMax[pHo]));
    ASSERT_TRUE(isred(f().tbValue[pHo]));
    QTest::keyClick(f().tbValue[pHo], Qt::Key_Backspace);
    EXPECT_TRUE(isblack(f().tbValue[pHo]));
    QTest::keyClick(f().tbMax[pHo], Qt::Key_Backspace);
    EXPECT_TRUE(isred(f().tbMax[pHo]));
}

TEST_F(Entry, ASliderStepChangesTheValueTheBoxesAndThePlotAndClearsTheMarksOfItsRow) {
    enter(f().tbMin[pHo], "8.5");  // the maximum box turns red
    enter(f().tbValue[pHo], "30"); // the value box turns red too
    enter(f().tbMax[pHi], "30");   // another row's mark
    ASSERT_TRUE(isred(f().tbMax[pHo]) && isred(f().tbValue[pHo]) && isred(f().tbMax[pHi]));
    const QImage before = picture();
    f().Slider[pHo]->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f().Slider[pHo], Qt::Key_Down); // one step down, away from the maximum
    EXPECT_EQ(f().model.params[pHo].value, 19.99f);
    EXPECT_EQ(text(f().tbValue[pHo]), withsep("19.99"));
    EXPECT_TRUE(isblack(f().tbValue[pHo]) && isblack(f().tbMin[pHo]) && isblack(f().tbMax[pHo]));
    EXPECT_TRUE(isred(f().tbMax[pHi]));
    EXPECT_NE(picture(), before);
}

TEST_F(Entry, EscapeRestoresTheStoredTextsLeavingTheBoxApplies) {
    typeinto(f().tbValue[pHi], "5");
    QTest::keyClick(f().tbValue[pHi], Qt::Key_Escape);
    EXPECT_EQ(text(f().tbValue[pHi]), withsep("7.38"));
    EXPECT_EQ(f().model.params[pHi].value, 7.38f);

    // The window losing the focus to another program or to a menu applies nothing.
    typeinto(f().tbValue[pHo], "7.5");
    for (const Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        QFocusEvent away(QEvent::FocusOut, reason);
        QApplication::sendEvent(f().tbValue[pHo], &away);
    }
    EXPECT_EQ(f().model.params[pHo].value, 7.25f);
    // Another control taking the focus does.
    f().tbValue[pHi]->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(f().model.params[pHo].value, 7.5f);
    // Escape and leaving applies the restored text, not the typed one.
    typeinto(f().tbValue[pHo], "5");
    QTest::keyClick(f().tbValue[pHo], Qt::Key_Escape);
    f().tbValue[pHi]->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(f().model.params[pHo].value, 7.5f);
}

} // namespace
} // namespace kelvora::uitest
