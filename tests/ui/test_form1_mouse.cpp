// The mouse on the plot: readout, pinned marker, pan by dragging, zoom by double click, the pointer,
// and moves that arrive while one is still being handled.
#include <QPushButton>
#include <cmath>
#include <numbers>

#include "plotmouse.h"

namespace kelvora::uitest {
namespace {

constexpr double root2 = std::numbers::sqrt2;

class Mouse : public PlotMouse {};

// The surface pixel (200, 100) with the start limits -160 ... -80 mV and 0 ... 3.
constexpr int px = 200;
constexpr int py = 100;
const char* const pxreadout = "-135.7 mV"; // (200 - 60) / 461 * 80 - 160 = -135.70...
const char* const pyreadout = "2";         // (280 - 100) / 270 * 3

TEST_F(Mouse, HoverReadsOutThePointAndEmptiesInTheMargins) {
    move(px, py);
    EXPECT_EQ(text(f().Text1), withsep(pxreadout));
    EXPECT_EQ(text(f().Text2), pyreadout);
    EXPECT_FALSE(f().Text1->isEnabled());
    EXPECT_FALSE(f().Text2->isEnabled());

    move(left + W, top + N); // the lower right corner of the plot area: x = -80, y = 0, ends included
    EXPECT_EQ(text(f().Text1), "-80 mV");
    EXPECT_EQ(text(f().Text2), "0");

    for (const QPoint margin :
         {QPoint(left - 1, py), QPoint(left + W + 1, py), QPoint(px, top - 1), QPoint(px, top + N + 1)}) {
        move(px, py);
        move(margin.x(), margin.y());
        EXPECT_TRUE(f().Text1->text().isEmpty()) << margin.x() << "," << margin.y();
        EXPECT_TRUE(f().Text2->text().isEmpty()) << margin.x() << "," << margin.y();
    }
}

TEST_F(Mouse, AClickPinsTheMarkerAndASecondClickRemovesIt) {
    move(px, py);
    const QImage before = picture();
    click(px, py);
    EXPECT_EQ(f().plot.pinned, 1);
    EXPECT_EQ(text(f().Text1), withsep(pxreadout));
    EXPECT_EQ(text(f().Text2), pyreadout);
    EXPECT_TRUE(f().Text1->isEnabled());
    EXPECT_TRUE(f().Text2->isEnabled());
    // The marker at the pressed pixel: a white cross of arms 5, outlined in black.
    const QImage pinned = picture();
    EXPECT_EQ(pinned.pixel(px, py), rgb(255, 255, 255));
    EXPECT_EQ(pinned.pixel(px + 5, py), rgb(255, 255, 255));
    EXPECT_EQ(pinned.pixel(px, py - 5), rgb(255, 255, 255));
    EXPECT_EQ(pinned.pixel(px + 6, py), rgb(0, 0, 0));
    EXPECT_EQ(pinned.pixel(px, py - 6), rgb(0, 0, 0));
    EXPECT_EQ(pinned.pixel(px - 1, py - 3), rgb(0, 0, 0));
    EXPECT_EQ(pinned.pixel(px + 3, py + 1), rgb(0, 0, 0));
    EXPECT_EQ(pinned.pixel(px + 7, py), before.pixel(px + 7, py));

    // The readout stays frozen while the pointer wanders.
    move(px + 50, py + 50);
    EXPECT_EQ(text(f().Text1), withsep(pxreadout));
    EXPECT_TRUE(f().Text1->isEnabled());

    click(px + 50, py + 50);
    EXPECT_EQ(f().plot.pinned, 0);
    EXPECT_FALSE(f().Text1->isEnabled());
    EXPECT_FALSE(f().Text2->isEnabled());
    EXPECT_EQ(picture(), before);
    // The limits are what they were: a click does not pan.
    EXPECT_EQ(f().model.xmin, -160.0);
    EXPECT_EQ(f().model.xmax, -80.0);
    EXPECT_EQ(f().model.ymin, 0.0);
    EXPECT_EQ(f().model.ymax, 3.0);
}

TEST_F(Mouse, AClickInAMarginEmptiesTheReadoutAndPinsNothing) {
    click(px, py);
    ASSERT_EQ(f().plot.pinned, 1);
    const QImage withmarker = picture();
    click(left / 2, py);
    EXPECT_EQ(f().plot.pinned, 0);
    EXPECT_TRUE(f().Text1->text().isEmpty());
    EXPECT_TRUE(f().Text2->text().isEmpty());
    EXPECT_FALSE(f().Text1->isEnabled());
    EXPECT_NE(picture().pixel(px, py), withmarker.pixel(px, py));
    click(px, top + N + 10); // under the plot area
    EXPECT_EQ(f().plot.pinned, 0);
    EXPECT_TRUE(f().Text1->text().isEmpty());
}

TEST_F(Mouse, ADragToTheRightLowersBothXLimitsByTheDraggedFraction) {
    click(px, py); // pinned before the drag
    ASSERT_EQ(f().plot.pinned, 1);

    press(px, py);
    EXPECT_EQ(f().Picture1->cursor().shape(), Qt::SizeAllCursor);
    move(px + 5, py);
    EXPECT_EQ(f().plot.pinned, 0);
    EXPECT_TRUE(f().Text1->text().isEmpty()); // no readout while dragging
    move(px + 10, py);
    // While the button is held the limits stay; the drawing and the boxes follow the offset.
    const double shift = 10.0 / W * 80.0;
    EXPECT_EQ(f().model.xmin, -160.0);
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
    EXPECT_EQ(text(f().tbxmax), withsep("-81.735"));
    // The value under the pointer is the one that was under the press: the plot moved with the mouse.
    EXPECT_EQ(text(f().Text1), withsep(pxreadout));
    EXPECT_EQ(text(f().Text2), pyreadout);
    EXPECT_FALSE(f().Text1->isEnabled());
}

TEST_F(Mouse, ADragSwitchesAutomaticLimitsOff) {
    QTest::mouseClick(f().cmdAuto, Qt::LeftButton);
    ASSERT_TRUE(f().cmdAuto->isChecked());
    ASSERT_FALSE(f().cmdSet->isEnabled());
    const double xmin = f().model.xmin;
    const double xmax = f().model.xmax;
    press(px, py);
    move(px + 10, py);
    EXPECT_FALSE(f().cmdAuto->isChecked());
    EXPECT_EQ(f().cmdAuto->text(), QStringLiteral("Automatic off"));
    for (const QWidget* w : {static_cast<QWidget*>(f().cmdSet), static_cast<QWidget*>(f().tbxmin),
                             static_cast<QWidget*>(f().tbxmax), static_cast<QWidget*>(f().tbymin),
                             static_cast<QWidget*>(f().tbymax)})
        EXPECT_TRUE(w->isEnabled());
    release(px + 10, py);
    // The pan is taken from the fitted limits; nothing fits them again.
    const double shift = 10.0 / W * (xmax - xmin);
    EXPECT_DOUBLE_EQ(f().model.xmin, xmin - shift);
    EXPECT_DOUBLE_EQ(f().model.xmax, xmax - shift);
    EXPECT_FALSE(f().cmdAuto->isChecked());
}

TEST_F(Mouse, ADragUpwardAtYminZeroLeavesYAlone) {
    drag(px, 150, px, 120);
    EXPECT_EQ(f().model.ymin, 0.0);
    EXPECT_EQ(f().model.ymax, 3.0);
    EXPECT_EQ(text(f().tbymin), "0");
    EXPECT_EQ(text(f().tbymax), "3");
}

TEST_F(Mouse, ADragDownwardRaisesBothYLimitsByTheDraggedFraction) {
    drag(px, 120, px, 147);
    const double shift = 27.0 / N * 3.0;
    EXPECT_DOUBLE_EQ(f().model.ymin, shift);
    EXPECT_DOUBLE_EQ(f().model.ymax, 3.0 + shift);
    EXPECT_EQ(f().model.xmin, -160.0);
    EXPECT_EQ(f().model.xmax, -80.0);
    EXPECT_EQ(text(f().tbymin), withsep("0.3"));
    EXPECT_EQ(text(f().tbymax), withsep("3.3"));
    // Back up again, further than the way down: the lower limit stops at 0 and keeps the span.
    drag(px, 147, px, 60);
    EXPECT_EQ(f().model.ymin, 0.0);
    EXPECT_DOUBLE_EQ(f().model.ymax, 3.0);
}

TEST_F(Mouse, ADragWithTheRightButtonPansToo) {
    drag(px, py, px - 20, py, Qt::RightButton);
    EXPECT_DOUBLE_EQ(f().model.xmin, -160.0 + 20.0 / W * 80.0);
}

TEST_F(Mouse, LeftDoubleClickZoomsInAroundThePoint) {
    setlimits(QStringLiteral("-160"), QStringLiteral("-80"), QStringLiteral("0"), QStringLiteral("4"));
    const QImage before = picture();
    // Pixel row 145 is y = 2, the middle of 0 ... 4.
    doubleclick(290, 145);
    const double cx = 230.0 / W * 80.0 - 160.0;
    EXPECT_DOUBLE_EQ(f().model.ymin, 2.0 - 2.0 / root2);
    EXPECT_DOUBLE_EQ(f().model.ymax, 2.0 + 2.0 / root2);
    EXPECT_NEAR(f().model.ymax - f().model.ymin, 4.0 / root2, 1e-12);
    EXPECT_DOUBLE_EQ(f().model.xmin, (-160.0 - cx) / root2 + cx);
    EXPECT_DOUBLE_EQ(f().model.xmax, (-80.0 - cx) / root2 + cx);
    // The clicks of the double click pin nothing.
    EXPECT_EQ(f().plot.pinned, 0);
    EXPECT_EQ(f().plot.dblclicked, 0);
    EXPECT_FALSE(f().Text1->isEnabled());
    EXPECT_NE(picture(), before);
    EXPECT_NE(picture().pixel(290, 145), rgb(255, 255, 255));
}

TEST_F(Mouse, RightDoubleClickZoomsOutAndLiftsYminToZero) {
    // Pixel row 145 is y = 1.5: widening 0 ... 3 by root 2 around it would start below 0.
    doubleclick(290, 145, Qt::RightButton);
    const double cx = 230.0 / W * 80.0 - 160.0;
    EXPECT_EQ(f().model.ymin, 0.0);
    EXPECT_NEAR(f().model.ymax, 3.0 * root2, 1e-12);
    EXPECT_DOUBLE_EQ(f().model.xmin, (-160.0 - cx) * root2 + cx);
    EXPECT_DOUBLE_EQ(f().model.xmax, (-80.0 - cx) * root2 + cx);
    EXPECT_EQ(f().plot.pinned, 0);
}

TEST_F(Mouse, TheDoubleClickLeavesTheAutomaticToggleOn) {
    QTest::mouseClick(f().cmdAuto, Qt::LeftButton);
    const double span = f().model.xmax - f().model.xmin;
    doubleclick(px, py);
    EXPECT_TRUE(f().cmdAuto->isChecked());
    EXPECT_NEAR(f().model.xmax - f().model.xmin, span / root2, 1e-9);
}

TEST_F(Mouse, ZoomStopsBelowAMillionthAndAboveAMillion) {
    // Zoom in: an x span under 1e-6 stays as it is; so does a y span.
    setlimits(QStringLiteral("-100"), QStringLiteral("-99.9999995"), QStringLiteral("0"),
              QStringLiteral("3"));
    doubleclick(px, py);
    EXPECT_EQ(f().model.xmin, -100.0);
    EXPECT_EQ(f().model.xmax, -99.9999995);
    setlimits(QStringLiteral("-160"), QStringLiteral("-80"), QStringLiteral("1"),
              QStringLiteral("1.0000005"));
    doubleclick(px, py);
    EXPECT_EQ(f().model.ymin, 1.0);
    EXPECT_EQ(f().model.ymax, 1.0000005);
    // A span of 2e-6 may still be halved.
    setlimits(QStringLiteral("-160"), QStringLiteral("-80"), QStringLiteral("1"), QStringLiteral("1.000002"));
    doubleclick(px, py);
    EXPECT_NEAR(f().model.ymax - f().model.ymin, 2e-6 / root2, 1e-15);

    // Zoom out: a span of exactly 1e6 may still grow, a larger one not.
    setlimits(QStringLiteral("-160"), QStringLiteral("-80"), QStringLiteral("0"), QStringLiteral("1000000"));
    doubleclick(px, py, Qt::RightButton);
    EXPECT_NEAR(f().model.ymax - f().model.ymin, 1e6 * root2, 1e-6);
    const double ymax = f().model.ymax;
    const double xmin = f().model.xmin;
    doubleclick(px, py, Qt::RightButton);
    EXPECT_EQ(f().model.ymax, ymax);
    EXPECT_EQ(f().model.xmin, xmin);
    setlimits(QStringLiteral("-1000000"), QStringLiteral("1000000"), QStringLiteral("0"),
              QStringLiteral("3"));
    doubleclick(px, py, Qt::RightButton);
    EXPECT_EQ(f().model.xmin, -1e6);
    EXPECT_EQ(f().model.xmax, 1e6);
    EXPECT_EQ(f().model.ymax, 3.0);
}

TEST_F(Mouse, AMoveThatArrivesWhileOneIsHandledIsDropped) {
    // The second move waits in the queue; the first lets it in while it runs, and must ignore it.
    QCoreApplication::postEvent(f().Picture1, moveevent(px + 100, py + 50, Qt::NoButton));
    std::unique_ptr<QMouseEvent> first(moveevent(px, py, Qt::NoButton));
    QApplication::sendEvent(f().Picture1, first.get());
    EXPECT_EQ(text(f().Text1), withsep(pxreadout));
    EXPECT_EQ(text(f().Text2), pyreadout);
    EXPECT_EQ(f().plot.movebusy, 0);
    // Once the move is done, the next one is handled again.
    move(left, top);
    EXPECT_EQ(text(f().Text1), "-160 mV");
}

TEST_F(Mouse, AReleaseThatRunsInsideAMoveEndsTheDragThere) {
    const auto send = [this](QEvent::Type type, int X, int Y, Qt::MouseButtons held) {
        const QPointF p(X, Y);
        QMouseEvent event(type, p, f().Picture1->mapToGlobal(p), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(f().Picture1, &event);
    };
    send(QEvent::MouseButtonPress, px, py, Qt::LeftButton);
    // The release is already waiting when the move to half way comes in.
    const QPointF end(px + 10, py);
    QCoreApplication::postEvent(f().Picture1, new QMouseEvent(QEvent::MouseButtonRelease, end,
                                                              f().Picture1->mapToGlobal(end), Qt::LeftButton,
                                                              Qt::NoButton, Qt::NoModifier));
    std::unique_ptr<QMouseEvent> halfway(moveevent(px + 5, py, Qt::LeftButton));
    QApplication::sendEvent(f().Picture1, halfway.get());
    // The pan is the release's, and no offset of the stale move is left over the committed limits.
    EXPECT_EQ(f().plot.dragging, 0);
    EXPECT_EQ(f().plot.xshift, 0.0);
    EXPECT_DOUBLE_EQ(f().model.xmin, -160.0 - 10.0 / W * 80.0);
    EXPECT_EQ(text(f().tbxmin), withsep("-161.74"));
}

TEST_F(Mouse, TheRedrawOfADragSeesWhatRanInsideTheMove) {
    const auto send = [this](QEvent::Type type, int X, int Y, Qt::MouseButtons held) {
        const QPointF p(X, Y);
        QMouseEvent event(type, p, f().Picture1->mapToGlobal(p), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(f().Picture1, &event);
    };
    send(QEvent::MouseButtonPress, px, py, Qt::LeftButton);
    // A click on the toggle is waiting when the move comes in: it fits the limits before the move's
    // offset is taken from them.
    QMetaObject::invokeMethod(f().cmdAuto, "click", Qt::QueuedConnection);
    std::unique_ptr<QMouseEvent> step(moveevent(px + 10, py, Qt::LeftButton));
    QApplication::sendEvent(f().Picture1, step.get());
    ASSERT_TRUE(f().cmdAuto->isChecked());
    ASSERT_NE(f().model.xmax - f().model.xmin, 80.0);
    EXPECT_DOUBLE_EQ(f().plot.xshift, 10.0 / W * (f().model.xmax - f().model.xmin));
    send(QEvent::MouseButtonRelease, px + 10, py, Qt::NoButton);
}

} // namespace
} // namespace kelvora::uitest
