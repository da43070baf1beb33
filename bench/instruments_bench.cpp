// The instruments on Qt's offscreen platform: the space-time picture of a
// whole step-mode run (61 points x 1502 levels) made and drawn in a window of
// 1920 x 1080, the level line moved by one tick with the repaint it causes,
// the probe's cursor moved with its repaint, and the measured ratios with
// their equal-speed run. Then what comparing with the previous run adds: the
// copy of each run a window keeps when it is filled, and the diagram with the
// previous run's outline drawn afresh and under a moving level line.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <cstdio>
#include <memory>

#include "bench/qt_setup.h"
#include "bench/report.h"
#include "instruments/point_probe.h"
#include "instruments/previous_run.h"
#include "instruments/space_time.h"
#include "physics/two_media/measured_ratios.h"
#include "physics/two_media/step_mode.h"

namespace {

using namespace palmos;

// A step-mode run with a slower far side, as START fills its tables.
struct StepRun {
    explicit StepRun(double c2 = 0.2) : c2(c2) { solveStepMode(u, v, s, {.c1 = 0.5, .c2 = c2}); }
    RunView view() const {
        return {.table = &u,
                .lastLevel = 1501,
                .lastPoint = 60,
                .junction = 30,
                .driveSpeed = c2,
                .farSpeed = 0.5};
    }
    double c2;
    LevelTable u{kStepPoints, kStepLevels};
    LevelTable v{kStepPoints, kStepLevels};
    LevelTable s{kStepPoints, kStepLevels};
};

const StepRun& stepRun() {
    static const auto run = std::make_unique<StepRun>();
    return *run;
}

// The run before it, with the source side twice as fast, as the copy the
// window's instruments kept of it.
const RunView& previousRun() {
    static const auto kept = [] {
        const auto run = std::make_unique<StepRun>(0.4);
        auto previous = std::make_unique<PreviousRun>();
        // The same table shown again: the first copy becomes the previous run.
        previous->follow(run->view());
        previous->follow(run->view());
        return previous;
    }();
    static const RunView view = kept->view();
    return view;
}

void SpaceTimeImage(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(spaceTimeImage(stepRun().view()));
    }
}

// A new run given to a window of 1920 x 1080 and the window painted afresh.
void SpaceTimeDrawn(benchmark::State& state) {
    SpaceTimeWindow window(QStringLiteral("Space-time diagram"), QStringLiteral("-"), true);
    window.resize(1920, 1080);
    QImage frame(window.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        window.setRun(stepRun().view());
        window.render(&frame);
    }
}

// Gives `window` the run at 1920 x 1080, shows it and lets it paint once.
template <class Window>
void shownWithRun(Window& window) {
    window.resize(1920, 1080);
    window.setRun(stepRun().view());
    window.show();
    QCoreApplication::processEvents();
}

// What a tick adds: the level shown now moves on and the window repaints
// what that changed.
template <class Window>
void ticks(benchmark::State& state, Window& window) {
    int level = 0;
    for (auto _ : state) {
        level = (level + 1) % 1502;
        window.setCurrentLevel(level);
        QCoreApplication::processEvents();
    }
}

void SpaceTimeLevelLine(benchmark::State& state) {
    SpaceTimeWindow window(QStringLiteral("Space-time diagram"), QStringLiteral("-"), true);
    shownWithRun(window);
    ticks(state, window);
}

void ProbeCursor(benchmark::State& state) {
    PointProbeWindow window(QStringLiteral("Point probe"), QStringLiteral("-"), true);
    shownWithRun(window);
    for (int point : {10, 29, 31, 50}) {
        window.addProbe(point);
    }
    ticks(state, window);
}

// What every START of a window now costs: the copy of the run it shows.
void PreviousRunKept(benchmark::State& state) {
    PreviousRun previous;
    for (auto _ : state) {
        previous.follow(stepRun().view());
    }
    benchmark::DoNotOptimize(previous.view());
}

void PreviousOutline(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(halfHeightOutline(previousRun()));
    }
}

void SpaceTimeDrawnWithPrevious(benchmark::State& state) {
    SpaceTimeWindow window(QStringLiteral("Space-time diagram"), QStringLiteral("-"), true);
    window.resize(1920, 1080);
    QImage frame(window.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        window.setRun(stepRun().view(), previousRun());
        window.render(&frame);
    }
}

void SpaceTimeLevelLineWithPrevious(benchmark::State& state) {
    SpaceTimeWindow window(QStringLiteral("Space-time diagram"), QStringLiteral("-"), true);
    window.resize(1920, 1080);
    window.setRun(stepRun().view(), previousRun());
    window.show();
    QCoreApplication::processEvents();
    ticks(state, window);
}

void MeasuredRatiosComputed(benchmark::State& state) {
    const RatioRun run{.driveSpeed = 0.2, .farSpeed = 0.5};
    for (auto _ : state) {
        benchmark::DoNotOptimize(measureRatios(stepRun().u, run));
    }
}

}  // namespace

#define PALMOS_INSTRUMENT_BENCHMARK(name) \
    BENCHMARK(name)                       \
        ->Unit(benchmark::kMillisecond)   \
        ->MeasureProcessCPUTime()         \
        ->MinTime(0.2)                    \
        ->Repetitions(bench::kRepetitions)

PALMOS_INSTRUMENT_BENCHMARK(SpaceTimeImage);
PALMOS_INSTRUMENT_BENCHMARK(SpaceTimeDrawn);
PALMOS_INSTRUMENT_BENCHMARK(SpaceTimeLevelLine);
PALMOS_INSTRUMENT_BENCHMARK(ProbeCursor);
PALMOS_INSTRUMENT_BENCHMARK(MeasuredRatiosComputed);
PALMOS_INSTRUMENT_BENCHMARK(PreviousRunKept);
PALMOS_INSTRUMENT_BENCHMARK(PreviousOutline);
PALMOS_INSTRUMENT_BENCHMARK(SpaceTimeDrawnWithPrevious);
PALMOS_INSTRUMENT_BENCHMARK(SpaceTimeLevelLineWithPrevious);

int main(int argc, char* argv[]) {
    bench::prepareWindowBenchmark(&argc, argv);
    QApplication application(argc, argv);
    bench::Collector collector;
    if (!bench::runAll(collector)) {
        std::fputs("a benchmark failed\n", stderr);
        return 1;
    }
    const bool met = bench::printRows(
        collector,
        {
            {"Space-time picture of a step-mode run (61 x 1502)", "SpaceTimeImage", 0},
            {"Space-time window, new run drawn at 1920 x 1080", "SpaceTimeDrawn", 16.0},
            {"Space-time level line moved + repaint", "SpaceTimeLevelLine", 1.0},
            {"Four probes' cursor moved + repaint", "ProbeCursor", 1.0},
            {"Measured ratios (with the equal-speed run)", "MeasuredRatiosComputed", 20.0},
            {"Copy of the run shown kept at each filling (61 x 1502)", "PreviousRunKept", 0},
            {"Outline of the previous run, where the displacement is half its largest (61 x 1502)",
             "PreviousOutline", 0},
            {"Space-time window with the previous run's outline, drawn at 1920 x 1080",
             "SpaceTimeDrawnWithPrevious", 16.0},
            {"Space-time level line moved over the previous run's outline + repaint",
             "SpaceTimeLevelLineWithPrevious", 1.0},
        });
    return met ? 0 : 3;
}
