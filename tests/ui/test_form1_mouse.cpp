// The mouse on the plot: readout, pinned marker, pan by dragging, zoom by double click, the pointer,
// and moves that arrive while one is still being handled.
#include <numbers>

#include "uitest.h"

namespace kelvora::uitest {
namespace {

constexpr double root2 = std::numbers::sqrt2;

class Mouse : public Shown {
  protected:
    // The readout of the surface pixel (200, 100) with the start limits -160 ... -80 mV and 0 ... 3:
    // (200 - 60) / 461 * 80 - 160 = -135.70..., (280 - 100) / 270 * 3 = 2.
    ReadoutText pxpy() const { return {withsep("-135.7 mV"), "2"}; }
};

constexpr int px = 200;
constexpr int py = 100;
const AxisLimits startlimits{-160, -80, 0, 3};

TEST_F(Mouse, HoverReadsOutThePointAndEmptiesInTheMargins) {
    move(px, py);
    EXPECT_EQ(readout(), pxpy());
    EXPECT_EQ(readoutenabled(), 0);
    move(left + W, top + N); // the lower right corner of the plot area: x = -80, y = 0, ends included
    EXPECT_EQ(readout(), ReadoutText("-80 mV", "0"));

    for (const QPoint margin :
         {QPoint(left - 1, py), QPoint(left + W + 1, py), QPoint(px, top - 1), QPoint(px, top + N + 1)}) {
        move(px, py);
        move(margin.x(), margin.y());
        EXPECT_EQ(readout(), ReadoutText()) << margin.x() << "," << margin.y();
    }
}

TEST_F(Mouse, AClickPinsTheMarkerASecondRemovesItAndOneInAMarginPinsNothing) {
    move(px, py);
    const QImage before = picture();
    click(px, py);
    EXPECT_EQ(f().plot.pinned, 1);
    EXPECT_EQ(readout(), pxpy());
    EXPECT_EQ(readoutenabled(), 2);
    // The marker stands at the pressed pixel: a white cross of arms 5, outlined in black.
    const QImage pinned = picture();
    const QRgb white = qRgb(255, 255, 255), black = qRgb(0, 0, 0);
    for (const auto& [dx, dy, colour] :
         {std::tuple{0, 0, white}, std::tuple{5, 0, white}, std::tuple{0, -5, white}, std::tuple{6, 0, black},
          std::tuple{0, -6, black}, std::tuple{7, 0, before.pixel(px + 7, py)}})
        EXPECT_EQ(pinned.pixel(px + dx, py + dy), colour) << dx << "," << dy;

    // The readout stays frozen while the pointer wanders.
    move(px + 50, py + 50);
    EXPECT_EQ(readout(), pxpy());
    EXPECT_EQ(readoutenabled(), 2);

    click(px + 50, py + 50);
    EXPECT_EQ(f().plot.pinned, 0);
    EXPECT_EQ(readoutenabled(), 0);
    EXPECT_EQ(picture(), before);
    EXPECT_EQ(limits(), startlimits); // a click does not pan

    // A click in the margin, or under the plot area, unpins and empties the readout.
    click(px, py);
    ASSERT_EQ(f().plot.pinned, 1);
    for (const QPoint margin : {QPoint(left / 2, py), QPoint(px, top + N + 10)}) {
        click(margin.x(), margin.y());
        EXPECT_EQ(f().plot.pinned, 0);
        EXPECT_EQ(readout(), ReadoutText());
        EXPECT_EQ(readoutenabled(), 0);
        EXPECT_NE(picture().pixel(px, py), white);
    }
}

TEST_F(Mouse, ADragToTheRightLowersBothXLimitsByTheDraggedFraction) {
    click(px, py); // pinned before the drag
    ASSERT_EQ(f().plot.pinned, 1);

    press(px, py);
    EXPECT_EQ(f().Picture1->cursor().shape(), Qt::SizeAllCursor);
    move(px + 5, py);
    EXPECT_EQ(f().plot.pinned, 0);
    EXPECT_EQ(readout(), ReadoutText()); // no readout while dragging
    move(px + 10, py);
    // While the button is held the limits stay; the drawing and the boxes follow the offset.
    const double shift = 10.0 / W * 80.0;
    EXPECT_EQ(limits(), startlimits);
    EXPECT_DOUBLE_EQ(f().plot.xshift, shift);
    EXPECT_EQ(text(f().tbxmin), withsep("-161.74"));
    EXPECT_EQ(text(f().tbxmax), withsep("-81.735"));
    EXPECT_EQ(f().Picture1->cursor().shape(), Qt::SizeAllCursor);

    release(px + 10, py);
    EXPECT_DOUBLE_EQ(f().model.xmin, -160.0 - shift);
    EXPECT_DOUBLE_EQ(f().model.xmax, -80.0 - shift);
    EXPECT_EQ(f().model.ymin, 0.0);
    EXPECT_EQ(f().model.ymax, 3.0);
    EXPECT_EQ(f().plot.xshift, 0.0);
    EXPECT_EQ(f().plot.yshift, 0.0);
    EXPECT_EQ(f().plot.pinned, 0);
    EXPECT_EQ(f().Picture1->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(text(f().tbxmin), withsep("-161.74"));
    // The value under the pointer is the one that was under the press: the plot moved with the mouse.
    EXPECT_EQ(readout(), pxpy());
    EXPECT_EQ(readoutenabled(), 0);
}

TEST_F(Mouse, ADragSwitchesAutomaticLimitsOff) {
    QTest::mouseClick(f().cmdAuto, Qt::LeftButton);
    ASSERT_FALSE(f().cmdSet->isEnabled());
    const AxisLimits fitted = limits();
    press(px, py);
    move(px + 10, py);
    EXPECT_FALSE(f().cmdAuto->isChecked());
    EXPECT_EQ(f().cmdAuto->text(), QStringLiteral("Automatic off"));
    for (const QWidget* w :
         std::initializer_list<QWidget*>{f().cmdSet, f().tbxmin, f().tbxmax, f().tbymin, f().tbymax})
        EXPECT_TRUE(w->isEnabled());
    release(px + 10, py);
    // The pan is taken from the fitted limits; nothing fits them again.
    const double shift = 10.0 / W * (fitted[1] - fitted[0]);
    EXPECT_DOUBLE_EQ(f().model.xmin, fitted[0] - shift);
    EXPECT_DOUBLE_EQ(f().model.xmax, fitted[1] - shift);
    EXPECT_FALSE(f().cmdAuto->isChecked());
}

TEST_F(Mouse, DragsInYAndWithTheRightButton) {
    // Upward with ymin 0: the y limits stay.
    drag(px, 150, px, 120);
    EXPECT_EQ(limits(), startlimits);
    EXPECT_EQ(text(f().tbymin), "0");
    EXPECT_EQ(text(f().tbymax), "3");
    // Downward: both y limits rise by the dragged fraction of the span.
    drag(px, 120, px, 147);
    EXPECT_DOUBLE_EQ(f().model.ymin, 27.0 / N * 3.0);
    EXPECT_DOUBLE_EQ(f().model.ymax, 3.0 + 27.0 / N * 3.0);
    EXPECT_EQ(f().model.xmin, -160.0);
    EXPECT_EQ(f().model.xmax, -80.0);
    EXPECT_EQ(text(f().tbymin), withsep("0.3"));
    EXPECT_EQ(text(f().tbymax), withsep("3.3"));
    // Back up further than the way down: the lower limit stops at 0 and keeps the span.
    drag(px, 147, px, 60);
    EXPECT_EQ(f().model.ymin, 0.0);
    EXPECT_DOUBLE_EQ(f().model.ymax, 3.0);
    // The right button pans too.
    drag(px, py, px - 20, py, Qt::RightButton);
    EXPECT_DOUBLE_EQ(f().model.xmin, -160.0 + 20.0 / W * 80.0);
}

TEST_F(Mouse, DoubleClicksZoomAroundThePoint) {
    // Right: pixel row 145 is y = 1.5; widening 0 ... 3 by root 2 around it would start below 0, so the
    // range is lifted to start at 0.
    doubleclick(290, 145, Qt::RightButton);
    const double cx = 230.0 / W * 80.0 - 160.0;
    EXPECT_EQ(f().model.ymin, 0.0);
    EXPECT_NEAR(f().model.ymax, 3.0 * root2, 1e-12);
    EXPECT_DOUBLE_EQ(f().model.xmin, (-160.0 - cx) * root2 + cx);
    EXPECT_DOUBLE_EQ(f().model.xmax, (-80.0 - cx) * root2 + cx);
    EXPECT_EQ(f().plot.pinned, 0);

    // Left, on the middle of 0 ... 4: both y limits move toward it by the factor 1 / root 2.
    setlimits("-160", "-80", "0", "4");
    const QImage before = picture();
    doubleclick(290, 145);
    EXPECT_DOUBLE_EQ(f().model.ymin, 2.0 - 2.0 / root2);
    EXPECT_DOUBLE_EQ(f().model.ymax, 2.0 + 2.0 / root2);
    EXPECT_NEAR(f().model.ymax - f().model.ymin, 4.0 / root2, 1e-12);
    EXPECT_DOUBLE_EQ(f().model.xmin, (-160.0 - cx) / root2 + cx);
    EXPECT_DOUBLE_EQ(f().model.xmax, (-80.0 - cx) / root2 + cx);
    // The clicks of the double click pin nothing.
    EXPECT_EQ(f().plot.pinned, 0);
    EXPECT_EQ(f().plot.dblclicked, 0);
    EXPECT_EQ(readoutenabled(), 0);
    EXPECT_NE(picture(), before);
    EXPECT_NE(picture().pixel(290, 145), qRgb(255, 255, 255));
}

TEST_F(Mouse, TheDoubleClickLeavesTheAutomaticToggleOn) {
    QTest::mouseClick(f().cmdAuto, Qt::LeftButton);
    const double span = f().model.xmax - f().model.xmin;
    doubleclick(px, py);
    EXPECT_TRUE(f().cmdAuto->isChecked());
    EXPECT_NEAR(f().model.xmax - f().model.xmin, span / root2, 1e-9);
}

TEST_F(Mouse, ZoomStopsBelowAMillionthAndAboveAMillion) {
    // Zoom in: an x span under 1e-6 stays as it is, and nothing else moves.
    setlimits("-100", "-99.9999995", "0", "3");
    doubleclick(px, py);
    EXPECT_EQ(limits(), AxisLimits({-100, -99.9999995, 0, 3}));
    // Zoom out: a y span of exactly 1e6 may still grow, a larger one not.
    setlimits("-160", "-80", "0", "1000000");
    doubleclick(px, py, Qt::RightButton);
    EXPECT_NEAR(f().model.ymax - f().model.ymin, 1e6 * root2, 1e-6);
    const AxisLimits grown = limits();
    doubleclick(px, py, Qt::RightButton);
    EXPECT_EQ(limits(), grown);
}

TEST_F(Mouse, AMoveThatArrivesWhileOneIsHandledIsDropped) {
    // The second move waits in the queue; the first lets it in while it runs, and must ignore it.
    QCoreApplication::postEvent(f().Picture1, event(QEvent::MouseMove, px + 100, py + 50, Qt::NoButton));
    send(QEvent::MouseMove, px, py, Qt::NoButton);
    EXPECT_EQ(readout(), pxpy());
    EXPECT_EQ(f().plot.movebusy, 0);
    // Once the move is done, the next one is handled again.
    move(left, top);
    EXPECT_EQ(text(f().Text1), "-160 mV");
}

TEST_F(Mouse, AReleaseThatRunsInsideAMoveEndsTheDragThere) {
    send(QEvent::MouseButtonPress, px, py, Qt::LeftButton);
    // The release is already waiting when the move to half way comes in.
    QCoreApplication::postEvent(f().Picture1, event(QEvent::MouseButtonRelease, px + 10, py, Qt::NoButton));
    send(QEvent::MouseMove, px + 5, py, Qt::LeftButton);
    // The pan is the release's, and no offset of the stale move is left over the committed limits.
    EXPECT_EQ(f().plot.dragging, 0);
    EXPECT_EQ(f().plot.xshift, 0.0);
    EXPECT_DOUBLE_EQ(f().model.xmin, -160.0 - 10.0 / W * 80.0);
    EXPECT_EQ(text(f().tbxmin), withsep("-161.74"));
}

TEST_F(Mouse, TheRedrawOfADragSeesWhatRanInsideTheMove) {
    send(QEvent::MouseButtonPress, px, py, Qt::LeftButton);
    // A click on the toggle is waiting when the move comes in: it fits the limits before the move's
    // offset is taken from them.
    QMetaObject::invokeMethod(f().cmdAuto, "click", Qt::QueuedConnection);
    send(QEvent::MouseMove, px + 10, py, Qt::LeftButton);
    ASSERT_TRUE(f().cmdAuto->isChecked());
    ASSERT_NE(f().model.xmax - f().model.xmin, 80.0);
    EXPECT_DOUBLE_EQ(f().plot.xshift, 10.0 / W * (f().model.xmax - f().model.xmin));
    send(QEvent::MouseButtonRelease, px + 10, py, Qt::NoButton);
}

} // namespace
} // namespace kelvora::uitest
