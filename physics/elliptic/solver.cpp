#include "physics/elliptic/solver.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "core/runtime_error.h"

namespace palmos {

namespace {

constexpr double kOmega = 1.8;
constexpr double kTolerance = 0.00000001;

// The square obstacle: its outline on these lines, its inside between them.
constexpr int kSquareLow = 19;
constexpr int kSquareHigh = 43;
// The side walls hold 0 up to this row and rise linearly to 100 above it.
constexpr int kSideWallKnee = 31;

constexpr double kTopValue = 100.0;
constexpr double kObstacleValue = 200.0;

struct Band {
    double lower;
    double upper;
    BandColour colour;
};

constexpr std::array<Band, 9> kBands = {{
    {0.0, 11.7, {255, 0, 0}},
    {23.6, 35.3, {0, 0, 0}},
    {47.1, 58.7, {0, 255, 0}},
    {70.6, 82.3, {0, 0, 255}},
    {94.2, 105.8, {255, 0, 255}},
    {117.9, 129.4, {0, 255, 255}},
    {141.4, 152.9, {50, 50, 50}},
    {164.8, 176.3, {150, 0, 50}},
    {188.3, 200.0, {0, 0, 0}},
}};

constexpr std::size_t cell(int i, int j) {
    return static_cast<std::size_t>(i) + static_cast<std::size_t>(kEllipticTableSize) * j;
}

bool insideSquare(int i, int j) {
    return i >= kSquareLow && i <= kSquareHigh && j >= kSquareLow && j <= kSquareHigh;
}

// The fixed values: the rising upper side walls, the top wall and the
// obstacle's outline. Everything else starts at 0.
void setBoundary(std::vector<double>& u) {
    for (int j = kSideWallKnee + 1; j <= kEllipticLast; ++j) {
        const double v = checked((j - kSideWallKnee) * 100 / 30.0);
        u[cell(kEllipticFirst, j)] = v;
        u[cell(kEllipticLast, j)] = v;
    }
    for (int i = kEllipticFirst + 1; i <= kEllipticLast - 1; ++i) {
        u[cell(i, kEllipticLast)] = kTopValue;
    }
    for (int j = kSquareLow; j <= kSquareHigh; ++j) {
        u[cell(kSquareHigh, j)] = kObstacleValue;
        u[cell(kSquareLow, j)] = kObstacleValue;
    }
    for (int i = kSquareLow; i <= kSquareHigh; ++i) {
        u[cell(i, kSquareLow)] = kObstacleValue;
        u[cell(i, kSquareHigh)] = kObstacleValue;
    }
}

// One Gauss-Seidel sweep with over-relaxation, in place: the left and lower
// neighbours of a point are already this sweep's values. Returns the largest
// change of any point.
double sweep(std::vector<double>& grid, double w, double k) {
    double* u = grid.data();
    constexpr std::size_t up = kEllipticTableSize;
    double largest = 0.0;
    for (int i = kEllipticFirst + 1; i <= kEllipticLast - 1; ++i) {
        // The lower neighbour of the next point, kept at hand rather than
        // read back from the grid just after it was written.
        double below = u[cell(i, kEllipticFirst)];
        for (int j = kEllipticFirst + 1; j <= kEllipticLast - 1; ++j) {
            const std::size_t c = cell(i, j);
            const double old = u[c];
            if (insideSquare(i, j)) {
                below = old;
                continue;
            }
            const double next = checked((u[c - 1] + u[c + 1] + u[c + up] + below) * w + k * old);
            const double change = std::fabs(next - old);
            if (change > largest) {
                largest = change;
            }
            u[c] = next;
            below = next;
        }
    }
    return checked(largest);
}

}  // namespace

double EllipticSolution::value(int i, int j) const {
    if (i < 0 || i >= kEllipticTableSize || j < 0 || j >= kEllipticTableSize) {
        raiseSubscriptOutOfRange();
    }
    return grid[cell(i, j)];
}

EllipticSolution solveElliptic(int counterLimit) {
    EllipticSolution solution;
    solution.grid.assign(cell(0, kEllipticTableSize), 0.0);
    setBoundary(solution.grid);

    const double w = kOmega / 4;
    const double k = 1 - kOmega;
    std::int16_t counter = 1;
    for (;;) {
        solution.previousChange = solution.lastChange;
        solution.lastChange = sweep(solution.grid, w, k);
        if (solution.lastChange < kTolerance) {
            break;
        }
        counter = checkedAdd16(counter, 1);
        if (counter >= counterLimit) {
            break;
        }
    }
    solution.sweeps = counter;
    return solution;
}

int ellipticBand(double value) {
    for (std::size_t n = 0; n < kBands.size(); ++n) {
        if (value > kBands[n].lower && value < kBands[n].upper) {
            return static_cast<int>(n) + 1;
        }
    }
    return 0;
}

BandColour ellipticBandColour(int band) {
    if (band < 1 || band > static_cast<int>(kBands.size())) {
        raiseSubscriptOutOfRange();
    }
    return kBands[static_cast<std::size_t>(band - 1)].colour;
}

std::vector<EllipticDot> ellipticDots(const EllipticSolution& solution) {
    std::vector<EllipticDot> dots;
    for (int i = kEllipticFirst; i <= kEllipticLast; ++i) {
        for (int j = kEllipticFirst; j <= kEllipticLast; ++j) {
            const int band = ellipticBand(solution.value(i, j));
            if (band != 0) {
                dots.push_back({.x = i, .y = j, .band = band});
            }
        }
    }
    return dots;
}

}  // namespace palmos
