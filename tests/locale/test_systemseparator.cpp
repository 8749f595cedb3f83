#include <gtest/gtest.h>

#include "locale/systemseparator.h"

using namespace kelvora;

// Only a setting that is the comma writes a comma; every other setting, whatever it starts with, the point.
TEST(SystemSeparator, OnlyTheCommaGivesAComma) {
    const std::pair<std::u16string_view, char> cases[] = {
        {u",", ','}, {u".", '.'}, {u"\u066B", '.'}, {u",,", '.'}, {u", ", '.'}, {u"", '.'},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(decimalseparator(cases[i].first), cases[i].second) << "case " << i;
}
