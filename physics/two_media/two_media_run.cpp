#include "physics/two_media/two_media_run.h"

#include "physics/two_media/solver.h"

namespace palmos {

void TwoMediaRun::fill(const RunSettings& settings) {
    computeTwoMediaSolution(twoMediaTable, {.c1 = settings.driveSideSpeed,
                                            .c2 = settings.farSideSpeed,
                                            .height = settings.height,
                                            .baseDepth = settings.baseDepth,
                                            .end = settings.end,
                                            .lastPoint = twoMediaLastPoint});
    markFilled(settings);
}

// The step mode's scheme names its speeds the other way round: c1 for the
// far side, c2 for the source side.
void StepRun::fill(const RunSettings& settings, int lastPoint) {
    solveStepMode(stepDisplacement, stepVelocity, stepSlope,
                  {.c1 = settings.farSideSpeed,
                   .c2 = settings.driveSideSpeed,
                   .width = settings.width,
                   .height = settings.height,
                   .baseDepth = settings.baseDepth,
                   .end = settings.end,
                   .timeStep = settings.timeStep,
                   .spaceStep = 1,
                   .lastPoint = lastPoint});
    sourcePoint = lastPoint;
    markFilled(settings);
}

}  // namespace palmos
