// A table of displacements, one value per grid point and time level, stored
// with the point index running fastest (cell (point, level) is element
// point + points * level). Every access is checked against both bounds, and
// every value stored must be finite.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/runtime_error.h"
#include "core/zeroed_allocator.h"

namespace palmos {

class LevelTable {
  public:
    LevelTable(int points, int levels)
        : points_(points), levels_(levels), cells_(static_cast<std::size_t>(points) * levels) {}

    int points() const { return points_; }
    int levels() const { return levels_; }

    double at(int point, int level) const { return cells_[index(point, level)]; }
    void set(int point, int level, double value) { cells_[index(point, level)] = checked(value); }

    // The solvers work a level at a time, and check a whole row at once
    // instead of every cell: the level and the number of points when they
    // take the row, the values stored when they are done with it.

    // Points 0..count-1 of one level, to read.
    const double* row(int level, int count) const { return cells_.data() + rowStart(level, count); }

    // Points 0..count-1 of one level, to write (see writeRow).
    class RowWriter {
      public:
        // Stores `value` as point `point`, which the solver's loops keep
        // within 0..count-1, and notes whether the value is finite.
        void store(int point, double value) {
            cells_[point] = value;
            // value - value is +0 (all bits clear) for a finite value and a
            // NaN for an infinity or a NaN. (A copy of its bits rather than
            // std::bit_cast, which the web edition's library lacks; the
            // compilers make the same instructions of both.)
            const double difference = value - value;
            std::uint64_t bits = 0;
            std::memcpy(&bits, &difference, sizeof bits);
            nonFinite_ |= bits;
        }

      private:
        friend class LevelTable;
        explicit RowWriter(double* cells) : cells_(cells) {}
        bool allFinite() const { return nonFinite_ == 0; }

        double* cells_;
        std::uint64_t nonFinite_ = 0;
    };

    // Writes points 0..count-1 of one level: fill(RowWriter&) stores each of
    // them. The level and the count are checked before fill runs; after it,
    // the first point whose value is not finite raises the run-time error,
    // as set would (the row then holds what fill stored).
    template <class Fill>
    void writeRow(int level, int count, Fill&& fill) {
        double* cells = cells_.data() + rowStart(level, count);
        RowWriter row(cells);
        fill(row);
        if (!row.allFinite()) [[unlikely]] {
            for (int i = 0; i < count; ++i) {
                (void)checked(cells[i]);
            }
        }
    }

    // Back to all zeros, as at program start.
    void clear() { cells_.assign(cells_.size(), 0.0); }

  private:
    // A negative index turns into a huge unsigned one, so one comparison
    // checks both bounds.
    static bool below(int index, int limit) {
        return static_cast<unsigned>(index) < static_cast<unsigned>(limit);
    }

    std::size_t index(int point, int level) const {
        if (!below(point, points_) || !below(level, levels_)) [[unlikely]] {
            raiseSubscriptOutOfRange();
        }
        return static_cast<std::size_t>(point) + static_cast<std::size_t>(points_) * level;
    }

    std::size_t rowStart(int level, int count) const {
        if (!below(count, points_ + 1) || !below(level, levels_)) [[unlikely]] {
            raiseSubscriptOutOfRange();
        }
        return static_cast<std::size_t>(points_) * level;
    }

    int points_;
    int levels_;
    std::vector<double, ZeroedAllocator<double>> cells_;
};

// The explicit three-level schemes: levels 2..steps+1 of points
// 0..lastPoint-1, each level from points 0..lastPoint of the two before it.
// fillLevel(current, older, next) stores the points of one new level; each
// row is checked once, when it is taken.
template <class FillLevel>
void stepThreeLevels(LevelTable& table, int lastPoint, int steps, FillLevel fillLevel) {
    const double* older = table.row(0, lastPoint + 1);
    const double* current = table.row(1, lastPoint + 1);
    for (int n = 1; n <= steps; ++n) {
        table.writeRow(n + 1, lastPoint,
                       [&](LevelTable::RowWriter& next) { fillLevel(current, older, next); });
        older = current;
        current = table.row(n + 1, lastPoint + 1);
    }
}

// The size of the two large solution tables: points 0..100, levels 0..5000.
inline constexpr int kTablePoints = 101;
inline constexpr int kTableLevels = 5001;

}  // namespace palmos
