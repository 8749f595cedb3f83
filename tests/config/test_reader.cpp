#include "config/inifile.h"
#include "configtest.h"
#include "model/entry.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

using namespace kelvora;
using kelvora::test::expectrepaired;

namespace {

// Positions among the value lines: value, minimum and maximum of parameter i, then the settings.
constexpr auto valueline = [](int i) { return 3 * i; };
constexpr auto minline = [](int i) { return 3 * i + 1; };
constexpr auto maxline = [](int i) { return 3 * i + 2; };
constexpr int pKa2line = 60, xminline = 61, xmaxline = 62, yminline = 63, ymaxline = 64, yaxisline = 65;

// The 66 value lines of the factory state, as numbers in text; tests change single lines.
std::vector<std::string> factoryvalues() {
    const ModelState s = factorystate();
    std::vector<std::string> v;
    for (int i = 0; i <= lastindex; ++i) {
        v.push_back(std::to_string(s.defaults[i].value));
        v.push_back(std::to_string(s.defaults[i].min));
        v.push_back(std::to_string(s.defaults[i].max));
    }
    for (const char* setting : {"7.2", "-160", "-80", "0", "3", "-1"})
        v.push_back(setting);
    return v;
}

std::string valuelines(const std::vector<std::string>& values, const std::string& lineend = "\r\n") {
    std::string text;
    for (const std::string& v : values)
        text += v + lineend;
    return text;
}

ModelState readtext(const std::string& text) {
    ModelState s = factorystate();
    readconfig(s, text);
    return s;
}

// Reads the factory value lines with some of them replaced.
ModelState readwith(std::initializer_list<std::pair<int, const char*>> changes) {
    std::vector<std::string> v = factoryvalues();
    for (const auto& [line, text] : changes)
        v[line] = text;
    return readtext(valuelines(v));
}

void expectsamestate(const ModelState& a, const ModelState& b) {
    for (int i = 0; i <= lastindex; ++i) {
        EXPECT_EQ(a.params[i].value, b.params[i].value) << i;
        EXPECT_EQ(a.params[i].min, b.params[i].min) << i;
        EXPECT_EQ(a.params[i].max, b.params[i].max) << i;
        EXPECT_EQ(a.params[i].inc, b.params[i].inc) << i;
    }
    EXPECT_EQ(a.pKa2, b.pKa2);
    EXPECT_EQ(a.xmin, b.xmin);
    EXPECT_EQ(a.xmax, b.xmax);
    EXPECT_EQ(a.ymin, b.ymin);
    EXPECT_EQ(a.ymax, b.ymax);
    EXPECT_EQ(a.yaxis, b.yaxis);
}

} // namespace

TEST(ConfigRead, FirstStartFileGivesTheDefaults) {
    const ModelState s = readtext(configtext(factorystate(), ConfigForm::firststart, '.'));
    const ModelState factory = factorystate();
    for (int i = 0; i <= lastindex; ++i) {
        EXPECT_EQ(s.params[i].value, factory.params[i].value) << i;
        // The value check puts the range onto its step grid: 28 * 0.1 is 2.8000000000000003.
        EXPECT_DOUBLE_EQ(s.params[i].min, factory.params[i].min) << i;
        EXPECT_DOUBLE_EQ(s.params[i].max, factory.params[i].max) << i;
        EXPECT_EQ(s.params[i].inc, factory.params[i].inc) << i;
    }
    EXPECT_EQ(s.pKa2, factory.pKa2);
    EXPECT_EQ(s.xmin, factory.xmin);
    EXPECT_EQ(s.xmax, factory.xmax);
    EXPECT_EQ(s.ymin, factory.ymin);
    EXPECT_EQ(s.ymax, factory.ymax);
    EXPECT_EQ(s.yaxis, factory.yaxis);
}

