#include "physics/two_media/run_events.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "core/captions.h"
#include "core/format.h"
#include "core/run.h"
#include "core/runtime_error.h"
#include "physics/two_media/solver.h"
#include "physics/two_media/step_mode.h"
#include "physics/two_media/two_media_run.h"

namespace palmos {

namespace {

// What counts as the pulse being at a point: a fiftieth of the largest
// displacement anywhere in the run.
constexpr double kNoiseFraction = 1.0 / 50.0;
// A part smaller than this share of the incoming pulse is no part.
constexpr double kNoPart = 0.02;
// The drive pulses of the single string and of the continuous run last 100
// levels.
constexpr double kContinuousPulseLevels = 100.0;

// A stretch of points, ends included.
struct Span {
    int from;
    int to;
    int middle() const { return (from + to) / 2; }
};

// A table read as a field of displacements over points and levels, or its
// difference from a reference table: what a run has that the reference has
// not.
class Field {
  public:
    explicit Field(const LevelTable& table, const LevelTable* less = nullptr)
        : table_(table), less_(less) {}

    double at(int x, int level) const {
        return table_.at(x, level) - (less_ != nullptr ? less_->at(x, level) : 0.0);
    }

    // The displacement of largest size on `span` at `level`, with its sign.
    double peakOn(int level, Span span) const {
        double best = 0.0;
        for (int x = span.from; x <= span.to; ++x) {
            best = larger(best, at(x, level));
        }
        return best;
    }

    // The displacement of largest size at `point` over levels 0..last.
    double peakAt(int point, int last) const {
        double best = 0.0;
        for (int n = 0; n <= last; ++n) {
            best = larger(best, at(point, n));
        }
        return best;
    }

    // The width at half height of the part around the largest displacement
    // on `span` at `level`; empty when the part runs over an end of the span.
    std::optional<double> widthOn(int level, Span span) const {
        int top = span.from;
        for (int x = span.from; x <= span.to; ++x) {
            if (std::fabs(at(x, level)) > std::fabs(at(top, level))) {
                top = x;
            }
        }
        const double half = at(top, level) / 2.0;
        if (!(std::fabs(half) > 0.0)) {
            return std::nullopt;
        }
        // Where the displacement falls below half the peak on one side of
        // the top, between two points.
        const auto edge = [&](int step) -> std::optional<double> {
            for (int x = top; x + step >= span.from && x + step <= span.to; x += step) {
                const double here = at(x, level) / half;
                const double next = at(x + step, level) / half;
                if (next < 1.0) {
                    return x + step * (here - 1.0) / (here - next);
                }
            }
            return std::nullopt;
        };
        const std::optional<double> low = edge(-1);
        const std::optional<double> high = edge(1);
        if (!low || !high) {
            return std::nullopt;
        }
        return *high - *low;
    }

  private:
    static double larger(double a, double b) { return std::fabs(b) > std::fabs(a) ? b : a; }

