#include "bench/bare_loops.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace bare {

void simpleString(Table& table, int lastPoint, double lambda, bool fixedEnd) {
    for (int n = 0; n <= 500; ++n) {
        double value = 0.0;
        if (n <= 50) {
            value = (n - 1) * 0.2 / 50;
        } else if (n <= 99) {
            value = (100 - n) * 0.2 / 50;
        }
        table(lastPoint, n) = value;
    }
    const double lambda2 = lambda * lambda;
    const double centre = 2.0 * (1.0 - lambda2);
    for (int n = 1; n <= 2500; ++n) {
        const double* older = &table(0, n - 1);
        const double* current = &table(0, n);
        double* next = &table(0, n + 1);
        next[0] =
            fixedEnd ? 0.0 : lambda2 * (current[1] + current[1]) + centre * current[0] - older[0];
        for (int k = 1; k < lastPoint; ++k) {
            next[k] = lambda2 * (current[k - 1] + current[k + 1]) + centre * current[k] - older[k];
        }
    }
}

int simpleCheck(Table& table, int timeIndex, int interval, double lambda, int lastPoint) {
    const double lambda2 = lambda * lambda;
    const double scale = 1.0 / (2.0 * (1.0 - lambda2));
    const double centreWeight = 1.0 - 2.0 * lambda2;
    const double olderWeight = 2.0 * lambda2;
    int sweeps = 0;
    int passes = 0;
    bool restart = true;
    while (restart) {
        restart = false;
        double largest = 0.0;
        for (int n = timeIndex - interval + 1; n <= timeIndex; ++n) {
            ++sweeps;
            const double* older = &table(0, n - 1);
            const double* current = &table(0, n);
            const double* next = &table(0, n + 1);
            double trial = 0.0;
            for (int j = 2; j <= lastPoint; ++j) {
                double sum = next[j - 1] + next[j + 1] + current[j + 1];
                sum = sum - centreWeight * (2.0 * current[j]);
                sum = sum + current[j - 1];
                sum = sum - olderWeight * older[j];
                trial = scale * sum;
                const double deviation = std::fabs(trial - current[j]);
                if (deviation > largest) {
                    largest = deviation;
                }
            }
            if (largest < 0.001) {
                table(lastPoint + 1, n + 1) = trial;
                continue;
            }
            ++passes;
            if (passes < 40) {
                restart = true;
                break;
            }
        }
    }
    return sweeps;
}

void twoMedia(Table& table, int lastPoint, double c1, double c2, float baseDepth, int height,
              bool fixedEnd) {
    const float h = (baseDepth * static_cast<float>(height)) / 100.0f;
    for (int n = 0; n <= 2500; ++n) {
        float value = 0.0f;
        if (n <= 50) {
            value = (h * static_cast<float>(n - 1)) / 50.0f;
        } else if (n <= 99) {
            value = (h * static_cast<float>(100 - n)) / 50.0f;
        }
        table(lastPoint, n) = value;
    }
    const double c1Squared = c1 * c1;
    const double c2Squared = c2 * c2;
    const double centre1 = 2.0 * (1.0 - c1 * c1);
    const double centre2 = 2.0 * (1.0 - c2 * c2);
    const double junctionCentre = 2.0 * (1.0 - c1 * c2);
    const double junctionWeight = ((2.0 * c1) * c2) / (c1 + c2);
    constexpr int junction = 30;
    const int mediumTwoEnd = std::min(junction, lastPoint);
    for (int n = 1; n <= 2500; ++n) {
        const double* older = &table(0, n - 1);
        const double* current = &table(0, n);
        double* next = &table(0, n + 1);
        next[0] = fixedEnd
                      ? 0.0
                      : centre2 * current[0] + c2Squared * (current[1] + current[1]) - older[0];
        for (int i = 1; i < mediumTwoEnd; ++i) {
            next[i] =
                centre2 * current[i] + c2Squared * (current[i - 1] + current[i + 1]) - older[i];
        }
        if (junction < lastPoint) {
            next[junction] =
                junctionCentre * current[junction] +
                junctionWeight * (c1 * current[junction + 1] + c2 * current[junction - 1]) -
                older[junction];
        }
        for (int i = junction + 1; i < lastPoint; ++i) {
            next[i] =
                centre1 * current[i] + c1Squared * (current[i - 1] + current[i + 1]) - older[i];
        }
    }
}

