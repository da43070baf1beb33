#include "physics/two_media/step_mode.h"

#include "physics/two_media/solver.h"

#include <algorithm>
#include <cmath>

namespace palmos {

namespace {

constexpr int kSourceLastLevel = 2500;
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
    const int source = settings.lastPoint;
    const double dt = settings.timeStep;
    const double dx = settings.spaceStep;
    const double r1 = checkedDivide(dt * settings.c1, dx);
    const double r2 = checkedDivide(dt * settings.c2, dx);
    const int w = settings.width;
    const double a = checked((settings.height * static_cast<double>(settings.baseDepth)) / 100);

    // The source: a displacement that rises for W levels and falls back over
    // the next W.
    for (int t = 0; t <= kSourceLastLevel; ++t) {
        u.set(source, t, stepSourceDisplacement(t, w, a, dt));
    }
    if (source < 1) {
        return;
    }

    // A step reads points 0..N of level n and writes level n+1 of the three
    // tables, one quantity after the other: the velocities first, since the
    // slopes and displacements are formed from the new ones.
    const int half = source / 2;
    const double sourceSpeed = checked(a / 50);
    const bool freeEnd = settings.end == EndMode::Free;
    for (int n = 0; n < kLastStepLevel; ++n) {
        const double* uOld = u.row(n, source + 1);
        const double* vOld = v.row(n, source + 1);
        const double* sOld = s.row(n, source + 1);

        v.writeRow(n + 1, source + 1, [=](LevelTable::RowWriter& vNew) {
            // The source's velocity; its displacement stays that of the
            // source pass.
            double vSource = 0.0;
            if (n < w) {
                vSource = sourceSpeed;
            } else if (n > w && n < 2 * w) {
                vSource = -sourceSpeed;
            }
            vNew.store(source, vSource);
            // The half next to point 0 has speed c1, the half next to the
            // source speed c2.
            for (int i = 1; i < half; ++i) {
                vNew.store(i, vOld[i] + r1 * (sOld[i] - sOld[i - 1]));
            }
            for (int i = std::max(half, 1); i < source; ++i) {
                vNew.store(i, vOld[i] + r2 * (sOld[i] - sOld[i - 1]));
            }
            // A fixed end does not move: its velocity counts as 0.
            vNew.store(0, freeEnd ? vOld[0] + r1 * (sOld[1] + sOld[0]) : 0.0);
        });
        const double* vNew = v.row(n + 1, source + 1);

        s.writeRow(n + 1, source, [=](LevelTable::RowWriter& sNew) {
            for (int i = 1; i < source; ++i) {
                sNew.store(i, sOld[i] + ((vNew[i + 1] - vNew[i]) * dt) / dx);
            }
            sNew.store(0, freeEnd ? sOld[0] + ((vNew[1] - vNew[0]) * dt) / dx
                                  : sOld[0] + (vNew[1] * dt) / dx);
        });

        u.writeRow(n + 1, source, [=](LevelTable::RowWriter& uNew) {
            for (int i = 1; i < source; ++i) {
                uNew.store(i, uOld[i] + dt * vNew[i]);
            }
            uNew.store(0, freeEnd ? uOld[0] + dt * vNew[0] : 0.0);
        });
    }
}

bool stepCircleMoves(const LevelTable& displacement, int stepLevel, int point, double drawnAt) {
    if (stepLevel == 0) {
        return true;
    }
    return std::fabs(displacement.at(point, stepLevel) - drawnAt) >= kStepMoveThreshold;
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