    const LevelTable& table_;
    const LevelTable* less_;
};

// What counts as the pulse being at a point: its displacement there above a
// fiftieth of the largest anywhere in the run.
double noiseOf(const LevelTable& table, const EventRun& run) {
    double largest = 0.0;
    for (int n = 0; n <= run.lastLevel; ++n) {
        const double* row = table.row(n, run.source + 1);
        for (int x = 0; x <= run.source; ++x) {
            largest = std::max(largest, std::fabs(row[x]));
        }
    }
    return largest * kNoiseFraction;
}

// The first level after `after` at which something of `field` is at
// `point`.
std::optional<int> firstLevelAt(const Field& field, const EventRun& run, double noise, int point,
                                int after) {
    for (int n = after + 1; n <= run.lastLevel; ++n) {
        if (std::fabs(field.at(point, n)) > noise) {
            return n;
        }
    }
    return std::nullopt;
}

std::optional<double> widthRatio(std::optional<double> part, std::optional<double> incoming) {
    if (!part || !incoming || !(*incoming > 0.0)) {
        return std::nullopt;
    }
    return checked(*part / *incoming);
}

// The level at which the crest of a part whose front left the boundary at
// point `from` at level `front` stands in the middle of `span`, moving
// `speed` points per level.
int crestInMiddle(int front, const EventRun& run, int from, Span span, double speed) {
    const double distance = std::abs(span.middle() - from);
    return front + static_cast<int>(std::lround(run.pulseLevels / 2.0 + distance / speed));
}

// Events by their levels: a fast far side brings the pulse to the far end
// before the parts at the junction are read.
std::vector<RunEvent> inOrder(std::vector<RunEvent> events) {
    std::stable_sort(events.begin(), events.end(),
                     [](const RunEvent& a, const RunEvent& b) { return a.level < b.level; });
    return events;
}

// The pulse splits at the junction, its front there at `junction`: each part
// read as its crest stands in the middle of its side, against the incoming
// pulse's crest as it would pass the junction with none.
RunEvent splitAt(const LevelTable& table, const EventRun& run, double noise, int junction) {
    const Span drive{run.junction + 1, run.source - 1};
    const Span far{1, run.junction - 1};
    const int back = crestInMiddle(junction, run, run.junction, drive, run.driveTravel);
    const int on = crestInMiddle(junction, run, run.junction, far, run.farTravel);
    RunEvent split{.kind = RunEventKind::Splits, .level = std::max(back, on)};
    if (split.level > run.lastLevel || !run.ratios) {
        return split;
    }
    const std::unique_ptr<LevelTable> plain = computeRunTable(withoutJunction(*run.ratios));
    const Field alone(*plain);
    const Field field(table);
    const Field reflected(table, plain.get());
    const double incoming = alone.peakAt(run.junction, run.lastLevel);
    const std::optional<double> incomingWidth =
        alone.widthOn(junction + static_cast<int>(run.pulseLevels / 2.0), {1, run.source - 1});

    split.reflected.seen = ratioOf(reflected.peakOn(back, drive), incoming).value_or(0.0);
    split.transmitted.seen = ratioOf(field.peakOn(on, far), incoming).value_or(0.0);
    const MeasuredRatios measured = measureRatios(table, *run.ratios, plain.get());
    split.reflected.formula = measured.printedReflected;
    split.transmitted.formula = measured.printedTransmitted;
    split.reflected.ratio = measured.reflected.ratio;
    split.transmitted.ratio = measured.transmitted.ratio;
    split.transmitted.widthFormula = run.farTravel / run.driveTravel;
    // A pulse a few points long loses its shape on the grid: its width is
    // the grid's, not the pulse's.
    if (run.pulseLevels * std::min(run.driveTravel, run.farTravel) >= kFewestPulsePoints) {
        split.transmitted.widthRatio = widthRatio(field.widthOn(on, far), incomingWidth);
    }
    if (split.reflected.present()) {
        split.reflectedHome = firstLevelAt(reflected, run, noise, run.source - 2, back);
    }
    split.transmittedAtEnd = firstLevelAt(field, run, noise, far.from, junction);
    return split;
}

// The pulse on the side between the junction (or the source) and the far
// end at point 0, followed in the continuum from the moments its front
// crossed into the side and reached the end: where it lies whole, and when
// an echo of the pulse sent back at the junction follows it in.
class OnFarSide {
  public:
    OnFarSide(const EventRun& run, Span far, int entered, int atEnd)
        : run_(run),
          far_(far),
          entered_(entered),
          atEnd_(atEnd),
          length_(run.pulseLevels * run.farTravel),
          speed_(run.farTravel) {}

    // The level at which the pulse, on its way to the end, has its crest in
    // the middle of the side, and the stretch it covers then.
    int going() const { return crestInMiddle(entered_, run_, boundary(), far_, speed_); }
    Span goingSpan() const {
        const double front = boundary() - (going() - entered_) * speed_;
        return around(front, front + length_);
    }

