// The solvers against their bare loops: each checked solver and the same
// arithmetic on plain vectors, timed in one run, after a check that both give
// the very same numbers.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "bench/bare_loops.h"
#include "bench/report.h"
#include "core/level_table.h"
#include "physics/elliptic/solver.h"
#include "physics/single_string/solver.h"
#include "physics/two_media/run_events.h"
#include "physics/two_media/solver.h"
#include "physics/two_media/step_mode.h"

namespace {

using palmos::EndMode;
using palmos::LevelTable;

constexpr int kSimpleLastPoint = 54;
constexpr double kLambda = 0.3;
// A tick of the single-string run while the pulse is on the string.
constexpr int kCheckTimeIndex = 200;
constexpr int kCheckInterval = 2;

const palmos::TwoMediaSettings kTwoMedia{};
const palmos::StepModeSettings kStep{};

struct StepTables {
    LevelTable u{palmos::kStepPoints, palmos::kStepLevels};
    LevelTable v{palmos::kStepPoints, palmos::kStepLevels};
    LevelTable s{palmos::kStepPoints, palmos::kStepLevels};
};

struct BareStepTables {
    bare::Table u{palmos::kStepPoints, palmos::kStepLevels};
    bare::Table v{palmos::kStepPoints, palmos::kStepLevels};
    bare::Table s{palmos::kStepPoints, palmos::kStepLevels};
};

void solveBareStep(BareStepTables& t) {
    bare::stepMode(t.u, t.v, t.s, kStep.c1, kStep.c2, kStep.width, kStep.height, kStep.baseDepth,
                   kStep.end == EndMode::Fixed, kStep.timeStep, kStep.spaceStep, kStep.lastPoint);
}

void solveBareTwoMedia(bare::Table& t) {
    bare::twoMedia(t, kTwoMedia.lastPoint, kTwoMedia.c1, kTwoMedia.c2, kTwoMedia.baseDepth,
                   kTwoMedia.height, kTwoMedia.end == EndMode::Fixed);
}

// Each benchmark times a solver and its bare loop in turn (bench::timePair).

// --- Single-string table: drive pulse and 2500 steps of 54 points.

void SingleStringTable(benchmark::State& state) {
    LevelTable table(palmos::kTablePoints, palmos::kTableLevels);
    bare::Table plain(palmos::kTablePoints, palmos::kTableLevels);
    bench::timePair(
        state, 1,
        [&] { palmos::solveSimpleString(table, kSimpleLastPoint, kLambda, EndMode::Fixed); },
        [&] { bare::simpleString(plain, kSimpleLastPoint, kLambda, true); });
}

// --- The check pass of one tick (41 sweeps of 53 points).

void SimpleCheck(benchmark::State& state) {
    LevelTable table(palmos::kTablePoints, palmos::kTableLevels);
    palmos::solveSimpleString(table, kSimpleLastPoint, kLambda, EndMode::Fixed);
    bare::Table plain(palmos::kTablePoints, palmos::kTableLevels);
    bare::simpleString(plain, kSimpleLastPoint, kLambda, true);
    bench::timePair(
        state, 16,
        [&] {
            benchmark::DoNotOptimize(palmos::simpleCheckPass(table, kCheckTimeIndex, kCheckInterval,
                                                             kLambda, kSimpleLastPoint));
        },
        [&] {
            benchmark::DoNotOptimize(bare::simpleCheck(plain, kCheckTimeIndex, kCheckInterval,
                                                       kLambda, kSimpleLastPoint));
        });
}

// --- Two-media table: drive pulse and 2500 steps of 60 points.

void TwoMediaTable(benchmark::State& state) {
    LevelTable table(palmos::kTablePoints, palmos::kTableLevels);
    bare::Table plain(palmos::kTablePoints, palmos::kTableLevels);
    bench::timePair(
        state, 1, [&] { palmos::computeTwoMediaSolution(table, kTwoMedia); },
        [&] { solveBareTwoMedia(plain); });
}

// --- Step mode: the source and 1501 levels of u, v and s.

void StepModeTables(benchmark::State& state) {
    StepTables tables;
    BareStepTables plain;
    bench::timePair(
        state, 1, [&] { palmos::solveStepMode(tables.u, tables.v, tables.s, kStep); },
        [&] { solveBareStep(plain); });
}

// --- What predict mode and the spoken run read of a step-mode run when it
// is filled: its events, each part measured against the same run without a
// junction, and the measured ratios.

void StepRunEvents(benchmark::State& state) {
    StepTables tables;
    const palmos::RatioRun run{.driveSpeed = 0.2, .farSpeed = 1.2};
    palmos::solveStepMode(tables.u, tables.v, tables.s, {.c1 = run.farSpeed, .c2 = run.driveSpeed});
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            palmos::findRunEvents(tables.u, palmos::twoMediaEventRun(run)).size());
    }
}

