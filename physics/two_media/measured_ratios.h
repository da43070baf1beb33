// The reflected and transmitted ratios measured in a two-media run's own
// table, beside the ratios the readout prints for the same speeds.
//
// The reflected pulse is what the junction adds: the run minus the same run
// computed with both media at the drive side's speed (same width, height and
// end), read near the junction on the drive side, where that difference holds
// the reflection alone; the incident height is the equal-speed run's peak at
// the same point. The transmitted height is the run's peak just past the
// junction on the far side, before the far end's echo comes back, against the
// equal-speed run's peak at the same point. The equal-speed run is computed
// into tables of its own and is never shown.
//
// A ratio is given only where the pulse and the echoes that follow it keep
// apart at the point read, and where the pulse spans enough points on both
// sides that the grid keeps its height; otherwise the result says why not.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "core/end_mode.h"
#include "core/level_table.h"
#include "core/run.h"

namespace palmos {

// The run the table holds, as it was computed.
struct RatioRun {
    TwoMediaScheme scheme = TwoMediaScheme::StepMode;
    double driveSpeed = 0.3;  // Courant number of the side the pulse starts on
    double farSpeed = 0.3;    // Courant number of the side beyond the junction
    int width = 20;           // W (the step mode's pulse; the continuous run has its own)
    int height = 100;         // P, percent of baseDepth
    float baseDepth = 0.3f;
    EndMode end = EndMode::Fixed;
};

// Why a ratio could not be read.
enum class NoCleanWindow {
    None,
    PulseTooShort,  // the pulse spans too few points for the grid to keep its shape
    EchoesOverlap,  // a later echo reaches the point before the pulse has passed it
    BeyondRun,      // the pulse has not passed the point by the run's last level
};

// The fewest points a pulse must span on each side to be measured: below
// this the grid's dispersion changes its peak by more than a few hundredths.
inline constexpr double kFewestPulsePoints = 9.0;

struct RatioReading {
    std::optional<double> ratio;  // measured height over incident height
    NoCleanWindow reason = NoCleanWindow::None;
    int point = 0;  // where it is read
};

struct MeasuredRatios {
    RatioReading reflected;    // A1/A0
    RatioReading transmitted;  // B1/A0
    double printedReflected = 0.0;
    double printedTransmitted = 0.0;
};

// A part's height over the incoming pulse's; none where the incoming pulse
// has no height.
std::optional<double> ratioOf(double part, double incoming);

// Measures the ratios in `displacement`, the table of the run `run` describes
// (the step mode's displacement table, or the continuous run's table). Only
// reads it. The same run without a junction (`withoutJunction`), against
// which it reads, is computed here unless the caller has it already.
MeasuredRatios measureRatios(const LevelTable& displacement, const RatioRun& run,
                             const LevelTable* equalSpeed = nullptr);

// The speed of a run's pulse on either side of the junction, in points per
// level, measured in its table two ways: from the moments its front (half
// its height) passes two points of the side, and from the slope of the line
// its crest draws across the levels, the stripe the space-time diagram
// shows. A side is left empty where the pulse does not pass both points
// before the run ends.
struct SideSpeeds {
    std::optional<double> drive;
    std::optional<double> far;
};
struct MeasuredSpeeds {
    SideSpeeds fronts;
    SideSpeeds stripes;
};
MeasuredSpeeds measureSpeeds(const LevelTable& displacement, const RatioRun& run);

// The speed, in points per level, at which the scheme moves a pulse where the
// bar's Courant number is `c`: sqrt(c) * timeStep in the step mode, c in the
// continuous run.
double schemeSpeed(TwoMediaScheme scheme, double c, double timeStep);

// The run that a filling of the window's run in `scheme` with `used` holds,
// the speeds named by their sides.
RatioRun ratioRunOf(TwoMediaScheme scheme, const RunSettings& used);

// The pulse a run is compared with to show that speed depends on neither
// height nor width: half as high, and 15 levels wider (narrower when that
// would leave the width bar's range).
RatioRun otherPulse(const RatioRun& run);

// The same run with both media at the drive side's speed: the incoming pulse
// as it would go on with no junction.
RatioRun withoutJunction(RatioRun run);

// The run's table computed afresh for `run`, into tables of its own.
std::unique_ptr<LevelTable> computeRunTable(const RatioRun& run);

// One sentence on how the ratios were measured, naming the points read.
std::string measuredRatiosDescription(const MeasuredRatios& ratios, bool english);

// What a reading without a number says instead.
std::string noCleanWindowText(NoCleanWindow reason, bool english);

}  // namespace palmos
