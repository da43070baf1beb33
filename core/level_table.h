// A table of displacements, one value per grid point and time level, stored
// with the point index running fastest (cell (point, level) is element
// point + points * level). Every access is checked against both bounds, and
// every value stored must be finite.
#pragma once

#include <cstddef>
#include <vector>

#include "core/runtime_error.h"

namespace palmos {

class LevelTable {
  public:
    LevelTable(int points, int levels)
        : points_(points), levels_(levels), cells_(static_cast<std::size_t>(points) * levels) {}

    int points() const { return points_; }
    int levels() const { return levels_; }

    double at(int point, int level) const { return cells_[index(point, level)]; }
    void set(int point, int level, double value) { cells_[index(point, level)] = checked(value); }

    // Back to all zeros, as at program start.
    void clear() { cells_.assign(cells_.size(), 0.0); }

  private:
    std::size_t index(int point, int level) const {
        if (point < 0 || point >= points_ || level < 0 || level >= levels_) [[unlikely]] {
            raiseSubscriptOutOfRange();
        }
        return static_cast<std::size_t>(point) + static_cast<std::size_t>(points_) * level;
    }

    int points_;
    int levels_;
    std::vector<double> cells_;
};

// The size of the two large solution tables: points 0..100, levels 0..5000.
inline constexpr int kTablePoints = 101;
inline constexpr int kTableLevels = 5001;

}  // namespace palmos
