// The single string's run: its table, its driven end, the level the next
// tick shows and the Courant number it was solved with.
#pragma once

#include <cstdint>

#include "core/level_table.h"
#include "core/run.h"

namespace palmos {

// The animation plays levels 0 to this one.
inline constexpr int kLastSimpleLevel = 499;

struct SimpleRun : Run {
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

    // Solves the motion from the string at rest (level 0 already at rest)
    // for the settings' far end, with `lambda` and `lastPoint` as they stand.
    void fill(const RunSettings& settings);
};

}  // namespace palmos
