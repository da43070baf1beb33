// The single string's run: its table, its driven end, the level the next
// tick shows and the Courant number it was solved with.
#pragma once

#include <cstdint>

#include "core/level_table.h"
#include "core/run.h"

namespace palmos {

// The animation plays levels 0 to this one.
inline constexpr int kLastSimpleLevel = 499;

// The user scale both string windows draw in, corner to corner: five units
// a point, two points' room past the single string's driven end, 0.62 above
// the zero line and 0.3 below it. The two-media window takes the single
// string's lastPoint for it on purpose, so the two windows share one scale
// (its right edge is 10 until the simple solution was first prepared).
struct StringScale {
    double x1, y1, x2, y2;
};
constexpr StringScale stringScale(int lastPoint) {
    return {.x1 = 0, .y1 = 0.62, .x2 = (lastPoint + 2) * 5.0, .y2 = -0.3};
}

struct SimpleRun : Run {
    SimpleRun() : Run(kLastSimpleLevel) {}

    // The whole motion, cell (point, level), computed by each preparation.
    LevelTable simpleTable{kTablePoints, kTableLevels};
    // The driven end, point 54 once prepared. The two-media window's scale
    // reads it too (stringScale).
    std::int16_t lastPoint = 0;
    // The level the next tick shows.
    std::int16_t& timeIndex = nextLevel;
    // The Courant number of the preparation (the hidden lamdaval bar also
    // writes it).
    double lambda = 0.0;

    // Solves the motion from the string at rest (level 0 already at rest)
    // for the settings' far end, with `lambda` and `lastPoint` as they stand.
    void fill(const RunSettings& settings);
};

}  // namespace palmos
