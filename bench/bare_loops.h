// The bare loops: the arithmetic of each solver on plain std::vector<double>
// tables with no bounds and no finiteness checks, written the way one would
// write it without the program's run-time checks. They are the yardstick the
// checked solvers are measured against, and must produce the very same
// numbers (the benchmark program compares them before it times anything).
#pragma once

#include <cstddef>
#include <vector>

namespace bare {

// A flat table with the point index running fastest, as in LevelTable.
struct Table {
    Table(int points, int levels)
        : points(points), levels(levels), cells(static_cast<std::size_t>(points) * levels) {}
    double& operator()(int point, int level) {
        return cells[static_cast<std::size_t>(point) + static_cast<std::size_t>(points) * level];
    }
    int points;
    int levels;
    std::vector<double> cells;
};

// Drive pulse and 2500 explicit steps of the single string.
void simpleString(Table& table, int lastPoint, double lambda, bool fixedEnd);

// The check pass of one tick of the single-string run; returns the sweeps.
int simpleCheck(Table& table, int timeIndex, int interval, double lambda, int lastPoint);

// Drive pulse and 2500 explicit steps of the two-media string (junction at 30).
void twoMedia(Table& table, int lastPoint, double c1, double c2, float baseDepth, int height,
              bool fixedEnd);

// The step mode's source and 1501 staggered steps of u, v and s.
void stepMode(Table& u, Table& v, Table& s, double c1, double c2, int width, int height,
              float baseDepth, bool fixedEnd, double timeStep, int spaceStep, int lastPoint);

// Over-relaxation on the 101 x 101 grid until the tolerance; returns the
// sweep counter.
int sor(std::vector<double>& grid);

}  // namespace bare