TEST(ConfigRead, RoundTripAtCloseUnderEitherSeparator) {
    ModelState before = factorystate();
    applyvalue(before, pHo, 1, "7.254");
    applyvalue(before, ATPin, 1, "0.0123456789");
    applyvalue(before, Pin, 1, "3000");
    applymaximum(before, KMadpin, "1.5");
    applyminimum(before, T, "25");
    applyvalue(before, KMatp, 1, "6,125");
    before.pKa2 = 6.95;
    before.xmin = -171.631012345678912;
    before.xmax = -73.7567;
    before.ymin = 0.25;
    before.ymax = 15.33958;
    before.yaxis = ADPout;

    const ModelState point = readtext(configtext(before, ConfigForm::atclose, '.'));
    for (const char sep : {'.', ','}) {
        const ModelState after = readtext(configtext(before, ConfigForm::atclose, sep));
        // A file written with a decimal comma reads exactly like one with a point.
        expectsamestate(after, point);
        for (int i = 0; i <= lastindex; ++i) {
            // Six decimals of the pattern.
            EXPECT_NEAR(after.params[i].value, before.params[i].value, 5e-7) << i;
            EXPECT_NEAR(after.params[i].min, before.params[i].min, 5e-7) << i;
            EXPECT_NEAR(after.params[i].max, before.params[i].max, 5e-7) << i;
            EXPECT_DOUBLE_EQ(after.params[i].inc, before.params[i].inc) << i;
        }
        // Fifteen significant digits of the plain form.
        EXPECT_EQ(after.pKa2, before.pKa2);
        EXPECT_NEAR(after.xmin, before.xmin, 1e-12);
        EXPECT_EQ(after.xmax, before.xmax);
        EXPECT_EQ(after.ymin, before.ymin);
        EXPECT_EQ(after.ymax, before.ymax);
        EXPECT_EQ(after.yaxis, before.yaxis);
    }
}

TEST(ConfigRead, EveryLineEndCounts) {
    std::vector<std::string> v = factoryvalues();
    v[valueline(pHo)] = "7.5";
    v[yaxisline] = "17";
    const ModelState crlf = readtext(valuelines(v, "\r\n"));
    EXPECT_EQ(crlf.params[pHo].value, 7.5f);
    EXPECT_EQ(crlf.yaxis, T);
    // CR alone, and LF alone as an editor saves it: still one value per line. LF CR is two line ends with an
    // empty line between them.
    for (const char* lineend : {"\r", "\n", "\n\r"}) {
        SCOPED_TRACE(testing::PrintToString(lineend));
        expectsamestate(readtext(valuelines(v, lineend)), crlf);
    }
    // The last line needs no line end.
    std::string text = valuelines(v);
    text.erase(text.size() - 2);
    expectsamestate(readtext(text), crlf);
}

TEST(ConfigRead, CommentsAndBlankLines) {
    std::vector<std::string> v = factoryvalues();
    v[valueline(ATPin)] = "7";
    EXPECT_EQ(readtext("   # note\r\n;another\r\n\r\n      \r\n  ;x\r\n" + valuelines(v)).params[ATPin].value,
              7.0f);
    // A tab is no blank: the line is a value line and reads as 0, which the value check raises to 0.01.
    const ModelState tabbed = readtext("\t# note\r\n" + valuelines(v));
    EXPECT_EQ(tabbed.params[ATPin].value, 0.01f);
    EXPECT_EQ(tabbed.params[ADPin].value, 12.0f); // every line moved down by one: ATPin's maximum
}

TEST(ConfigRead, MissingLinesKeepTheDefaultsButTheYAxisReadsZero) {
    std::vector<std::string> v = factoryvalues();
    v.resize(65);
    EXPECT_EQ(readtext(valuelines(v)).yaxis, ATPin);
    const ModelState s = readtext("8\r\n");
    EXPECT_EQ(s.params[ATPin].value, 8.0f);
    EXPECT_EQ(s.params[ADPin].value, 6.0f);
    EXPECT_EQ(s.pKa2, 7.2);
    EXPECT_EQ(s.xmin, -160.0);
    EXPECT_EQ(s.yaxis, ATPin);
    EXPECT_EQ(readtext("").yaxis, ATPin);
}

TEST(ConfigRead, YAxisIndexRoundsHalfToEvenAndStaysInRange) {
    // Beyond the 16-bit range: out of range, not wrapped around into it.
    const std::pair<const char*, int> cases[] = {
        {"25", ratioaxis},     {"2.5", 2},          {"3.5", 4},        {"18.5", 18},
        {"19.5", ratioaxis},   {"-0.5", 0},         {"-2", ratioaxis}, {"65541", ratioaxis},
        {"-65535", ratioaxis}, {"1E300", ratioaxis}};
    for (const auto& [text, yaxis] : cases)
        EXPECT_EQ(readwith({{yaxisline, text}}).yaxis, yaxis) << text;
}

TEST(ConfigRead, SettingRepairs) {
    EXPECT_EQ(readwith({{pKa2line, "15"}}).pKa2, 12.0);
    EXPECT_EQ(readwith({{pKa2line, "-3"}}).pKa2, 0.0);
    ModelState s = readwith({{xminline, "-50"}, {xmaxline, "-100"}});
    EXPECT_EQ(s.xmin, -101.0);
    EXPECT_EQ(s.xmax, -100.0);
    EXPECT_EQ(readwith({{yminline, "-1"}}).ymin, 0.0);
    s = readwith({{yminline, "5"}, {ymaxline, "2"}});
    EXPECT_EQ(s.ymin, 5.0);
    EXPECT_EQ(s.ymax, 6.0);
}

