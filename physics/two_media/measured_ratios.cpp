#include "physics/two_media/measured_ratios.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "core/captions.h"
#include "core/run.h"
#include "core/runtime_error.h"
#include "physics/two_media/readout.h"
#include "physics/two_media/solver.h"
#include "physics/two_media/step_mode.h"

namespace palmos {

namespace {

constexpr int kDrive = kTwoMediaLastPoint;  // N: the pulse starts here
constexpr int kJunction = kTwoMediaJunction;

// The points read: two points from the junction on either side, close enough
// that the reflected and the incident pulse have travelled nearly as far.
constexpr int kReflectedPoint = kJunction + 2;
constexpr int kTransmittedPoint = kJunction - 2;

// The last level the continuous scheme computes (the step mode's is
// kLastStepLevel).
constexpr int kLastContinuousLevel = 2501;

// The width bar's widest pulse, and how much wider the compared pulse is.
constexpr int kWidestPulse = 45;
constexpr int kOtherPulseWidening = 15;

// How a pulse moves on the grid in one scheme.
struct Travel {
    double drive;     // points per level on the drive side
    double far;       // points per level on the far side
    double duration;  // levels the source takes to send the pulse
    int lastLevel;
};

Travel travelOf(const RatioRun& run) {
    if (run.scheme == TwoMediaScheme::StepMode) {
        // Velocity from slope differences and slope from velocity differences:
        // the speed is timeStep * sqrt(c) points per level.
        return {kTimeStep * std::sqrt(run.driveSpeed), kTimeStep * std::sqrt(run.farSpeed),
                2.0 * run.width, kLastStepLevel};
    }
    // The drive pulse of the continuous run lasts 100 levels, whatever W is.
    return {run.driveSpeed, run.farSpeed, 100.0, kLastContinuousLevel};
}

// A pulse passing a point: its front arrives at `front` and its tail has gone
// by `duration` levels later. Dispersion smears both, so a margin of a quarter
// of the duration is kept on either side.
struct Passage {
    double from;
    double to;
};

Passage passage(double front, const Travel& travel) {
    const double margin = travel.duration / 4.0;
    return {front - margin, front + travel.duration + margin};
}

// The reading of a pulse that passes a point in `pulse`, with the earliest
// front of anything that follows it there at `next`.
NoCleanWindow windowFor(const Passage& pulse, double next, const Travel& travel) {
    if (pulse.to > next - travel.duration / 4.0) {
        return NoCleanWindow::EchoesOverlap;
    }
    if (pulse.to > travel.lastLevel) {
        return NoCleanWindow::BeyondRun;
    }
    return NoCleanWindow::None;
}

// The value of largest size (with its sign) that `value(n)` takes over the
// levels of `window`.
template <class Value>
double peak(const Passage& window, int lastLevel, Value value) {
    const int first = std::max(0, static_cast<int>(std::floor(window.from)));
    const int last = std::min(lastLevel, static_cast<int>(std::ceil(window.to)));
    double best = 0.0;
    for (int n = first; n <= last; ++n) {
        const double v = value(n);
        if (std::fabs(v) > std::fabs(best)) {
            best = v;
        }
    }
    return best;
}

}  // namespace

std::optional<double> ratioOf(double part, double incoming) {
    if (!(std::fabs(incoming) > 0.0)) {
        return std::nullopt;
    }
    return checked(part / incoming);
}

MeasuredRatios measureRatios(const LevelTable& table, const RatioRun& run,
                             const LevelTable* equalSpeed) {
    MeasuredRatios result;
    // The readout's formula for the bars that gave the run's speeds.
    const TwoBars<double> bars =
        barsOf(run.scheme, TwoSides<double>{.driveSide = run.driveSpeed, .farSide = run.farSpeed});
    const Coefficients printed = computeCoefficients({.baseDepth = run.baseDepth,
                                                      .width = run.width,
                                                      .c1 = bars.c1,
                                                      .c2 = bars.c2,
                                                      .height = run.height,
                                                      .timeStep = kTimeStep});
    result.printedReflected = printed.reflection;
    result.printedTransmitted = printed.transmission;
    result.reflected.point = kReflectedPoint;
    result.transmitted.point = kTransmittedPoint;

    const Travel travel = travelOf(run);
    const double vd = travel.drive;
    const double vf = travel.far;
    if (travel.duration * std::min(vd, vf) < kFewestPulsePoints) {
        result.reflected.reason = NoCleanWindow::PulseTooShort;
        result.transmitted.reason = NoCleanWindow::PulseTooShort;
        return result;
    }

    // Where the fronts are, in levels: the source is N points from the far
    // end and N - J from the junction.
    constexpr double n = kDrive;
    constexpr double j = kJunction;
    constexpr double p = kReflectedPoint;
    constexpr double q = kTransmittedPoint;

    // The difference at p: the reflection, then the first of its echo from
    // the source, the run's own far-end echo and the equal-speed run's one.
    const Passage reflection = passage((n - j + p - j) / vd, travel);
    const double afterReflection =
        std::min({(n - j + n - j + n - p) / vd, (n - j + p - j) / vd + 2.0 * j / vf, (n + p) / vd});
    // The equal-speed run at p, before its far-end echo.
    const Passage incidentAtP = passage((n - p) / vd, travel);
    NoCleanWindow reflectedReason = windowFor(reflection, afterReflection, travel);
    if (reflectedReason == NoCleanWindow::None) {
        reflectedReason = windowFor(incidentAtP, (n + p) / vd, travel);
    }

    // The run at q, before the far end's echo or the junction's second
    // transmission; the equal-speed run at q, before its far-end echo.
    const double transmittedFront = (n - j) / vd + (j - q) / vf;
    const Passage transmission = passage(transmittedFront, travel);
    const double afterTransmission =
        std::min(transmittedFront + 2.0 * q / vf, transmittedFront + 2.0 * (n - j) / vd);
    const Passage incidentAtQ = passage((n - q) / vd, travel);
    NoCleanWindow transmittedReason = windowFor(transmission, afterTransmission, travel);
    if (transmittedReason == NoCleanWindow::None) {
        transmittedReason = windowFor(incidentAtQ, (n + q) / vd, travel);
    }

    result.reflected.reason = reflectedReason;
    result.transmitted.reason = transmittedReason;
    if (reflectedReason != NoCleanWindow::None && transmittedReason != NoCleanWindow::None) {
        return result;
    }

    std::unique_ptr<LevelTable> computed;
    if (equalSpeed == nullptr) {
        computed = computeRunTable(withoutJunction(run));
        equalSpeed = computed.get();
    }
    const LevelTable& reference = *equalSpeed;
    const int last = travel.lastLevel;
    if (reflectedReason == NoCleanWindow::None) {
        const int at = kReflectedPoint;
        const double reflected = peak(reflection, last, [&](int level) {
            return table.at(at, level) - reference.at(at, level);
        });
        const double incident =
            peak(incidentAtP, last, [&](int level) { return reference.at(at, level); });
        result.reflected.ratio = ratioOf(reflected, incident);
    }
    if (transmittedReason == NoCleanWindow::None) {
        const int at = kTransmittedPoint;
        const double transmitted =
            peak(transmission, last, [&](int level) { return table.at(at, level); });
        const double incident =
            peak(incidentAtQ, last, [&](int level) { return reference.at(at, level); });
        result.transmitted.ratio = ratioOf(transmitted, incident);
    }
    return result;
}

RatioRun withoutJunction(RatioRun run) {
    run.farSpeed = run.driveSpeed;
    return run;
}

std::unique_ptr<LevelTable> computeRunTable(const RatioRun& run) {
    if (run.scheme == TwoMediaScheme::StepMode) {
        auto displacement = std::make_unique<LevelTable>(kStepPoints, kStepLevels);
        LevelTable velocity(kStepPoints, kStepLevels);
        LevelTable slope(kStepPoints, kStepLevels);
        solveStepMode(*displacement, velocity, slope,
                      {.c1 = run.farSpeed,
                       .c2 = run.driveSpeed,
                       .width = run.width,
                       .height = run.height,
                       .baseDepth = run.baseDepth,
                       .end = run.end});
        return displacement;
    }
    auto displacement = std::make_unique<LevelTable>(kTablePoints, kTableLevels);
    solveTwoMedia(*displacement, {.c1 = run.driveSpeed,
                                  .c2 = run.farSpeed,
                                  .height = run.height,
                                  .baseDepth = run.baseDepth,
                                  .end = run.end});
    return displacement;
}

double schemeSpeed(TwoMediaScheme scheme, double c, double timeStep) {
    return scheme == TwoMediaScheme::StepMode ? timeStep * std::sqrt(c) : c;
}

RatioRun ratioRunOf(TwoMediaScheme scheme, const RunSettings& used) {
    return {.scheme = scheme,
            .driveSpeed = used.driveSideSpeed,
            .farSpeed = used.farSideSpeed,
            .width = used.width,
            .height = used.height,
            .baseDepth = used.baseDepth,
            .end = used.end};
}

RatioRun otherPulse(const RatioRun& run) {
    RatioRun other = run;
    other.height = std::max(1, run.height / 2);
    other.width = run.width + kOtherPulseWidening <= kWidestPulse ? run.width + kOtherPulseWidening
                                                                  : run.width - kOtherPulseWidening;
    return other;
}

namespace {

// The level of the crest of the first pulse to reach `point`: the largest
// displacement there within `duration` levels of its arrival (a value above
// `noise`). Empty when nothing arrives, or the pulse has not gone by, by
// `lastLevel`.
std::optional<double> firstCrest(const LevelTable& table, int point, double noise, double duration,
                                 int lastLevel) {
    int first = 0;
    while (first <= lastLevel && !(std::fabs(table.at(point, first)) > noise)) {
        ++first;
    }
    const int end = static_cast<int>(first + duration);
    if (end > lastLevel) {
        return std::nullopt;
    }
    int crest = first;
    for (int n = first; n <= end; ++n) {
        if (std::fabs(table.at(point, n)) > std::fabs(table.at(point, crest))) {
            crest = n;
        }
    }
    // Between levels: the top of the parabola through the crest's level and
    // its two neighbours.
    if (crest > 0 && crest < lastLevel) {
        const double before = std::fabs(table.at(point, crest - 1));
        const double top = std::fabs(table.at(point, crest));
        const double after = std::fabs(table.at(point, crest + 1));
        const double curve = before - 2.0 * top + after;
        if (curve < 0.0) {
            return crest + 0.5 * (before - after) / curve;
        }
    }
    return crest;
}

// The level, between two levels, at which the displacement at `point` first
// reaches `height` in size; empty when it does not by `lastLevel`.
std::optional<double> levelReaching(const LevelTable& table, int point, double height,
                                    int lastLevel) {
    for (int n = 1; n <= lastLevel; ++n) {
        const double before = std::fabs(table.at(point, n - 1));
        const double now = std::fabs(table.at(point, n));
        if (now >= height) {
            return n - 1 +
                   (now > before ? std::clamp((height - before) / (now - before), 0.0, 1.0) : 1.0);
        }
    }
    return std::nullopt;
}

// The points a side is read between, from the one the pulse reaches first
// to the one nearest the next reflection (`boundary`, where an echo starts).
struct Stretch {
    int from;
    int to;
};

// The part of a pulse's passage searched for its crest: the crest of the
// source's pulse comes halfway through, later where the grid smears it.
constexpr double kCrestSearch = 0.75;
// The fewest points from the first point read to the last, and from the last
// to the next reflection.
constexpr int kShortestStretch = 6;
constexpr int kNearestToBoundary = 5;

// The stretch from `from` towards `boundary` whose last point sees the crest
// pass before the echo from the boundary comes back to it; empty when too
// short.
std::optional<Stretch> stretchBefore(int from, int boundary, double speed, double duration) {
    const double echoMargin = kCrestSearch * duration * speed / 2.0;
    const int margin = std::max(kNearestToBoundary, static_cast<int>(std::ceil(echoMargin)));
    const int direction = from > boundary ? 1 : -1;
    const int to = boundary + direction * margin;
    if ((from - to) * direction < kShortestStretch) {
        return std::nullopt;
    }
    return Stretch{from, to};
}

struct SideSpeed {
    std::optional<double> front;
    std::optional<double> stripe;
};

// The front: the moments half the pulse's height (its crest where it enters
// the stretch) reaches the stretch's two ends. The stripe: the crest's line,
// level against distance travelled, by least squares.
SideSpeed sideSpeed(const LevelTable& table, const std::optional<Stretch>& stretch, double noise,
                    double duration, int lastLevel) {
    if (!stretch) {
        return {};
    }
    const Stretch& side = *stretch;
    std::vector<std::pair<double, double>> crests;
    for (int x = side.from; x >= side.to; --x) {
        const std::optional<double> crest =
            firstCrest(table, x, noise, kCrestSearch * duration, lastLevel);
        if (!crest) {
            return {};
        }
        crests.emplace_back(side.from - x, *crest);
    }
    SideSpeed measured;
    const int entry = static_cast<int>(std::lround(crests.front().second));
    const double half = std::fabs(table.at(side.from, entry)) / 2.0;
    const std::optional<double> start = levelReaching(table, side.from, half, lastLevel);
    const std::optional<double> end = levelReaching(table, side.to, half, lastLevel);
    if (start && end && *end > *start) {
        measured.front = checked((side.from - side.to) / (*end - *start));
    }
    double sx = 0.0;
    double sy = 0.0;
    double sxx = 0.0;
    double sxy = 0.0;
    for (const auto& [distance, level] : crests) {
        sx += distance;
        sy += level;
        sxx += distance * distance;
        sxy += distance * level;
    }
    const double count = static_cast<double>(crests.size());
    const double slope = (count * sxy - sx * sy) / (count * sxx - sx * sx);
    if (slope > 0.0) {
        measured.stripe = checked(1.0 / slope);
    }
    return measured;
}

}  // namespace

MeasuredSpeeds measureSpeeds(const LevelTable& table, const RatioRun& run) {
    const Travel travel = travelOf(run);
    const int last = travel.lastLevel;
    // What counts as the pulse having arrived: a fiftieth of its largest
    // displacement anywhere on the string.
    double largest = 0.0;
    for (int n = 0; n <= last; ++n) {
        const double* row = table.row(n, kDrive);
        for (int x = 1; x < kDrive; ++x) {
            largest = std::max(largest, std::fabs(row[x]));
        }
    }
    const double noise = largest / 50.0;
    MeasuredSpeeds speeds;
    // A pulse a few points long loses its shape on the grid: its front and
    // crest no longer keep to a speed.
    if (!(largest > 0.0) ||
        travel.duration * std::min(travel.drive, travel.far) < kFewestPulsePoints) {
        return speeds;
    }
    // Where an echo can reach the crest is found with the speeds the scheme
    // gives; the speeds themselves are read. The junction sends no echo
    // between equal speeds: the drive side's next reflection is the far end.
    const int driveBoundary = run.driveSpeed == run.farSpeed ? 0 : kJunction;
    const SideSpeed drive =
        sideSpeed(table, stretchBefore(kDrive - 5, driveBoundary, travel.drive, travel.duration),
                  noise, travel.duration, last);
    const SideSpeed far =
        sideSpeed(table, stretchBefore(kJunction - 5, 0, travel.far, travel.duration), noise,
                  travel.duration, last);
    speeds.fronts = {drive.front, far.front};
    speeds.stripes = {drive.stripe, far.stripe};
    return speeds;
}

std::string measuredRatiosDescription(const MeasuredRatios& ratios, bool english) {
    const std::string p = std::to_string(ratios.reflected.point);
    const std::string q = std::to_string(ratios.transmitted.point);
    return caption(Caption::RatiosHowReflected, english) + p +
           caption(Caption::RatiosHowTransmitted, english) + q +
           caption(Caption::RatiosHowDivided, english);
}

std::string noCleanWindowText(NoCleanWindow reason, bool english) {
    switch (reason) {
        case NoCleanWindow::None:
            return {};
        case NoCleanWindow::PulseTooShort:
            return caption(Caption::PulseTooShort, english);
        case NoCleanWindow::EchoesOverlap:
            return caption(Caption::EchoesOverlap, english);
        case NoCleanWindow::BeyondRun:
            return caption(Caption::BeyondRun, english);
    }
    return {};
}

}  // namespace palmos
