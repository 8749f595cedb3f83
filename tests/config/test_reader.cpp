#include "config/inifile.h"
#include "configtest.h"
#include "model/entry.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <string>
#include <vector>

using namespace kelvora;
using kelvora::test::expectrepaired;
using kelvora::test::freshstate;

namespace {

// Text of value lines only, each ending in CR LF.
std::string valuelines(const std::vector<std::string>& values, const std::string& lineend = "\r\n") {
    std::string text;
    for (const std::string& v : values)
        text += v + lineend;
    return text;
}

// The 66 value lines of the factory state, as numbers in text; tests change single slots.
std::vector<std::string> factoryvalues() {
    const ModelState s = freshstate();
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

constexpr int pKa2line = 60;
constexpr int xminline = 61;
constexpr int xmaxline = 62;
constexpr int yminline = 63;
constexpr int ymaxline = 64;
constexpr int yaxisline = 65;
int valueline(int i) {
    return 3 * i;
}
int minline(int i) {
    return 3 * i + 1;
}
int maxline(int i) {
    return 3 * i + 2;
}

ModelState readtext(const std::string& text) {
    ModelState s = freshstate();
    readconfig(s, text);
    return s;
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
    const ModelState s = readtext(configtext(freshstate(), ConfigForm::firststart, '.'));
    const ModelState factory = freshstate();
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

TEST(ConfigRead, RoundTripAtClose) {
    ModelState before = freshstate();
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

    for (const char sep : {'.', ','}) {
        const ModelState after = readtext(configtext(before, ConfigForm::atclose, sep));
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

TEST(ConfigRead, DecimalCommaReadsLikeAPoint) {
    ModelState s = freshstate();
    applyvalue(s, pHo, 1, "7.31");
    s.ymax = 2.5;
    const ModelState comma = readtext(configtext(s, ConfigForm::atclose, ','));
    const ModelState point = readtext(configtext(s, ConfigForm::atclose, '.'));
    expectsamestate(comma, point);
    EXPECT_EQ(comma.params[pHo].value, 7.31f);
    EXPECT_EQ(comma.ymax, 2.5);
}

TEST(ConfigRead, EveryLineEndCounts) {
    std::vector<std::string> v = factoryvalues();
    v[valueline(pHo)] = "7.5";
    v[yaxisline] = "17";
    const ModelState crlf = readtext(valuelines(v, "\r\n"));
    EXPECT_EQ(crlf.params[pHo].value, 7.5f);
    EXPECT_EQ(crlf.yaxis, T);
    // CR alone, and LF alone as an editor saves it: still one value per line.
    expectsamestate(readtext(valuelines(v, "\r")), crlf);
    expectsamestate(readtext(valuelines(v, "\n")), crlf);
    // LF CR is two line ends with an empty line between them.
    expectsamestate(readtext(valuelines(v, "\n\r")), crlf);
    // The last line needs no line end.
    std::string text = valuelines(v);
    text.erase(text.size() - 2);
    expectsamestate(readtext(text), crlf);
}

TEST(ConfigRead, CommentsAndBlankLines) {
    std::vector<std::string> v = factoryvalues();
    v[valueline(ATPin)] = "7";
    std::string text = "   # note\r\n;another\r\n\r\n      \r\n  ;x\r\n" + valuelines(v);
    EXPECT_EQ(readtext(text).params[ATPin].value, 7.0f);
    // A tab is no blank: the line is a value line and reads as 0, which the value check raises to 0.01.
    text = "\t# note\r\n" + valuelines(v);
    const ModelState tabbed = readtext(text);
    EXPECT_EQ(tabbed.params[ATPin].value, 0.01f);
    EXPECT_EQ(tabbed.params[ADPin].value, 12.0f); // every slot moved down by one: ATPin's maximum
}

TEST(ConfigRead, MissingLinesKeepTheDefaultsButTheYAxisReadsZero) {
    std::vector<std::string> v = factoryvalues();
    v.resize(65);
    EXPECT_EQ(readtext(valuelines(v)).yaxis, ATPin);
    v.resize(3);
    v[0] = "8";
    const ModelState s = readtext(valuelines(v));
    EXPECT_EQ(s.params[ATPin].value, 8.0f);
    EXPECT_EQ(s.params[ADPin].value, 6.0f);
    EXPECT_EQ(s.pKa2, 7.2);
    EXPECT_EQ(s.xmin, -160.0);
    EXPECT_EQ(s.yaxis, ATPin);
    EXPECT_EQ(readtext("").yaxis, ATPin);
}

TEST(ConfigRead, YAxisIndexRoundsHalfToEvenAndStaysInRange) {
    std::vector<std::string> v = factoryvalues();
    const auto yaxisof = [&](const std::string& text) {
        v[yaxisline] = text;
        return readtext(valuelines(v)).yaxis;
    };
    EXPECT_EQ(yaxisof("25"), ratioaxis);
    EXPECT_EQ(yaxisof("2.5"), 2);
    EXPECT_EQ(yaxisof("3.5"), 4);
    EXPECT_EQ(yaxisof("18.5"), 18);
    EXPECT_EQ(yaxisof("19.5"), ratioaxis);
    EXPECT_EQ(yaxisof("-0.5"), 0);
    EXPECT_EQ(yaxisof("-2"), ratioaxis);
    // Beyond the 16-bit range: out of range, not wrapped around into it.
    EXPECT_EQ(yaxisof("65541"), ratioaxis);
    EXPECT_EQ(yaxisof("-65535"), ratioaxis);
    EXPECT_EQ(yaxisof("1E300"), ratioaxis);
}

TEST(ConfigRead, SettingRepairs) {
    std::vector<std::string> v = factoryvalues();
    v[pKa2line] = "15";
    EXPECT_EQ(readtext(valuelines(v)).pKa2, 12.0);
    v[pKa2line] = "-3";
    EXPECT_EQ(readtext(valuelines(v)).pKa2, 0.0);

    v = factoryvalues();
    v[xminline] = "-50";
    v[xmaxline] = "-100";
    ModelState s = readtext(valuelines(v));
    EXPECT_EQ(s.xmin, -101.0);
    EXPECT_EQ(s.xmax, -100.0);

    v = factoryvalues();
    v[yminline] = "-1";
    EXPECT_EQ(readtext(valuelines(v)).ymin, 0.0);

    v = factoryvalues();
    v[yminline] = "5";
    v[ymaxline] = "2";
    s = readtext(valuelines(v));
    EXPECT_EQ(s.ymin, 5.0);
    EXPECT_EQ(s.ymax, 6.0);
}

TEST(ConfigRead, LimitsThatCannotBeRepairedFallBackToTheDefaults) {
    std::vector<std::string> v = factoryvalues();
    // xmax - 1 is xmax itself this far out.
    v[xminline] = "3E17";
    v[xmaxline] = "1E17";
    ModelState s = readtext(valuelines(v));
    EXPECT_EQ(s.xmin, defaultxmin);
    EXPECT_EQ(s.xmax, defaultxmax);
    // Ordered, but the span overflows.
    v[xminline] = "-1.7E308";
    v[xmaxline] = "1.7E308";
    s = readtext(valuelines(v));
    EXPECT_EQ(s.xmin, defaultxmin);
    EXPECT_EQ(s.xmax, defaultxmax);
    // Beyond the double range the reader saturates; still no usable span.
    v[xminline] = "-1E999";
    v[xmaxline] = "1E999";
    s = readtext(valuelines(v));
    EXPECT_EQ(s.xmin, defaultxmin);
    EXPECT_EQ(s.xmax, defaultxmax);

    v = factoryvalues();
    v[yminline] = "1E17";
    v[ymaxline] = "0";
    s = readtext(valuelines(v));
    EXPECT_EQ(s.ymin, defaultymin);
    EXPECT_EQ(s.ymax, defaultymax);
    // One broken pair leaves the other alone.
    EXPECT_EQ(s.xmin, -160.0);

    v = factoryvalues();
    v[yminline] = "1E16";
    v[ymaxline] = "2E16";
    s = readtext(valuelines(v));
    EXPECT_EQ(s.ymin, 1e16);
    EXPECT_EQ(s.ymax, 2e16);
}

TEST(ConfigRead, CrossedRangeIsWidenedByOneStep) {
    std::vector<std::string> v = factoryvalues();
    v[valueline(ATPin)] = "6";
    v[minline(ATPin)] = "15";
    v[maxline(ATPin)] = "5";
    const ModelState s = readtext(valuelines(v));
    EXPECT_EQ(s.params[ATPin].value, 6.0f);
    EXPECT_DOUBLE_EQ(s.params[ATPin].min, 6.0);
    EXPECT_DOUBLE_EQ(s.params[ATPin].max, 6.01);
}

TEST(ConfigRead, ValueAboveTheMaximumRaisesIt) {
    std::vector<std::string> v = factoryvalues();
    v[valueline(ATPin)] = "20";
    v[maxline(ATPin)] = "12";
    const ModelState s = readtext(valuelines(v));
    EXPECT_EQ(s.params[ATPin].value, 20.0f);
    EXPECT_DOUBLE_EQ(s.params[ATPin].max, 20.0);
}

TEST(ConfigRead, MinimumIsComparedInSinglePrecision) {
    std::vector<std::string> v = factoryvalues();
    v[valueline(KMadpin)] = "0.7";
    v[minline(KMadpin)] = "0.7";
    const ModelState s = readtext(valuelines(v));
    EXPECT_EQ(s.params[KMadpin].value, 0.7f);
    // The range repair keeps 0.7 (0.7 in single precision is not above the value); the value check then
    // finds the value 0.69999998807907 below the minimum 0.7 and lowers the minimum one step onto the grid.
    EXPECT_DOUBLE_EQ(s.params[KMadpin].min, 0.699);
}

TEST(ConfigRead, ValuesAreCheckedAgainstTheLimits) {
    std::vector<std::string> v = factoryvalues();
    v[valueline(pHo)] = "25";
    v[valueline(T)] = "-300";
    v[minline(Mg)] = "-5";
    v[maxline(KMatp)] = "50";
    const ModelState s = readtext(valuelines(v));
    EXPECT_EQ(s.params[pHo].value, 20.0f);
    EXPECT_DOUBLE_EQ(s.params[pHo].max, 20.0);
    EXPECT_EQ(s.params[T].value, 0.0f);
    EXPECT_EQ(s.params[T].min, 0.0);
    EXPECT_EQ(s.params[Mg].min, 0.0);
    EXPECT_EQ(s.params[KMatp].max, 10.0);
    expectrepaired(s);
}

TEST(ConfigRead, NumbersBeyondFloatAndDoubleRange) {
    std::vector<std::string> v = factoryvalues();
    v[valueline(ATPin)] = "1E39";
    v[minline(ATPin)] = "1E39";
    v[maxline(ATPin)] = "1E300";
    v[valueline(ADPin)] = "-1E400";
    v[maxline(ADPin)] = "-1E400";
    v[valueline(ATPout)] = "1E-50";
    v[pKa2line] = "1E999";
    v[yminline] = "-1E999";
    const ModelState s = readtext(valuelines(v));
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
    for (int extra = 0; extra < 50; ++extra)
        v.push_back("junk");
    const ModelState s = readtext(valuelines(v));
    EXPECT_EQ(s.yaxis, pHo);
    expectsamestate(s, readtext(valuelines(std::vector<std::string>(v.begin(), v.begin() + 66))));
}
