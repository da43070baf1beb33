#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/level_table.h"
#include "core/runtime_error.h"
#include "tests/support/rows.h"

namespace palmos {
namespace {

using palmos::PrintTo;

TEST(LevelTable, StoresPointIndexFastestAndStartsAtZero) {
    LevelTable table(kTablePoints, kTableLevels);
    EXPECT_EQ(table.at(100, 5000), 0.0);
    table.set(3, 2, 1.5);
    EXPECT_EQ(table.at(3, 2), 1.5);
    EXPECT_EQ(table.at(2, 3), 0.0);
    table.clear();
    EXPECT_EQ(table.at(3, 2), 0.0);
}

struct OutOfBounds {
    const char* name;
    int point;
    int level;
};

class LevelTableBounds : public ::testing::TestWithParam<OutOfBounds> {};

TEST_P(LevelTableBounds, EveryIndexOutsideTheTableIsSubscriptOutOfRange) {
    LevelTable table(61, 3501);
    const OutOfBounds row = GetParam();
    try {
        (void)table.at(row.point, row.level);
        FAIL() << "read at " << row.point << ", " << row.level << " passed";
    } catch (const RuntimeError& error) {
        EXPECT_STREQ(error.what(), "Subscript out of range");
    }
    EXPECT_THROW(table.set(row.point, row.level, 0.0), RuntimeError);
}

INSTANTIATE_TEST_SUITE_P(Rows, LevelTableBounds,
                         ::testing::Values(OutOfBounds{"PointBelow", -1, 0},
                                           OutOfBounds{"PointAbove", 61, 0},
                                           OutOfBounds{"LevelBelow", 0, -1},
                                           OutOfBounds{"LevelAbove", 0, 3501},
                                           OutOfBounds{"BothAbove", 61, 3501}),
                         kRowName);

TEST(CheckedArithmetic, NonFiniteResultsAndZeroDivisorsAreRunTimeErrors) {
    LevelTable table(2, 2);
    EXPECT_THROW(table.set(0, 0, std::numeric_limits<double>::infinity()), RuntimeError);
    EXPECT_THROW(table.set(0, 0, std::nan("")), RuntimeError);
    EXPECT_THROW(checkedDivide(1.0, 0.0), RuntimeError);
    EXPECT_DOUBLE_EQ(checkedDivide(1.0, 4.0), 0.25);
    try {
        (void)checked(std::numeric_limits<double>::max() * 2.0);
        FAIL();
    } catch (const RuntimeError& error) {
        EXPECT_STREQ(error.what(), "Overflow");
    }
}

TEST(CheckedArithmetic, SixteenBitCountersOverflowAtTheirLimits) {
    EXPECT_EQ(checkedAdd16(32765, 2), 32767);
    EXPECT_EQ(checkedAdd16(-32767, -1), -32768);
    EXPECT_THROW(checkedAdd16(32767, 1), RuntimeError);
    EXPECT_THROW(checkedAdd16(-32768, -1), RuntimeError);
}

}  // namespace
}  // namespace palmos
