#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/level_table.h"
#include "core/runtime_error.h"
#include "physics/single_string/solver.h"
#include "physics/two_media/solver.h"
#include "tests/support/causality.h"

namespace palmos {
namespace {

constexpr int kLastPoint = kTwoMediaLastPoint;
constexpr int kLastLevel = 2501;
// The first level at which point 0 can feel the drive: the disturbance needs
// 60 steps to cross the string and enters at level 2.
constexpr int kFirstLevelAtPointZero = 62;

LevelTable solved(TwoMediaSettings settings) {
    LevelTable table(kTablePoints, kTableLevels);
    solveTwoMedia(table, settings);
    return table;
}

const LevelTable& fixedTable() {
    static const LevelTable table = solved({.end = EndMode::Fixed});
    return table;
}

const LevelTable& freeTable() {
    static const LevelTable table = solved({.end = EndMode::Free});
    return table;
}

struct DriveRow {
    const char* name;
    int height;
    int level;
    float value;
};

class TwoMediaDrivePulse : public ::testing::TestWithParam<DriveRow> {};

TEST_P(TwoMediaDrivePulse, IsASinglePrecisionTriangle) {
    const DriveRow row = GetParam();
    const LevelTable table = solved({.height = row.height});
    const double stored = table.at(kLastPoint, row.level);
    EXPECT_NEAR(stored, row.value, 1e-7);
    // The drive is computed in single precision and stored as it is.
    EXPECT_EQ(stored, static_cast<double>(static_cast<float>(stored)));
}

INSTANTIATE_TEST_SUITE_P(
    Levels, TwoMediaDrivePulse,
    ::testing::Values(DriveRow{"LevelZero", 100, 0, -0.006f}, DriveRow{"LevelOne", 100, 1, 0.0f},
                      DriveRow{"TopStart", 100, 50, 0.294f}, DriveRow{"TopEnd", 100, 51, 0.294f},
                      DriveRow{"LastRise", 100, 99, 0.006f}, DriveRow{"Rest", 100, 100, 0.0f},
                      DriveRow{"LastDriven", 100, 2500, 0.0f},
                      DriveRow{"NeverDriven", 100, 2501, 0.0f},
                      DriveRow{"HalfHeightTop", 50, 50, 0.147f},
                      DriveRow{"LowestHeightLevelZero", 10, 0, -0.0006f}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TwoMediaSolver, FixedEndStaysAtZeroAtEveryLevel) {
    for (int n = 0; n <= kLastLevel; ++n) {
        ASSERT_EQ(fixedTable().at(0, n), 0.0) << "level " << n;
    }
}

TEST(TwoMediaSolver, FreeAndFixedEndsAgreeUntilThePulseReachesPointZero) {
    for (int n = 0; n < kFirstLevelAtPointZero; ++n) {
        for (int i = 0; i <= kLastPoint; ++i) {
            ASSERT_EQ(freeTable().at(i, n), fixedTable().at(i, n)) << i << ", " << n;
        }
    }
    EXPECT_NE(freeTable().at(0, kFirstLevelAtPointZero), 0.0);
    // Once the pulse itself has arrived, the two ends differ everywhere near them.
    for (int i = 0; i <= 10; ++i) {
        EXPECT_GT(std::fabs(freeTable().at(i, 260) - fixedTable().at(i, 260)), 0.01) << i;
    }
}

// A disturbance travels at most one point per level: point 60 - d is still at
// rest at level d + 1 and moves from level d + 2 on. Levels 0 and 1 of the
// string are therefore at rest.
TEST(TwoMediaSolver, DisturbanceTravelsAtMostOnePointPerLevel) {
    expectDisturbanceOnePointPerLevel(fixedTable(), kLastPoint, true);
    expectDisturbanceOnePointPerLevel(freeTable(), kLastPoint, false);
}

// The pulse (height 0.294, speed 0.3 points per level) passes point 45 near
// level 100, meets point 0 near level 250 and is back at point 45 near level
// 400; the drive end sends it back once more only after level 450.
TEST(TwoMediaSolver, PulseReturnsUprightFromAFreeEndAndInvertedFromAFixedEnd) {
    const auto extreme = [](const LevelTable& table) {
        double result = 0.0;
        for (int n = 300; n <= 450; ++n) {
            if (std::fabs(table.at(45, n)) > std::fabs(result)) {
                result = table.at(45, n);
            }
        }
        return result;
    };
    EXPECT_GT(extreme(freeTable()), 0.25);
    EXPECT_LT(extreme(fixedTable()), -0.25);
}

// With equal speeds the junction row is the interior row, so the string
// moves like a single string with the same drive.
TEST(TwoMediaSolver, JunctionIsInvisibleWithEqualSpeeds) {
    for (EndMode end : {EndMode::Free, EndMode::Fixed}) {
        const LevelTable twoMedia = solved({.c1 = 0.45, .c2 = 0.45, .end = end});
        LevelTable single(kTablePoints, kTableLevels);
        writeTwoMediaDrivePulse(single, kLastPoint, 0.3f, 100);
        stepSimpleString(single, kLastPoint, 0.45, end);
        for (int n = 0; n <= kLastLevel; ++n) {
            for (int i = 0; i <= kLastPoint; ++i) {
                ASSERT_NEAR(twoMedia.at(i, n), single.at(i, n), 1e-12) << i << ", " << n;
            }
        }
    }
}

struct SpeedsRow {
    const char* name;
    double c1;
    double c2;
};

class TwoMediaFirstMoves : public ::testing::TestWithParam<SpeedsRow> {};

// Each point first moves one level after its neighbour towards the drive, when
// only that neighbour's term of its row is non-zero: c1 * c1 on the drive side,
// the c1 share (2 c1 c2 / (c1 + c2)) * c1 at the junction, c2 * c2 beyond it.
TEST_P(TwoMediaFirstMoves, FollowTheRowOfTheirMedium) {
    const SpeedsRow row = GetParam();
    const LevelTable table = solved({.c1 = row.c1, .c2 = row.c2});
    const auto firstMove = [&table](int point) { return table.at(point, kLastPoint - point + 2); };
    const double c1 = row.c1;
    const double c2 = row.c2;
    EXPECT_NEAR(firstMove(31) / firstMove(32), c1 * c1, 1e-12);
    EXPECT_NEAR(firstMove(30) / firstMove(31), 2 * c1 * c2 / (c1 + c2) * c1, 1e-12);
    EXPECT_NEAR(firstMove(29) / firstMove(30), c2 * c2, 1e-12);
    EXPECT_NEAR(firstMove(1) / firstMove(2), c2 * c2, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Rows, TwoMediaFirstMoves,
                         ::testing::Values(SpeedsRow{"FasterDriveSide", 0.6, 0.3},
                                           SpeedsRow{"SlowerDriveSide", 0.25, 0.9},
                                           SpeedsRow{"EqualSpeeds", 0.3, 0.3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TwoMediaSolver, WritesOnlyTheCellsOfTheString) {
    LevelTable table(kTablePoints, kTableLevels);
    for (int n = 0; n < kTableLevels; n += 50) {
        for (int i = 0; i < kTablePoints; ++i) {
            table.set(i, n, 7.0);
        }
    }
    solveTwoMedia(table, {.end = EndMode::Free});
    for (int n = 0; n < kTableLevels; n += 50) {
        for (int i = kLastPoint + 1; i < kTablePoints; ++i) {
            ASSERT_EQ(table.at(i, n), 7.0) << i << ", " << n;
        }
    }
    for (int n = 2550; n < kTableLevels; n += 50) {
        ASSERT_EQ(table.at(10, n), 7.0) << n;
    }
    EXPECT_EQ(table.at(kLastPoint, kLastLevel), 0.0);
    // Everything the solver does write is what a fresh table gets.
    for (int n = 0; n <= kLastLevel; ++n) {
        for (int i = 0; i <= kLastPoint; ++i) {
            ASSERT_EQ(table.at(i, n), freeTable().at(i, n)) << i << ", " << n;
        }
    }
}

struct FailureRow {
    const char* name;
    double c1;
    double c2;
};

class TwoMediaSolverFailure : public ::testing::TestWithParam<FailureRow> {};

TEST_P(TwoMediaSolverFailure, RaisesTheRunTimeError) {
    const FailureRow row = GetParam();
    LevelTable table(kTablePoints, kTableLevels);
    EXPECT_THROW(solveTwoMedia(table, {.c1 = row.c1, .c2 = row.c2}), RuntimeError);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TwoMediaSolverFailure,
    ::testing::Values(FailureRow{"BothSpeedsZero", 0.0, 0.0},  // junction weight 0 / 0
                      FailureRow{"UnstableSpeeds", 2.0, 2.0},  // grows until it overflows
                      FailureRow{"NotANumber", std::nan(""), 0.3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TwoMediaSolver, TableTooSmallIsASubscriptError) {
    LevelTable table(kTablePoints, 2000);
    EXPECT_THROW(solveTwoMedia(table, {}), RuntimeError);
}

struct CheckRow {
    const char* name;
    int timeIndex;
    int interval;
    int walks;
    bool deviates;  // whether the largest deviation exceeds 0.001
};

class TwoMediaCheckPass : public ::testing::TestWithParam<CheckRow> {};

// 40 walks for the first level, then one for each further level of the
// 2 * interval levels around the shown one. The walks reach the point after
// the junction, so they measure a deviation only once the pulse is there.
TEST_P(TwoMediaCheckPass, WalksFortyTimesThenOncePerLevel) {
    const CheckRow row = GetParam();
    for (EndMode end : {EndMode::Fixed, EndMode::Free}) {
        const LevelTable& table = end == EndMode::Fixed ? fixedTable() : freeTable();
        const TwoMediaCheckResult result =
            twoMediaCheckPass(table, row.timeIndex, row.interval, 0.3, 0.3, end);
        EXPECT_EQ(result.walks, row.walks);
        EXPECT_EQ(result.largestDeviation > 1e-3, row.deviates) << result.largestDeviation;
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, TwoMediaCheckPass,
                         ::testing::Values(CheckRow{"AtLevelZeroDoesNothing", 0, 5, 0, false},
                                           CheckRow{"FirstTick", 5, 5, 49, false},
                                           CheckRow{"PulseAtJunction", 300, 5, 49, true},
                                           CheckRow{"LastFrame", 995, 5, 49, true},
                                           CheckRow{"IntervalOne", 1, 1, 41, false},
                                           CheckRow{"IntervalTwo", 40, 2, 43, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TwoMediaCheckPass, AStringAtRestDeviatesNowhere) {
    const TwoMediaCheckResult result =
        twoMediaCheckPass(fixedTable(), 5, 5, 0.3, 0.3, EndMode::Fixed);
    EXPECT_EQ(result.largestDeviation, 0.0);
}

TEST(TwoMediaCheckPass, UnitSpeedIsADivisionByZero) {
    EXPECT_THROW(twoMediaCheckPass(fixedTable(), 5, 5, 1.0, 0.3, EndMode::Fixed), RuntimeError);
    EXPECT_THROW(twoMediaCheckPass(freeTable(), 5, 5, 0.3, 1.0, EndMode::Free), RuntimeError);
}

}  // namespace
}  // namespace palmos
