// The axis title texts that the window and a drawing written to a file share.
#include "plot/titles.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace kelvora {
namespace {

TEST(AxisTitles, XTitleAndOneYTitleForEveryYAxisChoice) {
    EXPECT_EQ(xaxistitle(), "Mitochondrial membrane potential (\xCE\x94\xCE\xA8m, mV)");
    const std::vector<std::pair<int16_t, std::string>> cases = {
        {-1, "Matrix ATP/ADP"}, {0, "ATPin (mM)"},       {5, "pHo"}, {12, "KH(adp)in 10^(-x) M"},
        {17, "T (Celsius)"},    {19, "KM(atp) 10^(-x)"}, {20, ""},   {-2, ""}};
    for (const auto& [yaxis, title] : cases)
        EXPECT_EQ(yaxistitle(yaxis), title) << yaxis;
}

} // namespace
} // namespace kelvora
