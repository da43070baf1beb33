// Every setting a student can give the step mode, both far ends: the tables
// stay finite and bounded, and the readout never prints a non-number or a
// negative zero.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "physics/two_media/readout.h"
#include "physics/two_media/step_mode.h"
#include "tests/support/rows.h"

namespace palmos {
namespace {

// The speeds swept: the bars' least value and every tenth up to their largest.
std::vector<double> sweptSpeeds() {
    std::vector<double> speeds{0.01};
    for (int tenth = 1; tenth <= 20; ++tenth) {
        speeds.push_back(tenth / 10.0);
    }
    return speeds;
}

struct SweepRow {
    std::string name;
    EndMode end;
    int width;
};

std::vector<SweepRow> sweepRows() {
    std::vector<SweepRow> rows;
    for (const EndMode end : {EndMode::Fixed, EndMode::Free}) {
        for (int width = 15; width <= 45; ++width) {
            rows.push_back(
                {(end == EndMode::Fixed ? "Fixed" : "Free") + std::to_string(width), end, width});
        }
    }
    return rows;
}

void PrintTo(const SweepRow& row, std::ostream* out) {
    *out << row.name;
}

// The bounds hold because the scheme is stable for every speed the bars
// allow (its stability limit is timeStep^2 * c <= 1, c <= 2.78, above the
// bars' 2.00): the string only carries the source's pulse, of height at most
// 0.156 (P = 100, W = 45), and its reflections and transmissions, each at most
// doubled at a junction or at a free end.
constexpr double kDisplacementBound = 1.0;
constexpr double kVelocityBound = 0.1;
constexpr double kSlopeBound = 0.3;

// The larger of the two magnitudes; a NaN wins, where std::max would drop
// it, so that it fails the bounds below.
double largerMagnitude(double largest, double value) {
    const double magnitude = std::fabs(value);
    return std::isnan(magnitude) || magnitude > largest ? magnitude : largest;
}

class StepModeSweep : public ::testing::TestWithParam<SweepRow> {};

TEST_P(StepModeSweep, TablesStayFiniteAndBounded) {
    const SweepRow row = GetParam();
    LevelTable u(kStepPoints, kStepLevels), v(kStepPoints, kStepLevels),
        s(kStepPoints, kStepLevels);
    double largestU = 0.0, largestV = 0.0, largestS = 0.0;
    for (const int height : {10, 55, 100}) {
        for (const double c1 : sweptSpeeds()) {
            for (const double c2 : sweptSpeeds()) {
                solveStepMode(
                    u, v, s,
                    {.c1 = c1, .c2 = c2, .width = row.width, .height = height, .end = row.end});
                for (int n = 0; n <= kLastStepLevel; ++n) {
                    for (int i = 0; i < kStepPoints; ++i) {
                        largestU = largerMagnitude(largestU, u.at(i, n));
                        largestV = largerMagnitude(largestV, v.at(i, n));
                        largestS = largerMagnitude(largestS, s.at(i, n));
                    }
                }
            }
        }
    }
    // A NaN fails these comparisons too.
    EXPECT_LE(largestU, kDisplacementBound);
    EXPECT_LE(largestV, kVelocityBound);
    EXPECT_LE(largestS, kSlopeBound);
    RecordProperty("largest_displacement", std::to_string(largestU));
}

INSTANTIATE_TEST_SUITE_P(Settings, StepModeSweep, ::testing::ValuesIn(sweepRows()),
                         [](const auto& info) { return info.param.name; });

// Every pair of bar speeds at the extremes of width and height, and every
// width and height at the swept speeds.
TEST(ReadoutSweep, NeverPrintsANonNumberOrANegativeZero) {
    const auto check = [](const CoefficientInputs& inputs) {
        for (const bool english : {true, false}) {
            const std::string text = coefficientReadout(inputs, english);
            ASSERT_EQ(text.find("nan"), std::string::npos) << text;
            ASSERT_EQ(text.find("inf"), std::string::npos) << text;
            ASSERT_EQ(text.find("-0.00"), std::string::npos) << text;
        }
    };
    for (int bar1 = 1; bar1 <= 200; ++bar1) {
        for (int bar2 = 1; bar2 <= 200; ++bar2) {
            for (const int width : {15, 45}) {
                for (const int height : {10, 100}) {
                    check({.baseDepth = 0.3f,
                           .width = width,
                           .c1 = bar1 / 100.0,
                           .c2 = bar2 / 100.0,
                           .height = height,
                           .timeStep = 0.6});
                }
            }
        }
    }
    for (int width = 15; width <= 45; ++width) {
        for (int height = 10; height <= 100; ++height) {
            for (const double c : sweptSpeeds()) {
                check({.baseDepth = 0.3f,
                       .width = width,
                       .c1 = c,
                       .c2 = 0.3,
                       .height = height,
                       .timeStep = 0.6});
                check({.baseDepth = 0.3f,
                       .width = width,
                       .c1 = c,
                       .c2 = c,
                       .height = height,
                       .timeStep = 0.0});
            }
        }
    }
}

}  // namespace
}  // namespace palmos
