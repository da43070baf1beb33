// The two-media procedures and the program-wide state of the window's two
// runs: the continuous run and the step mode.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/end_mode.h"
#include "core/level_table.h"
#include "two_media/readout.h"
#include "two_media/step_mode.h"

namespace palmos {

// The continuous run plays levels 0 to this one.
inline constexpr int kLastTwoMediaLevel = 999;

// Everything the continuous run owns, zero at program start.
struct TwoMediaRun {
    // The whole motion, cell (point, level), computed by each preparation.
    LevelTable twoMediaTable{kTablePoints, kTableLevels};
    // The driven end, point 60 once prepared; the step mode's source too.
    int twoMediaLastPoint = 0;
    // The speeds of the last preparation, as Courant numbers. c1 is the
    // drive side, points 31..60; c2 the far side, points 0..29; point 30, the
    // junction, weighs both. The step mode places them the other way round.
    double c1 = 0.0;
    double c2 = 0.0;
    // The level the next tick shows.
    std::int16_t twoMediaTimeIndex = 0;
    // For the instruments only: the far end of the last preparation, and
    // the program's count of table fillings when it filled the table (0:
    // never).
    EndMode end = EndMode::Fixed;
    int filledAt = 0;
};
inline TwoMediaRun twoMediaRun;

// Everything the step mode owns, zero at program start. Its speeds are not
// kept: each START reads them from the bars.
struct StepRun {
    // u, v and s of every point, cell (point, level), filled by each START.
    LevelTable stepDisplacement{kStepPoints, kStepLevels};
    LevelTable stepVelocity{kStepPoints, kStepLevels};
    LevelTable stepSlope{kStepPoints, kStepLevels};
    // The level the next step shows.
    int stepLevel = 0;
    // Set when the step mode has shown its last computed level; STEP and
    // CONTINUE then wait for the next START.
    bool stepRunFinished = false;
    // For the instruments only: what the last START read from the bars, and
    // the program's count of table fillings when it filled the tables (0:
    // never).
    StepModeSettings used{};
    int filledAt = 0;
};
inline StepRun stepRun;

// Resets the bars, stretches, scales and shows the two-media window, places
// and colours its circles at rest and computes the continuous run's table.
void PrepareTwoMediaSolution();

// The coefficient readout in the language chosen on the introduction window.
void ShowCoefficients(std::string_view englishReflectedLabel = kReflectedLabel);

// The pulse height, timer and width labels in the chosen language.
void ShowPulseLabels();

// The continuous run's check pass; it changes nothing.
void CheckTwoMediaSolution();

// Fills the step mode's tables from the window's current settings.
void PrepareStepMode();

// Shows the step mode's current level, advances it and rules the grid.
void ShowNextStep();

// The depth of the two-media window's bottom edge below its zero line.
float baseDepth();

}  // namespace palmos
