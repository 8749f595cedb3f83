// Typed values, minima and maxima in the panel: Enter, Escape, leaving the box, and the red marks.
#include <QFocusEvent>
#include <QSlider>

#include "ui/plotwidget.h"
#include "uitest.h"

namespace kelvora::uitest {
namespace {

class Entry : public InTempDir {
  protected:
    Form1& f() { return *form; }
    void SetUp() override {
        InTempDir::SetUp();
        start(true);
    }
    void enter(QLineEdit* box, const char* typed) {
        typeinto(box, QString::fromLatin1(typed));
        QTest::keyClick(box, Qt::Key_Return);
    }
    std::string withsep(const char* withpoint) const {
        std::string s = withpoint;
        for (char& c : s)
            if (c == '.') c = form->sep;
        return s;
    }
};

TEST_F(Entry, ValueNineWidensTheRange) {
    const QImage before = f().Picture1->surface().image().copy();
    enter(f().tbValue[pHo], "9");
    const parameter& p = f().model.params[pHo];
    EXPECT_EQ(p.value, 9.0f);
    EXPECT_EQ(p.max, 9.0);
    EXPECT_EQ(p.inc, 0.01);
    EXPECT_EQ(text(f().tbValue[pHo]), "9");
    EXPECT_EQ(text(f().tbMax[pHo]), "9");
    EXPECT_TRUE(isblack(f().tbValue[pHo]));
    EXPECT_TRUE(isblack(f().tbMax[pHo]));
    EXPECT_EQ(f().Slider[pHo]->maximum(), 900);
    EXPECT_EQ(f().Slider[pHo]->value(), 600); // at the top, the maximum
    EXPECT_NE(f().Picture1->surface().image(), before);
}

TEST_F(Entry, ValueAboveTheHardLimitIsCorrectedAndMarked) {
    enter(f().tbValue[pHo], "25");
    EXPECT_EQ(f().model.params[pHo].value, 20.0f);
    EXPECT_EQ(f().model.params[pHo].max, 20.0);
    EXPECT_EQ(text(f().tbValue[pHo]), "20");
    EXPECT_EQ(text(f().tbMax[pHo]), "20");
    EXPECT_TRUE(isred(f().tbValue[pHo]));
    EXPECT_TRUE(isblack(f().tbMax[pHo]));
    EXPECT_TRUE(isblack(f().tbMin[pHo]));
}

TEST_F(Entry, TextWithoutANumberReadsAsZero) {
    enter(f().tbValue[pHo], "abc");
    EXPECT_EQ(f().model.params[pHo].value, 0.01f);
    EXPECT_EQ(f().model.params[pHo].min, 0.01);
    EXPECT_EQ(text(f().tbValue[pHo]), withsep("0.01"));
    EXPECT_EQ(text(f().tbMin[pHo]), withsep("0.01"));
    EXPECT_TRUE(isred(f().tbValue[pHo]));
    EXPECT_EQ(f().Slider[pHo]->minimum(), 1);
}

TEST_F(Entry, TypingClearsTheRedMarkOfTheValueBox) {
    enter(f().tbValue[pHo], "25");
    ASSERT_TRUE(isred(f().tbValue[pHo]));
    QTest::keyClick(f().tbValue[pHo], Qt::Key_Backspace);
    EXPECT_TRUE(isblack(f().tbValue[pHo]));
}

TEST_F(Entry, DecimalCommaAndPointBothRead) {
    enter(f().tbValue[pHo], "7,4");
    EXPECT_EQ(f().model.params[pHo].value, 7.4f);
    enter(f().tbValue[pHo], "7.3");
    EXPECT_EQ(f().model.params[pHo].value, 7.3f);
}

TEST_F(Entry, MinimumAboveTheMaximumPushesTheMaximum) {
    enter(f().tbMin[pHo], "8.5");
    const parameter& p = f().model.params[pHo];
    EXPECT_EQ(p.min, 8.5);
    EXPECT_DOUBLE_EQ(p.max, 8.51);
    EXPECT_EQ(p.value, 8.5f);
    EXPECT_TRUE(isred(f().tbMax[pHo]));
    EXPECT_TRUE(isblack(f().tbMin[pHo]));
    EXPECT_EQ(text(f().tbMax[pHo]), withsep("8.51"));
    EXPECT_EQ(text(f().tbValue[pHo]), withsep("8.5"));
    // The maximum box has no change handler: typing in it keeps the mark.
    QTest::keyClick(f().tbMax[pHo], Qt::Key_Backspace);
    EXPECT_TRUE(isred(f().tbMax[pHo]));
}

TEST_F(Entry, MinimumOnTheStepGridIsTakenAsIs) {
    enter(f().tbMin[pHo], "6.123");
    EXPECT_DOUBLE_EQ(f().model.params[pHo].min, 6.12);
    EXPECT_EQ(f().model.params[pHo].value, 7.25f);
    EXPECT_TRUE(isblack(f().tbMin[pHo]));
    EXPECT_TRUE(isblack(f().tbMax[pHo]));
}

TEST_F(Entry, MaximumBelowTheHardLimitMarksBothRangeBoxes) {
    enter(f().tbMax[pHo], "0.005");
    const parameter& p = f().model.params[pHo];
    EXPECT_DOUBLE_EQ(p.max, 0.02);
    EXPECT_DOUBLE_EQ(p.min, 0.01);
    EXPECT_EQ(p.value, 0.02f);
    EXPECT_TRUE(isred(f().tbMax[pHo]));
    EXPECT_TRUE(isred(f().tbMin[pHo]));
    EXPECT_EQ(text(f().tbValue[pHo]), withsep("0.02"));
}

TEST_F(Entry, MaximumAboveTheHardLimit) {
    enter(f().tbMax[pHo], "30");
    EXPECT_EQ(f().model.params[pHo].max, 20.0);
    EXPECT_TRUE(isred(f().tbMax[pHo]));
    EXPECT_EQ(f().Slider[pHo]->maximum(), 2000);
}

TEST_F(Entry, EscapeRestoresTheStoredTextsAndAppliesNothing) {
    typeinto(f().tbValue[pHo], QStringLiteral("5"));
    QTest::keyClick(f().tbValue[pHo], Qt::Key_Escape);
    EXPECT_EQ(text(f().tbValue[pHo]), withsep("7.25"));
    EXPECT_EQ(f().model.params[pHo].value, 7.25f);

    typeinto(f().tbMin[ATPout], QStringLiteral("3"));
    QTest::keyClick(f().tbMin[ATPout], Qt::Key_Escape);
    EXPECT_EQ(text(f().tbMin[ATPout]), withsep("0.1"));

    typeinto(f().tbMax[ADPout], QStringLiteral("1"));
    QTest::keyClick(f().tbMax[ADPout], Qt::Key_Escape);
    EXPECT_EQ(text(f().tbMax[ADPout]), "2");
    EXPECT_EQ(f().model.params[ADPout].max, 2.0);
}

TEST_F(Entry, EscapeWritesTheValueInSingleAndTheRangeInDoublePrecision) {
    // A value that single precision cannot hold exactly shows at most 7 digits; a minimum at most 15.
    f().model.params[pHi].value = 7.123456789f;
    f().model.params[pHi].min = 6.0 + 1.0 / 3.0;
    QTest::keyClick(f().tbValue[pHi], Qt::Key_Escape);
    QTest::keyClick(f().tbMin[pHi], Qt::Key_Escape);
    EXPECT_EQ(text(f().tbValue[pHi]), withsep("7.123457"));
    EXPECT_EQ(text(f().tbMin[pHi]), withsep("6.33333333333333"));
}

TEST_F(Entry, LeavingTheBoxApplies) {
    typeinto(f().tbValue[pHo], QStringLiteral("7.5"));
    f().tbValue[pHi]->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(f().model.params[pHo].value, 7.5f);

    typeinto(f().tbMax[n], QStringLiteral("4.2"));
    f().tbymin->setFocus(Qt::MouseFocusReason);
    EXPECT_DOUBLE_EQ(f().model.params[n].max, 4.2);
}

TEST_F(Entry, TheWindowLosingTheFocusAppliesNothing) {
    typeinto(f().tbValue[pHo], QStringLiteral("7.5"));
    QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(f().tbValue[pHo], &away);
    QFocusEvent menu(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(f().tbValue[pHo], &menu);
    EXPECT_EQ(f().model.params[pHo].value, 7.25f);
    EXPECT_EQ(text(f().tbValue[pHo]), "7.5");
}

TEST_F(Entry, EscapeThenLeavingAppliesTheRestoredText) {
    typeinto(f().tbValue[pHo], QStringLiteral("5"));
    QTest::keyClick(f().tbValue[pHo], Qt::Key_Escape);
    f().tbValue[pHi]->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(f().model.params[pHo].value, 7.25f);
    EXPECT_EQ(f().model.params[pHo].max, 8.0);
}

TEST_F(Entry, EnterThenLeavingAppliesTheRefreshedText) {
    // Enter keeps the typed value exact; leaving applies the six-digit text the box then shows.
    enter(f().tbValue[pHo], "7.1234567");
    EXPECT_EQ(f().model.params[pHo].value, 7.1234567f);
    EXPECT_EQ(text(f().tbValue[pHo]), withsep("7.12346"));
    f().tbValue[pHi]->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(f().model.params[pHo].value, 7.12346f);
}

} // namespace
} // namespace kelvora::uitest
