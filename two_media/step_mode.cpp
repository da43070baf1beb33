#include "two_media/step_mode.h"

#include "two_media/solver.h"

#include <cmath>
#include <cstddef>
#include <utility>

namespace palmos {

namespace {

constexpr int kSourceLastLevel = 2500;
constexpr int kLastStep = 1500;
constexpr int kGridLines = 50;

}  // namespace

double stepSourceDisplacement(int t, int width, double a, double timeStep) {
    if (t <= width) {
        return checked(((t * timeStep - 1) * a) / 50);
    }
    if (t < 2 * width) {
        return checked(((width * timeStep - t * timeStep) * a) / 50 +
                       ((width * timeStep - 1) * a) / 50);
    }
    return 0.0;
}

void solveStepMode(LevelTable& u, LevelTable& v, LevelTable& s, const StepModeSettings& settings) {
    const int big = settings.lastPoint;
    const double dt = settings.timeStep;
    const double dx = settings.spaceStep;
    const double r1 = checkedDivide(dt * settings.c1, dx);
    const double r2 = checkedDivide(dt * settings.c2, dx);
    const int w = settings.width;
    const double a = checked((settings.height * static_cast<double>(settings.baseDepth)) / 100);

    // The source: a displacement that rises for W levels and falls back over
    // the next W.
    for (int t = 0; t <= kSourceLastLevel; ++t) {
        u.set(big, t, stepSourceDisplacement(t, w, a, dt));
    }
    if (big < 1) {
        return;
    }

    // Level n and level n+1 of each quantity are kept in rows of their own,
    // so that a step reads plain memory; each new level then goes into its
    // table in one checked row store.
    const auto rowSize = static_cast<std::size_t>(big) + 1;
    std::vector<double> uOld(rowSize), vOld(rowSize), sOld(rowSize);
    std::vector<double> uNew(rowSize), vNew(rowSize), sNew(rowSize);
    for (int i = 0; i < big; ++i) {
        uOld[i] = u.at(i, 0);
        vOld[i] = v.at(i, 0);
        sOld[i] = s.at(i, 0);
    }

    const int half = big / 2;
    const double sourceSpeed = checked(a / 50);
    for (int n = 0; n <= kLastStep; ++n) {
        // The source's velocity; its displacement stays that of the source pass.
        double vSource = 0.0;
        if (n < w) {
            vSource = sourceSpeed;
        } else if (n > w && n < 2 * w) {
            vSource = -sourceSpeed;
        }
        v.set(big, n + 1, vSource);
        vNew[big] = vSource;

        // Downward, so that v(n+1, i+1) is new when point i reads it. The half
        // next to the source has speed c2, the half next to point 0 speed c1.
        for (int i = big - 1; i >= 1; --i) {
            const double r = i >= half ? r2 : r1;
            vNew[i] = vOld[i] + r * (sOld[i] - sOld[i - 1]);
            sNew[i] = sOld[i] + ((vNew[i + 1] - vNew[i]) * dt) / dx;
            uNew[i] = uOld[i] + dt * vNew[i];
        }

        if (settings.end == EndMode::Free) {
            vNew[0] = vOld[0] + r1 * (sOld[1] + sOld[0]);
            sNew[0] = sOld[0] + ((vNew[1] - vNew[0]) * dt) / dx;
            uNew[0] = uOld[0] + dt * vNew[0];
        } else {
            // A fixed end does not move: its velocity counts as 0.
            vNew[0] = 0.0;
            sNew[0] = sOld[0] + (vNew[1] * dt) / dx;
            uNew[0] = 0.0;
        }

        storeLevelRow(v, n + 1, vNew.data(), big);
        storeLevelRow(s, n + 1, sNew.data(), big);
        storeLevelRow(u, n + 1, uNew.data(), big);
        std::swap(uOld, uNew);
        std::swap(vOld, vNew);
        std::swap(sOld, sNew);
    }
}

bool stepCircleMoves(const LevelTable& displacement, int stepLevel, int point) {
    if (stepLevel == 0) {
        return true;
    }
    return std::fabs(displacement.at(point, stepLevel) - displacement.at(point, stepLevel - 1)) >=
           kStepMoveThreshold;
}

std::vector<double> gridLineHeights(double scaleHeight) {
    const double d = -scaleHeight / kGridLines;
    std::vector<double> heights;
    heights.reserve(2 * kGridLines);
    for (int k = 1; k <= kGridLines; ++k) {
        heights.push_back(k * d);
        heights.push_back(-k * d);
    }
    return heights;
}

}  // namespace palmos
