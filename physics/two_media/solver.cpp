#include "physics/two_media/solver.h"

#include <algorithm>
#include <cmath>

namespace palmos {

namespace {

constexpr int kDriveLastLevel = 2500;
constexpr int kSteps = 2500;
constexpr int kCheckWalkLimit = 40;

}  // namespace

void writeTwoMediaDrivePulse(LevelTable& table, int drivePoint, float baseDepth, int height) {
    // Single precision throughout: the depth is a single and the other
    // factors are small whole numbers.
    const float h = (baseDepth * static_cast<float>(height)) / 100.0f;
    for (int n = 0; n <= kDriveLastLevel; ++n) {
        float value = 0.0f;
        if (n <= 50) {
            value = (h * static_cast<float>(n - 1)) / 50.0f;
        } else if (n <= 99) {
            value = (h * static_cast<float>(100 - n)) / 50.0f;
        }
        table.set(drivePoint, n, value);
    }
}

void stepTwoMedia(LevelTable& table, int lastPoint, double c1, double c2, EndMode end) {
    const double c1Squared = checked(c1 * c1);
    const double c2Squared = checked(c2 * c2);
    const double centre1 = checked(2.0 * (1.0 - c1 * c1));
    const double centre2 = checked(2.0 * (1.0 - c2 * c2));
    const double junctionCentre = checked(2.0 * (1.0 - c1 * c2));
    const double junctionWeight = checkedDivide((2.0 * c1) * c2, c1 + c2);
    if (lastPoint < 1) {
        return;
    }

    // The drive end is read, never computed.
    const int mediumTwoEnd = std::min(kTwoMediaJunction, lastPoint);
    stepThreeLevels(
        table, lastPoint, kSteps,
        [=](const double* current, const double* older, LevelTable::RowWriter& next) {
            // Point 0: a fixed end stays put; a free end mirrors point 1 into
            // the point beyond the end (zero slope).
            if (end == EndMode::Fixed) {
                next.store(0, 0.0);
            } else {
                next.store(0,
                           centre2 * current[0] + c2Squared * (current[1] + current[1]) - older[0]);
            }

            // Medium 2.
            for (int i = 1; i < mediumTwoEnd; ++i) {
                next.store(i, centre2 * current[i] + c2Squared * (current[i - 1] + current[i + 1]) -
                                  older[i]);
            }

            // The junction: each side pulls it in proportion to its own speed.
            if (kTwoMediaJunction < lastPoint) {
                const int i = kTwoMediaJunction;
                next.store(i, junctionCentre * current[i] +
                                  junctionWeight * (c1 * current[i + 1] + c2 * current[i - 1]) -
                                  older[i]);
            }

            // Medium 1, up to the point before the drive end.
            for (int i = kTwoMediaJunction + 1; i < lastPoint; ++i) {
                next.store(i, centre1 * current[i] + c1Squared * (current[i - 1] + current[i + 1]) -
                                  older[i]);
            }
        });
}

void computeTwoMediaSolution(LevelTable& table, const TwoMediaSettings& settings) {
    writeTwoMediaDrivePulse(table, settings.lastPoint, settings.baseDepth, settings.height);
    stepTwoMedia(table, settings.lastPoint, settings.c1, settings.c2, settings.end);
}

void solveTwoMedia(LevelTable& table, const TwoMediaSettings& settings) {
    for (int i = 0; i <= settings.lastPoint; ++i) {
        table.set(i, 0, 0.0);
    }
    computeTwoMediaSolution(table, settings);
}

TwoMediaCheckResult twoMediaCheckPass(const LevelTable& table, int timeIndex, int interval,
                                      double c1, double c2, EndMode end) {
    TwoMediaCheckResult result;
    if (timeIndex == 0) {
        return result;
    }
    const double c1Squared = checked(c1 * c1);
    const double c2Squared = checked(c2 * c2);
    const double divisor1 = checked(2.0 * (1.0 - c1Squared));
    const double divisor2 = checked(2.0 * (1.0 - c2Squared));

    // Every walk ends at the first point past the junction: it measures that
    // point and then either walks the same level again (while fewer than 40
    // walks were made) or moves on. The tolerance test after a complete walk
    // over the string is therefore never reached.
    int level = timeIndex - interval + 1;
    while (level <= timeIndex + interval) {
        ++result.walks;
        const int n = level;
        for (int i = 0;; ++i) {
            double trial;
            if (i == 0) {
                trial = end == EndMode::Fixed
                            ? 0.0
                            : checkedDivide(table.at(0, n + 1) -
                                                c2Squared * (table.at(1, n) + table.at(1, n)) -
                                                table.at(0, n - 1),
                                            divisor2);
            } else if (i < kTwoMediaJunction) {
                trial = checkedDivide(table.at(i, n + 1) -
                                          c2Squared * (table.at(i - 1, n) + table.at(i + 1, n)) -
                                          table.at(i, n - 1),
                                      divisor2);
            } else if (i == kTwoMediaJunction) {
                trial = checkedDivide(table.at(i, n + 1) - c1Squared * table.at(i + 1, n) -
                                          c2Squared * table.at(i - 1, n) - table.at(i, n - 1),
                                      divisor2);
            } else {
                trial = checkedDivide(table.at(i, n + 1) -
                                          c1Squared * (table.at(i - 1, n) + table.at(i + 1, n)) -
                                          table.at(i, n - 1),
                                      divisor1);
                const double deviation = std::fabs(trial - table.at(i, n));
                if (deviation > result.largestDeviation) {
                    result.largestDeviation = deviation;
                }
                if (result.walks >= kCheckWalkLimit) {
                    ++level;
                }
                break;
            }
        }
    }
    return result;
}

}  // namespace palmos
