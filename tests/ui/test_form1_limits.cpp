// The axis limits in the window: the automatic toggle, the four typed limits and Set.
#include <QSlider>
#include <limits>

#include "model/crossing.h"
#include "uitest.h"

namespace kelvora::uitest {
namespace {

class Limits : public Shown {
  protected:
    std::vector<QWidget*> manualcontrols() {
        return {f().cmdSet, f().tbxmin, f().tbxmax, f().tbymin, f().tbymax};
    }
    // Whether the rendered button shows a pixel of exactly this colour (its caption's core pixels).
    static bool showscolour(QWidget* w, QRgb colour) {
        const QImage image = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == colour) return true;
        return false;
    }
    void expectfitted(const ModelState& before) {
        ModelState expected = before;
        autoscale(expected);
        EXPECT_EQ(limits(), AxisLimits({expected.xmin, expected.xmax, expected.ymin, expected.ymax}));
    }
};

TEST_F(Limits, SwitchingAutomaticOnFitsTheLimitsAndLocksTheManualControls) {
    // Far from both curves; the fit must bring them back.
    setlimits("0", "10", "5", "6");
    click(200, 100);
    ASSERT_EQ(f().plot.pinned, 1);
    const ModelState before = f().model;

    QTest::mouseClick(f().cmdAuto, Qt::LeftButton);
    EXPECT_TRUE(f().cmdAuto->isChecked());
    EXPECT_EQ(f().cmdAuto->text(), QStringLiteral("Automatic on"));
    expectfitted(before);
    EXPECT_NE(f().model.xmin, 0.0);
    for (const QWidget* w : manualcontrols())
        EXPECT_FALSE(w->isEnabled());
    // The fit drops the marker and the frozen readout.
    EXPECT_EQ(f().plot.pinned, 0);
    EXPECT_EQ(readout(), ReadoutText());
    EXPECT_EQ(readoutenabled(), 0);
    EXPECT_EQ(f().cmdAuto->palette().color(QPalette::ButtonText), QColor(0, 180, 0));
    EXPECT_TRUE(showscolour(f().cmdAuto, qRgb(0, 180, 0)));

    // Off again: the manual controls come back, the limits stay, nothing is redrawn.
    const QImage fitted = picture();
    const AxisLimits fittedlimits = limits();
    QTest::mouseClick(f().cmdAuto, Qt::LeftButton);
    EXPECT_FALSE(f().cmdAuto->isChecked());
    EXPECT_EQ(f().cmdAuto->text(), QStringLiteral("Automatic off"));
    for (const QWidget* w : manualcontrols())
        EXPECT_TRUE(w->isEnabled());
    EXPECT_EQ(limits(), fittedlimits);
    EXPECT_EQ(picture(), fitted);
    EXPECT_EQ(f().cmdAuto->palette().color(QPalette::ButtonText), QColor(0, 0, 0));
    EXPECT_FALSE(showscolour(f().cmdAuto, qRgb(0, 180, 0)));
}

TEST_F(Limits, WhileAutomaticASliderStepFitsAgain) {
    QTest::mouseClick(f().cmdAuto, Qt::LeftButton);
    f().Slider[pHo]->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f().Slider[pHo], Qt::Key_PageUp);
    ASSERT_NE(f().model.params[pHo].value, 7.25f);
    expectfitted(f().model);
}

TEST_F(Limits, SetIsDisabledWhileTheTypedLimitsAreOutOfOrder) {
    // Each entry is typed on top of the ones before it.
    struct Typed {
        QLineEdit* box;
        const char* text;
        bool valid;
    };
    for (const Typed t : {Typed{f().tbxmin, "-80", false}, // x minimum equal to x maximum
                          Typed{f().tbxmin, "-100", true}, Typed{f().tbxmax, "-120", false},
                          Typed{f().tbxmax, "-90", true}, Typed{f().tbymin, "-0.5", false},
                          Typed{f().tbymin, "", true},   // an emptied box reads as 0, a valid y minimum
                          Typed{f().tbymax, "0", false}, // y minimum equal to y maximum
                          Typed{f().tbymax, "2,5", true}}) {
        typeinto(t.box, t.text);
        if (!*t.text) QTest::keyClick(t.box, Qt::Key_Backspace);
        ASSERT_EQ(text(t.box), t.text);
        EXPECT_EQ(f().cmdSet->isEnabled(), t.valid) << t.text;
    }
    QTest::mouseClick(f().cmdSet, Qt::LeftButton);
    EXPECT_EQ(limits(), AxisLimits({-100, -90, 0, 2.5}));
}

