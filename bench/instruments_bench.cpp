// The instruments on Qt's offscreen platform: the space-time picture of a
// whole step-mode run (61 points x 1502 levels) made and drawn in a window of
// 1920 x 1080, the level line moved by one tick with the repaint it causes,
// the probe's cursor moved with its repaint, and the measured ratios with
// their equal-speed run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <cstdio>
#include <memory>

#include "bench/qt_setup.h"
#include "bench/report.h"
#include "instruments/point_probe.h"
#include "instruments/space_time.h"
#include "two_media/measured_ratios.h"
#include "two_media/step_mode.h"

namespace {

using namespace palmos;

// A step-mode run with a slower far side, as START fills its tables.
struct StepRun {
    StepRun() { solveStepMode(u, v, s, {.c1 = 0.5, .c2 = 0.2}); }
    RunView view() const {
        return {.table = &u,
                .lastLevel = 1501,
                .lastPoint = 60,
                .junction = 30,
                .driveSpeed = 0.2,
                .farSpeed = 0.5};
    }
    LevelTable u{kStepPoints, kStepLevels};
    LevelTable v{kStepPoints, kStepLevels};
    LevelTable s{kStepPoints, kStepLevels};
};

const StepRun& stepRun() {
    static const auto run = std::make_unique<StepRun>();
    return *run;
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
        });
    return met ? 0 : 3;
}
