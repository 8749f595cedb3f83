// Runs the built kelvora-export as a separate process, as a user or a script would. The window tests compare
// the clipboard with this tool's output; here only its options, its exit codes and one exact table.
#include "config/inifile.h"
#include "config/startup.h"
#include "exportrun.h"
#include "model/cliptable.h"
#include "model/entry.h"

#include <gtest/gtest.h>

#include <string>

using namespace kelvora;
using kelvora::test::ExportRun;
using kelvora::test::readfile;
using kelvora::test::run;

TEST(ExportTable, OptionsAndTheExactTable) {
    test::ScratchDir dir;
    std::filesystem::create_directory(dir / "work");
    // Without a file: the defaults, 270 rows for the window's 551 x 305 surface, and no file is created.
    const ExportRun plain = run(dir, "table");
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.err, "");
    EXPECT_EQ(plain.out, cliptable(factorystate(), 270, SeparatorChoice::system, '.'));
    EXPECT_TRUE(std::filesystem::is_empty(dir / "work"));
    EXPECT_EQ(run(dir, "table --size 551x305").out, plain.out);
    EXPECT_EQ(test::countlines(run(dir, "table --size=300x100").out), 1u + 65u);
    // The system separator, and the choice that overrides it.
    const ExportRun german = run(dir, "table", "de_DE.UTF-8");
    EXPECT_NE(german.out.find("\r\n2,98888888888889\t"), std::string::npos);
    EXPECT_EQ(german.out.find('.'), std::string::npos);
    EXPECT_EQ(run(dir, "table --decimal point", "de_DE.UTF-8").out, plain.out);
    EXPECT_EQ(run(dir, "table --decimal=comma").out, german.out);
    // --auto frames the crossing first: the top row stands for three times 1.173435.
    EXPECT_NE(run(dir, "table --auto").out.find("\r\n3.52030"), std::string::npos);
    // Kelvora.ini, or the file named, is read and left as it was.
    ModelState s = factorystate(T);
    entervalue(s, pHo, "7.5");
    ASSERT_TRUE(writeconfigfile(s, ConfigForm::atclose, '.', dir / "work" / configfilename));
    ASSERT_TRUE(writeconfigfile(factorystate(Mg), ConfigForm::atclose, '.', dir / "work" / "other.ini"));
    const std::string before = readfile(dir / "work" / configfilename);
    const ExportRun ini = run(dir, "table");
    EXPECT_EQ(ini.yaxis(), "T (Celsius) (y axis)");
    EXPECT_NE(ini.out.find("\t\tpHo \t7.5\r\n"), std::string::npos);
    EXPECT_EQ(readfile(dir / "work" / configfilename), before);
    EXPECT_EQ(run(dir, "table --config other.ini").yaxis(), "Mg (mM) (y axis)");
    EXPECT_EQ(run(dir, "table --config=missing.ini").yaxis(), "ATPin/ADPin (y axis)");
}

TEST(ExportTable, HelpBadArgumentsAndUnreadableFile) {
    test::ScratchDir dir;
    std::filesystem::create_directory(dir / "work");
    const ExportRun help = run(dir, "table --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: kelvora-export table", 0), 0u);
    for (const char* text : {"--config FILE", "--auto", "--size WxH", "--decimal point|comma"})
        EXPECT_NE(help.out.find(text), std::string::npos) << text;
    for (const char* args :
         {"", "bogus", "table extra", "table --decimal dot", "table --size 90x305", "table --size 551x35",
          "table --size 551x99999999999999999999", "table --config"}) {
        test::expectbadusage(run(dir, args), args);
    }
    std::filesystem::create_directory(dir / "work" / configfilename);
    const ExportRun unreadable = run(dir, "table");
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_EQ(unreadable.out, "");
    EXPECT_NE(unreadable.err.find("Kelvora.ini"), std::string::npos);
}