TEST_F(Limits, SetAppliesTheTypedLimitsAndDropsTheMarker) {
    click(200, 100);
    ASSERT_EQ(f().plot.pinned, 1);
    setlimits("-150.5", "-90.25", "0.5", "2.75");
    EXPECT_EQ(limits(), AxisLimits({-150.5, -90.25, 0.5, 2.75}));
    EXPECT_EQ(f().plot.pinned, 0);
    EXPECT_EQ(readout(), ReadoutText());
    EXPECT_EQ(readoutenabled(), 0);
    EXPECT_FALSE(f().cmdAuto->isChecked());
    // The redraw writes the limits back as the plot shows them.
    EXPECT_EQ(text(f().tbxmin), withsep("-150.5"));
    EXPECT_EQ(text(f().tbymax), withsep("2.75"));
}

TEST_F(Limits, SetFollowsWhatTheRedrawWroteIntoTheBoxes) {
    // Limits 1e-5 apart at -100 mV: the boxes, written with five digits, both read -100, which Set
    // could not apply; it is disabled at once rather than refusing a click later.
    setlimits("-100.00001", "-99.99999", "0", "3");
    ASSERT_EQ(text(f().tbxmin), "-100");
    ASSERT_EQ(text(f().tbxmax), "-100");
    EXPECT_FALSE(f().cmdSet->isEnabled());
    EXPECT_EQ(f().model.xmin, -100.00001);
    EXPECT_EQ(f().model.xmax, -99.99999);

    // An invalid entry disables Set; a redraw that writes valid limits over it enables it again.
    typeinto(f().tbymin, "5");
    EXPECT_FALSE(f().cmdSet->isEnabled());
    f().model.xmin = -160;
    f().model.xmax = -80;
    f().fastdraw(0);
    EXPECT_EQ(text(f().tbymin), "0");
    EXPECT_TRUE(f().cmdSet->isEnabled());
}

TEST_F(Limits, TypedLimitsWhoseSpanOverflowsAreRefused) {
    typeinto(f().tbxmin, "-1e308");
    typeinto(f().tbxmax, "1e308");
    EXPECT_FALSE(f().cmdSet->isEnabled());
    f().cmdSet_Click();
    EXPECT_EQ(limits(), AxisLimits({-160, -80, 0, 3}));
    // A span of 1e308 is still a number; so is one up to the largest number, which 1e309 reads as.
    typeinto(f().tbxmin, "0");
    EXPECT_TRUE(f().cmdSet->isEnabled());
    typeinto(f().tbymax, "1e309");
    EXPECT_TRUE(f().cmdSet->isEnabled());
    QTest::mouseClick(f().cmdSet, Qt::LeftButton);
    EXPECT_EQ(limits(), AxisLimits({0, 1e308, 0, std::numeric_limits<double>::max()}));
    move(200, 100);
    EXPECT_FALSE(f().Text2->text().isEmpty());
}

TEST_F(Limits, APanThatWouldOverflowKeepsTheLimits) {
    setlimits("-1.79e308", "-1.6e308", "0", "3");
    move(200, 100);
    EXPECT_FALSE(f().Text1->text().isEmpty());
    press(100, 100);
    move(450, 100);
    EXPECT_EQ(f().plot.xshift, 0.0); // the drawing stays
    EXPECT_EQ(text(f().tbxmin), withsep("-1.79E+308"));
    release(450, 100);
    EXPECT_EQ(limits(), AxisLimits({-1.79e308, -1.6e308, 0, 3}));
    EXPECT_EQ(f().plot.pinned, 0);
    // A pan that stays within range still moves them.
    drag(200, 100, 100, 100);
    EXPECT_GT(f().model.xmin, -1.79e308);
    doubleclick(200, 100, Qt::RightButton); // span beyond a million: the limits stay
    EXPECT_GT(f().model.xmin, -1.79e308);
    EXPECT_LT(f().model.xmin, f().model.xmax);
}

} // namespace
} // namespace kelvora::uitest
