// Laplace's equation on a 61 by 61 grid with a square obstacle in the middle,
// solved by successive over-relaxation, and the nine value bands in which the
// elliptic-equation window plots the result.
#pragma once

#include <vector>

namespace palmos {

// The grid table has indices 0..100 in both directions; the solution uses
// 1..61. Point (i, j) lies at x = i, y = j of the window (i left to right,
// j bottom to top).
inline constexpr int kEllipticTableSize = 101;
inline constexpr int kEllipticFirst = 1;
inline constexpr int kEllipticLast = 61;

// The sweep counter's limit: once the counter reaches it no further sweep
// runs, so at most limit - 1 sweeps run.
inline constexpr int kEllipticCounterLimit = 600;

struct EllipticSolution {
    // Element (i, j) is grid[i + kEllipticTableSize * j].
    std::vector<double> grid;
    // The sweep counter at the end: the number of sweeps when the tolerance
    // ended the solution, the counter limit when the limit did.
    int sweeps = 0;
    // The largest change of the last sweep and of the sweep before it
    // (0 when there was no such sweep).
    double lastChange = 0.0;
    double previousChange = 0.0;

    // The value at (i, j); an index outside 0..100 is a subscript error.
    double value(int i, int j) const;
};

// One full solution from a zero grid: fixed walls and obstacle, then sweeps
// until the largest change of a sweep is below 1e-8 or the counter reaches
// `counterLimit`.
EllipticSolution solveElliptic(int counterLimit = kEllipticCounterLimit);

// The first band whose bounds enclose `value` (both exclusive), 1..9, or 0
// when the value lies in no band and is not drawn.
int ellipticBand(double value);

struct BandColour {
    int red = 0;
    int green = 0;
    int blue = 0;
};

// The colour of band 1..9; any other band is a subscript error.
BandColour ellipticBandColour(int band);

struct EllipticDot {
    int x = 0;
    int y = 0;
    int band = 0;
};

// The points to plot, in plot order (i = 1..61 outer, j = 1..61 inner),
// leaving out every point in no band.
std::vector<EllipticDot> ellipticDots(const EllipticSolution& solution);

}  // namespace palmos
