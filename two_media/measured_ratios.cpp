#include "two_media/measured_ratios.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "core/captions.h"
#include "core/run.h"
#include "core/runtime_error.h"
#include "two_media/readout.h"
#include "two_media/solver.h"
#include "two_media/step_mode.h"

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

// The same run with both media at the drive side's speed, in tables of its
// own.
struct EqualSpeedRun {
    explicit EqualSpeedRun(const RatioRun& run) {
        if (run.scheme == TwoMediaScheme::StepMode) {
            displacement = std::make_unique<LevelTable>(kStepPoints, kStepLevels);
            LevelTable velocity(kStepPoints, kStepLevels);
            LevelTable slope(kStepPoints, kStepLevels);
            solveStepMode(*displacement, velocity, slope,
                          {.c1 = run.driveSpeed,
                           .c2 = run.driveSpeed,
                           .width = run.width,
                           .height = run.height,
                           .baseDepth = run.baseDepth,
                           .end = run.end});
        } else {
            displacement = std::make_unique<LevelTable>(kTablePoints, kTableLevels);
            solveTwoMedia(*displacement, {.c1 = run.driveSpeed,
                                          .c2 = run.driveSpeed,
                                          .height = run.height,
                                          .baseDepth = run.baseDepth,
                                          .end = run.end});
        }
    }
    std::unique_ptr<LevelTable> displacement;
};

std::optional<double> ratioOf(double measured, double incident) {
    if (!(std::fabs(incident) > 0.0)) {
        return std::nullopt;
    }
    return checked(measured / incident);
}

}  // namespace

MeasuredRatios measureRatios(const LevelTable& table, const RatioRun& run) {
    MeasuredRatios result;
    const bool step = run.scheme == TwoMediaScheme::StepMode;
    // The readout's formula for the speeds the run used: the window's c1 bar
    // is the far side in the step mode and the drive side in the continuous
    // run.
    const Coefficients printed = computeCoefficients({.baseDepth = run.baseDepth,
                                                      .width = run.width,
                                                      .c1 = step ? run.farSpeed : run.driveSpeed,
                                                      .c2 = step ? run.driveSpeed : run.farSpeed,
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

    const EqualSpeedRun equal(run);
    const LevelTable& reference = *equal.displacement;
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
