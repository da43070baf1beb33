// The single-string procedures and the program-wide state of the single
// string's run.
#pragma once

#include <cstdint>

#include "core/end_mode.h"
#include "core/level_table.h"

namespace palmos {

// The animation plays levels 0 to this one.
inline constexpr int kLastSimpleLevel = 499;

// Everything the single-string run owns, zero at program start.
struct SimpleRun {
    // The whole motion, cell (point, level), computed by each preparation.
    LevelTable simpleTable{kTablePoints, kTableLevels};
    // The driven end, point 54 once prepared. The two-media window's scale
    // reads it too.
    std::int16_t lastPoint = 0;
    // The level the next tick shows.
    std::int16_t timeIndex = 0;
    // The Courant number of the preparation (the hidden lamdaval bar also
    // writes it).
    double lambda = 0.0;
    // The program's count of table fillings when this table was last filled
    // (0: never); read by the instruments only.
    int filledAt = 0;
    // The far end of the last preparation; read by the instruments only.
    EndMode end = EndMode::Fixed;
};
inline SimpleRun simpleRun;

// Sizes, scales and shows the simple-solution window, puts its circles at rest
// and computes the whole motion for the end chosen on the window.
void PrepareSimpleSolution();

// The check pass over the levels of the current tick; writes the readout of
// the window's text box while the pulse is on the string.
void CheckSimpleSolution();

// Moves circle `point` of the simple-solution window to its place at `level`.
void PlaceSimpleCircle(int point, int level);

}  // namespace palmos