// --- Over-relaxation until the tolerance (157 sweeps).

void SorSolution(benchmark::State& state) {
    std::vector<double> grid;
    bench::timePair(
        state, 1, [] { benchmark::DoNotOptimize(palmos::solveElliptic().sweeps); },
        [&] { benchmark::DoNotOptimize(bare::sor(grid)); });
}

// --- The bare loops must compute what the solvers compute, bit for bit.

bool sameCells(const LevelTable& checked, bare::Table& plain) {
    for (int n = 0; n < checked.levels(); ++n) {
        for (int i = 0; i < checked.points(); ++i) {
            const double a = checked.at(i, n);
            const double b = plain(i, n);
            if (std::memcmp(&a, &b, sizeof a) != 0) {
                std::fprintf(stderr, "differs at point %d, level %d: %.17g vs %.17g\n", i, n, a, b);
                return false;
            }
        }
    }
    return true;
}

bool bareLoopsMatch() {
    bool ok = true;
    {
        LevelTable table(palmos::kTablePoints, palmos::kTableLevels);
        bare::Table plain(palmos::kTablePoints, palmos::kTableLevels);
        palmos::solveSimpleString(table, kSimpleLastPoint, kLambda, EndMode::Fixed);
        bare::simpleString(plain, kSimpleLastPoint, kLambda, true);
        ok = sameCells(table, plain) && ok;
        const auto result = palmos::simpleCheckPass(table, kCheckTimeIndex, kCheckInterval, kLambda,
                                                    kSimpleLastPoint);
        const int sweeps =
            bare::simpleCheck(plain, kCheckTimeIndex, kCheckInterval, kLambda, kSimpleLastPoint);
        ok = result.sweeps == sweeps && sweeps == 41 && sameCells(table, plain) && ok;
    }
    {
        LevelTable table(palmos::kTablePoints, palmos::kTableLevels);
        bare::Table plain(palmos::kTablePoints, palmos::kTableLevels);
        palmos::computeTwoMediaSolution(table, kTwoMedia);
        solveBareTwoMedia(plain);
        ok = sameCells(table, plain) && ok;
    }
    {
        StepTables tables;
        BareStepTables plain;
        palmos::solveStepMode(tables.u, tables.v, tables.s, kStep);
        solveBareStep(plain);
        ok = sameCells(tables.u, plain.u) && sameCells(tables.v, plain.v) &&
             sameCells(tables.s, plain.s) && ok;
    }
    {
        const palmos::EllipticSolution solution = palmos::solveElliptic();
        std::vector<double> grid;
        const int sweeps = bare::sor(grid);
        ok = solution.sweeps == sweeps && sweeps == 157 &&
             std::memcmp(grid.data(), solution.grid.data(), grid.size() * sizeof(double)) == 0 &&
             ok;
    }
    return ok;
}

}  // namespace

// One run each, of about a second: the medians come from its pairs.
BENCHMARK(SingleStringTable)->Iterations(4000);
BENCHMARK(TwoMediaTable)->Iterations(4000);
BENCHMARK(StepModeTables)->Iterations(2000);
BENCHMARK(SorSolution)->Iterations(300);
BENCHMARK(SimpleCheck)->Iterations(4000);
BENCHMARK(StepRunEvents)->Iterations(200)->Repetitions(bench::kRepetitions);

int main(int argc, char* argv[]) {
    benchmark::Initialize(&argc, argv);
    if (!bareLoopsMatch()) {
        std::fputs("the bare loops no longer compute what the solvers compute\n", stderr);
        return 1;
    }
    bench::Collector collector;
    if (!bench::runAll(collector)) {
        return 1;
    }
    const bool met = bench::printRows(
        collector,
        {{"Single-string table (2500 levels)", "SingleStringTable", 2.0, true},
         {"Two-media table (2500 levels)", "TwoMediaTable", 2.0, true},
         {"Step-mode preparation (u, v, s; 1501 levels)", "StepModeTables", 2.0, true},
         {"SOR solution (157 sweeps)", "SorSolution", 5.0, true},
         {"Check pass of one tick (timeIndex 200, interval 2)", "SimpleCheck", 0.0, true},
         {"A step-mode run's events, measured, at its START", "StepRunEvents", 10.0, false}});
    return met ? 0 : 3;
}
