#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/level_table.h"
#include "physics/single_string/solver.h"
#include "tests/support/causality.h"
#include "tests/support/rows.h"

namespace palmos {
namespace {

using palmos::PrintTo;

constexpr int kLastPoint = 54;
constexpr int kLastLevel = 2501;

LevelTable solved(EndMode end) {
    LevelTable table(kTablePoints, kTableLevels);
    solveSimpleString(table, kLastPoint, 0.3, end);
    return table;
}

const LevelTable& fixedTable() {
    static const LevelTable table = solved(EndMode::Fixed);
    return table;
}

const LevelTable& freeTable() {
    static const LevelTable table = solved(EndMode::Free);
    return table;
}

struct DriveRow {
    const char* name;
    int level;
    double value;
};

class SimpleDrivePulse : public ::testing::TestWithParam<DriveRow> {};

TEST_P(SimpleDrivePulse, IsATriangleOfHeight0196) {
    const DriveRow row = GetParam();
    EXPECT_NEAR(fixedTable().at(kLastPoint, row.level), row.value, 1e-15);
    EXPECT_NEAR(freeTable().at(kLastPoint, row.level), row.value, 1e-15);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, SimpleDrivePulse,
    ::testing::Values(DriveRow{"LevelZero", 0, -0.004}, DriveRow{"LevelOne", 1, 0.0},
                      DriveRow{"TopStart", 50, 0.196}, DriveRow{"TopEnd", 51, 0.196},
                      DriveRow{"LastRise", 99, 0.004}, DriveRow{"Rest", 100, 0.0},
                      DriveRow{"LastDriven", 500, 0.0}, DriveRow{"NeverDriven", 501, 0.0}),
    kRowName);

TEST(SimpleString, FixedEndStaysAtZeroAtEveryLevel) {
    for (int n = 0; n <= kLastLevel; ++n) {
        ASSERT_EQ(fixedTable().at(0, n), 0.0) << "level " << n;
    }
}

TEST(SimpleString, LevelOneIsAtRestBelowTheDriveEnd) {
    for (int j = 0; j < kLastPoint; ++j) {
        EXPECT_EQ(fixedTable().at(j, 1), 0.0);
        EXPECT_EQ(freeTable().at(j, 1), 0.0);
    }
}

TEST(SimpleString, FreeEndSwingsUpToAbout0373NearLevel234) {
    int peakLevel = 0;
    double peak = 0.0;
    for (int n = 0; n <= 400; ++n) {
        if (freeTable().at(0, n) > peak) {
            peak = freeTable().at(0, n);
            peakLevel = n;
        }
    }
    EXPECT_NEAR(peak, 0.373, 0.0015);
    EXPECT_NEAR(peakLevel, 234, 3);
}

TEST(SimpleString, FreeAndFixedTablesFirstDifferAtLevel56PointZero) {
    for (int n = 0; n <= 55; ++n) {
        for (int j = 0; j <= kLastPoint; ++j) {
            ASSERT_EQ(freeTable().at(j, n), fixedTable().at(j, n)) << j << ", " << n;
        }
    }
    EXPECT_NE(freeTable().at(0, 56), fixedTable().at(0, 56));
    for (int j = 1; j <= kLastPoint; ++j) {
        EXPECT_EQ(freeTable().at(j, 56), fixedTable().at(j, 56)) << j;
    }
}

// A disturbance travels at most one point per level: point 54 - d is still at
// rest at level d + 1 and moves from level d + 2 on.
TEST(SimpleString, DisturbanceTravelsAtMostOnePointPerLevel) {
    expectDisturbanceOnePointPerLevel(fixedTable(), kLastPoint, true);
    expectDisturbanceOnePointPerLevel(freeTable(), kLastPoint, false);
}

TEST(SimpleString, OnlyThePointsOfTheStringAreWritten) {
    for (int n = 0; n < kTableLevels; n += 7) {
        for (int j = kLastPoint + 1; j < kTablePoints; ++j) {
            ASSERT_EQ(fixedTable().at(j, n), 0.0);
        }
    }
    for (int n = kLastLevel + 1; n < kTableLevels; ++n) {
        ASSERT_EQ(fixedTable().at(10, n), 0.0);
    }
}

// At level 2 the trial for point 53 at level 1 is 0.004 / 1.82, above the
// tolerance: the readout is written and no spare cell is.
TEST(SimpleCheckPass, FirstCheckedTickWritesTheReadoutButNoSpareCell) {
    LevelTable table = solved(EndMode::Fixed);
    const SimpleCheckResult result = simpleCheckPass(table, 2, 2, 0.3, kLastPoint);
    EXPECT_EQ(result.readoutWrites, 41);
    EXPECT_EQ(result.sweeps, 41);
    for (int n = 0; n <= 4; ++n) {
        EXPECT_EQ(table.at(kLastPoint + 1, n), 0.0);
    }
}

TEST(SimpleCheckPass, EveryTickOfANormalRunSweeps41TimesAndChangesNoCell) {
    LevelTable table = solved(EndMode::Free);
    const LevelTable before = table;
    for (int t = 2; t <= 498; t += 2) {
        const SimpleCheckResult result = simpleCheckPass(table, t, 2, 0.3, kLastPoint);
        ASSERT_EQ(result.sweeps, 41) << "level " << t;
        ASSERT_GT(result.readoutWrites, 0);
    }
    for (int n = 0; n <= 600; ++n) {
        for (int j = 0; j < kTablePoints; ++j) {
            ASSERT_EQ(table.at(j, n), before.at(j, n));
        }
    }
}

// Within the tolerance the last point's trial goes into the spare cell, and
// the next level's trial reads it from there.
TEST(SimpleCheckPass, QuietStringFeedsTheSpareCellsFromLevelToLevel) {
    LevelTable table(kTablePoints, kTableLevels);
    table.set(kLastPoint + 1, 4, 0.001);
    const SimpleCheckResult result = simpleCheckPass(table, 4, 2, 0.3, kLastPoint);
    EXPECT_EQ(result.readoutWrites, 0);
    EXPECT_EQ(result.sweeps, 2);
    EXPECT_NEAR(table.at(kLastPoint + 1, 4), 0.001 / 1.82, 1e-15);
    EXPECT_NEAR(table.at(kLastPoint + 1, 5), 0.001 / 1.82 / 1.82, 1e-15);
}

struct IdleRow {
    const char* name;
    int timeIndex;
    double lambda;
};

class SimpleCheckPassIdle : public ::testing::TestWithParam<IdleRow> {};

// Level 0 has nothing to check, and lambda = 1 has no trial formula: the pass
// sweeps nothing and writes nothing.
TEST_P(SimpleCheckPassIdle, SweepsNothing) {
    LevelTable table = solved(EndMode::Fixed);
    const LevelTable before = table;
    const SimpleCheckResult result =
        simpleCheckPass(table, GetParam().timeIndex, 2, GetParam().lambda, kLastPoint);
    EXPECT_EQ(result.sweeps, 0);
    EXPECT_EQ(result.readoutWrites, 0);
    for (int n = 0; n <= 110; ++n) {
        ASSERT_EQ(table.at(kLastPoint + 1, n), before.at(kLastPoint + 1, n));
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, SimpleCheckPassIdle,
                         ::testing::Values(IdleRow{"LevelZero", 0, 0.3},
                                           IdleRow{"LambdaOne", 100, 1.0}),
                         kRowName);

TEST(SimpleCheckPass, LevelsOutsideTheTableAreRunTimeErrors) {
    LevelTable table(kTablePoints, kTableLevels);
    EXPECT_THROW(simpleCheckPass(table, 5000, 2, 0.3, kLastPoint), RuntimeError);
}

struct ReadoutRow {
    const char* name;
    double pointOne;
    bool fixed;
    const char* text;
};

class SimpleReadout : public ::testing::TestWithParam<ReadoutRow> {};

TEST_P(SimpleReadout, JoinsThePiecesWithoutSeparators) {
    const ReadoutRow row = GetParam();
    EXPECT_EQ(simpleReadout(row.pointOne, row.fixed), row.text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SimpleReadout,
    ::testing::Values(ReadoutRow{"FixedAtRest", 0.0, true, "u1(0)=0.00sta=-1"},
                      ReadoutRow{"FreeAtRest", 0.0, false, "u1(0)=0.00sta=0"},
                      ReadoutRow{"SmallNegative", -0.001, true, "u1(0)=0.00sta=-1"},
                      ReadoutRow{"Displaced", 0.123, false, "u1(0)=0.12sta=0"},
                      ReadoutRow{"Inverted", -0.185, true, "u1(0)=-0.18sta=-1"}),
    kRowName);

}  // namespace
}  // namespace palmos
