#include "physics/two_media/two_media_run.h"

#include "physics/two_media/solver.h"

namespace palmos {

void TwoMediaRun::fill(const RunSettings& settings) {
    const TwoBars<double> bars = barsOf(TwoMediaScheme::Continuous, settings);
    computeTwoMediaSolution(twoMediaTable, {.c1 = bars.c1,
                                            .c2 = bars.c2,
                                            .height = settings.height,
                                            .baseDepth = settings.baseDepth,
                                            .end = settings.end,
                                            .lastPoint = twoMediaLastPoint});
    markFilled(settings);
}

// Each scheme names its speeds as the window's bars do.
void StepRun::fill(const RunSettings& settings, int lastPoint) {
    const TwoBars<double> bars = barsOf(TwoMediaScheme::StepMode, settings);
    solveStepMode(stepDisplacement, stepVelocity, stepSlope,
                  {.c1 = bars.c1,
                   .c2 = bars.c2,
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
