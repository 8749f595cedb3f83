// kelvora-export sweep as a process: the table for the settings file's state, its separators, the file left
// alone, and the arguments it refuses. The crossings themselves are checked in the model tests.
#include "config/inifile.h"
#include "config/startup.h"
#include "exportrun.h"
#include "model/entry.h"
#include "model/sweep.h"

#include <gtest/gtest.h>

#include <string>

using namespace kelvora;
using kelvora::test::ExportRun;
using kelvora::test::readfile;
using kelvora::test::run;

namespace {

// The table the sweep should write for the state read from file.
std::string expectedsweep(const std::filesystem::path& file, int index, double from, double to,
                          long long steps, SeparatorChoice choice, char systemsep) {
    ModelState s;
    startstate(s, file);
    std::string text = sweepheader(s, index);
    for (long long i = 0; i <= steps; ++i)
        appendsweepline(text, sweeprow(s, index, sweepvalue(from, to, i, steps)), choice, systemsep);
    return text;
}

} // namespace

TEST(ExportSweep, TableForTheSettingsFile) {
    test::ScratchDir dir;
    std::filesystem::create_directory(dir / "work");
    const std::filesystem::path ini = dir / "work" / configfilename;
    ModelState s = factorystate(ATPin);
    entervalue(s, pHo, "7.5");
    ASSERT_TRUE(writeconfigfile(s, ConfigForm::atclose, '.', ini));
    const std::string before = readfile(ini);

    const ExportRun plain = run(dir, "sweep --param mg --from 2 --to 0 --steps 4");
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.err, "");
    EXPECT_EQ(plain.out, expectedsweep(ini, Mg, 2, 0, 4, SeparatorChoice::system, '.'));
    EXPECT_EQ(readfile(ini), before);
    // The system's separator, and the choice that overrides it; A and B read with either separator.
    const std::string args = "sweep '--param=KM(ADP)IN' --from=0,5 --to 1.25 --steps=3";
    const std::string comma = expectedsweep(ini, KMadpin, 0.5, 1.25, 3, SeparatorChoice::system, ',');
    EXPECT_EQ(run(dir, args, "de_DE.UTF-8").out, comma);
    EXPECT_EQ(run(dir, args + " --decimal comma").out, comma);
    EXPECT_EQ(run(dir, args + " --decimal point", "de_DE.UTF-8").out,
              expectedsweep(ini, KMadpin, 0.5, 1.25, 3, SeparatorChoice::point, ','));
    // Another file, with the ratio on the y axis.
    ASSERT_TRUE(writeconfigfile(factorystate(), ConfigForm::atclose, '.', dir / "work" / "ratio.ini"));
    EXPECT_EQ(run(dir, "sweep --config ratio.ini --param pHo --from 6 --to 8 --steps 2").out,
              expectedsweep(dir / "work" / "ratio.ini", pHo, 6, 8, 2, SeparatorChoice::system, '.'));
}

TEST(ExportSweep, HelpAndRefusedArguments) {
    test::ScratchDir dir;
    std::filesystem::create_directory(dir / "work");
    ASSERT_TRUE(writeconfigfile(factorystate(pHo), ConfigForm::atclose, '.', dir / "work" / "phaxis.ini"));
    const ExportRun help = run(dir, "sweep --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: kelvora-export sweep", 0), 0u);
    for (const char* text : {"--param NAME", "--from A", "--to B", "--steps K", "--config FILE", "--decimal"})
        EXPECT_NE(help.out.find(text), std::string::npos) << text;

    const std::string ok = "sweep --param pHo --from 6 --to 8";
    const std::string refused[] = {
        "sweep",         // nothing to sweep
        ok,              // no --steps
        ok + " --steps", // --steps without its value
        ok + " --steps 0",
        ok + " --steps 10000001", // beyond the largest sweep
        ok + " --steps 2.5",
        ok + " --steps -1",
        ok + " --steps 4 --decimal dot",
        ok + " --steps 4 --auto", // options of the pictures only
        ok + " --steps 4 --size 551x305",
        "sweep --param pH --from 6 --to 8 --steps 4", // no such parameter
        "sweep --param pHo --from six --to 8 --steps 4",
        "sweep --param pHo --from 6x --to 8 --steps 4",
        "sweep --param pHo --from inf --to 8 --steps 4",
        "sweep --param pHo --from 6 --to 20.5 --steps 4",                 // above the highest allowed value
        "sweep --param pHo --from 0 --to 8 --steps 4",                    // below the lowest allowed value
        "sweep --param ADPin --from 1 --to 2 --steps 4",                  // part of the ratio on the y axis
        "sweep --config phaxis.ini --param Mg --from 0 --to 1 --steps 4", // no closed form
    };
    for (const std::string& args : refused)
        test::expectbadusage(run(dir, args), args);
}
