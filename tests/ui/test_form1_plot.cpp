// The plot in the window: readout, pinned marker, pan, zoom, the automatic toggle, Set, moves that
// arrive while one is still being handled, and "Copy to clipboard" compared with kelvora-export table.
#include <QCheckBox>
#include <QClipboard>
#include <QProcess>
#include <numbers>

#include "model/crossing.h"
#include "uitest.h"

namespace kelvora::uitest {
namespace {

constexpr int px = 200;
constexpr int py = 100;
const AxisLimits startlimits{-160, -80, 0, 3};

class Mouse : public Shown {
  protected:
    // The readout of (px, py) with the start limits: (200 - 60) / 461 * 80 - 160, (280 - 100) / 270 * 3.
    ReadoutText pxpy() const { return {withsep("-135.7 mV"), "2"}; }
    std::vector<QWidget*> manualcontrols() {
        return {f().cmdSet, f().tbxmin, f().tbxmax, f().tbymin, f().tbymax};
    }
    static std::string clipboardtext() { return QGuiApplication::clipboard()->text().toStdString(); }

    // Presses "Copy to clipboard" after clicking a separator box; the clicks are checked to leave at
    // most one box checked.
    std::string copywith(QCheckBox* choice, bool dot, bool comma) {
        QTest::mouseClick(choice, Qt::LeftButton);
        EXPECT_EQ(f().cbDot->isChecked(), dot);
        EXPECT_EQ(f().cbComma->isChecked(), comma);
        QTest::mouseClick(f().cmdClipboard, Qt::LeftButton);
        return clipboardtext();
    }

