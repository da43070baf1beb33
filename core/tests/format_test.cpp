#include <gtest/gtest.h>

#include "core/format.h"
#include "tests/support/rows.h"

namespace palmos {
namespace {

using palmos::PrintTo;

struct FormatRow {
    const char* name;
    double value;
    const char* twoDecimals;
    const char* whole;
};

class Format : public ::testing::TestWithParam<FormatRow> {};

TEST_P(Format, PatternsGiveFixedDecimalsAndNoNegativeZero) {
    const FormatRow row = GetParam();
    EXPECT_EQ(formatNumber(row.value), row.twoDecimals);
    EXPECT_EQ(formatWhole(row.value), row.whole);
}

INSTANTIATE_TEST_SUITE_P(Rows, Format,
                         ::testing::Values(FormatRow{"Zero", 0.0, "0.00", "0"},
                                           FormatRow{"NegativeZero", -0.0, "0.00", "0"},
                                           FormatRow{"TinyNegative", -0.001, "0.00", "0"},
                                           FormatRow{"SmallNegative", -0.004, "0.00", "0"},
                                           FormatRow{"LeadingZero", 0.3, "0.30", "0"},
                                           FormatRow{"Negative", -0.8660, "-0.87", "-1"},
                                           FormatRow{"MinusOne", -1.0, "-1.00", "-1"},
                                           FormatRow{"Large", 1234.5678, "1234.57", "1235"},
                                           FormatRow{"Ten", 10.0, "10.00", "10"}),
                         kRowName);

}  // namespace
}  // namespace palmos