    // The level at which the pulse sent back from the end is read: with its
    // crest in the middle of the side where it can be, earlier where an echo
    // or the junction would reach it first; empty where the pulse never lies
    // whole and alone there.
    std::optional<int> comingBack() const {
        if (length_ < kFewestPulsePoints || length_ + 2.0 * kMargin > far_.to - far_.from) {
            return std::nullopt;
        }
        const double tailClear = atEnd_ + (length_ + kMargin) / speed_;
        const double middle = atEnd_ + (far_.middle() + length_ / 2.0) / speed_;
        // Its front keeps a point short of the junction, and the echo's
        // front, coming the other way, a point short of its own.
        double latest = atEnd_ + (boundary() - kMargin) / speed_;
        if (run_.junction > 0) {
            const double echoIn = entered_ + 2.0 * (run_.source - run_.junction) / run_.driveTravel;
            latest = std::min(latest, (atEnd_ + echoIn + (boundary() - kMargin) / speed_) / 2.0);
        }
        const double level = std::min(middle, latest);
        if (level < tailClear) {
            return std::nullopt;
        }
        return static_cast<int>(std::ceil(level));
    }
    Span comingBackSpan(int level) const {
        const double front = (level - atEnd_) * speed_;
        return around(front - length_, front);
    }

  private:
    static constexpr double kMargin = 1.0;  // points

    int boundary() const { return far_.to + 1; }
    Span around(double from, double to) const {
        return {std::max(far_.from, static_cast<int>(std::floor(from - kMargin))),
                std::min(far_.to, static_cast<int>(std::ceil(to + kMargin)))};
    }

