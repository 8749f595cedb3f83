// The window on a screen of two device pixels a logical pixel (the test binary sets QT_SCALE_FACTOR=2): the
// plot is drawn at the screen's density and shown one image pixel a screen pixel, while the mouse, the
// readout and the clipboard table keep working in the logical pixels of the design.
#include "uitest.h"

namespace kelvora::uitest {
namespace {

class HiDpi : public Shown {};

TEST_F(HiDpi, ThePlotIsDrawnAtTheScreensDensityInTheSameLogicalFigure) {
    ASSERT_EQ(f().devicePixelRatioF(), 2.0);
    ASSERT_EQ(picture().size(), QSize(1102, 610));

    // The readout and the marker follow the logical pixel under the pointer.
    move(px, py);
    EXPECT_EQ(readout(), ReadoutText(withsep("-135.7 mV"), "2"));
    click(px, py);
    ASSERT_TRUE(f().plotstate().pinned);
    const QImage pinned = picture();
    for (const QPoint p : {QPoint(400, 200), QPoint(401, 201), QPoint(410, 200), QPoint(400, 190)})
        EXPECT_EQ(pinned.pixel(p), qRgb(255, 255, 255)) << p.x() << "," << p.y();

    // What the screen shows is the image itself, not a blown-up copy of a smaller one.
    const QImage shown = plotview()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, pinned.convertToFormat(QImage::Format_RGB32));

    // The table still has one line per logical row: the header and N = 270.
    EXPECT_EQ(linecount(copy()), 271);
}

} // namespace
} // namespace kelvora::uitest
