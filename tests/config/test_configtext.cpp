// The configuration text in both forms, and how it reaches the disk.
#include "config/inifile.h"
#include "configtest.h"
#include "model/entry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace kelvora;
using namespace kelvora::test;

namespace {

// The file a first start writes, lines separated by "|": the header, four lines per parameter (name, value,
// minimum, maximum), then the settings.
const std::string firststart =
    "#  You may alter this file manually at your own risk. Take care, you should not change the order of the "
    "variables.|#  Unappropriate values will be overriden.|#  Format: # Parameter name and unit, "
    "parameter value, allowed minimum value, allowed maximum value; and some other things.||"
    "# ATPin  (mM)| 6.00| 0.01| 12.00|# ADPin  (mM)| 6.00| 0.01| 12.00|"
    "# ATPout  (mM)| 1.20| 0.10| 5.00|# ADPout  (mM)| 0.01| 0.001| 2.00|"
    "# Pin  (mM)| 10.00| 0.10| 100.00|# pHo  | 7.25| 6.00| 8.00|"
    "# pHi  | 7.38| 6.00| 8.00|# n  | 3.70| 2.80| 4.40|"
    "# KM(adp)in  (mM)| 0.906| 0.01| 2.00|# KM(adp)out  (mM)| 0.906| 0.01| 2.00|"
    "# KM(atp)in  (mM)| 0.114| 0.01| 2.00|# KM(atp)out  (mM)| 0.114| 0.01| 2.00|"
    "# KH(adp)in  10^(-x) M| 6.80| 4.00| 10.00|# KH(adp)out  10^(-x) M| 6.80| 4.00| 10.00|"
    "# KH(atp)in  10^(-x) M| 7.06| 4.00| 10.00|# KH(atp)out  10^(-x) M| 7.06| 4.00| 10.00|"
    "# Mg  (mM)| 0.50| 0.00| 2.00|# T  (Celsius)| 37.00| 20.00| 40.00|"
    "# KM(adp)  10^(-x)| 3.198| 0.00| 10.00|# KM(atp)  10^(-x)| 4.06| 0.00| 10.00|"
    "# pKa2| 7.2 |# xmin|-160 |# xmax|-80 |# ymin| 0 |# ymax| 3 |# y axis|-1 ";

std::vector<std::string> firststartlines() {
    std::vector<std::string> lines(1);
    for (const char c : firststart)
        c == '|' ? lines.emplace_back() : lines.back() += c;
    return lines;
}

// The lines joined with CR LF; every number line has the separator given in place of the point.
std::string joined(const std::vector<std::string>& lines, char separator = '.') {
    std::string text;
    for (std::string line : lines) {
        if (!line.starts_with('#')) std::replace(line.begin(), line.end(), '.', separator);
        text += line + "\r\n";
    }
    return text;
}

const std::string closeheader = "#  Kelvora configuration file\r\n#\r\n";

} // namespace

TEST(ConfigText, FirstStartAndCloseForms) {
    ASSERT_EQ(firststartlines().size(), 96u);
    EXPECT_EQ(configtext(factorystate(), ConfigForm::firststart, '.'), joined(firststartlines()));
    EXPECT_EQ(configtext(factorystate(), ConfigForm::atclose, ','),
              closeheader + joined(firststartlines(), ','));
    // The first-start form takes the parameters from the defaults, whatever the state holds.
    ModelState s = factorystate();
    applyvalue(s, pHo, 1, "7.5");
    applyvalue(s, ATPin, 1, "0.0123456789");
    s.params[Mg].value = -0.5f;
    EXPECT_EQ(configtext(s, ConfigForm::firststart, '.'), joined(firststartlines()));
    s.pKa2 = 6.5;
    s.yaxis = T;
    s.xmin = -171.631012345678912;
    s.xmax = -73.75;
    s.ymin = 0.5;
    s.ymax = 15.33958;
    std::vector<std::string> lines = firststartlines();
    // The ATPin value rounded to six decimals, pHo and Mg, and the settings.
    const std::pair<int, const char*> changed[] = {
        {5, " 0.012346"}, {25, " 7.50"}, {69, " -0.50"},     {85, " 6.5 "}, {87, "-171.631012345679 "},
        {89, "-73.75 "},  {91, " .5 "},  {93, " 15.33958 "}, {95, " 17 "}};
    for (const auto& [line, text] : changed)
        lines[line] = text;
    EXPECT_EQ(configtext(s, ConfigForm::atclose, '.'), closeheader + joined(lines));
}

// The new text goes to a temporary file renamed over the old one: every failure keeps what was there.
TEST(ConfigWrite, CreatesOrReplacesTheFileAndFailuresKeepWhatWasThere) {
    ScratchDir dir;
    const std::filesystem::path file = dir / configfilename;
    const std::string oldsettings = configtext(factorystate(), ConfigForm::firststart, '.');
    ASSERT_TRUE(writeconfigfile(factorystate(), ConfigForm::firststart, '.', file));
    EXPECT_EQ(readfile(file), oldsettings);
    ASSERT_TRUE(writeconfigfile(factorystate(T), ConfigForm::atclose, ',', file));
    EXPECT_EQ(readfile(file), configtext(factorystate(T), ConfigForm::atclose, ','));
    EXPECT_EQ(dir.size(), 1u);
    writefile(file, oldsettings);
    // A missing directory; a directory of that name, with its contents.
    EXPECT_FALSE(writeconfigfile(factorystate(), ConfigForm::atclose, '.', dir / "gone" / configfilename));
    std::filesystem::create_directory(dir / "sub.ini");
    writefile(dir / "sub.ini" / "inside", "kept");
    EXPECT_FALSE(writeconfigfile(factorystate(), ConfigForm::atclose, '.', dir / "sub.ini"));
    EXPECT_EQ(readfile(dir / "sub.ini" / "inside"), "kept");
    // A full disk, imitated by a file size limit in a child process: the write fails part way.
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(writeconfigfile(factorystate(), ConfigForm::atclose, '.', file) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << "the write reported success";
    EXPECT_EQ(readfile(file), oldsettings);
    EXPECT_EQ(dir.size(), 2u);
}
