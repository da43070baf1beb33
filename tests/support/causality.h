// Shared check of the explicit schemes: a disturbance from the drive end
// travels at most one point per level.
#pragma once

#include <gtest/gtest.h>

#include "core/level_table.h"

namespace palmos {

// Point lastPoint - d is still at rest at level d + 1 and moves from level
// d + 2 on; with a fixed end, point 0 never moves.
inline void expectDisturbanceOnePointPerLevel(const LevelTable& table, int lastPoint,
                                              bool fixedEnd) {
    for (int d = 1; d <= lastPoint; ++d) {
        const int point = lastPoint - d;
        for (int n = 0; n <= d + 1; ++n) {
            ASSERT_EQ(table.at(point, n), 0.0) << point << ", " << n;
        }
        if (point == 0 && fixedEnd) {
            continue;
        }
        EXPECT_NE(table.at(point, d + 2), 0.0) << point;
    }
}

}  // namespace palmos
