// The axis limits in the window: the automatic toggle, the four typed limits and Set.
#include <QPushButton>
#include <QSlider>
#include <limits>

#include "model/crossing.h"
#include "plotmouse.h"

namespace kelvora::uitest {
namespace {

class Limits : public PlotMouse {
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
};

TEST_F(Limits, SwitchingAutomaticOnFitsTheLimitsAndLocksTheManualControls) {
    // Far from both curves; the fit must bring them back.
    setlimits(QStringLiteral("0"), QStringLiteral("10"), QStringLiteral("5"), QStringLiteral("6"));
    click(200, 100);
    ASSERT_EQ(f().plot.pinned, 1);
    ModelState expected = f().model;
    autoscale(expected);
    ASSERT_NE(expected.xmin, 0.0);

    QTest::mouseClick(f().cmdAuto, Qt::LeftButton);
    EXPECT_TRUE(f().cmdAuto->isChecked());
    EXPECT_EQ(f().cmdAuto->text(), QStringLiteral("Automatic on"));
    EXPECT_EQ(f().model.xmin, expected.xmin);
    EXPECT_EQ(f().model.xmax, expected.xmax);
    EXPECT_EQ(f().model.ymin, expected.ymin);
    EXPECT_EQ(f().model.ymax, expected.ymax);
    for (const QWidget* w : manualcontrols())
        EXPECT_FALSE(w->isEnabled());
    // The fit drops the marker and the frozen readout.
    EXPECT_EQ(f().plot.pinned, 0);
    EXPECT_TRUE(f().Text1->text().isEmpty());
    EXPECT_FALSE(f().Text1->isEnabled());
    EXPECT_EQ(f().cmdAuto->palette().color(QPalette::ButtonText), QColor(0, 180, 0));
    EXPECT_TRUE(showscolour(f().cmdAuto, rgb(0, 180, 0)));

    // Off again: the manual controls come back, the limits stay, nothing is redrawn.
    const QImage before = picture();
    QTest::mouseClick(f().cmdAuto, Qt::LeftButton);
    EXPECT_FALSE(f().cmdAuto->isChecked());
    EXPECT_EQ(f().cmdAuto->text(), QStringLiteral("Automatic off"));
    for (const QWidget* w : manualcontrols())
        EXPECT_TRUE(w->isEnabled());
    EXPECT_EQ(f().model.xmin, expected.xmin);
    EXPECT_EQ(picture(), before);
    EXPECT_EQ(f().cmdAuto->palette().color(QPalette::ButtonText), QColor(0, 0, 0));
    EXPECT_FALSE(showscolour(f().cmdAuto, rgb(0, 180, 0)));
}

TEST_F(Limits, WhileAutomaticASliderStepFitsAgain) {
    QTest::mouseClick(f().cmdAuto, Qt::LeftButton);
    f().Slider[pHo]->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f().Slider[pHo], Qt::Key_PageUp);
    ModelState expected = f().model;
    autoscale(expected);
    EXPECT_EQ(f().model.xmin, expected.xmin);
    EXPECT_EQ(f().model.xmax, expected.xmax);
    EXPECT_EQ(f().model.ymax, expected.ymax);
}

TEST_F(Limits, SetIsDisabledWhileTheTypedLimitsAreOutOfOrder) {
    EXPECT_TRUE(f().cmdSet->isEnabled());
    typeinto(f().tbxmin, QStringLiteral("-80"));
    EXPECT_FALSE(f().cmdSet->isEnabled()); // x minimum equal to x maximum
    typeinto(f().tbxmin, QStringLiteral("-100"));
    EXPECT_TRUE(f().cmdSet->isEnabled());
    typeinto(f().tbxmax, QStringLiteral("-120"));
    EXPECT_FALSE(f().cmdSet->isEnabled());
    typeinto(f().tbxmax, QStringLiteral("-90"));
    EXPECT_TRUE(f().cmdSet->isEnabled());
    typeinto(f().tbymin, QStringLiteral("-0.5"));
    EXPECT_FALSE(f().cmdSet->isEnabled());
    typeinto(f().tbymin, QStringLiteral("3"));
    EXPECT_FALSE(f().cmdSet->isEnabled()); // y minimum equal to y maximum
    // An emptied box reads as 0, which is a valid y minimum.
    f().tbymin->setFocus(Qt::MouseFocusReason);
    f().tbymin->selectAll();
    QTest::keyClick(f().tbymin, Qt::Key_Backspace);
    ASSERT_TRUE(f().tbymin->text().isEmpty());
    EXPECT_TRUE(f().cmdSet->isEnabled());
    // A comma works as well as a point.
    typeinto(f().tbymax, QStringLiteral("2,5"));
    EXPECT_TRUE(f().cmdSet->isEnabled());
    QTest::mouseClick(f().cmdSet, Qt::LeftButton);
    EXPECT_EQ(f().model.xmin, -100.0);
    EXPECT_EQ(f().model.xmax, -90.0);
    EXPECT_EQ(f().model.ymin, 0.0);
    EXPECT_EQ(f().model.ymax, 2.5);
}

TEST_F(Limits, SetAppliesTheTypedLimitsAndDropsTheMarker) {
    click(200, 100);
    ASSERT_EQ(f().plot.pinned, 1);
    setlimits(QStringLiteral("-150.5"), QStringLiteral("-90.25"), QStringLiteral("0.5"),
              QStringLiteral("2.75"));
    EXPECT_EQ(f().model.xmin, -150.5);
    EXPECT_EQ(f().model.xmax, -90.25);
    EXPECT_EQ(f().model.ymin, 0.5);
    EXPECT_EQ(f().model.ymax, 2.75);
    EXPECT_EQ(f().plot.pinned, 0);
    EXPECT_TRUE(f().Text1->text().isEmpty());
    EXPECT_FALSE(f().Text1->isEnabled());
    EXPECT_FALSE(f().cmdAuto->isChecked());
    // The redraw writes the limits back as the plot shows them.
    EXPECT_EQ(text(f().tbxmin), withsep("-150.5"));
    EXPECT_EQ(text(f().tbymax), withsep("2.75"));
}

TEST_F(Limits, SetFollowsWhatTheRedrawWroteIntoTheBoxes) {
    // Limits 1e-5 apart at -100 mV: the boxes, written with five digits, both read -100, which Set
    // could not apply; it is disabled at once rather than refusing a click later.
    setlimits(QStringLiteral("-100.00001"), QStringLiteral("-99.99999"), QStringLiteral("0"),
              QStringLiteral("3"));
    ASSERT_EQ(text(f().tbxmin), "-100");
    ASSERT_EQ(text(f().tbxmax), "-100");
    EXPECT_FALSE(f().cmdSet->isEnabled());
    EXPECT_EQ(f().model.xmin, -100.00001);
    EXPECT_EQ(f().model.xmax, -99.99999);

    // An invalid entry disables Set; a redraw that writes valid limits over it enables it again.
    typeinto(f().tbymin, QStringLiteral("5"));
    EXPECT_FALSE(f().cmdSet->isEnabled());
    f().model.xmin = -160;
    f().model.xmax = -80;
    f().fastdraw(0);
    EXPECT_EQ(text(f().tbymin), "0");
    EXPECT_TRUE(f().cmdSet->isEnabled());
}

TEST_F(Limits, TypedLimitsWhoseSpanOverflowsAreRefused) {
    typeinto(f().tbxmin, QStringLiteral("-1e308"));
    typeinto(f().tbxmax, QStringLiteral("1e308"));
    EXPECT_FALSE(f().cmdSet->isEnabled());
    f().cmdSet_Click();
    EXPECT_EQ(f().model.xmin, -160.0);
    EXPECT_EQ(f().model.xmax, -80.0);
    // A span of 1e308 is still a number; so is one up to the largest number, which 1e309 reads as.
    typeinto(f().tbxmin, QStringLiteral("0"));
    EXPECT_TRUE(f().cmdSet->isEnabled());
    typeinto(f().tbymax, QStringLiteral("1e309"));
    EXPECT_TRUE(f().cmdSet->isEnabled());
    QTest::mouseClick(f().cmdSet, Qt::LeftButton);
    EXPECT_EQ(f().model.xmin, 0.0);
    EXPECT_EQ(f().model.xmax, 1e308);
    EXPECT_EQ(f().model.ymax, std::numeric_limits<double>::max());
    move(200, 100);
    EXPECT_FALSE(f().Text2->text().isEmpty());
}

TEST_F(Limits, APanThatWouldOverflowKeepsTheLimits) {
    setlimits(QStringLiteral("-1.79e308"), QStringLiteral("-1.6e308"), QStringLiteral("0"),
              QStringLiteral("3"));
    move(200, 100);
    EXPECT_FALSE(f().Text1->text().isEmpty());
    press(100, 100);
    move(450, 100);
    EXPECT_EQ(f().plot.xshift, 0.0); // the drawing stays
    EXPECT_EQ(text(f().tbxmin), withsep("-1.79E+308"));
    release(450, 100);
    EXPECT_EQ(f().model.xmin, -1.79e308);
    EXPECT_EQ(f().model.xmax, -1.6e308);
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
