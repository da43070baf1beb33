#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <ostream>
#include <string>

#include "core/runtime_error.h"
#include "physics/elliptic/solver.h"

namespace palmos {
namespace {

// One solution shared by the cases that only read it.
const EllipticSolution& solution() {
    static const EllipticSolution s = solveElliptic();
    return s;
}

std::array<int, 3> rgb(BandColour c) {
    return {c.red, c.green, c.blue};
}

TEST(EllipticSolver, ToleranceEndsTheSolutionAfter157Sweeps) {
    EXPECT_EQ(solution().sweeps, 157);
    EXPECT_NEAR(solution().previousChange, 1.6e-8, 0.05e-8);
    EXPECT_NEAR(solution().lastChange, 7.0e-9, 0.05e-9);
    EXPECT_GE(solution().previousChange, 1e-8);
    EXPECT_LT(solution().lastChange, 1e-8);
}

TEST(EllipticSolver, CounterLimitEndsTheSolutionWithTheCounterAtTheLimit) {
    // Limit 100: sweeps 1..99 run, the counter stops at 100, far above tolerance.
    const EllipticSolution limited = solveElliptic(100);
    EXPECT_EQ(limited.sweeps, 100);
    EXPECT_GT(limited.lastChange, 1e-8);

    // A limit of 157 stops after sweep 156, one short of the tolerance.
    const EllipticSolution short157 = solveElliptic(157);
    EXPECT_EQ(short157.sweeps, 157);
    EXPECT_DOUBLE_EQ(short157.lastChange, solution().previousChange);
}

TEST(EllipticSolver, SecondRunIsIdentical) {
    const EllipticSolution again = solveElliptic();
    EXPECT_EQ(again.sweeps, solution().sweeps);
    EXPECT_EQ(again.grid, solution().grid);
    EXPECT_EQ(again.lastChange, solution().lastChange);
}

TEST(EllipticSolver, ObstacleIsABlankHole) {
    for (int a = 19; a <= 43; ++a) {
        for (const auto [i, j] :
             {std::array{19, a}, std::array{43, a}, std::array{a, 19}, std::array{a, 43}}) {
            EXPECT_EQ(solution().value(i, j), 200.0) << i << "," << j;
            EXPECT_EQ(ellipticBand(solution().value(i, j)), 0) << i << "," << j;
        }
    }
    for (int i = 20; i <= 42; ++i) {
        for (int j = 20; j <= 42; ++j) {
            EXPECT_EQ(solution().value(i, j), 0.0) << i << "," << j;
        }
    }
}

TEST(EllipticSolver, FixedWallsKeepTheirValues) {
    for (int i = 1; i <= 61; ++i) {
        EXPECT_EQ(solution().value(i, 1), 0.0) << "bottom " << i;
        EXPECT_EQ(solution().value(i, 61), 100.0) << "top " << i;
        EXPECT_EQ(ellipticBand(solution().value(i, 61)), 5) << "top " << i;
    }
    for (int j = 1; j <= 31; ++j) {
        EXPECT_EQ(solution().value(1, j), 0.0) << "left " << j;
        EXPECT_EQ(solution().value(61, j), 0.0) << "right " << j;
    }
    for (int j = 32; j <= 61; ++j) {
        const double rising = (j - 31) * 100 / 30.0;
        EXPECT_EQ(solution().value(1, j), rising) << "left " << j;
        EXPECT_EQ(solution().value(61, j), rising) << "right " << j;
    }
    // The three lowest points of each upper side wall: 3.33, 6.67 and 10.0.
    for (int j = 32; j <= 34; ++j) {
        EXPECT_EQ(ellipticBand(solution().value(1, j)), 1) << j;
        EXPECT_EQ(ellipticBand(solution().value(61, j)), 1) << j;
    }
    EXPECT_EQ(ellipticBand(solution().value(1, 35)), 0);
    // Top wall magenta, lowest upper side-wall points red.
    EXPECT_EQ(rgb(ellipticBandColour(5)), (std::array{255, 0, 255}));
    EXPECT_EQ(rgb(ellipticBandColour(1)), (std::array{255, 0, 0}));
    // The unused part of the table stays zero.
    EXPECT_EQ(solution().value(62, 30), 0.0);
    EXPECT_EQ(solution().value(100, 100), 0.0);
}

TEST(EllipticSolver, NoFreeValueLiesNearABandBound) {
    constexpr std::array<double, 17> kBounds = {11.7,  23.6,  35.3,  47.1,  58.7,  70.6,
                                                82.3,  94.2,  105.8, 117.9, 129.4, 141.4,
                                                152.9, 164.8, 176.3, 188.3, 200.0};
    for (int i = 1; i <= 61; ++i) {
        for (int j = 1; j <= 61; ++j) {
            const double v = solution().value(i, j);
            if (v == 0.0 || v == 200.0) {
                continue;
            }
            EXPECT_GT(v, 0.0019) << i << "," << j;
            for (const double bound : kBounds) {
                EXPECT_GE(std::fabs(v - bound), 0.0019) << i << "," << j << " near " << bound;
            }
        }
    }
}

TEST(EllipticSolver, GridOutsideTheTableIsASubscriptError) {
    EXPECT_THROW((void)solution().value(-1, 5), RuntimeError);
    EXPECT_THROW((void)solution().value(5, 101), RuntimeError);
    EXPECT_THROW(ellipticBandColour(0), RuntimeError);
    EXPECT_THROW(ellipticBandColour(10), RuntimeError);
}

TEST(EllipticDots, BandCountsAndPlotOrder) {
    const std::vector<EllipticDot> dots = ellipticDots(solution());
    ASSERT_EQ(dots.size(), 1568u);
    std::array<int, 10> counts{};
    for (std::size_t n = 0; n < dots.size(); ++n) {
        const EllipticDot& dot = dots[n];
        ASSERT_GE(dot.band, 1);
        ASSERT_LE(dot.band, 9);
        EXPECT_EQ(dot.band, ellipticBand(solution().value(dot.x, dot.y)));
        ++counts[static_cast<std::size_t>(dot.band)];
        if (n > 0) {
            const EllipticDot& before = dots[n - 1];
            EXPECT_TRUE(before.x < dot.x || (before.x == dot.x && before.y < dot.y))
                << "dot " << n << " out of order";
        }
    }
    const std::array<int, 10> expected = {0, 187, 161, 157, 175, 361, 208, 157, 119, 43};
    EXPECT_EQ(counts, expected);
    // The first dots: column 1 is blank up to its rising wall at j = 32.
    EXPECT_EQ(dots.front().x, 1);
    EXPECT_EQ(dots.front().y, 32);
    EXPECT_EQ(dots.back().x, 61);
    EXPECT_EQ(dots.back().y, 61);
}

struct BandRow {
    const char* name;
    double value;
    int band;
};

void PrintTo(const BandRow& row, std::ostream* out) {
    *out << row.name;
}

class EllipticBandRows : public ::testing::TestWithParam<BandRow> {};

TEST_P(EllipticBandRows, BoundsAreExclusive) {
    EXPECT_EQ(ellipticBand(GetParam().value), GetParam().band);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EllipticBandRows,
    ::testing::Values(BandRow{"Zero", 0.0, 0}, BandRow{"JustAboveZero", 1e-12, 1},
                      BandRow{"UpperBoundOfBand1", 11.7, 0}, BandRow{"GapAfterBand1", 15.0, 0},
                      BandRow{"LowerBoundOfBand2", 23.6, 0}, BandRow{"InsideBand2", 30.0, 2},
                      BandRow{"TopWall", 100.0, 5}, BandRow{"LowerBoundOfBand5", 94.2, 0},
                      BandRow{"InsideBand8", 170.0, 8}, BandRow{"JustBelowObstacle", 199.999, 9},
                      BandRow{"Obstacle", 200.0, 0}, BandRow{"Negative", -5.0, 0},
                      BandRow{"AboveAllBands", 250.0, 0},
                      BandRow{"NaN", std::numeric_limits<double>::quiet_NaN(), 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace palmos
