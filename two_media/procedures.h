// The two-media procedures and their program-wide state: the continuous
// run's table and level, the step mode's three tables and level, and the two
// speeds of the last preparation.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/level_table.h"
#include "two_media/readout.h"
#include "two_media/step_mode.h"

namespace palmos {

inline LevelTable twoMediaTable{kTablePoints, kTableLevels};
inline int twoMediaLastPoint = 0;
inline double c1 = 0.0;
inline double c2 = 0.0;
inline std::int16_t twoMediaTimeIndex = 0;

inline LevelTable stepDisplacement{kStepPoints, kStepLevels};
inline LevelTable stepVelocity{kStepPoints, kStepLevels};
inline LevelTable stepSlope{kStepPoints, kStepLevels};
inline int stepLevel = 0;
// Set when the step mode has shown its last computed level; STEP and
// CONTINUE then wait for the next START.
inline bool stepRunFinished = false;

// The last level the step mode computes for the string.
inline constexpr int kLastStepLevel = 1501;

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
