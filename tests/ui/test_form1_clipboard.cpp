// "Copy to clipboard" in the window: the two separator boxes, the text the clipboard holds compared with
// kelvora-export table run as its own process on the window's saved state, and the empty clipboard of
// a copy made in the middle of a mouse move.
#include <QCheckBox>
#include <QClipboard>
#include <QProcess>

#include "uitest.h"

namespace kelvora::uitest {
namespace {

class Clipboard : public Shown {
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
    // under this process's own environment, so its regional settings are the window's. decimal: the
    // --decimal choice, or nullptr for the system's separator.
    std::string exporttable(const char* decimal) const {
        QStringList options{QStringLiteral("table")};
        if (decimal) options << QStringLiteral("--decimal") << QString::fromLatin1(decimal);
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.start(QStringLiteral(KELVORA_EXPORT), options);
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
    struct Step {
        QCheckBox* clicked;
        bool dot, comma;
    };
    for (const Step s : {Step{f().cbComma, false, true}, Step{f().cbDot, true, false},
                         Step{f().cbComma, false, true}, Step{f().cbComma, false, false}}) {
        QTest::mouseClick(s.clicked, Qt::LeftButton);
        EXPECT_EQ(f().cbDot->isChecked(), s.dot);
        EXPECT_EQ(f().cbComma->isChecked(), s.comma);
    }
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

    EXPECT_EQ(system, exporttable(nullptr));
    EXPECT_EQ(point, exporttable("point"));
    EXPECT_EQ(comma, exporttable("comma"));
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

    EXPECT_EQ(point, exporttable("point"));
    EXPECT_EQ(comma, exporttable("comma"));
    EXPECT_EQ(point.substr(point.find("\r\n") + 2, 4), "3.5\t");
}

TEST_F(Clipboard, ACopyInTheMiddleOfAMouseMoveLeavesTheClipboardEmpty) {
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    // The click waits in the queue; the move lets it run while it is still being handled.
    QMetaObject::invokeMethod(f().cmdClipboard, "click", Qt::QueuedConnection);
    send(QEvent::MouseMove, 200, 100, Qt::NoButton);
    EXPECT_EQ(clipboardtext(), "");
    // The same click after the move copies the table.
    QTest::mouseClick(f().cmdClipboard, Qt::LeftButton);
    EXPECT_EQ(linecount(clipboardtext()), 1 + N);
}

} // namespace
} // namespace kelvora::uitest
