// The single string: a row of points whose last point is driven with a
// triangular pulse and whose point 0 is a free or a fixed end, solved with the
// explicit three-level scheme of the wave equation.
#pragma once

#include <string>

#include "core/end_mode.h"
#include "core/level_table.h"

namespace palmos {

// The drive pulse at point `drivePoint`, levels 0..500: a triangle of height
// 0.196 over levels 1..100 (-0.004 at level 0), then rest.
void writeSimpleDrivePulse(LevelTable& table, int drivePoint);

// Levels 2..2501 of points 0..lastPoint-1 from the two levels before each,
// with Courant number `lambda`.
void stepSimpleString(LevelTable& table, int lastPoint, double lambda, EndMode end);

// Drive pulse and explicit steps together; level 0 of the string is expected
// to be zero already.
void solveSimpleString(LevelTable& table, int lastPoint, double lambda, EndMode end);

// What one check pass did: how many level sweeps it ran and how many times
// it ended a sweep above the tolerance (each of those writes the readout).
struct SimpleCheckResult {
    int sweeps = 0;
    int readoutWrites = 0;
};

// The check pass over levels timeIndex-interval+1..timeIndex: an implicit
// trial formula measured against the stored levels. Where the trial lies
// within the tolerance it stores the last point's trial in the spare cell
// (point lastPoint+1). With lambda = 1 the trial is undefined and the pass
// does nothing.
SimpleCheckResult simpleCheckPass(LevelTable& table, int timeIndex, int interval, double lambda,
                                  int lastPoint);

// The one-line readout: "u1(0)=" value of point 1, then "sta=" and the fixed
// end option as a number (-1 for selected, 0 otherwise).
std::string simpleReadout(double pointOne, bool fixedEndSelected);

}  // namespace palmos
