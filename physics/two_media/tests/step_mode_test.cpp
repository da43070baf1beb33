#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "core/level_table.h"
#include "core/runtime_error.h"
#include "physics/two_media/readout.h"
#include "physics/two_media/step_mode.h"

namespace palmos {
namespace {

constexpr int kSource = 60;
constexpr int kLastComputedLevel = 1501;

struct StepTables {
    LevelTable u{kStepPoints, kStepLevels};
    LevelTable v{kStepPoints, kStepLevels};
    LevelTable s{kStepPoints, kStepLevels};
};

std::unique_ptr<StepTables> solved(const StepModeSettings& settings) {
    auto tables = std::make_unique<StepTables>();
    solveStepMode(tables->u, tables->v, tables->s, settings);
    return tables;
}

const StepTables& fixedDefaults() {
    static const auto tables = solved({.end = EndMode::Fixed});
    return *tables;
}

const StepTables& freeDefaults() {
    static const auto tables = solved({.end = EndMode::Free});
    return *tables;
}

struct SourceRow {
    const char* name;
    int width;
    int level;
    double displacement;
};

class StepSource : public ::testing::TestWithParam<SourceRow> {};

TEST_P(StepSource, RisesForWLevelsAndFallsBackOverTheNextW) {
    const SourceRow row = GetParam();
    const auto tables = solved({.width = row.width});
    EXPECT_NEAR(tables->u.at(kSource, row.level), row.displacement, 1e-8);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, StepSource,
    ::testing::Values(SourceRow{"LevelZero", 20, 0, -0.006},
                      SourceRow{"Top", 20, 20, 0.3 * 11 / 50},
                      SourceRow{"LastFall", 20, 39, -0.0024}, SourceRow{"Rest", 20, 40, 0.0},
                      SourceRow{"LastSourceLevel", 20, 2500, 0.0},
                      SourceRow{"WideTop", 45, 45, 0.3 * (45 * 0.6 - 1) / 50},
                      SourceRow{"WideStillFalling", 45, 89, 0.3 * (0.6 - 1) / 50},
                      SourceRow{"NarrowRest", 15, 30, 0.0}),
    [](const auto& info) { return std::string(info.param.name); });

struct VelocityRow {
    const char* name;
    int step;  // n: the velocity is that of level n + 1
    double velocity;
};

class StepSourceVelocity : public ::testing::TestWithParam<VelocityRow> {};

TEST_P(StepSourceVelocity, IsUpThenZeroForOneLevelThenDown) {
    const VelocityRow row = GetParam();
    EXPECT_NEAR(fixedDefaults().v.at(kSource, row.step + 1), row.velocity, 1e-9);
}

// With W = 20 and a = 0.3 the source moves at a/50 = 0.006.
INSTANTIATE_TEST_SUITE_P(
    Steps, StepSourceVelocity,
    ::testing::Values(VelocityRow{"First", 0, 0.006}, VelocityRow{"LastRise", 19, 0.006},
                      VelocityRow{"AtW", 20, 0.0}, VelocityRow{"FirstFall", 21, -0.006},
                      VelocityRow{"LastFall", 39, -0.006}, VelocityRow{"AtTwoW", 40, 0.0},
                      VelocityRow{"LastStep", 1500, 0.0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StepMode, FixedEndNeverMovesAndAFreeEndDoes) {
    double largestFree = 0.0;
    for (int n = 0; n <= kLastComputedLevel; ++n) {
        ASSERT_EQ(fixedDefaults().u.at(0, n), 0.0) << n;
        largestFree = std::max(largestFree, std::fabs(freeDefaults().u.at(0, n)));
    }
    // A free end doubles the arriving pulse (about 0.06).
    EXPECT_GT(largestFree, 0.1);
}

TEST(StepMode, LevelsPastTheRunStayZero) {
    for (int i = 0; i < kSource; ++i) {
        for (int n = kLastComputedLevel + 1; n < kStepLevels; n += 97) {
            ASSERT_EQ(freeDefaults().u.at(i, n), 0.0) << i << ", " << n;
            ASSERT_EQ(freeDefaults().v.at(i, n), 0.0) << i << ", " << n;
            ASSERT_EQ(freeDefaults().s.at(i, n), 0.0) << i << ", " << n;
        }
    }
    EXPECT_EQ(fixedDefaults().u.at(kSource, 2501), 0.0);
}

// Going down from the source, the new velocity of point i + 1 reaches point i
// within the same level, so the disturbance moves one point per level: point
// 60 - d first moves at level d + 1, and the string starts at rest.
TEST(StepMode, DisturbanceMovesOnePointPerLevelTowardsPointZero) {
    for (const StepTables* tables : {&fixedDefaults(), &freeDefaults()}) {
        for (int d = 1; d < kSource; ++d) {
            const int point = kSource - d;
            for (int n = 0; n <= d; ++n) {
                ASSERT_EQ(tables->u.at(point, n), 0.0) << point << ", " << n;
            }
            EXPECT_NE(tables->u.at(point, d + 1), 0.0) << point;
        }
    }
}

// Points 30..59 carry c2 and points 1..29 c1: a run with a different c1 is the
// same as one with c2 everywhere until point 29 first moves, at level 32.
TEST(StepMode, MediaMeetBetweenPoints29And30) {
    const auto twoSpeeds = solved({.c1 = 1.2, .c2 = 0.3});
    const auto oneSpeed = solved({.c1 = 0.3, .c2 = 0.3});
    for (int n = 0; n <= 31; ++n) {
        for (int i = 0; i < kStepPoints; ++i) {
            ASSERT_EQ(twoSpeeds->u.at(i, n), oneSpeed->u.at(i, n)) << i << ", " << n;
            ASSERT_EQ(twoSpeeds->v.at(i, n), oneSpeed->v.at(i, n)) << i << ", " << n;
            ASSERT_EQ(twoSpeeds->s.at(i, n), oneSpeed->s.at(i, n)) << i << ", " << n;
        }
    }
    EXPECT_NE(twoSpeeds->u.at(29, 32), oneSpeed->u.at(29, 32));
    EXPECT_EQ(twoSpeeds->u.at(30, 32), oneSpeed->u.at(30, 32));
}

// A free end moves with point 1: the slope between them stays 0.
TEST(StepMode, FreeEndKeepsZeroSlope) {
    for (int n = 0; n <= kLastComputedLevel; ++n) {
        ASSERT_EQ(freeDefaults().s.at(0, n), 0.0) << n;
        ASSERT_EQ(freeDefaults().u.at(0, n), freeDefaults().u.at(1, n)) << n;
    }
}

TEST(StepMode, ARunOverwritesWhatTheRunBeforeLeft) {
    StepTables reused;
    solveStepMode(reused.u, reused.v, reused.s, {.c1 = 1.7, .width = 45, .end = EndMode::Free});
    solveStepMode(reused.u, reused.v, reused.s, {.end = EndMode::Fixed});
    const StepTables& fresh = fixedDefaults();
    for (int n = 0; n < kStepLevels; ++n) {
        for (int i = 0; i < kStepPoints; ++i) {
            ASSERT_EQ(reused.u.at(i, n), fresh.u.at(i, n)) << i << ", " << n;
            ASSERT_EQ(reused.v.at(i, n), fresh.v.at(i, n)) << i << ", " << n;
            ASSERT_EQ(reused.s.at(i, n), fresh.s.at(i, n)) << i << ", " << n;
        }
    }
}

struct ReflectionRow {
    const char* name;
    int c1Bar;  // speed bars, hundredths
    int c2Bar;
    EndMode end;
    double tolerance;  // how far the measured ratio may lie from R
};

class StepJunction : public ::testing::TestWithParam<ReflectionRow> {};

// The pulse starts at the source in the medium of c2 (points 30..59) and meets
// the medium of c1 (points 1..29) at point 30, so the reflected pulse runs
// back through points 30..59 while the transmitted one goes on towards point
// 0. The readout's R = (sqrt(c1) - sqrt(c2)) / (sqrt(c2) + sqrt(c1)) belongs
// to exactly this crossing, from c2 into c1.
//
// The reflection is measured as the difference from a run in which both media
// have the speed c2: up to the junction both runs are the same, so on points
// 31..59 the difference is the reflected pulse alone. It is read between the
// level at which the pulse's front reaches the junction and the first level
// at which something else could arrive there: the reflected front getting
// back to the source (60 points in all), or the transmitted pulse returning
// from point 0 (30 more points there and back in the c1 medium). A pulse
// moves timeStep * sqrt(c) points per level.
TEST_P(StepJunction, ReflectedPulseHasTheSignAndSizeOfTheReadoutsRatio) {
    const ReflectionRow row = GetParam();
    const double c1 = row.c1Bar / 100.0;
    const double c2 = row.c2Bar / 100.0;
    const auto tables = solved({.c1 = c1, .c2 = c2, .end = row.end});
    const auto reference = solved({.c1 = c2, .c2 = c2, .end = row.end});

    const double speed1 = 0.6 * std::sqrt(c1);
    const double speed2 = 0.6 * std::sqrt(c2);
    const int first = static_cast<int>(std::ceil(30 / speed2));
    const int last = static_cast<int>(std::floor(std::min(60 / speed2, 30 / speed2 + 60 / speed1)));
    ASSERT_LT(first, last);

    double incident = 0.0;
    for (int n = 0; n <= first; ++n) {
        for (int i = 31; i < kSource; ++i) {
            incident = std::max(incident, reference->u.at(i, n));
        }
    }
    double reflected = 0.0;
    for (int n = first; n <= last; ++n) {
        for (int i = 31; i < kSource; ++i) {
            const double difference = tables->u.at(i, n) - reference->u.at(i, n);
            if (std::fabs(difference) > std::fabs(reflected)) {
                reflected = difference;
            }
        }
    }

    const double r = computeCoefficients({.c1 = c1, .c2 = c2}).reflection;
    EXPECT_EQ(std::signbit(reflected), std::signbit(r)) << reflected << " vs R " << r;
    EXPECT_NEAR(reflected / incident, r, row.tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Speeds, StepJunction,
    ::testing::Values(ReflectionRow{"FasterBeyond", 60, 15, EndMode::Fixed, 0.03},
                      ReflectionRow{"SlowerBeyond", 15, 60, EndMode::Fixed, 0.03},
                      ReflectionRow{"FasterBeyondFreeEnd", 120, 30, EndMode::Free, 0.03},
                      ReflectionRow{"SlowerBeyondFreeEnd", 30, 120, EndMode::Free, 0.03},
                      ReflectionRow{"FastestBeyond", 200, 40, EndMode::Fixed, 0.03},
                      ReflectionRow{"SlowerFromFastest", 100, 200, EndMode::Fixed, 0.03},
                      ReflectionRow{"SlightlyFaster", 33, 30, EndMode::Fixed, 0.005},
                      ReflectionRow{"SlightlySlower", 27, 30, EndMode::Fixed, 0.005},
                      // The slowest medium squeezes the pulse into about two
                      // points; only the sign is still meaningful.
                      ReflectionRow{"ExtremeFasterBeyond", 200, 1, EndMode::Fixed, 1.0},
                      ReflectionRow{"ExtremeSlowerBeyond", 1, 200, EndMode::Fixed, 0.1}),
    [](const auto& info) { return std::string(info.param.name); });

struct FailureRow {
    const char* name;
    StepModeSettings settings;
    int levels;
};

class StepModeFailure : public ::testing::TestWithParam<FailureRow> {};

TEST_P(StepModeFailure, RaisesTheRunTimeError) {
    const FailureRow row = GetParam();
    LevelTable u(kStepPoints, row.levels), v(kStepPoints, row.levels), s(kStepPoints, row.levels);
    EXPECT_THROW(solveStepMode(u, v, s, row.settings), RuntimeError);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StepModeFailure,
    ::testing::Values(FailureRow{"ZeroSpaceStep", {.spaceStep = 0}, kStepLevels},
                      FailureRow{"TablesTooShort", {}, 2000},
                      FailureRow{"NotANumber", {.c2 = std::nan("")}, kStepLevels}),
    [](const auto& info) { return std::string(info.param.name); });

struct MoveRow {
    const char* name;
    int level;
    double drawnAt;
    double now;
    bool moves;
};

class StepCircleMoves : public ::testing::TestWithParam<MoveRow> {};

TEST_P(StepCircleMoves, OnlyALevelAtLeastTheThresholdAwayMovesACircle) {
    const MoveRow row = GetParam();
    LevelTable u(kStepPoints, kStepLevels);
    u.set(7, row.level, row.now);
    EXPECT_EQ(stepCircleMoves(u, row.level, 7, row.drawnAt), row.moves);
}

INSTANTIATE_TEST_SUITE_P(Rows, StepCircleMoves,
                         ::testing::Values(MoveRow{"FirstLevelAlways", 0, 0.0, 0.0, true},
                                           MoveRow{"AtRest", 5, 0.0, 0.0, false},
                                           MoveRow{"JustBelow", 5, 0.01, 0.01049, false},
                                           MoveRow{"Exactly", 5, 0.0, 0.0005, true},
                                           MoveRow{"DownwardBelow", 5, 0.0, -0.0004, false},
                                           MoveRow{"Downward", 5, 0.0, -0.0006, true},
                                           MoveRow{"LastLevel", 3500, 0.0, 0.07, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StepGrid, FiftyLinesEachSideOfTheZeroLine) {
    const std::vector<double> heights = gridLineHeights(-0.92);
    ASSERT_EQ(heights.size(), 100u);
    EXPECT_NEAR(heights[0], 0.0184, 1e-12);
    EXPECT_NEAR(heights[1], -0.0184, 1e-12);
    EXPECT_NEAR(heights[98], 0.92, 1e-12);
    EXPECT_NEAR(heights[99], -0.92, 1e-12);
}

}  // namespace
}  // namespace palmos
