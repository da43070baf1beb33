#include "app/instruments.h"

#include <QRectF>
#include <algorithm>
#include <cmath>

#include "instruments/shown_part.h"
#include "navigation/navigation.h"
#include "physics/two_media/measured_ratios.h"
#include "physics/two_media/readout.h"
#include "physics/two_media/solver.h"

namespace palmos {

namespace {

// The driven end's largest displacement over the run: the height of the
// pulse it sends, which the instruments show as 1.00.
double drivenHeight(const RunView& view) {
    double largest = 0.0;
    for (int n = 0; n <= view.lastLevel; ++n) {
        largest = std::max(largest, std::fabs(view.table->at(view.lastPoint, n)));
    }
    return largest;
}

RunView simpleView(const SimpleRun& run) {
    if (!run.filled()) {
        return {};
    }
    const RunSettings& used = run.settings();
    return {.table = &run.simpleTable,
            .lastLevel = kLastSimpleLevel,
            .lastPoint = run.lastPoint,
            .timeStep = used.timeStep,
            .driveSpeed = used.driveSideSpeed,
            .farSpeed = used.farSideSpeed,
            .farEnd = used.end,
            .height = used.height,
            .width = used.width};
}

// The bars' names for the two sides of the junction.
TwoSides<const char*> barNames(TwoMediaScheme scheme) {
    return sidesOf<const char*>(scheme, {.c1 = "c1", .c2 = "c2"});
}

// A run of the two-media window: the junction at point 30, the speeds named
// as the window's bars name them, and the first pulse's height A0 as the
// window prints it for these settings.
RunView twoMediaView(const LevelTable& table, int lastLevel, int lastPoint, const RunSettings& used,
                     TwoMediaScheme scheme) {
    const TwoSides<const char*> names = barNames(scheme);
    return {
        .table = &table,
        .lastLevel = lastLevel,
        .lastPoint = lastPoint,
        .junction = kTwoMediaJunction,
        .timeStep = used.timeStep,
        .driveSpeed = used.driveSideSpeed,
        .farSpeed = used.farSideSpeed,
        .driveName = names.driveSide,
        .farName = names.farSide,
        .farEnd = used.end,
        .height = used.height,
        .width = used.width,
        .printedHeight = firstPulseHeight(used.baseDepth, used.width, used.height, used.timeStep)};
}

RunView continuousView(const TwoMediaRun& run) {
    if (!run.filled()) {
        return {.junction = kTwoMediaJunction};
    }
    return twoMediaView(run.twoMediaTable, kLastTwoMediaLevel, run.twoMediaLastPoint,
                        run.settings(), TwoMediaScheme::Continuous);
}

RunView stepView(const StepRun& run) {
    return twoMediaView(run.stepDisplacement, kLastStepLevel, run.sourcePoint, run.settings(),
                        TwoMediaScheme::StepMode);
}

// The measured ratios and speeds of a run with the pulse it was filled with,
// and the bars' c1 and c2 of that run.
RatiosView ratios(const LevelTable& table, TwoMediaScheme scheme, const RunSettings& used) {
    const RatioRun run = ratioRunOf(scheme, used);
    const RatioRun other = otherPulse(run);
    const TwoBars<double> bars = barsOf(scheme, used);
    const TwoSides<const char*> names = barNames(scheme);
    return {measureRatios(table, run), bars.c1, bars.c2,
            SpeedsView{.measured = measureSpeeds(table, run),
                       .otherPulse = measureSpeeds(*computeRunTable(other), other),
                       .otherPulseWidth = other.width,
                       .scheme = scheme,
                       .timeStep = used.timeStep,
                       .driveName = names.driveSide,
                       .farName = names.farSide}};
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

}  // namespace

RunInstruments::RunInstruments(ProgramWindows& windows, Session& session, Navigation& navigation)
    : session_(session) {
    const auto english = [&navigation] { return navigation.englishSelected(); };

    Ypervola& simple = windows.ypervola();
    simple_ =
        new InstrumentSet(&simple, {.circles = &simple.Shape1,
                                    .english = english,
                                    .pictureName = "simple-solution",
                                    .stringReach = [this, &simple](bool swinging) {
                                        const SimpleRun& run = session_.simpleRun;
                                        return stringReach(simple, simple.Shape1,
                                                           swinging ? swing(run, simpleView(run))
                                                                    : std::pair(0.0, 0.0));
                                    }});

    Dyomessa& twoMedia = windows.dyomessa();
    twoMedia_ = new InstrumentSet(
        &twoMedia,
        {.circles = &twoMedia.Shape1,
         .ratios =
             [this](const RunView&) {
                 if (twoMediaShown_ == &session_.stepRun) {
                     return ratios(session_.stepRun.stepDisplacement, TwoMediaScheme::StepMode,
                                   session_.stepRun.settings());
                 }
                 return ratios(session_.twoMediaRun.twoMediaTable, TwoMediaScheme::Continuous,
                               session_.twoMediaRun.settings());
             },
         .english = english,
         .pictureName = "two-media",
         // No control of the window plays the continuous run (its START is
         // hidden): while its timer is off, its circles stay where they stand.
         .stringReach =
             [this, &twoMedia](bool swinging) {
                 const bool continuous = twoMediaShown_ != &session_.stepRun;
                 const bool still = !swinging || twoMediaShown_ == nullptr ||
                                    (continuous && !twoMedia.Timer1.isTicking());
                 return stringReach(
                     twoMedia, twoMedia.Shape1,
                     still ? std::pair(0.0, 0.0) : swing(*twoMediaShown_, twoMediaView()));
             }});

    // A window made after a run was filled starts from it, played if it was
    // ever started.
    if (session_.stepRun.filled()) {
        twoMediaShown_ = &session_.stepRun;
    } else if (session_.twoMediaRun.filled()) {
        twoMediaShown_ = &session_.twoMediaRun;
    }
    for (const Run* run : {static_cast<const Run*>(&session_.simpleRun),
                           static_cast<const Run*>(&session_.twoMediaRun),
                           static_cast<const Run*>(&session_.stepRun)}) {
        seen_[run] = {.filled = 1, .played = run->levelsPerTick > 0 ? 1 : 0};
    }
    simple_->showRun(simpleSolutionView());
    twoMedia_->showRun(twoMediaView());

    follow(session_.simpleRun, *simple_, [this] { return simpleSolutionView(); });
    follow(session_.twoMediaRun, *twoMedia_, [this] { return twoMediaView(); });
    // Only the step mode's START fills the step mode's tables.
    const auto shown = [this] { return twoMediaView(); };
    follow(session_.stepRun, *twoMedia_, shown, true);
}

RunInstruments::~RunInstruments() {
    for (auto& [run, ids] : subscriptions_) {
        run->onFilled.unsubscribe(ids.first);
        run->onLevelShown.unsubscribe(ids.second);
    }
    delete simple_;
    delete twoMedia_;
}

void RunInstruments::follow(Run& run, InstrumentSet& set, std::function<RunView()> view,
                            bool filledByStart) {
    const bool twoMedia = &set == twoMedia_;
    Seen* seen = &seen_[&run];  // a map's entries stay where they are
    const int filled = run.onFilled.subscribe(
        [this, &run, &set, twoMedia, view, filledByStart, seen](const RunSettings&) {
            if (twoMedia) {
                twoMediaShown_ = &run;
            }
            if (swing_.run == &run) {
                swing_ = {};
            }
            ++seen->filled;
            if (filledByStart) {
                seen->played = seen->filled;
            }
            set.showRun(view());
        });
    const int shown = run.onLevelShown.subscribe([this, &run, &set, twoMedia, seen](int level) {
        // The first level shown of a filling: its START, which lets the
        // student see the run.
        const bool started = seen->played != seen->filled;
        seen->played = seen->filled;
        if (!twoMedia || twoMediaShown_ == &run) {
            if (started) {
                redrawShownPart(set);
            }
            set.showLevel(level);
        }
    });
    subscriptions_.push_back({&run, {filled, shown}});
}

RunView RunInstruments::twoMediaView() const {
    if (twoMediaShown_ == &session_.stepRun) {
        return shownView(stepView(session_.stepRun), session_.stepRun, *twoMedia_);
    }
    return shownView(continuousView(session_.twoMediaRun), session_.twoMediaRun, *twoMedia_);
}

RunView RunInstruments::simpleSolutionView() const {
    return shownView(simpleView(session_.simpleRun), session_.simpleRun, *simple_);
}

// The unit of height, and what of the run the student has been let see: this
// filling once its window has shown a level of it, up to the level shown
// while predict mode asks the set to.
RunView RunInstruments::shownView(RunView view, const Run& run, const InstrumentSet& set) const {
    if (!view.prepared()) {
        return view;
    }
    view.heightUnit = drivenHeight(view);
    const Seen* seen = &seen_.at(&run);
    view.shown = [seen, filling = seen->filled, &set] {
        // (A later filling played counts for this one: only a START fills
        // a run whose fillings are played at once.)
        if (seen->played < filling) {
            return RunShown::Nothing;
        }
        return showsUpToLevelShown(set) ? RunShown::UpToLevelShown : RunShown::Whole;
    };
    return view;
}

std::pair<double, double> RunInstruments::swing(const Run& run, const RunView& view) {
    if (!view.prepared()) {
        return {0.0, 0.0};
    }
    if (swing_.run != &run) {
        swing_ = {.run = &run, .range = {0.0, 0.0}};
        for (int level = 0; level <= view.lastLevel; ++level) {
            const double* row = view.table->row(level, view.lastPoint + 1);
            const auto [low, high] = std::minmax_element(row, row + view.lastPoint + 1);
            swing_.range = {std::min(swing_.range.first, *low),
                            std::max(swing_.range.second, *high)};
        }
    }
    return swing_.range;
}

void RunInstruments::retitle() {
    simple_->retitle();
    twoMedia_->retitle();
}

}  // namespace palmos
