// The configuration file: its text in both forms, how it reaches the disk, and reading it back with every
// repair in its order, including files no one would write on purpose.
#include "config/inifile.h"
#include "config/startup.h"
#include "configtest.h"
#include "model/entry.h"

#include <algorithm>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <tuple>
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

// The lines, each ended by lineend; every number line has the separator given in place of the point.
std::string joined(const std::vector<std::string>& lines, char separator = '.',
                   const char* lineend = "\r\n") {
    std::string text;
    for (std::string line : lines) {
        if (!line.starts_with('#')) std::replace(line.begin(), line.end(), '.', separator);
        text += line + lineend;
    }
    return text;
}

const std::string closeheader = "#  Kelvora configuration file\r\n#\r\n";

constexpr int pKa2line = 60, xminline = 61, xmaxline = 62, yminline = 63, ymaxline = 64, yaxisline = 65;

// The first-start file's 66 value lines (value, minimum and maximum of parameter i at 3i, 3i+1, 3i+2, then
// the settings) with some replaced.
std::string valuelines(std::initializer_list<std::pair<int, const char*>> changes,
                       const char* lineend = "\r\n") {
    std::vector<std::string> v = firststartlines();
    std::erase_if(v, [](const std::string& line) { return line.empty() || line.starts_with('#'); });
    for (const auto& [line, text] : changes)
        v[line] = text;
    return joined(v, '.', lineend);
}

ModelState readtext(const std::string& text) {
    ModelState s = factorystate();
    readconfig(s, text);
    return s;
}

} // namespace

TEST(ConfigText, FirstStartAndCloseForms) {
    EXPECT_EQ(configtext(factorystate(), ConfigForm::atclose, ','),
              closeheader + joined(firststartlines(), ','));
    // The first-start form takes the parameters from the defaults, whatever the state holds.
    ModelState s = factorystate();
    entervalue(s, ATPin, "0.0123456789");
    s.params[Mg].value = -0.5f;
    EXPECT_EQ(configtext(s, ConfigForm::firststart, '.'), joined(firststartlines()));
    std::tie(s.xmin, s.ymin, s.yaxis) = std::tuple(-171.631012345678912, 0.5, int16_t{T});
    std::vector<std::string> lines = firststartlines();
    // The ATPin value rounded to six decimals, Mg, and the settings.
    std::tie(lines[5], lines[69], lines[87], lines[91], lines[95]) =
        std::tuple(" 0.012346", " -0.50", "-171.631012345679 ", " .5 ", " 17 ");
    EXPECT_EQ(configtext(s, ConfigForm::atclose, '.'), closeheader + joined(lines));
}

// The new text goes to a temporary file renamed over the old one (replacing is checked with the paths):
// every failure keeps what was there.
TEST(ConfigWrite, CreatesTheFileAndFailuresKeepWhatWasThere) {
    ScratchDir dir;
    const std::filesystem::path file = dir / configfilename;
    const std::string oldsettings = configtext(factorystate(), ConfigForm::firststart, '.');
    ASSERT_TRUE(writeconfigfile(factorystate(), ConfigForm::firststart, '.', file));
    EXPECT_EQ(readfile(file), oldsettings);
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
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1) << "the write reported success";
    EXPECT_EQ(readfile(file), oldsettings);
    EXPECT_EQ(dir.size(), 1u);
}

TEST(ConfigRead, RoundTripLineEndsAndMissingLines) {
    ModelState before = factorystate(ADPout);
    entervalue(before, ATPin, "0.0123456789");
    entermaximum(before, KMadpin, "1.5");
    const ModelState point = readtext(configtext(before, ConfigForm::atclose, '.'));
    // The same state up to the six decimals of the pattern: the same text. A file written with a decimal
    // comma reads exactly like one with a point.
    EXPECT_EQ(configtext(point, ConfigForm::atclose, '.'), configtext(before, ConfigForm::atclose, '.'));
    EXPECT_EQ(numbers(readtext(configtext(before, ConfigForm::atclose, ','))), numbers(point));
    // CR alone, and LF alone as an editor saves it: still one value per line. LF CR is two line ends.
    for (const char* lineend : {"\r\n", "\r", "\n", "\n\r"}) {
        const ModelState s = readtext(valuelines({{15, "7.5"}, {yaxisline, "17"}}, lineend));
        EXPECT_EQ(std::tuple(s.params[pHo].value, s.yaxis), std::tuple(7.5f, int16_t{T})) << int(lineend[1]);
    }
    // Comments and blank lines are skipped; the last line needs no line end; missing lines keep the defaults,
    // but the y-axis index reads 0.
    const ModelState s = readtext("   # note\r\n;another\r\n\r\n      \r\n  ;x\r\n8");
    EXPECT_EQ(std::tuple(s.params[ATPin].value, s.params[ADPin].value, s.yaxis),
              std::tuple(8.0f, 6.0f, int16_t{ATPin}));
}

