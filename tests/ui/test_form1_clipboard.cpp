// "Copy to clipboard": the separator boxes, the text compared with kelvora-export table run as its own
// process on the window's saved state, and the empty clipboard of a copy made during a mouse move.
#include <QCheckBox>
#include <QClipboard>
#include <QProcess>

#include "uitest.h"

namespace kelvora::uitest {
namespace {

class Clipboard : public Shown {
  protected:
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

    // kelvora-export table where the closed window left Kelvora.ini, under this process's regional
    // settings. decimal: the --decimal choice, or nullptr for the system's separator.
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
    static int linecount(const std::string& text) {
        int count = 0;
        for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
            ++count;
        return count;
    }
};

TEST_F(Clipboard, HoldsExactlyTheExportedTableForEachSeparator) {
    const std::string comma = copywith(f().cbComma, false, true);
    const std::string point = copywith(f().cbDot, true, false);
    const std::string system = copywith(f().cbDot, false, false);
    closewindow();
    EXPECT_EQ(system, exporttable(nullptr));
    EXPECT_EQ(point, exporttable("point"));
    EXPECT_EQ(comma, exporttable("comma"));
    EXPECT_EQ(linecount(point), 1 + N); // the header and one line per plot row
    EXPECT_EQ(point.find(','), std::string::npos);
    EXPECT_EQ(comma.find('.'), std::string::npos);
}

TEST_F(Clipboard, HoldsTheExportedTableAfterAPan) {
    // 45 of the 270 rows down: y runs from 0.5 to 3.5, values the configuration file keeps exactly.
    drag(200, 120, 220, 165);
    ASSERT_EQ(f().model.ymin, 0.5);
    const std::string point = copywith(f().cbDot, true, false);
    const std::string comma = copywith(f().cbComma, false, true);
    closewindow();
    EXPECT_EQ(point, exporttable("point"));
    EXPECT_EQ(comma, exporttable("comma"));
    EXPECT_EQ(point.substr(point.find("\r\n") + 2, 4), "3.5\t");
}

TEST_F(Clipboard, ACopyInTheMiddleOfAMouseMoveLeavesTheClipboardEmpty) {
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    // The click waits in the queue; the move lets it run while it is still being handled.
    QMetaObject::invokeMethod(f().cmdClipboard, "click", Qt::QueuedConnection);
    sendmove(200, 100);
    EXPECT_EQ(clipboardtext(), "");
    QTest::mouseClick(f().cmdClipboard, Qt::LeftButton); // after the move it copies
    EXPECT_EQ(linecount(clipboardtext()), 1 + N);
}

} // namespace
} // namespace kelvora::uitest
