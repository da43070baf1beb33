// The two-media string of the continuous run: points 0..lastPoint, the last
// one driven with a triangular pulse. Points 31 and above carry the speed c1
// (the drive side), points 0..29 the speed c2, and point 30, the junction,
// has a row of its own that weighs each side by its speed. Point 0 is a free
// or a fixed end. The motion is solved with the explicit three-level scheme
// of the wave equation and kept in a LevelTable, cell (point, level).
#pragma once

#include "core/end_mode.h"
#include "core/level_table.h"

namespace palmos {

// The drive end of the two-media string and its junction point.
inline constexpr int kTwoMediaLastPoint = 60;
inline constexpr int kTwoMediaJunction = 30;

// Everything one solution depends on. The defaults are the values the window
// resets its bars to before it solves.
struct TwoMediaSettings {
    // The step mode places its c1 and c2 the other way round.
    double c1 = 0.3;         // Courant number of the drive side (points 31..59)
    double c2 = 0.3;         // Courant number of the far side (points 0..29)
    int height = 100;        // pulse height bar, percent of baseDepth
    float baseDepth = 0.3f;  // depth of the window's bottom edge below the zero line
    EndMode end = EndMode::Fixed;
    int lastPoint = kTwoMediaLastPoint;
};

// The drive pulse at `drivePoint`, levels 0..2500, in single precision:
// with h = baseDepth * height / 100 a triangle over levels 1..100 whose top
// 0.98 h spans levels 50 and 51, -h/50 at level 0, and rest from level 100 on.
void writeTwoMediaDrivePulse(LevelTable& table, int drivePoint, float baseDepth, int height);

// Levels 2..2501 of points 0..lastPoint-1, each level from the two before it,
// with the junction row at point 30. The drive end is never computed.
void stepTwoMedia(LevelTable& table, int lastPoint, double c1, double c2, EndMode end);

// Drive pulse, then the explicit steps: what follows once level 0 of the
// string has been zeroed (the window does that while it places its circles).
void computeTwoMediaSolution(LevelTable& table, const TwoMediaSettings& settings);

// The whole solution from scratch: level 0 of every point set to rest first.
void solveTwoMedia(LevelTable& table, const TwoMediaSettings& settings);

// What one check pass did: how many partial walks over the points it made,
// and the largest deviation it measured.
struct TwoMediaCheckResult {
    int walks = 0;
    double largestDeviation = 0.0;
};

// The check pass of the continuous run over levels timeIndex-interval+1 ..
// timeIndex+interval: it forms an implicit trial value for each point from
// the stored levels and measures it against the table. It only reads: at
// timeIndex 0 it does nothing, otherwise it walks the first level 40 times and
// every further level once, never past the point after the junction.
TwoMediaCheckResult twoMediaCheckPass(const LevelTable& table, int timeIndex, int interval,
                                      double c1, double c2, EndMode end);

}  // namespace palmos
