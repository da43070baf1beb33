// What happens in a run, read from its table once it is filled: the pulse
// leaves its source, reaches the junction and splits there, reaches the far
// end and comes back from it. Each event carries the level
// from which it shows and, for a part sent back or sent on, what the table
// says of it against the pulse that came in (sign, height, width) beside
// what the formulas give. Predict mode pauses before the events a student
// is asked about; the spoken run announces them as they are shown.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/end_mode.h"
#include "core/level_table.h"
#include "physics/single_string/simple_run.h"
#include "physics/two_media/measured_ratios.h"
#include "physics/two_media/two_media_run.h"

namespace palmos {

enum class RunEventKind {
    Leaves,           // the pulse leaves its source
    ReachesJunction,  // its front reaches the junction
    Splits,           // the reflected part comes back and the transmitted part goes on
    ReachesEnd,       // its front reaches the far end
    ComesBack,        // the part reflected at the far end comes back
};

// One part of the pulse after a boundary, against the pulse that came in.
struct PartReading {
    // Its height over the incoming pulse's, with its sign (negative: upside
    // down); empty where the table gives no clean reading.
    std::optional<double> ratio = std::nullopt;
    // The same as read where it was read, clean or not: its sign at least.
    double seen = 0.0;
    double formula = 0.0;  // the same ratio as the formula gives it
    // Its width over the incoming pulse's, where both lie whole on the string.
    std::optional<double> widthRatio = std::nullopt;
    double widthFormula = 1.0;

    // Whether the part is there at all: a part below 2 % of the incoming
    // pulse counts as none.
    bool present() const;
    bool upright() const { return ratio.value_or(seen) >= 0.0; }
};

struct RunEvent {
    RunEventKind kind = RunEventKind::Leaves;
    int level = 0;                 // the first level at which it shows
    EndMode end = EndMode::Fixed;  // the far end
    PartReading reflected = {};    // Splits, ComesBack
    PartReading transmitted = {};  // Splits
    // Splits: the levels at which the reflected part is back at the source and
    // the transmitted part at the far end; empty when not within the run.
    std::optional<int> reflectedHome = std::nullopt;
    std::optional<int> transmittedAtEnd = std::nullopt;
};

// The run a table holds, as far as its events need it.
struct EventRun {
    int source = 0;          // the driven point
    int junction = -1;       // the junction, or -1 for a single string
    int lastLevel = 0;       // the last level the window shows
    double pulseLevels = 0;  // the levels the source takes to send its pulse
    // How many points a level the scheme moves a pulse on each side.
    double driveTravel = 1.0;
    double farTravel = 1.0;
    EndMode end = EndMode::Fixed;  // the far end, at point 0
    // For a two-media run: the run as the measured ratios read it, which
    // gives the ratios at the junction and their formulas.
    std::optional<RatioRun> ratios = std::nullopt;
};

// The event runs of the two-media window (either scheme, the source at the
// driven end, the junction in the middle) and of the single string (driven
// at `lastPoint` with Courant number `lambda`, shown up to `lastLevel`).
EventRun twoMediaEventRun(const RatioRun& run);
EventRun singleStringEventRun(EndMode end, double lambda, int lastPoint, int lastLevel);

// The event run of each run of the program, as filled now.
EventRun eventRunOf(const SimpleRun& run);
EventRun eventRunOf(const TwoMediaRun& run);
EventRun eventRunOf(const StepRun& run);

// The events of each run of the program, read from its table as filled now.
std::vector<RunEvent> runEventsOf(const SimpleRun& run);
std::vector<RunEvent> runEventsOf(const TwoMediaRun& run);
std::vector<RunEvent> runEventsOf(const StepRun& run);

// The events of the run in `table`, in the order of their levels; only
// reads the table. A run with nothing on its string has none.
std::vector<RunEvent> findRunEvents(const LevelTable& table, const EventRun& run);

// The events from after `previous` (a level already shown, or -1 before
// the first) up to `level`: what a tick that shows `level` has to tell.
std::vector<const RunEvent*> eventsReached(const std::vector<RunEvent>& events, int previous,
                                           int level);

// What a screen reader says of an event, in the language chosen; the
// measured ratio where there is one.
std::string announcement(const RunEvent& event, bool english);

}  // namespace palmos