TEST(ConfigRead, LimitsThatCannotBeRepairedFallBackToTheDefaults) {
    // xmax - 1 is xmax itself this far out; an ordered pair whose span overflows; numbers beyond the double
    // range, which the reader saturates.
    for (const auto& [xmin, xmax] :
         {std::pair{"3E17", "1E17"}, {"-1.7E308", "1.7E308"}, {"-1E999", "1E999"}}) {
        const ModelState s = readwith({{xminline, xmin}, {xmaxline, xmax}});
        EXPECT_EQ(s.xmin, defaultxmin) << xmin;
        EXPECT_EQ(s.xmax, defaultxmax) << xmin;
    }
    ModelState s = readwith({{xminline, "-150"}, {yminline, "1E17"}, {ymaxline, "0"}});
    EXPECT_EQ(s.ymin, defaultymin);
    EXPECT_EQ(s.ymax, defaultymax);
    EXPECT_EQ(s.xmin, -150.0); // one broken pair leaves the other alone
    s = readwith({{yminline, "1E16"}, {ymaxline, "2E16"}});
    EXPECT_EQ(s.ymin, 1e16);
    EXPECT_EQ(s.ymax, 2e16);
}

TEST(ConfigRead, ParameterRepairs) {
    // Value 6, minimum 15, maximum 5: step 1 sets min 6, step 2 max 6, step 7 raises max to 6.01.
    ModelState s = readwith({{valueline(ATPin), "6"}, {minline(ATPin), "15"}, {maxline(ATPin), "5"}});
    EXPECT_EQ(s.params[ATPin].value, 6.0f);
    EXPECT_DOUBLE_EQ(s.params[ATPin].min, 6.0);
    EXPECT_DOUBLE_EQ(s.params[ATPin].max, 6.01);
    // A value above the maximum raises it.
    s = readwith({{valueline(ATPin), "20"}, {maxline(ATPin), "12"}});
    EXPECT_EQ(s.params[ATPin].value, 20.0f);
    EXPECT_DOUBLE_EQ(s.params[ATPin].max, 20.0);
    // The range repair compares the minimum in single precision and keeps 0.7; the value check then finds the
    // value 0.69999998807907 below the minimum 0.7 and lowers the minimum one step onto the grid.
    s = readwith({{valueline(KMadpin), "0.7"}, {minline(KMadpin), "0.7"}});
    EXPECT_EQ(s.params[KMadpin].value, 0.7f);
    EXPECT_DOUBLE_EQ(s.params[KMadpin].min, 0.699);
    // Values, minima and maxima outside the limits.
    s = readwith(
        {{valueline(pHo), "25"}, {valueline(T), "-300"}, {minline(Mg), "-5"}, {maxline(KMatp), "50"}});
    EXPECT_EQ(s.params[pHo].value, 20.0f);
    EXPECT_DOUBLE_EQ(s.params[pHo].max, 20.0);
    EXPECT_EQ(s.params[T].value, 0.0f);
    EXPECT_EQ(s.params[T].min, 0.0);
    EXPECT_EQ(s.params[Mg].min, 0.0);
    EXPECT_EQ(s.params[KMatp].max, 10.0);
    expectrepaired(s);
}

TEST(ConfigRead, NumbersBeyondFloatAndDoubleRange) {
    const ModelState s = readwith({{valueline(ATPin), "1E39"},
                                   {minline(ATPin), "1E39"},
                                   {maxline(ATPin), "1E300"},
                                   {valueline(ADPin), "-1E400"},
                                   {maxline(ADPin), "-1E400"},
                                   {valueline(ATPout), "1E-50"},
                                   {pKa2line, "1E999"},
                                   {yminline, "-1E999"}});
    EXPECT_EQ(s.params[ATPin].value, 10000.0f);
    EXPECT_EQ(s.params[ADPin].value, 0.01f);
    EXPECT_EQ(s.params[ATPout].value, 0.01f);
    EXPECT_EQ(s.pKa2, 12.0);
    EXPECT_EQ(s.ymin, 0.0);
    expectrepaired(s);
}

TEST(ConfigRead, OnlyTheFirstHundredValueLinesAreRead) {
    std::vector<std::string> v = factoryvalues();
    v.resize(100, "1");
    v[yaxisline] = "5";
    v.resize(150, "junk");
    const ModelState s = readtext(valuelines(v));
    EXPECT_EQ(s.yaxis, pHo);
    expectsamestate(s, readtext(valuelines(std::vector<std::string>(v.begin(), v.begin() + 66))));
}
