#include "app/instruments.h"

#include <QRectF>
#include <algorithm>
#include <utility>

#include "core/program_steps.h"
#include "navigation/language_choice.h"
#include "single_string/simple_solution.h"
#include "single_string/window.h"
#include "two_media/procedures.h"
#include "two_media/solver.h"
#include "two_media/window.h"

namespace palmos {

namespace {

InstrumentSet* simpleSet = nullptr;
InstrumentSet* twoMediaSet = nullptr;

RunView simpleSolutionRun() {
    if (simpleRun.filledAt == 0) {
        return {};
    }
    return {.table = &simpleRun.simpleTable,
            .lastLevel = kLastSimpleLevel,
            .lastPoint = simpleRun.lastPoint,
            .timeStep = timeStep,
            .driveSpeed = simpleRun.lambda,
            .farSpeed = simpleRun.lambda,
            .farEnd = simpleRun.end,
            .filling = simpleRun.filledAt};
}

bool stepModeFilledLast() {
    return stepRun.filledAt > twoMediaRun.filledAt;
}

// The continuous run gives c1 to the drive side and c2 to the far side; the
// step mode the other way round, with the speeds its last START read.
RunView twoMediaShownRun() {
    if (stepModeFilledLast()) {
        const StepModeSettings& used = stepRun.used;
        return {.table = &stepRun.stepDisplacement,
                .lastLevel = kLastStepLevel,
                .lastPoint = used.lastPoint,
                .junction = kTwoMediaJunction,
                .timeStep = used.timeStep,
                .driveSpeed = used.c2,
                .farSpeed = used.c1,
                .driveName = "c2",
                .farName = "c1",
                .farEnd = used.end,
                .filling = stepRun.filledAt};
    }
    if (twoMediaRun.filledAt == 0) {
        return {.junction = kTwoMediaJunction};
    }
    return {.table = &twoMediaRun.twoMediaTable,
            .lastLevel = kLastTwoMediaLevel,
            .lastPoint = twoMediaRun.twoMediaLastPoint,
            .junction = kTwoMediaJunction,
            .timeStep = timeStep,
            .driveSpeed = twoMediaRun.c1,
            .farSpeed = twoMediaRun.c2,
            .driveName = "c1",
            .farName = "c2",
            .farEnd = twoMediaRun.end,
            .filling = twoMediaRun.filledAt};
}

// The continuous run is always prepared with the reset pulse: width 20,
// height 100.
RatiosView twoMediaRatios(const RunView& run) {
    if (run.table == &stepRun.stepDisplacement) {
        const StepModeSettings& used = stepRun.used;
        return {measureRatios(stepRun.stepDisplacement, {.scheme = TwoMediaScheme::StepMode,
                                                         .driveSpeed = used.c2,
                                                         .farSpeed = used.c1,
                                                         .width = used.width,
                                                         .height = used.height,
                                                         .baseDepth = used.baseDepth,
                                                         .end = used.end}),
                used.c1, used.c2};
    }
    return {measureRatios(twoMediaRun.twoMediaTable, {.scheme = TwoMediaScheme::Continuous,
                                                      .driveSpeed = twoMediaRun.c1,
                                                      .farSpeed = twoMediaRun.c2,
                                                      .width = 20,
                                                      .height = 100,
                                                      .baseDepth = baseDepth(),
                                                      .end = twoMediaRun.end}),
            twoMediaRun.c1, twoMediaRun.c2};
}

// The lowest and the highest displacement of a run, over all its points and
// levels; read once for each filling of a table.
std::pair<double, double> swing(const RunView& run) {
    static int filling = 0;
    static const LevelTable* table = nullptr;
    static std::pair<double, double> range;
    if (!run.prepared()) {
        return {0.0, 0.0};
    }
    if (run.filling != filling || run.table != table) {
        filling = run.filling;
        table = run.table;
        range = {0.0, 0.0};
        for (int level = 0; level <= run.lastLevel; ++level) {
            const double* row = run.table->row(level, run.lastPoint + 1);
            const auto [low, high] = std::minmax_element(row, row + run.lastPoint + 1);
            range = {std::min(range.first, *low), std::max(range.second, *high)};
        }
    }
    return range;
}

// Where the circles of `window` stand now, and where their centres go over
// the displacements `lowest`..`highest`: the box the instruments keep out of.
QRect stringReach(const ui::Form& window, const ui::ShapeArray& circles,
                  std::pair<double, double> range) {
    QRectF reach;
    for (int i = 0; i < circles.count(); ++i) {
        const QRectF box = circles(i).pixelBox();
        const double top = window.toPixels(0, range.second).y();
        const double bottom = window.toPixels(0, range.first).y();
        const double half = box.height() / 2;
        reach |= box;
        reach |= QRectF(box.left(), std::min(top, bottom) - half, box.width(),
                        std::abs(bottom - top) + box.height());
    }
    return reach.toAlignedRect();
}

// Each tick shows its level, then moves on by its timer's interval.
int levelShown(int next, const ui::Timer& timer) {
    return std::max(0, next - timer.Interval());
}

}  // namespace

void installInstruments() {
    if (simpleSet != nullptr) {
        return;
    }
    Ypervola& simple = ypervola();
    simpleSet = new InstrumentSet(
        &simple,
        {.run = simpleSolutionRun,
         .levelShown = [&simple] { return levelShown(simpleRun.timeIndex, simple.Timer1); },
         .circles = &simple.Shape1,
         .english = englishSelected,
         .pictureName = "simple-solution",
         .stringReach =
             [&simple](bool swinging) {
                 return stringReach(simple, simple.Shape1,
                                    swinging ? swing(simpleSolutionRun()) : std::pair(0.0, 0.0));
             }});
    simpleSet->follow(simple.Timer1);

    Dyomessa& twoMedia = dyomessa();
    twoMediaSet = new InstrumentSet(
        &twoMedia,
        {.run = twoMediaShownRun,
         .levelShown =
             [&twoMedia] {
                 return stepModeFilledLast()
                            ? levelShown(stepRun.stepLevel, twoMedia.Timer2)
                            : levelShown(twoMediaRun.twoMediaTimeIndex, twoMedia.Timer1);
             },
         .circles = &twoMedia.Shape1,
         .ratios = twoMediaRatios,
         .english = englishSelected,
         .pictureName = "two-media",
         // No control of the window plays the continuous run (its
         // START is hidden): while its timer is off, its circles
         // stay where they stand.
         .stringReach =
             [&twoMedia](bool swinging) {
                 const bool still =
                     !swinging || (!stepModeFilledLast() && !twoMedia.Timer1.isTicking());
                 return stringReach(twoMedia, twoMedia.Shape1,
                                    still ? std::pair(0.0, 0.0) : swing(twoMediaShownRun()));
             }});
    twoMediaSet->follow(twoMedia.Timer1);
    twoMediaSet->follow(twoMedia.Timer2);
}

InstrumentSet& simpleSolutionInstruments() {
    return *simpleSet;
}

InstrumentSet& twoMediaInstruments() {
    return *twoMediaSet;
}

}  // namespace palmos
