// The single-string procedures and their program-wide state: the solution
// table, the last point, the level the animation shows next and the Courant
// number.
#pragma once

#include <cstdint>

#include "core/level_table.h"

namespace palmos {

inline LevelTable simpleTable{kTablePoints, kTableLevels};
inline std::int16_t lastPoint = 0;
inline std::int16_t timeIndex = 0;
inline double lambda = 0.0;

// Sizes, scales and shows the simple-solution window, puts its circles at rest
// and computes the whole motion for the end chosen on the window.
void PrepareSimpleSolution();

// The check pass over the levels of the current tick; writes the readout of
// the window's text box while the pulse is on the string.
void CheckSimpleSolution();

// Moves circle `point` of the simple-solution window to its place at `level`.
void PlaceSimpleCircle(int point, int level);

}  // namespace palmos