    // kelvora-export table on the Kelvora.ini the closed window left; decimal nullptr: the system's.
    std::string exporttable(const char* decimal) const {
        QStringList options{QStringLiteral("table")};
        if (decimal) options << QStringLiteral("--decimal") << QString::fromLatin1(decimal);
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.start(QStringLiteral(KELVORA_EXPORT), options);
        EXPECT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return process.readAllStandardOutput().toStdString();
    }
    static qsizetype linecount(const std::string& text) {
        return QString::fromStdString(text).count(QLatin1String("\r\n"));
    }
};

// The pan, zoom and pin rules themselves are checked on the plot's steps; here the window's part of them.
TEST_F(Mouse, AClickPinsASecondUnpinsAndOneInTheMarginEmptiesTheReadout) {
    move(px, py);
    EXPECT_EQ(readout(), pxpy());
    EXPECT_EQ(readoutenabled(), 0);
    const QImage before = picture();
    click(px, py);
    EXPECT_EQ(readoutenabled(), 2);
    EXPECT_EQ(picture().pixel(px, py), qRgb(255, 255, 255)); // the marker
    move(px + 50, py + 50);
    EXPECT_EQ(readout(), pxpy()); // frozen while pinned
    click(px + 50, py + 50);
    EXPECT_EQ(readoutenabled(), 0);
    EXPECT_EQ(picture(), before);
    EXPECT_EQ(limits(), startlimits);
    click(px, py);
    click(left / 2, py);
    EXPECT_FALSE(f().plot.pinned);
    EXPECT_EQ(readout(), ReadoutText());
    EXPECT_EQ(readoutenabled(), 0);
}

TEST_F(Mouse, ADragSwitchesAutomaticOffAndMovesTheLimitsADoubleClickZooms) {
    QTest::mouseClick(f().cmdAuto, Qt::LeftButton);
    const AxisLimits fitted = limits();
    press(px, py);
    EXPECT_EQ(f().Picture1->cursor().shape(), Qt::SizeAllCursor);
    move(px + 5, py);
    move(px + 10, py);
    EXPECT_FALSE(f().cmdAuto->isChecked());
    EXPECT_EQ(f().cmdAuto->text(), QStringLiteral("Automatic off"));
    for (const QWidget* w : manualcontrols())
        EXPECT_TRUE(w->isEnabled());
    EXPECT_EQ(limits(), fitted); // while the button is held only the drawing follows
    release(px + 10, py);
    EXPECT_DOUBLE_EQ(f().model.xmin, fitted[0] - 10.0 / W * (fitted[1] - fitted[0]));
    EXPECT_EQ(f().Picture1->cursor().shape(), Qt::ArrowCursor);
    // The platform's double click of the right button widens both spans by root 2, from the start limits.
    setlimits("-160", "-80", "0", "3");
    doubleclick(290, 145, Qt::RightButton);
    EXPECT_EQ(f().model.ymin, 0.0);
    EXPECT_NEAR(f().model.ymax, 3.0 * std::numbers::sqrt2, 1e-12);
    EXPECT_FALSE(f().plot.pinned);
    EXPECT_EQ(readoutenabled(), 0);
}

TEST_F(Mouse, SwitchingAutomaticOnFitsTheLimitsAndLocksTheManualControls) {
    setlimits("0", "10", "5", "6"); // far from both curves
    click(px, py);
    ModelState expected = f().model;
    autoscale(expected);
    QTest::mouseClick(f().cmdAuto, Qt::LeftButton);
    EXPECT_EQ(f().cmdAuto->text(), QStringLiteral("Automatic on"));
    EXPECT_EQ(limits(), AxisLimits({expected.xmin, expected.xmax, expected.ymin, expected.ymax}));
    EXPECT_NE(f().model.xmin, 0.0);
    for (const QWidget* w : manualcontrols())
        EXPECT_FALSE(w->isEnabled());
    EXPECT_FALSE(f().plot.pinned);
    EXPECT_EQ(readoutenabled(), 0);
    EXPECT_EQ(f().cmdAuto->palette().color(QPalette::ButtonText), QColor(0, 180, 0));
}

TEST_F(Mouse, SetFollowsTheTypedLimitsAndWhatTheRedrawWroteIntoTheBoxes) {
    typeinto(f().tbxmin, "-80"); // x minimum equal to x maximum
    EXPECT_FALSE(f().cmdSet->isEnabled());
    typeinto(f().tbxmin, "-100");
    EXPECT_TRUE(f().cmdSet->isEnabled());
    // Limits 1e-5 apart: the boxes, written with five digits, both read -100; Set is disabled at once.
    setlimits("-100.00001", "-99.99999", "0", "3");
    ASSERT_EQ(text(f().tbxmin), "-100");
    ASSERT_EQ(text(f().tbxmax), "-100");
    EXPECT_FALSE(f().cmdSet->isEnabled());
    EXPECT_EQ(f().model.xmin, -100.00001);
    // A redraw that writes valid limits over an invalid entry enables it again.
    typeinto(f().tbymin, "5");
    f().model.xmin = -160;
    f().model.xmax = -80;
    f().fastdraw(false);
    EXPECT_EQ(text(f().tbymin), "0");
    EXPECT_TRUE(f().cmdSet->isEnabled());
}

TEST_F(Mouse, AMoveThatArrivesWhileOneIsHandledIsDropped) {
    // The second move waits in the queue; the first lets it in while it runs, and must ignore it.
    QCoreApplication::postEvent(f().Picture1, moveevent(px + 100, py + 50));
    sendmove(px, py);
    EXPECT_EQ(readout(), pxpy());
    EXPECT_FALSE(f().plot.movebusy);
    move(left, top); // once the move is done, the next one is handled again
    EXPECT_EQ(text(f().Text1), "-160 mV");
}

TEST_F(Mouse, HoldsExactlyTheExportedTableForEachSeparatorAfterAPan) {
    // 45 of the 270 rows down: y runs from 0.5 to 3.5, values the configuration file keeps exactly.
    drag(200, 120, 220, 165);
    ASSERT_EQ(f().model.ymin, 0.5);
    const std::string comma = copywith(f().cbComma, false, true);
    const std::string point = copywith(f().cbDot, true, false);
    const std::string system = copywith(f().cbDot, false, false);
    closewindow();
    EXPECT_EQ(system, exporttable(nullptr));
    EXPECT_EQ(point, exporttable("point"));
    EXPECT_EQ(comma, exporttable("comma"));
    EXPECT_EQ(linecount(point), qsizetype{1 + N}); // the header and one line per plot row, all above 0
    EXPECT_EQ(point.substr(point.find("\r\n") + 2, 4), "3.5\t");
    EXPECT_EQ(point.find(','), std::string::npos);
    EXPECT_EQ(comma.find('.'), std::string::npos);
}

TEST_F(Mouse, ACopyInTheMiddleOfAMouseMoveLeavesTheClipboardEmpty) {
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    // The click waits in the queue; the move lets it run while it is still being handled.
    QMetaObject::invokeMethod(f().cmdClipboard, "click", Qt::QueuedConnection);
    sendmove(200, 100);
    EXPECT_EQ(clipboardtext(), "");
    QTest::mouseClick(f().cmdClipboard, Qt::LeftButton); // after the move it copies
    EXPECT_EQ(linecount(clipboardtext()), qsizetype{1 + N});
}

} // namespace
} // namespace kelvora::uitest
