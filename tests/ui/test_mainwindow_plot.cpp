// The plot in the window: readout, pinned marker, pan, zoom, the automatic toggle, Set, moves that
// arrive while one is still being handled, and "Copy to clipboard" compared with kelvora-export table.
#include <QProcess>
#include <cstdlib>

#include "uitest.h"

namespace kelvora::uitest {
namespace {

class Mouse : public Shown {
  protected:
    // The comma pass of the test list runs these with a comma locale and says so.
    void SetUp() override {
        Shown::SetUp();
        if (std::getenv("KELVORA_EXPECT_COMMA")) {
            EXPECT_EQ(f().decimalseparator(), ',');
        }
    }
    // The readout of (px, py) with the start limits: (200 - 60) / 461 * 80 - 160, (280 - 100) / 270 * 3.
    ReadoutText pxpy() const { return {withsep("-135.7 mV"), "2"}; }
};

// The pan, zoom and pin rules themselves (a click beside the plot among them) are checked on the plot's
// steps; here the window's part of them.
TEST_F(Mouse, ClicksPinAndUnpinADragPansADoubleClickZooms) {
    move(px, py);
    EXPECT_EQ(readout(), pxpy());
    const QImage before = picture();
    click(px, py);
    EXPECT_TRUE(control("readoutX")->isEnabled());
    EXPECT_TRUE(control("readoutY")->isEnabled());
    EXPECT_EQ(picture().pixel(px, py), qRgb(255, 255, 255)); // the marker
    move(px + 50, py + 50);
    EXPECT_EQ(readout(), pxpy()); // frozen while pinned
    click(px + 50, py + 50);
    EXPECT_FALSE(control("readoutX")->isEnabled());
    EXPECT_FALSE(control("readoutY")->isEnabled());
    EXPECT_EQ(picture(), before);

    clickbutton("automatic");
    const AxisLimits fitted = limits();
    press(px, py);
    move(px + 5, py);
    move(px + 10, py);
    EXPECT_EQ(button("automatic")->text(), QStringLiteral("Automatic off"));
    EXPECT_EQ(limits(), fitted); // while the button is held only the drawing follows
    release(px + 10, py);
    EXPECT_LT(f().state().xmin, fitted.xmin);
    // The platform's double click of the right button widens the spans.
    const AxisLimits panned = limits();
    QTest::mouseDClick(window(), Qt::RightButton, {}, at(290, 145));
    EXPECT_GT(f().state().ymax - f().state().ymin, panned.ymax - panned.ymin);
}

TEST_F(Mouse, SwitchingAutomaticOnFitsTheLimitsAndLocksTheManualControls) {
    for (const auto& [box, typed] : {std::pair("xmin", "0"), {"xmax", "10"}, {"ymax", "6"}, {"ymin", "5"}})
        typeinto(control(box), typed); // far from both curves
    clickbutton("set");
    ASSERT_EQ(limits(), AxisLimits({0, 10, 5, 6}));
    click(px, py);
    const AxisLimits expected = fittedlimits(f().state());
    clickbutton("automatic");
    EXPECT_EQ(button("automatic")->text(), QStringLiteral("Automatic on"));
    EXPECT_EQ(limits(), expected);
    EXPECT_FALSE(button("set")->isEnabled());
    for (const QLineEdit* box : {control("xmin"), control("xmax"), control("ymin"), control("ymax")})
        EXPECT_FALSE(box->isEnabled());
    EXPECT_FALSE(f().plotstate().pinned);
}

TEST_F(Mouse, HoldsExactlyTheExportedTableForEachSeparatorAfterAPan) {
    // 45 of the 270 rows down: y runs from 0.5 to 3.5, values the configuration file keeps exactly.
    press(200, 120);
    move(220, 165);
    release(220, 165);
    ASSERT_EQ(f().state().ymin, 0.5);
    // Each click leaves at most one separator box checked; the last one leaves none: the system's.
    std::vector<std::string> copied;
    for (QCheckBox* choice :
         {control<QCheckBox>("useComma"), control<QCheckBox>("usePoint"), control<QCheckBox>("usePoint")}) {
        QTest::mouseClick(choice, Qt::LeftButton);
        copied.push_back(copy().toStdString());
    }
    EXPECT_FALSE(control<QCheckBox>("usePoint")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("useComma")->isChecked());
    closewindow();
    // kelvora-export table on the Kelvora.ini the closed window left.
    const auto exported = [this](const char* decimal) {
        QStringList options{QStringLiteral("table")};
        if (decimal) options << QStringLiteral("--decimal") << QString::fromLatin1(decimal);
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.start(QStringLiteral(KELVORA_EXPORT), options);
        EXPECT_TRUE(process.waitForFinished(60000));
        return process.readAllStandardOutput().toStdString();
    };
    EXPECT_EQ(copied[0], exported("comma"));
    EXPECT_EQ(copied[1], exported("point"));
    EXPECT_EQ(copied[2], exported(nullptr));
}

TEST_F(Mouse, ACopyQueuedDuringAPanHoldsOneWholeTable) {
    press(px, py);
    // The click waits in the queue while the move is handled; it copies the state the move left.
    QMetaObject::invokeMethod(button("copyButton"), "click", Qt::QueuedConnection);
    QApplication::sendEvent(plotview(), moveevent(px + 20, py + 20).get());
    settle();
    EXPECT_EQ(linecount(clipboard()), 1 + N);
}

} // namespace
} // namespace kelvora::uitest
