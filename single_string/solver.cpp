#include "single_string/solver.h"

#include <cmath>

#include "core/format.h"

namespace palmos {

namespace {

constexpr int kDriveLevels = 500;
constexpr int kSteps = 2500;
constexpr double kCheckTolerance = 0.001;
constexpr int kCheckPassLimit = 40;

}  // namespace

void writeSimpleDrivePulse(LevelTable& table, int drivePoint) {
    for (int n = 0; n <= kDriveLevels; ++n) {
        double value = 0.0;
        if (n <= 50) {
            value = (n - 1) * 0.2 / 50;
        } else if (n <= 99) {
            value = (100 - n) * 0.2 / 50;
        }
        table.set(drivePoint, n, value);
    }
}

void stepSimpleString(LevelTable& table, int lastPoint, double lambda, EndMode end) {
    const double lambda2 = checked(lambda * lambda);
    const double centre = checked(2.0 * (1.0 - lambda2));
    for (int n = 1; n <= kSteps; ++n) {
        for (int k = 0; k < lastPoint; ++k) {
            double next;
            if (k == 0 && end == EndMode::Fixed) {
                next = 0.0;
            } else {
                // A free end mirrors point 1 into the point beyond the end (zero slope).
                const double left = k == 0 ? table.at(1, n) : table.at(k - 1, n);
                next = lambda2 * (left + table.at(k + 1, n)) + centre * table.at(k, n) -
                       table.at(k, n - 1);
            }
            table.set(k, n + 1, next);
        }
    }
}

void solveSimpleString(LevelTable& table, int lastPoint, double lambda, EndMode end) {
    writeSimpleDrivePulse(table, lastPoint);
    stepSimpleString(table, lastPoint, lambda, end);
}

SimpleCheckResult checkSimpleSolution(LevelTable& table, int timeIndex, int interval, double lambda,
                                      int lastPoint) {
    SimpleCheckResult result;
    if (timeIndex == 0) {
        return result;
    }
    const double lambda2 = checked(lambda * lambda);
    const double divisor = checked(2.0 * (1.0 - lambda2));
    if (divisor == 0.0) {
        return result;
    }
    const double scale = checkedDivide(1.0, divisor);
    const double centreWeight = checked(1.0 - 2.0 * lambda2);
    const double olderWeight = checked(2.0 * lambda2);

    int passes = 0;
    bool restart = true;
    while (restart) {
        restart = false;
        double largest = 0.0;
        for (int n = timeIndex - interval + 1; n <= timeIndex; ++n) {
            ++result.sweeps;
            double trial = 0.0;
            for (int j = 2; j <= lastPoint; ++j) {
                double sum = table.at(j - 1, n + 1) + table.at(j + 1, n + 1) + table.at(j + 1, n);
                sum = sum - centreWeight * (2.0 * table.at(j, n));
                sum = sum + table.at(j - 1, n);
                sum = sum - olderWeight * table.at(j, n - 1);
                trial = checked(scale * sum);
                const double deviation = std::fabs(trial - table.at(j, n));
                if (deviation > largest) {
                    largest = deviation;
                }
            }
            if (largest < kCheckTolerance) {
                table.set(lastPoint + 1, n + 1, trial);
                continue;
            }
            ++result.readoutWrites;
            ++passes;
            if (passes < kCheckPassLimit) {
                restart = true;
                break;
            }
        }
    }
    return result;
}

std::string simpleReadout(double pointOne, bool fixedEndSelected) {
    return "u1(0)=" + formatNumber(pointOne) + "sta=" + formatWhole(fixedEndSelected ? -1 : 0);
}

}  // namespace palmos
