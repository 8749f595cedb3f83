#include "factory.h"
#include "model/parameters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace kelvora;

TEST(ParameterTable, FactoryValuesAreSinglePrecision) {
    const ModelState s = factorystate();
    EXPECT_EQ(static_cast<double>(s.params[ATPout].value), 1.2000000476837158);
    EXPECT_EQ(static_cast<double>(s.params[pHi].value), 7.380000114440918);
    EXPECT_EQ(s.params[ADPout].value, static_cast<float>(10.0 / 1000.0));
    for (int i = 0; i <= lastindex; ++i) {
        const parameter& p = s.params[i];
        const parameter& d = s.defaults[i];
        EXPECT_EQ(p.value, d.value) << i;
        EXPECT_EQ(p.min, d.min) << i;
        EXPECT_EQ(p.max, d.max) << i;
        EXPECT_EQ(p.inc, d.inc) << i;
        EXPECT_EQ(p.log, 0) << i;
        EXPECT_EQ(p.tag, d.tag) << i;
    }
}

TEST(ParameterTable, LimitsFollowStepsForTheFirstSixteen) {
    const ModelState s = factorystate();
    for (int i = 0; i <= KHatpout; ++i) EXPECT_EQ(s.limits[i].min, s.defaults[i].inc) << i;
    for (int i = Mg; i <= lastindex; ++i) EXPECT_EQ(s.limits[i].min, 0.0) << i;
    EXPECT_EQ(s.limits[ADPout].min, 0.0001);
    EXPECT_EQ(s.limits[pHo].max, 20.0);
    EXPECT_EQ(s.limits[T].max, 1000.0);
    EXPECT_EQ(s.limits[KMatp].max, 10.0);
    EXPECT_EQ(s.limits[n].max, 10000.0);
}

TEST(ParameterTable, IndexTwentyIsNeverFilled) {
    const ModelState s = factorystate();
    EXPECT_EQ(s.params[20].value, 0.0f);
    EXPECT_TRUE(s.params[20].tag.empty());
    EXPECT_TRUE(s.defaults[20].tag.empty());
    EXPECT_EQ(s.limits[20].max, 0.0);
}

TEST(ParameterTable, YAxisListTexts) {
    EXPECT_EQ(yaxistext(0), "ATPin/ADPin");
    EXPECT_EQ(yaxistext(1), "ATPin (mM)");
    EXPECT_EQ(yaxistext(6), "pHo");
    EXPECT_EQ(yaxistext(7), "pHi");
    EXPECT_EQ(yaxistext(8), "n");
    EXPECT_EQ(yaxistext(13), "KH(adp)in 10^(-x) M");
    EXPECT_EQ(yaxistext(18), "T (Celsius)");
    EXPECT_EQ(yaxistext(20), "KM(atp) 10^(-x)");
}

TEST(ParameterTable, SettingsResetToDefaults) {
    ModelState s = factorystate();
    s.xmin = 1;
    s.xmax = 2;
    s.ymin = 3;
    s.ymax = 4;
    s.yaxis = 7;
    resetsettings(s);
    EXPECT_EQ(s.xmin, -160.0);
    EXPECT_EQ(s.xmax, -80.0);
    EXPECT_EQ(s.ymin, 0.0);
    EXPECT_EQ(s.ymax, 3.0);
    EXPECT_EQ(s.yaxis, -1);
}

TEST(SinglePrecision, SaturatesInsteadOfOverflowing) {
    EXPECT_EQ(tosingle(1e300), std::numeric_limits<float>::max());
    EXPECT_EQ(tosingle(-1e300), -std::numeric_limits<float>::max());
    EXPECT_EQ(tosingle(0.7), 0.7f);
    EXPECT_TRUE(std::isnan(tosingle(std::numeric_limits<double>::quiet_NaN())));
}
