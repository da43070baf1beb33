// The two-media window's two runs: the continuous run, played from one
// table, and the step mode, which plays its displacement table step by step.
#pragma once

#include <cstdint>

#include "core/level_table.h"
#include "core/run.h"
#include "physics/two_media/step_mode.h"

namespace palmos {

// The continuous run plays levels 0 to this one.
inline constexpr int kLastTwoMediaLevel = 999;

struct TwoMediaRun : Run {
    TwoMediaRun() : Run(kLastTwoMediaLevel) {}

    // The whole motion, cell (point, level), computed by each preparation.
    LevelTable twoMediaTable{kTablePoints, kTableLevels};
    // The driven end, point 60 once prepared; the step mode's source too.
    int twoMediaLastPoint = 0;
    // The level the next tick shows.
    std::int16_t& twoMediaTimeIndex = nextLevel;

    // Computes the motion for `settings` once level 0 of the string is at
    // rest (the preparation zeroes it while it places the circles). The
    // drive side, points 31..60, has the settings' driveSideSpeed; the far
    // side, points 0..29, its farSideSpeed; point 30, the junction, weighs
    // both.
    void fill(const RunSettings& settings);
};

struct StepRun : Run {
    StepRun() : Run(kLastStepLevel) {}

    // u, v and s of every point, cell (point, level), filled by each START.
    LevelTable stepDisplacement{kStepPoints, kStepLevels};
    LevelTable stepVelocity{kStepPoints, kStepLevels};
    LevelTable stepSlope{kStepPoints, kStepLevels};
    // The level the next step shows.
    std::int16_t& stepLevel = nextLevel;
    // Set when the step mode has shown its last computed level; STEP and
    // CONTINUE then wait for the next START.
    bool stepRunFinished = false;
    // The source point of the last filling: the continuous run's driven end.
    int sourcePoint = 0;

    // Solves the three tables for `settings`, with the source at `lastPoint`.
    void fill(const RunSettings& settings, int lastPoint);
};

}  // namespace palmos
