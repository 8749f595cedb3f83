// kelvora-export sweep as a process: the table for the settings file's state and the system's separator.
// The crossings themselves are checked in the model tests.
#include "config/startup.h"
#include "exportrun.h"
#include "model/entry.h"
#include "model/sweep.h"

using namespace kelvora;
using namespace kelvora::test;
using ExportSweep = test::ExportTest;

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
