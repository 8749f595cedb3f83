// The plot in the window: readout, pinned marker, pan, zoom, the automatic toggle, Set, moves that
// arrive while one is still being handled, and "Copy to clipboard" compared with kelvora-export table.
#include <QCheckBox>
#include <QClipboard>
#include <QProcess>

#include "model/crossing.h"
#include "uitest.h"

namespace kelvora::uitest {
namespace {

class Mouse : public Shown {
  protected:
    // The readout of (px, py) with the start limits: (200 - 60) / 461 * 80 - 160, (280 - 100) / 270 * 3.
    ReadoutText pxpy() const { return {withsep("-135.7 mV"), "2"}; }
    static std::string clipboardtext() { return QGuiApplication::clipboard()->text().toStdString(); }
};

// The pan, zoom and pin rules themselves (a click beside the plot among them) are checked on the plot's
// steps; here the window's part of them.
TEST_F(Mouse, ClicksPinAndUnpinADragPansADoubleClickZooms) {
    move(px, py);
    EXPECT_EQ(readout(), pxpy());
    const QImage before = picture();
    click(px, py);
    EXPECT_TRUE(f().Text1->isEnabled() && f().Text2->isEnabled());
    EXPECT_EQ(picture().pixel(px, py), qRgb(255, 255, 255)); // the marker
    move(px + 50, py + 50);
    EXPECT_EQ(readout(), pxpy()); // frozen while pinned
    click(px + 50, py + 50);
    EXPECT_FALSE(f().Text1->isEnabled() || f().Text2->isEnabled());
    EXPECT_EQ(picture(), before);

    QTest::mouseClick(f().cmdAuto, Qt::LeftButton);
    const AxisLimits fitted = limits();
    press(px, py);
    move(px + 5, py);
    move(px + 10, py);
    EXPECT_EQ(f().cmdAuto->text(), QStringLiteral("Automatic off"));
    EXPECT_EQ(limits(), fitted); // while the button is held only the drawing follows
    release(px + 10, py);
    EXPECT_LT(f().model.xmin, fitted[0]);
    // The platform's double click of the right button widens the spans.
    const AxisLimits panned = limits();
    QTest::mouseDClick(window(), Qt::RightButton, {}, at(290, 145));
    EXPECT_GT(f().model.ymax - f().model.ymin, panned[3] - panned[2]);
}

TEST_F(Mouse, SwitchingAutomaticOnFitsTheLimitsAndLocksTheManualControls) {
    std::tie(f().model.xmin, f().model.xmax, f().model.ymin, f().model.ymax) = std::tuple(0, 10, 5, 6);
    f().fastdraw(false); // far from both curves
    click(px, py);
    ModelState expected = f().model;
    autoscale(expected);
    QTest::mouseClick(f().cmdAuto, Qt::LeftButton);
    EXPECT_EQ(f().cmdAuto->text(), QStringLiteral("Automatic on"));
    EXPECT_EQ(limits(), AxisLimits({expected.xmin, expected.xmax, expected.ymin, expected.ymax}));
    EXPECT_FALSE(f().cmdSet->isEnabled());
    for (const QLineEdit* box : {f().tbxmin, f().tbxmax, f().tbymin, f().tbymax})
        EXPECT_FALSE(box->isEnabled());
    EXPECT_FALSE(f().plot.pinned);
}

TEST_F(Mouse, AMoveThatArrivesWhileOneIsHandledIsDropped) {
    // The second move waits in the queue; the first lets it in while it runs, and must ignore it.
    QCoreApplication::postEvent(f().Picture1, moveevent(px + 100, py + 50).release());
    QApplication::sendEvent(f().Picture1, moveevent(px, py).get());
    EXPECT_EQ(readout(), pxpy());
    EXPECT_FALSE(f().plot.movebusy);
    move(left, top); // once the move is done, the next one is handled again
    EXPECT_EQ(text(f().Text1), "-160 mV");
}

TEST_F(Mouse, HoldsExactlyTheExportedTableForEachSeparatorAfterAPan) {
    // 45 of the 270 rows down: y runs from 0.5 to 3.5, values the configuration file keeps exactly.
    press(200, 120);
    move(220, 165);
    release(220, 165);
    ASSERT_EQ(f().model.ymin, 0.5);
    // Each click leaves at most one separator box checked; the last one leaves none: the system's.
    std::vector<std::string> copied;
    for (QCheckBox* choice : {f().cbComma, f().cbDot, f().cbDot}) {
        QTest::mouseClick(choice, Qt::LeftButton);
        QTest::mouseClick(f().cmdClipboard, Qt::LeftButton);
        copied.push_back(clipboardtext());
    }
    EXPECT_FALSE(f().cbDot->isChecked() || f().cbComma->isChecked());
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

TEST_F(Mouse, ACopyInTheMiddleOfAMouseMoveLeavesTheClipboardEmpty) {
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    // The click waits in the queue; the move lets it run while it is still being handled.
    QMetaObject::invokeMethod(f().cmdClipboard, "click", Qt::QueuedConnection);
    QApplication::sendEvent(f().Picture1, moveevent(px, py).get());
    EXPECT_EQ(clipboardtext(), "");
    QTest::mouseClick(f().cmdClipboard, Qt::LeftButton); // after the move it copies
    EXPECT_EQ(QGuiApplication::clipboard()->text().count(QLatin1String("\r\n")), 1 + N);
}

} // namespace
} // namespace kelvora::uitest
