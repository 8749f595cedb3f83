// kelvora-export sweep as a process: the table for the settings file's state and the system's separator.
// The crossings themselves are checked in the model tests.
#include "config/inifile.h"
#include "config/startup.h"
#include "exportrun.h"
#include "model/entry.h"
#include "model/sweep.h"

#include <gtest/gtest.h>

#include <string>

using namespace kelvora;
using kelvora::test::ExportRun;
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
    const ExportRun plain = run(dir, "sweep --param mg --from 2 --to 0 --steps 4");
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.out, expectedsweep(ini, Mg, 2, 0, 4, SeparatorChoice::system, '.'));
    // The system's separator; A and B read with either separator, the name in any case.
    EXPECT_EQ(run(dir, "sweep '--param=KM(ADP)IN' --from=0,5 --to 1.25 --steps=3", "de_DE.UTF-8").out,
              expectedsweep(ini, KMadpin, 0.5, 1.25, 3, SeparatorChoice::system, ','));
}
