#include "config/inifile.h"
#include "configtest.h"
#include "model/entry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace kelvora;

namespace {

// The file a first start writes, line by line: the header, four lines per parameter, then the settings.
std::vector<std::string> firststartlines() {
    std::vector<std::string> lines = {
        "#  You may alter this file manually at your own risk. Take care, you should not change the order of "
        "the variables.",
        "#  Unappropriate values will be overriden.",
        "#  Format: # Parameter name and unit, parameter value, allowed minimum value, allowed maximum "
        "value; "
        "and some other things.",
        ""};
    const char* const parameters[20][4] = {
        {"# ATPin  (mM)", " 6.00", " 0.01", " 12.00"},
        {"# ADPin  (mM)", " 6.00", " 0.01", " 12.00"},
        {"# ATPout  (mM)", " 1.20", " 0.10", " 5.00"},
        {"# ADPout  (mM)", " 0.01", " 0.001", " 2.00"},
        {"# Pin  (mM)", " 10.00", " 0.10", " 100.00"},
        {"# pHo  ", " 7.25", " 6.00", " 8.00"},
        {"# pHi  ", " 7.38", " 6.00", " 8.00"},
        {"# n  ", " 3.70", " 2.80", " 4.40"},
        {"# KM(adp)in  (mM)", " 0.906", " 0.01", " 2.00"},
        {"# KM(adp)out  (mM)", " 0.906", " 0.01", " 2.00"},
        {"# KM(atp)in  (mM)", " 0.114", " 0.01", " 2.00"},
        {"# KM(atp)out  (mM)", " 0.114", " 0.01", " 2.00"},
        {"# KH(adp)in  10^(-x) M", " 6.80", " 4.00", " 10.00"},
        {"# KH(adp)out  10^(-x) M", " 6.80", " 4.00", " 10.00"},
        {"# KH(atp)in  10^(-x) M", " 7.06", " 4.00", " 10.00"},
        {"# KH(atp)out  10^(-x) M", " 7.06", " 4.00", " 10.00"},
        {"# Mg  (mM)", " 0.50", " 0.00", " 2.00"},
        {"# T  (Celsius)", " 37.00", " 20.00", " 40.00"},
        {"# KM(adp)  10^(-x)", " 3.198", " 0.00", " 10.00"},
        {"# KM(atp)  10^(-x)", " 4.06", " 0.00", " 10.00"},
    };
    for (const auto& parameter : parameters)
        lines.insert(lines.end(), std::begin(parameter), std::end(parameter));
    lines.insert(lines.end(), {"# pKa2", " 7.2 ", "# xmin", "-160 ", "# xmax", "-80 ", "# ymin", " 0 ",
                               "# ymax", " 3 ", "# y axis", "-1 "});
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
    lines[5] = " 0.012346"; // ATPin value, rounded to six decimals
    lines[25] = " 7.50";    // pHo value
    lines[69] = " -0.50";   // Mg value
    lines[85] = " 6.5 ";
    lines[87] = "-171.631012345679 ";
    lines[89] = "-73.75 ";
    lines[91] = " .5 ";
    lines[93] = " 15.33958 ";
    lines[95] = " 17 ";
    EXPECT_EQ(configtext(s, ConfigForm::atclose, '.'), closeheader + joined(lines));
}