    const EventRun& run_;
    Span far_;
    int entered_;
    int atEnd_;
    double length_;
    double speed_;
};

}  // namespace

EventRun twoMediaEventRun(const RatioRun& run) {
    const bool step = run.scheme == TwoMediaScheme::StepMode;
    return {.source = kTwoMediaLastPoint,
            .junction = kTwoMediaJunction,
            .lastLevel = step ? kLastStepLevel : kLastTwoMediaLevel,
            // The step mode's source sends its pulse over twice W levels; the
            // continuous run's drive pulse lasts 100 levels whatever W is.
            .pulseLevels = step ? 2.0 * run.width : kContinuousPulseLevels,
            .driveTravel = schemeSpeed(run.scheme, run.driveSpeed, kTimeStep),
            .farTravel = schemeSpeed(run.scheme, run.farSpeed, kTimeStep),
            .end = run.end,
            .ratios = run};
}

EventRun singleStringEventRun(EndMode end, double lambda, int lastPoint, int lastLevel) {
    return {.source = lastPoint,
            .lastLevel = lastLevel,
            .pulseLevels = kContinuousPulseLevels,
            .driveTravel = lambda,
            .farTravel = lambda,
            .end = end};
}

EventRun eventRunOf(const SimpleRun& run) {
    return singleStringEventRun(run.settings().end, run.lambda, run.lastPoint, kLastSimpleLevel);
}

EventRun eventRunOf(const TwoMediaRun& run) {
    return twoMediaEventRun(ratioRunOf(TwoMediaScheme::Continuous, run.settings()));
}

EventRun eventRunOf(const StepRun& run) {
    return twoMediaEventRun(ratioRunOf(TwoMediaScheme::StepMode, run.settings()));
}

std::vector<RunEvent> runEventsOf(const SimpleRun& run) {
    return findRunEvents(run.simpleTable, eventRunOf(run));
}

std::vector<RunEvent> runEventsOf(const TwoMediaRun& run) {
    return findRunEvents(run.twoMediaTable, eventRunOf(run));
}

std::vector<RunEvent> runEventsOf(const StepRun& run) {
    return findRunEvents(run.stepDisplacement, eventRunOf(run));
}

bool PartReading::present() const {
    return std::fabs(ratio.value_or(seen)) >= kNoPart;
}

// Each part is read when its crest stands in the middle of its side: the
// incoming pulse has gone from there, and no echo has come back yet unless
// the pulse is long against the side. The reflected part is what the run has
// on the drive side beyond the same run without a junction.
std::vector<RunEvent> findRunEvents(const LevelTable& table, const EventRun& run) {
    std::vector<RunEvent> events;
    const double noise = noiseOf(table, run);
    const Field field(table);
    const std::optional<int> leaves =
        noise > 0.0 ? firstLevelAt(field, run, noise, run.source - 1, -1) : std::nullopt;
    if (!leaves) {
        return events;
    }
    events.push_back({.kind = RunEventKind::Leaves, .level = *leaves});

    const bool twoMedia = run.junction > 0;
    const Span far{1, (twoMedia ? run.junction : run.source) - 1};
    // The pulse on its way to the far end: when its front set off, from the
    // source or the junction, and its height.
    int setOff = *leaves;
    double incoming = 0.0;

    if (twoMedia) {
        const std::optional<int> junction = firstLevelAt(field, run, noise, run.junction, *leaves);
        if (!junction) {
            return events;
        }
        events.push_back({.kind = RunEventKind::ReachesJunction, .level = *junction});
        const RunEvent split = splitAt(table, run, noise, *junction);
        if (split.level > run.lastLevel) {
            return events;
        }
        events.push_back(split);
        if (!split.transmitted.present()) {
            return inOrder(events);
        }
        setOff = *junction;
    }
    const std::optional<int> end = firstLevelAt(field, run, noise, far.from, setOff);
    if (!end) {
        return inOrder(events);
    }
    events.push_back({.kind = RunEventKind::ReachesEnd, .level = *end, .end = run.end});
    // The pulse is read whole and alone on its side, going and coming back,
    // against the same stretch of it: the grid's own loss on the way is what
    // the ratio shows beside the end's -1 or +1.
    const OnFarSide side(run, far, setOff,
                         *end + static_cast<int>(std::ceil(far.from / run.farTravel)));
    if (side.going() <= run.lastLevel) {
        incoming = field.peakOn(side.going(), side.goingSpan());
    }
    const std::optional<int> read = side.comingBack();
    RunEvent back{.kind = RunEventKind::ComesBack,
                  .level = read.value_or(crestInMiddle(*end, run, 0, far, run.farTravel)),
                  .end = run.end};
    if (back.level <= run.lastLevel) {
        PartReading& part = back.reflected;
        part.formula = run.end == EndMode::Free ? 1.0 : -1.0;
        part.seen =
            ratioOf(field.peakOn(back.level, read ? side.comingBackSpan(*read) : far), incoming)
                .value_or(0.0);
        if (read && std::fabs(incoming) > 0.0) {
            part.ratio = part.seen;
        }
        events.push_back(back);
    }
    return inOrder(events);
}

std::vector<const RunEvent*> eventsReached(const std::vector<RunEvent>& events, int previous,
                                           int level) {
    std::vector<const RunEvent*> reached;
    for (const RunEvent& event : events) {
        if (event.level > previous && event.level <= level) {
            reached.push_back(&event);
        }
    }
    return reached;
}

namespace {

std::string sizeText(double ratio) {
    return formatNumber(std::fabs(ratio));
}

// "upright, about 0.33 times ..." or "upright." when the table gives no
// clean reading.
std::string partText(const PartReading& part, Caption measured, Caption unmeasured, bool english) {
    const std::string way =
        caption(part.upright() ? Caption::EventUpright : Caption::EventUpsideDown, english);
    if (part.ratio) {
        return captionWith(measured, english, {way, sizeText(*part.ratio)});
    }
    return captionWith(unmeasured, english, {way});
}

}  // namespace

std::string announcement(const RunEvent& event, bool english) {
    switch (event.kind) {
        case RunEventKind::Leaves:
            return caption(Caption::EventLeaves, english);
        case RunEventKind::ReachesJunction:
            return caption(Caption::EventReachesJunction, english);
        case RunEventKind::Splits: {
            const std::string back = event.reflected.present()
                                         ? partText(event.reflected, Caption::EventReflectedBack,
                                                    Caption::EventReflectedBackUnmeasured, english)
                                         : caption(Caption::EventNothingReflected, english);
            return back + " " +
                   partText(event.transmitted, Caption::EventTransmittedOn,
                            Caption::EventTransmittedOnUnmeasured, english);
        }
        case RunEventKind::ReachesEnd:
            return caption(event.end == EndMode::Free ? Caption::EventReachesFreeEnd
                                                      : Caption::EventReachesFixedEnd,
                           english);
        case RunEventKind::ComesBack:
            return partText(event.reflected, Caption::EventComesBack,
                            Caption::EventComesBackUnmeasured, english);
    }
    return {};
}

}  // namespace palmos
