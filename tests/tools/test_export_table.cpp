// Runs the built kelvora-export as a separate process, as a user or a script would. The window tests compare
// the clipboard with this tool's output; here only its options, its exit codes and one exact table.
#include "../config/configtest.h"
#include "config/inifile.h"
#include "config/startup.h"
#include "model/cliptable.h"
#include "model/entry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <sys/wait.h>

using namespace kelvora;
using kelvora::test::readfile;

namespace {

struct ExportRun {
    int status = -1; // exit status, or -1 when the program did not exit normally
    std::string out, err;
    // The header's first field: the y axis.
    std::string yaxis() const { return out.substr(0, out.find('\t')); }
};

std::size_t countlines(const std::string& t) {
    return std::count(t.begin(), t.end(), '\n');
}

// Runs kelvora-export with the arguments (shell words) in dir/work under the locale given.
ExportRun run(const test::ScratchDir& dir, const std::string& args, const char* locale = "C") {
    const auto quoted = [](const std::string& s) { return "'" + s + "'"; };
    const std::string command = "cd " + quoted(dir / "work") +
                                " && env -u LC_NUMERIC -u LANGUAGE LC_ALL=" + locale + " LANG=" + locale +
                                " " + quoted(KELVORA_EXPORT) + " " + args + " >" + quoted(dir / "stdout") +
                                " 2>" + quoted(dir / "stderr");
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readfile(dir / "stdout"), readfile(dir / "stderr")};
}

} // namespace

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
    EXPECT_EQ(countlines(run(dir, "table --size=300x100").out), 1u + 65u);
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
    applyvalue(s, pHo, 1, "7.5");
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
        const ExportRun r = run(dir, args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.out, "");
        EXPECT_TRUE(r.err.starts_with("kelvora-export") && r.err.ends_with('\n') && countlines(r.err) == 1)
            << r.err;
    }
    std::filesystem::create_directory(dir / "work" / configfilename);
    const ExportRun unreadable = run(dir, "table");
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_EQ(unreadable.out, "");
    EXPECT_NE(unreadable.err.find("Kelvora.ini"), std::string::npos);
}
