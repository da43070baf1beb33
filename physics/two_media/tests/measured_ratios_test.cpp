#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "core/level_table.h"
#include "physics/two_media/measured_ratios.h"
#include "physics/two_media/readout.h"
#include "physics/two_media/solver.h"
#include "physics/two_media/step_mode.h"
#include "tests/support/rows.h"

namespace palmos {
namespace {

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
    const MeasuredRatios measured = measureRatios(*computeRunTable(run), run);
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
    const MeasuredRatios measured = measureRatios(*computeRunTable(run), run);
    EXPECT_EQ(measured.reflected.reason, row.reflected);
    EXPECT_EQ(measured.reflected.ratio.has_value(), row.reflected == NoCleanWindow::None);
    EXPECT_EQ(measured.transmitted.reason, row.transmitted);
    EXPECT_EQ(measured.transmitted.ratio.has_value(), row.transmitted == NoCleanWindow::None);
}

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

// The speeds measured in a step-mode table follow sqrt(c) * timeStep points
// per level on either side, over the bars' whole range, by either reading. A
// side whose pulse is too short for the grid, or so long that an echo
// reaches its crest, is given no speed; a short pulse between middling
// speeds always is.
struct BarRow {
    std::string name;
    int driveBar;
    int farBar;
    int width;
};

std::vector<BarRow> barGrid() {
    const int bars[] = {1, 5, 15, 30, 60, 120, 200};
    std::vector<BarRow> rows;
    for (int drive : bars) {
        for (int far : bars) {
            for (int width : {15, 30, 45}) {
                rows.push_back({"Drive" + std::to_string(drive) + "Far" + std::to_string(far) +
                                    "Width" + std::to_string(width),
                                drive, far, width});
            }
        }
    }
    return rows;
}

class MeasuredStepSpeeds : public ::testing::TestWithParam<BarRow> {};

TEST_P(MeasuredStepSpeeds, FollowTheSquareRootOfTheBarsC) {
    const BarRow row = GetParam();
    const RatioRun run{
        .driveSpeed = row.driveBar / 100.0, .farSpeed = row.farBar / 100.0, .width = row.width};
    const double drive = 0.6 * std::sqrt(run.driveSpeed);
    const double far = 0.6 * std::sqrt(run.farSpeed);
    ASSERT_DOUBLE_EQ(schemeSpeed(TwoMediaScheme::StepMode, run.farSpeed, 0.6), far);
    const bool mustMeasure = row.width == 15 && std::min(row.driveBar, row.farBar) >= 30 &&
                             std::max(row.driveBar, row.farBar) <= 120;
    const auto expectNear = [mustMeasure](const std::optional<double>& speed, double expected,
                                          const char* what) {
        EXPECT_TRUE(speed || !mustMeasure) << what;
        if (speed) {
            EXPECT_NEAR(*speed / expected, 1.0, 0.03) << what << " " << *speed;
        }
    };
    const MeasuredSpeeds measured = measureSpeeds(*computeRunTable(run), run);
    expectNear(measured.fronts.drive, drive, "front, drive side");
    expectNear(measured.stripes.drive, drive, "stripe, drive side");
    expectNear(measured.fronts.far, far, "front, far side");
    expectNear(measured.stripes.far, far, "stripe, far side");

    // A pulse half as high and of another width moves as fast.
    const RatioRun other = otherPulse(run);
    ASSERT_NE(other.width, run.width);
    ASSERT_EQ(other.height, run.height / 2);
    const MeasuredSpeeds again = measureSpeeds(*computeRunTable(other), other);
    expectNear(again.fronts.drive, drive, "other pulse, drive side");
    expectNear(again.fronts.far, far, "other pulse, far side");
}

INSTANTIATE_TEST_SUITE_P(Bars, MeasuredStepSpeeds, ::testing::ValuesIn(barGrid()),
                         [](const auto& info) { return info.param.name; });

// In the continuous run the bars' c is the pulse's speed in points per level.
TEST(MeasuredContinuousSpeeds, AreTheBarsC) {
    for (const double c : {0.2, 0.3, 0.45}) {
        const RatioRun run{.scheme = TwoMediaScheme::Continuous, .driveSpeed = c, .farSpeed = c};
        const MeasuredSpeeds measured = measureSpeeds(*computeRunTable(run), run);
        ASSERT_TRUE(measured.fronts.drive && measured.fronts.far && measured.stripes.drive &&
                    measured.stripes.far);
        EXPECT_NEAR(*measured.fronts.drive / c, 1.0, 0.03) << c;
        EXPECT_NEAR(*measured.fronts.far / c, 1.0, 0.03) << c;
        EXPECT_NEAR(*measured.stripes.drive / c, 1.0, 0.03) << c;
        EXPECT_NEAR(*measured.stripes.far / c, 1.0, 0.03) << c;
    }
}

// A caller that has the run without a junction already reads the same
// ratios with it as the measurement computes for itself.
TEST(MeasuredRatiosAgainstAGivenRun, AreTheRatiosItComputes) {
    for (const RatioRun& run : {RatioRun{.driveSpeed = 0.2, .farSpeed = 1.2},
                                RatioRun{.driveSpeed = 1.2, .farSpeed = 0.3, .width = 15},
                                RatioRun{.scheme = TwoMediaScheme::Continuous}}) {
        const auto table = computeRunTable(run);
        const auto plain = computeRunTable(withoutJunction(run));
        const MeasuredRatios computed = measureRatios(*table, run);
        const MeasuredRatios given = measureRatios(*table, run, plain.get());
        EXPECT_EQ(given.reflected.ratio, computed.reflected.ratio);
        EXPECT_EQ(given.transmitted.ratio, computed.transmitted.ratio);
        EXPECT_TRUE(computed.reflected.ratio || computed.transmitted.ratio);
    }
}

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
