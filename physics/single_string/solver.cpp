#include "physics/single_string/solver.h"

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
    if (lastPoint < 1) {
        return;
    }
    stepThreeLevels(
        table, lastPoint, kSteps,
        [=](const double* current, const double* older, LevelTable::RowWriter& next) {
            if (end == EndMode::Fixed) {
                next.store(0, 0.0);
            } else {
                // A free end mirrors point 1 beyond the end (zero slope).
                next.store(0, lambda2 * (current[1] + current[1]) + centre * current[0] - older[0]);
            }
            for (int k = 1; k < lastPoint; ++k) {
                next.store(k, lambda2 * (current[k - 1] + current[k + 1]) + centre * current[k] -
                                  older[k]);
            }
        });
}

void solveSimpleString(LevelTable& table, int lastPoint, double lambda, EndMode end) {
    writeSimpleDrivePulse(table, lastPoint);
    stepSimpleString(table, lastPoint, lambda, end);
}

SimpleCheckResult simpleCheckPass(LevelTable& table, int timeIndex, int interval, double lambda,
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
            if (lastPoint >= 2) {
                // Points 1..lastPoint+1 of three levels.
                const double* older = table.row(n - 1, lastPoint + 2);
                const double* current = table.row(n, lastPoint + 2);
                const double* next = table.row(n + 1, lastPoint + 2);
                for (int j = 2; j <= lastPoint; ++j) {
                    double sum = next[j - 1] + next[j + 1] + current[j + 1];
                    sum = sum - centreWeight * (2.0 * current[j]);
                    sum = sum + current[j - 1];
                    sum = sum - olderWeight * older[j];
                    trial = checked(scale * sum);
                    const double deviation = std::fabs(trial - current[j]);
                    if (deviation > largest) {
                        largest = deviation;
                    }
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
