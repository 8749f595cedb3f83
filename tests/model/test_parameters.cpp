#include "factory.h"
#include "model/parameters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace kelvora;

TEST(ParameterTable, FactoryTables) {
    const ModelState s = factorystate();
    // Values are single precision: the table holds the rounded numbers.
    EXPECT_EQ(static_cast<double>(s.params[ATPout].value), 1.2000000476837158);
    EXPECT_EQ(static_cast<double>(s.params[pHi].value), 7.380000114440918);
    EXPECT_EQ(s.params[ADPout].value, static_cast<float>(10.0 / 1000.0));
    for (int i = 0; i <= lastindex; ++i) {
        const parameter &p = s.params[i], &d = s.defaults[i];
        EXPECT_EQ(p.value, d.value) << i;
        EXPECT_EQ(p.min, d.min) << i;
        EXPECT_EQ(p.max, d.max) << i;
        EXPECT_EQ(p.inc, d.inc) << i;
        EXPECT_EQ(p.log, 0) << i;
        EXPECT_EQ(p.tag, d.tag) << i;
        // The lowest minimum is the step for the first sixteen, 0 for the rest.
        EXPECT_EQ(s.limits[i].min, i <= KHatpout ? d.inc : 0.0) << i;
    }
    EXPECT_EQ(s.limits[ADPout].min, 0.0001);
    EXPECT_EQ(s.limits[pHo].max, 20.0);
    EXPECT_EQ(s.limits[T].max, 1000.0);
    EXPECT_EQ(s.limits[KMatp].max, 10.0);
    EXPECT_EQ(s.limits[n].max, 10000.0);
    // Index 20 is never filled.
    EXPECT_EQ(s.params[20].value, 0.0f);
    EXPECT_TRUE(s.params[20].tag.empty());
    EXPECT_TRUE(s.defaults[20].tag.empty());
    EXPECT_EQ(s.limits[20].max, 0.0);
}

TEST(ParameterTable, YAxisListTexts) {
    std::string all;
    for (int entry = 0; entry < yaxisentries; ++entry)
        all += yaxistext(entry) + ";";
    EXPECT_EQ(
        all, "ATPin/ADPin;ATPin (mM);ADPin (mM);ATPout (mM);ADPout (mM);Pin (mM);pHo;pHi;n;KM(adp)in (mM);"
             "KM(adp)out (mM);KM(atp)in (mM);KM(atp)out (mM);KH(adp)in 10^(-x) M;KH(adp)out 10^(-x) M;"
             "KH(atp)in 10^(-x) M;KH(atp)out 10^(-x) M;Mg (mM);T (Celsius);KM(adp) 10^(-x);KM(atp) 10^(-x);");
}

TEST(ParameterTable, SettingsResetToDefaults) {
    ModelState s = factorystate(n);
    s.xmin = 1;
    s.xmax = 2;
    s.ymin = 3;
    s.ymax = 4;
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
