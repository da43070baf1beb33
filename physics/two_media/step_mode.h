// The two-media step-by-step mode: the wave equation as a first-order system
// of displacement u, velocity v and slope s of every point, advanced with a
// staggered explicit scheme. Point N (60) is the source, points N/2..N-1
// (30..59) carry the speed c2, points 1..N/2-1 (1..29) the speed c1, and
// point 0 is a free or a fixed end. Each quantity has its own table of 61
// points by 3501 levels, cell (point, level).
#pragma once

#include <vector>

#include "core/end_mode.h"
#include "core/level_table.h"
#include "core/run.h"

namespace palmos {

inline constexpr int kStepPoints = 61;
inline constexpr int kStepLevels = 3501;

// The last level the step mode computes for the string; the run stops after
// showing it.
inline constexpr int kLastStepLevel = 1501;

// A circle is moved only when the level shown puts it at least this far from
// where it is drawn.
inline constexpr double kStepMoveThreshold = 0.0005;

// Everything one preparation depends on. The defaults are those of the window
// right after it was set up.
struct StepModeSettings {
    // The other way round from the continuous run, where c1 is the drive side.
    double c1 = 0.3;   // speed of points 1..29, the far side next to point 0
    double c2 = 0.3;   // speed of points 30..59, the source side
    int width = 20;    // W, levels over which the source rises
    int height = 100;  // P, percent of baseDepth
    float baseDepth = 0.3f;
    EndMode end = EndMode::Fixed;
    double timeStep = kTimeStep;
    int spaceStep = 1;
    int lastPoint = 60;  // N, the source point
};

// Fills the source levels 0..2500 of point N and levels 1..1501 of points
// 0..N-1 of the three tables. Level 0 of the string is never written, so a
// string at rest is expected there (the tables start at zero).
void solveStepMode(LevelTable& displacement, LevelTable& velocity, LevelTable& slope,
                   const StepModeSettings& settings);

// The source's displacement at level t, from the step mode's source height
// a = P * baseDepth / 100.
double stepSourceDisplacement(int t, int width, double a, double timeStep);

// Whether circle `point`, now drawn at displacement `drawnAt`, is placed when
// level `stepLevel` is shown: always at level 0, otherwise only when the
// level is at least kStepMoveThreshold away from where the circle is drawn.
// (The levels shown jump by the timer's interval: a circle that moved little
// in the last level may still be far from the level shown before.)
bool stepCircleMoves(const LevelTable& displacement, int stepLevel, int point, double drawnAt);

// The heights of the grid lines drawn with every step, in drawing order:
// k*d, then -k*d, for k = 1..50, with d = -scaleHeight / 50.
std::vector<double> gridLineHeights(double scaleHeight);

}  // namespace palmos
