// "Copy to clipboard" in the window: the two separator boxes, the text the clipboard holds compared with
// kelvora-export table run as its own process on the window's saved state, and the empty clipboard of
// a copy made in the middle of a mouse move.
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QProcess>
#include <QPushButton>

#include "plotmouse.h"

namespace kelvora::uitest {
namespace {

class Clipboard : public PlotMouse {
  protected:
    static std::string clipboardtext() { return QGuiApplication::clipboard()->text().toStdString(); }

    // Presses "Copy to clipboard" with the given separator box checked (nullptr: neither).
    std::string copywith(QCheckBox* choice) {
        for (QCheckBox* box : {f().cbDot, f().cbComma})
            if (box->isChecked() && box != choice) QTest::mouseClick(box, Qt::LeftButton);
        if (choice && !choice->isChecked()) QTest::mouseClick(choice, Qt::LeftButton);
        QTest::mouseClick(f().cmdClipboard, Qt::LeftButton);
        return clipboardtext();
    }

    // kelvora-export table in the test's directory, where the closed window left Kelvora.ini. It runs
    // under this process's own environment, so its regional settings are the window's.
    std::string exporttable(const QStringList& options) const {
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.start(QStringLiteral(KELVORA_EXPORT), QStringList{QStringLiteral("table")} + options);
        EXPECT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return process.readAllStandardOutput().toStdString();
    }

    static int linecount(const std::string& text) {
        int count = 0;
        for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
            ++count;
        return count;
    }
};

TEST_F(Clipboard, AtMostOneSeparatorIsChosen) {
    QTest::mouseClick(f().cbComma, Qt::LeftButton);
    EXPECT_TRUE(f().cbComma->isChecked());
    QTest::mouseClick(f().cbDot, Qt::LeftButton);
    EXPECT_TRUE(f().cbDot->isChecked());
    EXPECT_FALSE(f().cbComma->isChecked());
    QTest::mouseClick(f().cbComma, Qt::LeftButton);
    EXPECT_TRUE(f().cbComma->isChecked());
    EXPECT_FALSE(f().cbDot->isChecked());
    QTest::mouseClick(f().cbComma, Qt::LeftButton);
    EXPECT_FALSE(f().cbComma->isChecked());
    EXPECT_FALSE(f().cbDot->isChecked());
    // The program's own checking follows the same rule.
    f().cbDot->setChecked(true);
    f().cbComma->setChecked(true);
    EXPECT_FALSE(f().cbDot->isChecked());
}

TEST_F(Clipboard, HoldsExactlyTheExportedTableForEachSeparator) {
    const std::string system = copywith(nullptr);
    const std::string point = copywith(f().cbDot);
    const std::string comma = copywith(f().cbComma);
    closewindow();

    EXPECT_EQ(system, exporttable({}));
    EXPECT_EQ(point, exporttable({QStringLiteral("--decimal"), QStringLiteral("point")}));
    EXPECT_EQ(comma, exporttable({QStringLiteral("--decimal"), QStringLiteral("comma")}));
    // The header and one line per plot row: ymin is 0, so every row is above it.
    EXPECT_EQ(linecount(point), 1 + N);
    // Every number of one takes the chosen separator; nothing else in the table is a point or comma.
    EXPECT_EQ(point.find(','), std::string::npos);
    EXPECT_EQ(comma.find('.'), std::string::npos);
    EXPECT_NE(point, comma);
}

TEST_F(Clipboard, HoldsTheExportedTableAfterAPan) {
    // 45 of the 270 rows down: y runs from 0.5 to 3.5, values the configuration file keeps exactly.
    drag(200, 120, 220, 165);
    ASSERT_EQ(f().model.ymin, 0.5);
    ASSERT_EQ(f().model.ymax, 3.5);
    const std::string point = copywith(f().cbDot);
    const std::string comma = copywith(f().cbComma);
    closewindow();
    ASSERT_EQ(lines("Kelvora.ini").size(), 98);

    EXPECT_EQ(point, exporttable({QStringLiteral("--decimal"), QStringLiteral("point")}));
    EXPECT_EQ(comma, exporttable({QStringLiteral("--decimal"), QStringLiteral("comma")}));
    EXPECT_EQ(point.substr(point.find("\r\n") + 2, 4), "3.5\t");
}

TEST_F(Clipboard, HoldsTheExportedTableForAParameterOnTheYAxis) {
    closewindow();
    // The y axis on pHo, chosen in the file; the window starts from it and saves it again.
    QStringList ini = lines("Kelvora.ini");
    ASSERT_GE(ini.size(), 96);
    ini.last() = QStringLiteral(" 5 ");
    writefile("Kelvora.ini", ini.join(QStringLiteral("\r\n")).append(QStringLiteral("\r\n")).toLatin1());
    start(true);
    ASSERT_EQ(f().model.yaxis, 5);
    const std::string point = copywith(f().cbDot);
    closewindow();
    EXPECT_EQ(point, exporttable({QStringLiteral("--decimal"), QStringLiteral("point")}));
    EXPECT_EQ(point.substr(0, point.find('\t')), "pHo (y axis)");
}

TEST_F(Clipboard, ACopyInTheMiddleOfAMouseMoveLeavesTheClipboardEmpty) {
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    // The click waits in the queue; the move lets it run while it is still being handled.
    QMetaObject::invokeMethod(f().cmdClipboard, "click", Qt::QueuedConnection);
    std::unique_ptr<QMouseEvent> hover(moveevent(200, 100, Qt::NoButton));
    QApplication::sendEvent(f().Picture1, hover.get());
    EXPECT_EQ(clipboardtext(), "");
    // The same click after the move copies the table.
    QTest::mouseClick(f().cmdClipboard, Qt::LeftButton);
    EXPECT_EQ(linecount(clipboardtext()), 1 + N);
}

} // namespace
} // namespace kelvora::uitest
