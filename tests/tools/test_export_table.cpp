// Runs the built kelvora-export as a separate process, as a user or a script would. The window tests compare
// the clipboard with this tool's output; here the table's options, one exact table, the arguments that
// every command refuses, and the sweep's table for the settings file's state and the system's separator
// (the crossings themselves are checked in the model tests).
#include "config/startup.h"
#include "exportrun.h"
#include "model/cliptable.h"
#include "model/entry.h"
#include "model/sweep.h"

using namespace kelvora;
using namespace kelvora::test;
using ExportTable = test::ExportTest;
using ExportArguments = test::ExportTest;
using ExportSweep = test::ExportTest;

TEST_F(ExportTable, OptionsAndTheExactTable) {
    // Without a file: the defaults, 270 rows for the window's 551 x 305 surface, and no file is created.
    const ExportRun plain = run("table");
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.err, "");
    EXPECT_EQ(plain.out, cliptable(factorystate(), 270, SeparatorChoice::system, '.'));
    EXPECT_TRUE(std::filesystem::is_empty(work));
    // The system separator, and the choice that overrides it.
    const ExportRun german = run("table", "de_DE.UTF-8");
    EXPECT_NE(german.out.find("\r\n2,98888888888889\t"), std::string::npos);
    EXPECT_EQ(german.out.find('.'), std::string::npos);
    EXPECT_EQ(run("table --decimal point", "de_DE.UTF-8").out, plain.out);
    // --auto frames the crossing first: the top row stands for three times 1.173435.
    EXPECT_NE(run("table --auto").out.find("\r\n3.52030"), std::string::npos);
    // Kelvora.ini, or the file named, is read and left as it was.
    ModelState s = factorystate(T);
    entervalue(s, pHo, "7.5");
    settings(s, configfilename);
    settings(factorystate(Mg), "other.ini");
    const std::string before = readfile(work / configfilename);
    const ExportRun ini = run("table");
    EXPECT_TRUE(ini.out.starts_with("T (Celsius) (y axis)\t"));
    EXPECT_NE(ini.out.find("\t\tpHo \t7.5\r\n"), std::string::npos);
    EXPECT_EQ(readfile(work / configfilename), before);
    EXPECT_TRUE(run("table --config=other.ini").out.starts_with("Mg (mM) (y axis)\t"));
}

// One case for each distinct message, under every command; nothing is written.
TEST_F(ExportArguments, RefusedWithStatusTwoAndOneLine) {
    settings(factorystate(pHo), "phaxis.ini");
    const std::string sweep = "sweep --param pHo --from 6 --to 8";
    const std::string refused[] = {
        "",      // no command
        "bogus", // no such command
        "table extra",
        "table --decimal dot",
        "table --size 90x305", // no plot area left
        "table --config",
        "png", // no output file
        "png a.png b.png",
        "png a.png --scale 0",
        "png a.png --size 4096x300 --scale 8", // more pixels a side than allowed
        "svg",
        "svg a.svg --scale 2", // the PNG's density only
        "sweep",               // nothing to sweep
        sweep + " --steps",
        sweep + " --steps 2.5",
        sweep + " --steps 4 --size 551x305", // an option of the pictures only
        "sweep --param pH --from 6 --to 8 --steps 4",
        "sweep --param pHo --from six --to 8 --steps 4",
        "sweep --param pHo --from 6 --to 20.5 --steps 4",                 // above the highest allowed value
        "sweep --param ADPin --from 1 --to 2 --steps 4",                  // part of the ratio on the y axis
        "sweep --config phaxis.ini --param Mg --from 0 --to 1 --steps 4", // no closed form
    };
    for (const std::string& args : refused)
        test::expectrefused(run(args), 2, args);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(work), {}), 1);
}

TEST_F(ExportSweep, TableForTheSettingsFile) {
    ModelState s = factorystate(ATPin);
    entervalue(s, pHo, "7.5");
    settings(s, configfilename);
    ModelState read;
    startstate(read, work / configfilename);
    // The table the sweep should write for the state read from file.
    const auto expected = [&](int index, double from, double to, long long steps, char systemsep) {
        ModelState s = read; // each sweep starts from the state as read
        std::string text = sweepheader(s, index);
        for (long long i = 0; i <= steps; ++i)
            appendsweepline(text, sweeprow(s, index, sweepvalue(from, to, i, steps)), SeparatorChoice::system,
                            systemsep);
        return text;
    };
    const test::ExportRun plain = run("sweep --param mg --from 2 --to 0 --steps 4");
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.out, expected(Mg, 2, 0, 4, '.'));
    // The system's separator; A and B read with either separator, the name in any case.
    EXPECT_EQ(run("sweep '--param=KM(ADP)IN' --from=0,5 --to 1.25 --steps=3", "de_DE.UTF-8").out,
              expected(KMadpin, 0.5, 1.25, 3, ','));
}