void stepMode(Table& u, Table& v, Table& s, double c1, double c2, int width, int height,
              float baseDepth, bool fixedEnd, double timeStep, int spaceStep, int lastPoint) {
    const int source = lastPoint;
    const double dt = timeStep;
    const double dx = spaceStep;
    const double r1 = (dt * c1) / dx;
    const double r2 = (dt * c2) / dx;
    const int w = width;
    const double a = (height * static_cast<double>(baseDepth)) / 100;
    for (int t = 0; t <= 2500; ++t) {
        double value = 0.0;
        if (t <= w) {
            value = ((t * dt - 1) * a) / 50;
        } else if (t < 2 * w) {
            value = ((w * dt - t * dt) * a) / 50 + ((w * dt - 1) * a) / 50;
        }
        u(source, t) = value;
    }
    const int half = source / 2;
    const double sourceSpeed = a / 50;
    for (int n = 0; n <= 1500; ++n) {
        const double* uOld = &u(0, n);
        const double* vOld = &v(0, n);
        const double* sOld = &s(0, n);
        double* uNew = &u(0, n + 1);
        double* vNew = &v(0, n + 1);
        double* sNew = &s(0, n + 1);
        double vSource = 0.0;
        if (n < w) {
            vSource = sourceSpeed;
        } else if (n > w && n < 2 * w) {
            vSource = -sourceSpeed;
        }
        vNew[source] = vSource;
        for (int i = 1; i < half; ++i) {
            vNew[i] = vOld[i] + r1 * (sOld[i] - sOld[i - 1]);
        }
        for (int i = std::max(half, 1); i < source; ++i) {
            vNew[i] = vOld[i] + r2 * (sOld[i] - sOld[i - 1]);
        }
        vNew[0] = fixedEnd ? 0.0 : vOld[0] + r1 * (sOld[1] + sOld[0]);
        for (int i = 1; i < source; ++i) {
            sNew[i] = sOld[i] + ((vNew[i + 1] - vNew[i]) * dt) / dx;
        }
        sNew[0] =
            fixedEnd ? sOld[0] + (vNew[1] * dt) / dx : sOld[0] + ((vNew[1] - vNew[0]) * dt) / dx;
        for (int i = 1; i < source; ++i) {
            uNew[i] = uOld[i] + dt * vNew[i];
        }
        uNew[0] = fixedEnd ? 0.0 : uOld[0] + dt * vNew[0];
    }
}

int sor(std::vector<double>& grid) {
    constexpr int size = 101;
    constexpr int first = 1;
    constexpr int last = 61;
    const auto cell = [](int i, int j) {
        return static_cast<std::size_t>(i) + static_cast<std::size_t>(size) * j;
    };
    grid.assign(cell(0, size), 0.0);
    for (int j = 32; j <= last; ++j) {
        grid[cell(first, j)] = grid[cell(last, j)] = (j - 31) * 100 / 30.0;
    }
    for (int i = first + 1; i <= last - 1; ++i) {
        grid[cell(i, last)] = 100.0;
    }
    for (int k = 19; k <= 43; ++k) {
        grid[cell(43, k)] = grid[cell(19, k)] = grid[cell(k, 19)] = grid[cell(k, 43)] = 200.0;
    }
    const double w = 1.8 / 4;
    const double k = 1 - 1.8;
    double* u = grid.data();
    int counter = 1;
    for (;;) {
        double largest = 0.0;
        for (int i = first + 1; i <= last - 1; ++i) {
            double below = u[cell(i, first)];
            for (int j = first + 1; j <= last - 1; ++j) {
                const std::size_t c = cell(i, j);
                const double old = u[c];
                if (i >= 19 && i <= 43 && j >= 19 && j <= 43) {
                    below = old;
                    continue;
                }
                const double next = (u[c - 1] + u[c + 1] + u[c + size] + below) * w + k * old;
                const double change = std::fabs(next - old);
                if (change > largest) {
                    largest = change;
                }
                u[c] = next;
                below = next;
            }
        }
        if (largest < 0.00000001 || ++counter >= 600) {
            break;
        }
    }
    return counter;
}

}  // namespace bare