TEST(ConfigRead, SettingRepairs) {
    // Half to even; beyond the 16-bit range is out of range, not wrapped around into it.
    const std::pair<const char*, int> yaxes[] = {{"2.5", 2}, {"3.5", 4},    {"19.5", -1},
                                                 {"-2", -1}, {"65541", -1}, {"1E300", -1}};
    for (const auto& [text, yaxis] : yaxes)
        EXPECT_EQ(readtext(valuelines({{yaxisline, text}})).yaxis, yaxis) << text;
    EXPECT_EQ(readtext(valuelines({{pKa2line, "15"}})).pKa2, 12.0);
    ModelState s =
        readtext(valuelines({{xminline, "-50"}, {xmaxline, "-100"}, {yminline, "5"}, {ymaxline, "2"}}));
    EXPECT_EQ(limitsof(s), (AxisLimits{-101, -100, 5, 6}));
    // Pairs still unordered (xmax - 1 is xmax this far out) or with a span that is not finite fall back to
    // the default limits, each pair on its own.
    const std::pair<const char*, const char*> broken[] = {{"3E17", "1E17"}, {"-1.7E308", "1.7E308"}};
    for (const auto& [xmin, xmax] : broken) {
        s = readtext(valuelines({{xminline, xmin}, {xmaxline, xmax}, {yminline, "1E17"}, {ymaxline, "0"}}));
        EXPECT_EQ(limitsof(s), AxisLimits{}) << xmin;
    }
}

TEST(ConfigRead, ParameterRepairs) {
    // Value 6, minimum 15, maximum 5: step 1 sets min 6, step 2 max 6, step 7 raises max to 6.01.
    ModelState s = readtext(valuelines({{0, "6"}, {1, "15"}, {2, "5"}}));
    EXPECT_EQ(s.params[ATPin].value, 6.0f);
    EXPECT_DOUBLE_EQ(s.params[ATPin].min, 6.0);
    EXPECT_DOUBLE_EQ(s.params[ATPin].max, 6.01);
    // The range repair compares the minimum in single precision and keeps 0.7; the value check then finds the
    // value 0.69999998807907 below the minimum 0.7 and lowers the minimum one step onto the grid.
    s = readtext(valuelines({{3 * KMadpin, "0.7"}, {3 * KMadpin + 1, "0.7"}}));
    EXPECT_EQ(s.params[KMadpin].value, 0.7f);
    EXPECT_DOUBLE_EQ(s.params[KMadpin].min, 0.699);
    // Values outside the limits, and numbers beyond float and double range.
    s = readtext(valuelines(
        {{3 * pHo, "25"}, {3 * T, "-300"}, {0, "1E39"}, {2, "1E300"}, {3, "-1E400"}, {6, "1E-50"}}));
    EXPECT_EQ(std::tuple(s.params[pHo].value, s.params[pHo].max, s.params[T].value),
              std::tuple(20.0f, 20.0, 0.0f));
    EXPECT_EQ(std::tuple(s.params[ATPin].value, s.params[ADPin].value, s.params[ATPout].value),
              std::tuple(10000.0f, 0.01f, 0.01f));
    expectrepaired(s);
}

TEST(ConfigRead, HostileText) {
    // Any byte at all, and number-like characters in every order; then NUL bytes, which end a number.
    static constexpr char numberish[] = "0123456789+-.,eEdD&hHoO \t\r\n#;";
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(seed);
        std::string junk(seed <= 20 ? 16 * 1024 : 4096, '\0');
        for (char& c : junk)
            c = seed <= 20 ? static_cast<char>(random()) : numberish[random() % (sizeof numberish - 1)];
        expectrepaired(readtext(junk));
    }
    ModelState s = readtext(std::string("7\r\n\0\r\n9\0junk\r\n\0\0\0", 17));
    EXPECT_EQ(std::tuple(s.params[ATPin].value, s.params[ATPin].min, s.params[ATPin].max),
              std::tuple(7.0f, 0.01, 9.0));
    expectrepaired(s);
}

TEST(ConfigReadFile, ReadsAcrossTheChunkBoundary) {
    // The number "12.25" starts `before` bytes ahead of the 64 KiB boundary where the file is read in
    // pieces: split inside the number, right at it, and with its CR LF pair split (before 6).
    ScratchDir dir;
    const std::filesystem::path path = dir / configfilename;
    ModelState s = factorystate();
    for (const std::size_t before : {0, 3, 6}) {
        writefile(path, "#" + std::string(64 * 1024 - before - 3, ' ') + "\r\n12.25\r\n 7.5\r\n");
        ASSERT_TRUE(readconfigfile(s, path));
        EXPECT_EQ(std::tuple(s.params[ATPin].value, s.params[ATPin].min), std::tuple(12.25f, 7.5)) << before;
    }
}
