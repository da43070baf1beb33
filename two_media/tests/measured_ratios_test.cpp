#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "core/level_table.h"
#include "tests/support/rows.h"
#include "two_media/measured_ratios.h"
#include "two_media/readout.h"
#include "two_media/solver.h"
#include "two_media/step_mode.h"

namespace palmos {
namespace {

// The step mode's displacement table for the given speeds, as START fills it.
std::unique_ptr<LevelTable> stepRun(const RatioRun& run) {
    auto u = std::make_unique<LevelTable>(kStepPoints, kStepLevels);
    LevelTable v(kStepPoints, kStepLevels);
    LevelTable s(kStepPoints, kStepLevels);
    solveStepMode(*u, v, s,
                  {.c1 = run.farSpeed, .c2 = run.driveSpeed, .width = run.width, .end = run.end});
    return u;
}

struct SpeedRow {
    std::string name;
    double drive;
    double far;
};

// Every pair of speeds from a grid over the bars' range where the pulse of
// W = 20 spans at least kFewestPulsePoints points on both sides.
std::vector<SpeedRow> speedGrid() {
    const double speeds[] = {0.15, 0.2, 0.3, 0.45, 0.7, 1.0, 1.5, 2.0};
    std::vector<SpeedRow> rows;
    for (double drive : speeds) {
        for (double far : speeds) {
            char name[40];
            std::snprintf(name, sizeof name, "Drive%03dFar%03d",
                          static_cast<int>(drive * 100 + 0.5), static_cast<int>(far * 100 + 0.5));
            rows.push_back({name, drive, far});
        }
    }
    return rows;
}

class MeasuredStepRatios : public ::testing::TestWithParam<SpeedRow> {};

// The printed ratios are the right ones for the step mode's scheme: what the
// run's own table shows lies within 0.03 of them.
TEST_P(MeasuredStepRatios, LieWithinThreeHundredthsOfThePrintedRatios) {
    const SpeedRow row = GetParam();
    const RatioRun run{.driveSpeed = row.drive, .farSpeed = row.far, .width = 20};
    const MeasuredRatios measured = measureRatios(*stepRun(run), run);
    // The window's c1 bar is the step mode's far side.
    const Coefficients printed = computeCoefficients({.baseDepth = 0.3f,
                                                      .width = 20,
                                                      .c1 = row.far,
                                                      .c2 = row.drive,
                                                      .height = 100,
                                                      .timeStep = 0.6});

    ASSERT_TRUE(measured.reflected.ratio.has_value());
    ASSERT_TRUE(measured.transmitted.ratio.has_value());
    EXPECT_NEAR(*measured.reflected.ratio, printed.reflection, 0.03);
    EXPECT_NEAR(*measured.transmitted.ratio, printed.transmission, 0.03);
}

INSTANTIATE_TEST_SUITE_P(Grid, MeasuredStepRatios, ::testing::ValuesIn(speedGrid()),
                         [](const auto& info) { return info.param.name; });

struct NoWindowRow {
    const char* name;
    double drive;
    double far;
    int width;
    NoCleanWindow reflected;
    NoCleanWindow transmitted;
};

class MeasuredStepRatiosWithoutWindow : public ::testing::TestWithParam<NoWindowRow> {};

TEST_P(MeasuredStepRatiosWithoutWindow, SayWhyInsteadOfANumber) {
    const NoWindowRow row = GetParam();
    const RatioRun run{.driveSpeed = row.drive, .farSpeed = row.far, .width = row.width};
    const MeasuredRatios measured = measureRatios(*stepRun(run), run);
    EXPECT_EQ(measured.reflected.reason, row.reflected);
    EXPECT_EQ(measured.reflected.ratio.has_value(), row.reflected == NoCleanWindow::None);
    EXPECT_EQ(measured.transmitted.reason, row.transmitted);
    EXPECT_EQ(measured.transmitted.ratio.has_value(), row.transmitted == NoCleanWindow::None);
}

constexpr auto kNone = NoCleanWindow::None;
constexpr auto kShort = NoCleanWindow::PulseTooShort;
constexpr auto kOverlap = NoCleanWindow::EchoesOverlap;

INSTANTIATE_TEST_SUITE_P(
    Rows, MeasuredStepRatiosWithoutWindow,
    ::testing::Values(NoWindowRow{"SlowestFarSide", 0.3, 0.01, 20, kShort, kShort},
                      NoWindowRow{"SlowestDriveSide", 0.01, 0.3, 20, kShort, kShort},
                      NoWindowRow{"JustTooSlowFarSide", 1.0, 0.14, 20, kShort, kShort},
                      // A wide pulse on a fast far side meets its own echo on both sides.
                      NoWindowRow{"WideFastFarSide", 0.3, 2.0, 45, kOverlap, kOverlap}),
    [](const auto& info) { return std::string(info.param.name); });

// The continuous run always runs with equal speeds: nothing is reflected.
TEST(MeasuredContinuousRatios, AreZeroAndOneWithTheResetSpeeds) {
    auto table = std::make_unique<LevelTable>(kTablePoints, kTableLevels);
    solveTwoMedia(*table, {});
    const RatioRun run{.scheme = TwoMediaScheme::Continuous};
    const MeasuredRatios measured = measureRatios(*table, run);
    ASSERT_TRUE(measured.reflected.ratio.has_value());
    ASSERT_TRUE(measured.transmitted.ratio.has_value());
    EXPECT_NEAR(*measured.reflected.ratio, 0.0, 1e-12);
    EXPECT_NEAR(*measured.transmitted.ratio, 1.0, 1e-12);
}

}  // namespace
}  // namespace palmos
