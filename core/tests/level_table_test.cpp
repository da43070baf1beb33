#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

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

// New tables take memory that nothing has written (see ZeroedAllocator), so
// they must still read as zeros, also where a filled table was just freed;
// and a copy must copy every cell. Small tables reuse freed memory at once,
// large ones get fresh pages.
class LevelTableMemory : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(LevelTableMemory, NewTablesAreZeroAndCopiesTakeEveryCell) {
    const auto [points, levels] = GetParam();
    for (int round = 0; round < 2; ++round) {
        auto table = std::make_unique<LevelTable>(points, levels);
        for (int n = 0; n < levels; ++n) {
            for (int i = 0; i < points; ++i) {
                ASSERT_EQ(table->at(i, n), 0.0) << i << ", " << n;
            }
        }
        for (int n = 0; n < levels; ++n) {
            for (int i = 0; i < points; ++i) {
                table->set(i, n, n + 1.0);
            }
        }
        const LevelTable copy = *table;
        table->set(0, 0, -1.0);
        EXPECT_EQ(copy.at(0, 0), 1.0);
        EXPECT_EQ(copy.at(points - 1, levels - 1), levels);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, LevelTableMemory,
                         ::testing::Values(std::pair{7, 9}, std::pair{kTablePoints, kTableLevels}));

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

// Rows as the solvers take them: level 2 of a 5-point table, written with a
// known pattern so that any cell written by mistake shows.
class LevelTableRows : public ::testing::Test {
  protected:
    static constexpr int kPoints = 5;
    static constexpr int kLevels = 4;

    void SetUp() override {
        for (int n = 0; n < kLevels; ++n) {
            for (int i = 0; i < kPoints; ++i) {
                table.set(i, n, 100.0 * n + i);
            }
        }
    }

    // Writes values[0..count-1] into `level` through writeRow.
    void writeValues(int level, const std::vector<double>& values) {
        table.writeRow(level, static_cast<int>(values.size()), [&](LevelTable::RowWriter& row) {
            for (std::size_t i = 0; i < values.size(); ++i) {
                row.store(static_cast<int>(i), values[i]);
            }
        });
    }

    LevelTable table{kPoints, kLevels};
};

TEST_F(LevelTableRows, AWrittenRowReadsBackAndLeavesEveryOtherCellAlone) {
    writeValues(2, {-1.5, 0.25, 7.0});
    const double* row = table.row(2, kPoints);
    EXPECT_EQ(row[0], -1.5);
    EXPECT_EQ(row[1], 0.25);
    EXPECT_EQ(row[2], 7.0);
    EXPECT_EQ(table.at(2, 2), 7.0);
    for (int n = 0; n < kLevels; ++n) {
        for (int i = 0; i < kPoints; ++i) {
            if (n != 2 || i >= 3) {
                EXPECT_EQ(table.at(i, n), 100.0 * n + i) << i << ", " << n;
            }
        }
    }
}

struct RowBoundsRow {
    const char* name;
    int level;
    int count;
};

class LevelTableRowBounds : public LevelTableRows,
                            public ::testing::WithParamInterface<RowBoundsRow> {};

TEST_P(LevelTableRowBounds, AreSubscriptOutOfRangeBeforeAnythingIsWritten) {
    const RowBoundsRow row = GetParam();
    try {
        (void)table.row(row.level, row.count);
        FAIL() << "row passed";
    } catch (const RuntimeError& error) {
        EXPECT_STREQ(error.what(), "Subscript out of range");
    }
    bool filled = false;
    EXPECT_THROW(
        table.writeRow(row.level, row.count, [&](LevelTable::RowWriter&) { filled = true; }),
        RuntimeError);
    EXPECT_FALSE(filled);
}

INSTANTIATE_TEST_SUITE_P(Rows, LevelTableRowBounds,
                         ::testing::Values(RowBoundsRow{"LevelBelow", -1, 1},
                                           RowBoundsRow{"LevelAbove", 4, 1},
                                           RowBoundsRow{"MorePointsThanTheTable", 0, 6},
                                           RowBoundsRow{"NegativeCount", 0, -1}),
                         kRowName);

TEST_F(LevelTableRows, AWholeRowAndAnEmptyOneAreWithinBounds) {
    EXPECT_EQ(table.row(kLevels - 1, kPoints)[kPoints - 1], 100.0 * (kLevels - 1) + kPoints - 1);
    EXPECT_NO_THROW(writeValues(0, {}));
    EXPECT_EQ(table.at(0, 0), 0.0);
}

struct RowValuesRow {
    const char* name;
    std::vector<double> values;
    const char* error;  // nullptr when every value is finite
};

class LevelTableRowValues : public LevelTableRows,
                            public ::testing::WithParamInterface<RowValuesRow> {};

TEST_P(LevelTableRowValues, TheFirstNonFiniteValueNamesTheError) {
    const RowValuesRow& row = GetParam();
    if (row.error == nullptr) {
        EXPECT_NO_THROW(writeValues(1, row.values));
        return;
    }
    try {
        writeValues(1, row.values);
        FAIL() << "row passed";
    } catch (const RuntimeError& error) {
        EXPECT_STREQ(error.what(), row.error);
    }
}

constexpr double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::nan("");

INSTANTIATE_TEST_SUITE_P(
    Rows, LevelTableRowValues,
    ::testing::Values(
        RowValuesRow{"InfinityFirst", {kInf, 1.0, 2.0}, "Overflow"},
        RowValuesRow{"MinusInfinityLast", {1.0, 2.0, 3.0, 4.0, -kInf}, "Overflow"},
        RowValuesRow{"NaNInTheMiddle", {1.0, kNaN, 2.0}, "Invalid floating-point operation"},
        RowValuesRow{"NaNBeforeInfinity", {0.0, kNaN, kInf}, "Invalid floating-point operation"},
        RowValuesRow{"InfinityBeforeNaN", {kInf, kNaN}, "Overflow"},
        RowValuesRow{"ExtremeFiniteValues",
                     {std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
                      std::numeric_limits<double>::denorm_min(), -0.0},
                     nullptr}),
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
