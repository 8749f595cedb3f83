// Typed values, minima and maxima in the panel: Enter, Escape, leaving the box, and the red marks.
#include <QFocusEvent>
#include <QSlider>

#include "uitest.h"

namespace kelvora::uitest {
namespace {

class Entry : public Shown {};

// One entry in a pHo box (value 7.25, range 6 ... 8, step 0.01, hard limits 0.01 and 20) and Enter:
// what the table then holds, what the three boxes show and which of them are marked red.
struct Typed {
    int box; // 0 value, 1 minimum, 2 maximum
    const char* text;
    float value;
    double min, max;
    const char *valuetext, *mintext, *maxtext;
    bool valuered, minred, maxred;
    int sliderminimum, slidermaximum;
};

TEST_F(Entry, EnterAppliesCorrectsAndMarks) {
    const Typed cases[] = {
        {0, "9", 9.0f, 6, 9, "9", "6", "9", false, false, false, 600, 900}, // widens the range
        {0, "25", 20.0f, 6, 20, "20", "6", "20", true, false, false, 600, 2000},
        {0, "abc", 0.01f, 0.01, 8, "0.01", "0.01", "8", true, false, false, 1, 800}, // no number reads 0
        {0, "7,4", 7.4f, 6, 8, "7.4", "6", "8", false, false, false, 600, 800},      // comma or point
        {1, "8.5", 8.5f, 8.5, 8.51, "8.5", "8.5", "8.51", false, false, true, 850, 851},
        {1, "6.123", 7.25f, 6.12, 8, "7.25", "6.12", "8", false, false, false, 612, 800},
        {1, "25", 19.99f, 1999 * 0.01, 20, "19.99", "19.99", "20", false, true, true, 1999, 2000},
        {2, "30", 7.25f, 6, 20, "7.25", "6", "20", false, false, true, 600, 2000},
        {2, "0.005", 0.02f, 0.01, 0.02, "0.02", "0.01", "0.02", false, true, true, 1, 2},
    };
    for (const Typed& c : cases) {
        closewindow();
        ASSERT_TRUE(QFile::remove(path("Kelvora.ini")));
        start(true);
        const QImage before = picture();
        QLineEdit* const boxes[] = {f().tbValue[pHo], f().tbMin[pHo], f().tbMax[pHo]};
        enter(boxes[c.box], c.text);
        const parameter& p = f().model.params[pHo];
        const std::string what = std::to_string(c.box) + " " + c.text;
        EXPECT_EQ(p.value, c.value) << what;
        EXPECT_EQ(p.min, c.min) << what;
        EXPECT_EQ(p.max, c.max) << what;
        EXPECT_EQ(p.inc, 0.01) << what;
        EXPECT_EQ(text(f().tbValue[pHo]), withsep(c.valuetext)) << what;
        EXPECT_EQ(text(f().tbMin[pHo]), withsep(c.mintext)) << what;
        EXPECT_EQ(text(f().tbMax[pHo]), withsep(c.maxtext)) << what;
        EXPECT_EQ(isred(f().tbValue[pHo]), c.valuered) << what;
        EXPECT_EQ(isred(f().tbMin[pHo]), c.minred) << what;
        EXPECT_EQ(isred(f().tbMax[pHo]), c.maxred) << what;
        EXPECT_EQ(f().Slider[pHo]->minimum(), c.sliderminimum) << what;
        EXPECT_EQ(f().Slider[pHo]->maximum(), c.slidermaximum) << what;
        if (c.value != 7.25f) {
            EXPECT_NE(picture(), before) << what;
        }
    }
}

TEST_F(Entry, TypingClearsTheRedMarkOfTheValueBoxOnly) {
    enter(f().tbMin[pHo], "8.5");
    enter(f().tbValue[pHo], "25");
    ASSERT_TRUE(isred(f().tbValue[pHo]));
    ASSERT_TRUE(isred(f().tbMax[pHo]));
    QTest::keyClick(f().tbValue[pHo], Qt::Key_Backspace);
    EXPECT_TRUE(isblack(f().tbValue[pHo]));
    // The maximum box has no change handler: typing in it keeps the mark.
    QTest::keyClick(f().tbMax[pHo], Qt::Key_Backspace);
    EXPECT_TRUE(isred(f().tbMax[pHo]));
}

TEST_F(Entry, EscapeRestoresTheStoredTextsAndAppliesNothing) {
    // The value shows at most 7 digits of its single precision, the range at most 15 of double.
    f().model.params[pHi].value = 7.123456789f;
    f().model.params[pHi].min = 6.0 + 1.0 / 3.0;
    for (QLineEdit* box : {f().tbValue[pHi], f().tbMin[pHi], f().tbMax[ADPout]}) {
        QTest::keyClicks(box, QStringLiteral("5"));
        QTest::keyClick(box, Qt::Key_Escape);
    }
    EXPECT_EQ(text(f().tbValue[pHi]), withsep("7.123457"));
    EXPECT_EQ(text(f().tbMin[pHi]), withsep("6.33333333333333"));
    EXPECT_EQ(text(f().tbMax[ADPout]), "2");
    EXPECT_EQ(f().model.params[pHi].value, 7.123456789f);
    EXPECT_EQ(f().model.params[pHi].min, 6.0 + 1.0 / 3.0);
    EXPECT_EQ(f().model.params[ADPout].max, 2.0);
}

TEST_F(Entry, LeavingTheBoxApplies) {
    // The window losing the focus to another program or to a menu applies nothing.
    typeinto(f().tbValue[pHo], "7.5");
    for (const Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        QFocusEvent away(QEvent::FocusOut, reason);
        QApplication::sendEvent(f().tbValue[pHo], &away);
    }
    EXPECT_EQ(f().model.params[pHo].value, 7.25f);
    EXPECT_EQ(text(f().tbValue[pHo]), "7.5");
    // Another control taking the focus does.
    f().tbValue[pHi]->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(f().model.params[pHo].value, 7.5f);
    typeinto(f().tbMax[n], "4.2");
    f().tbymin->setFocus(Qt::MouseFocusReason);
    EXPECT_DOUBLE_EQ(f().model.params[n].max, 4.2);

    // Enter keeps the typed value exact; leaving then applies the six-digit text the box shows.
    enter(f().tbValue[pHo], "7.1234567");
    EXPECT_EQ(f().model.params[pHo].value, 7.1234567f);
    EXPECT_EQ(text(f().tbValue[pHo]), withsep("7.12346"));
    f().tbValue[pHi]->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(f().model.params[pHo].value, 7.12346f);

    // Escape and leaving applies the restored text, not the typed one.
    enter(f().tbValue[pHo], "7.25");
    typeinto(f().tbValue[pHo], "5");
    QTest::keyClick(f().tbValue[pHo], Qt::Key_Escape);
    f().tbValue[pHi]->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(f().model.params[pHo].value, 7.25f);
    EXPECT_EQ(f().model.params[pHo].max, 8.0);
}

} // namespace
} // namespace kelvora::uitest
