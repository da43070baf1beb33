// The run objects: what they tell their listeners, and that each hands the
// scheme its speeds by side (the step mode's scheme names them the other way
// round from the continuous run's).
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/run.h"
#include "core/runtime_error.h"
#include "physics/single_string/simple_run.h"
#include "physics/two_media/solver.h"
#include "physics/two_media/step_mode.h"
#include "physics/two_media/two_media_run.h"
#include "tests/support/rows.h"

namespace palmos {
namespace {

using palmos::PrintTo;

// Whether two tables agree on every cell of points 0..lastPoint, levels
// 0..lastLevel.
bool sameCells(const LevelTable& a, const LevelTable& b, int lastPoint, int lastLevel) {
    for (int level = 0; level <= lastLevel; ++level) {
        for (int point = 0; point <= lastPoint; ++point) {
            if (a.at(point, level) != b.at(point, level)) {
                return false;
            }
        }
    }
    return true;
}

// A listener that writes down what it hears.
struct Heard {
    std::vector<RunSettings> fillings;
    std::vector<int> levels;
    int filledId = 0;
    int levelId = 0;

    explicit Heard(Run& run) {
        filledId = run.onFilled.subscribe([this](const RunSettings& s) { fillings.push_back(s); });
        levelId = run.onLevelShown.subscribe([this](int level) { levels.push_back(level); });
    }
};

TEST(RunObjects, AFillingIsToldOnceWithItsSettingsAndShowsLevelZero) {
    auto run = std::make_unique<SimpleRun>();
    run->lastPoint = 54;
    run->lambda = 0.3;
    Heard heard(*run);
    Heard other(*run);
    run->showLevel(40);
    const RunSettings settings{.end = EndMode::Free, .driveSideSpeed = 0.3, .farSideSpeed = 0.3};
    run->fill(settings);
    EXPECT_TRUE(run->filled());
    EXPECT_EQ(run->settings(), settings);
    EXPECT_EQ(run->levelShown(), 0);
    ASSERT_EQ(heard.fillings.size(), 1U);
    EXPECT_EQ(heard.fillings[0], settings);
    EXPECT_EQ(other.fillings.size(), 1U);

    // Taken off, a listener hears nothing more; the others go on hearing.
    run->onLevelShown.unsubscribe(heard.levelId);
    run->showLevel(12);
    EXPECT_EQ(heard.levels, std::vector<int>({40}));
    EXPECT_EQ(other.levels, std::vector<int>({40, 12}));
    EXPECT_EQ(run->levelShown(), 12);
}

// The playback each window's timer drives, with the design's intervals: the
// simple solution shows levels 0, 2, ..., 498 and stops with its index at
// 500; the continuous run 0, 5, ..., 995 and stops at 1000; the step mode,
// here at an interval of 4, 0, 4, ..., 1500 and stops at 1504, past its
// last computed level.
struct PlaybackRow {
    const char* name;
    std::shared_ptr<Run> (*make)();
    int interval;
    int frames;
    int lastShown;
    int nextAtStop;
};

const PlaybackRow kPlaybackRows[] = {
    {"SimpleSolution", []() -> std::shared_ptr<Run> { return std::make_shared<SimpleRun>(); }, 2,
     250, 498, 500},
    {"ContinuousRun", []() -> std::shared_ptr<Run> { return std::make_shared<TwoMediaRun>(); }, 5,
     200, 995, 1000},
    {"StepMode", []() -> std::shared_ptr<Run> { return std::make_shared<StepRun>(); }, 4, 376, 1500,
     1504},
};

class Playback : public ::testing::TestWithParam<PlaybackRow> {};

TEST_P(Playback, ShowsEveryIntervalthLevelAndStopsPastTheLast) {
    const PlaybackRow& row = GetParam();
    const std::shared_ptr<palmos::Run> run = row.make();
    Heard heard(*run);
    run->levelsPerTick = row.interval;
    int ticks = 0;
    while (!run->advance() && ticks < 10000) {
        ++ticks;
    }
    ASSERT_EQ(heard.levels.size(), static_cast<std::size_t>(row.frames));
    EXPECT_EQ(heard.levels.front(), 0);
    EXPECT_EQ(heard.levels.back(), row.lastShown);
    EXPECT_EQ(run->levelShown(), row.lastShown);
    EXPECT_EQ(run->nextLevel, row.nextAtStop);
    EXPECT_TRUE(run->playedOut());
}

INSTANTIATE_TEST_SUITE_P(Runs, Playback, ::testing::ValuesIn(kPlaybackRows), kRowName);

// The index is a 16-bit number: a tick that would carry it past 32767 is the
// run-time error, not a level below zero.
TEST(Playback, AnIndexPast16BitsIsTheRunTimeError) {
    auto run = std::make_unique<StepRun>();
    run->levelsPerTick = 32767;
    run->advance();
    EXPECT_THROW(run->advance(), RuntimeError);
}

struct SpeedRow {
    const char* name;
    double driveSide;
    double farSide;
};

const SpeedRow kSpeedRows[] = {
    {"FastDriveSide", 0.8, 0.2},
    {"FastFarSide", 0.2, 0.8},
};

class RunSpeeds : public ::testing::TestWithParam<SpeedRow> {};

// The continuous run's scheme takes c1 for the drive side.
TEST_P(RunSpeeds, TheContinuousRunGivesTheDriveSideSpeedToC1) {
    const SpeedRow& row = GetParam();
    auto run = std::make_unique<TwoMediaRun>();
    run->twoMediaLastPoint = kTwoMediaLastPoint;
    run->fill({.end = EndMode::Fixed,
               .driveSideSpeed = row.driveSide,
               .farSideSpeed = row.farSide,
               .height = 100,
               .width = 20,
               .baseDepth = 0.3f});
    auto expected = std::make_unique<LevelTable>(kTablePoints, kTableLevels);
    computeTwoMediaSolution(*expected, {.c1 = row.driveSide, .c2 = row.farSide});
    EXPECT_TRUE(sameCells(run->twoMediaTable, *expected, kTwoMediaLastPoint, kLastTwoMediaLevel));
}

// The step mode's scheme takes c1 for the far side and c2 for the source's.
TEST_P(RunSpeeds, TheStepModeGivesTheFarSideSpeedToC1) {
    const SpeedRow& row = GetParam();
    auto run = std::make_unique<StepRun>();
    const RunSettings settings{.end = EndMode::Free,
                               .driveSideSpeed = row.driveSide,
                               .farSideSpeed = row.farSide,
                               .height = 60,
                               .width = 35,
                               .baseDepth = 0.3f};
    run->fill(settings, 60);
    EXPECT_EQ(run->sourcePoint, 60);
    auto u = std::make_unique<LevelTable>(kStepPoints, kStepLevels);
    auto v = std::make_unique<LevelTable>(kStepPoints, kStepLevels);
    auto s = std::make_unique<LevelTable>(kStepPoints, kStepLevels);
    solveStepMode(
        *u, *v, *s,
        {.c1 = row.farSide, .c2 = row.driveSide, .width = 35, .height = 60, .end = EndMode::Free});
    EXPECT_TRUE(sameCells(run->stepDisplacement, *u, 60, kLastStepLevel));
    EXPECT_TRUE(sameCells(run->stepSlope, *s, 60, kLastStepLevel));
}

INSTANTIATE_TEST_SUITE_P(Sides, RunSpeeds, ::testing::ValuesIn(kSpeedRows), kRowName);

}  // namespace
}  // namespace palmos
