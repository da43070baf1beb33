#include "physics/two_media/run_events.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "core/level_table.h"
#include "physics/single_string/solver.h"
#include "physics/two_media/measured_ratios.h"
#include "physics/two_media/solver.h"

namespace palmos {
namespace {

std::vector<RunEventKind> kindsOf(const std::vector<RunEvent>& events) {
    std::vector<RunEventKind> kinds;
    for (const RunEvent& event : events) {
        kinds.push_back(event.kind);
    }
    return kinds;
}

const RunEvent* find(const std::vector<RunEvent>& events, RunEventKind kind) {
    for (const RunEvent& event : events) {
        if (event.kind == kind) {
            return &event;
        }
    }
    return nullptr;
}

// A step-mode run of the two-media window: the bars' c1 is the far side's
// speed, c2 the source side's.
struct StepRow {
    std::string name;
    int c1;
    int c2;
    int width;
    EndMode end;
};

class StepRunEvents : public ::testing::TestWithParam<StepRow> {};

// The events come in their order, the junction reached when the front has
// crossed the drive side at the scheme's speed, each part upright or upside
// down as the formula says, and measured near it where the table is clean.
TEST_P(StepRunEvents, FollowThePulseAndTheFormulas) {
    const StepRow row = GetParam();
    SCOPED_TRACE(row.name);
    const RatioRun run{.driveSpeed = row.c2 / 100.0,
                       .farSpeed = row.c1 / 100.0,
                       .width = row.width,
                       .end = row.end};
    const std::vector<RunEvent> events =
        findRunEvents(*computeRunTable(run), twoMediaEventRun(run));
    const std::vector<RunEventKind> kinds = kindsOf(events);
    ASSERT_GE(kinds.size(), 3u);
    EXPECT_EQ(kinds[0], RunEventKind::Leaves);
    EXPECT_EQ(kinds[1], RunEventKind::ReachesJunction);
    for (std::size_t k = 1; k < events.size(); ++k) {
        EXPECT_LE(events[k - 1].level, events[k].level) << k;
    }

    const double drive = schemeSpeed(TwoMediaScheme::StepMode, run.driveSpeed, 0.6);
    const double crossing = (kTwoMediaLastPoint - kTwoMediaJunction) / drive;
    EXPECT_NEAR(events[1].level, crossing, 0.15 * crossing + 3);

    const RunEvent* found = find(events, RunEventKind::Splits);
    ASSERT_NE(found, nullptr);
    const RunEvent& split = *found;
    const bool equal = row.c1 == row.c2;
    EXPECT_EQ(split.reflected.present(), !equal);
    if (!equal) {
        EXPECT_EQ(split.reflected.upright(), split.reflected.formula > 0) << split.reflected.seen;
    }
    EXPECT_TRUE(split.transmitted.upright());
    for (const PartReading* part : {&split.reflected, &split.transmitted}) {
        if (part->ratio) {
            EXPECT_NEAR(*part->ratio, part->formula, 0.06);
        }
    }
    if (split.transmitted.widthRatio) {
        EXPECT_NEAR(*split.transmitted.widthRatio / split.transmitted.widthFormula, 1.0, 0.15);
    }
    if (const RunEvent* back = find(events, RunEventKind::ComesBack)) {
        EXPECT_EQ(back->reflected.upright(), row.end == EndMode::Free);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bars, StepRunEvents,
    ::testing::Values(StepRow{"EqualSpeeds", 30, 30, 20, EndMode::Fixed},
                      StepRow{"FasterFarSideFixed", 120, 30, 20, EndMode::Fixed},
                      StepRow{"SlowerFarSideFree", 30, 120, 20, EndMode::Free},
                      StepRow{"MuchSlowerFarSideFree", 10, 200, 15, EndMode::Free},
                      StepRow{"WidePulseFixed", 60, 30, 45, EndMode::Fixed},
                      StepRow{"NarrowFastFixed", 200, 100, 15, EndMode::Fixed}),
    [](const auto& info) { return info.param.name; });

// The single string: the pulse comes back from a fixed end upside down and
// from a free end upright, about as high as it went in.
TEST(SingleStringEvents, ComeBackUprightFromAFreeEndAndUpsideDownFromAFixedOne) {
    for (const EndMode end : {EndMode::Free, EndMode::Fixed}) {
        auto table = std::make_unique<LevelTable>(kTablePoints, kTableLevels);
        solveSimpleString(*table, 54, 0.3, end);
        const std::vector<RunEvent> events =
            findRunEvents(*table, singleStringEventRun(end, 0.3, 54, 498));
        ASSERT_EQ(kindsOf(events), (std::vector{RunEventKind::Leaves, RunEventKind::ReachesEnd,
                                                RunEventKind::ComesBack}));
        const PartReading& back = events[2].reflected;
        EXPECT_EQ(back.upright(), end == EndMode::Free);
        ASSERT_TRUE(back.ratio);
        EXPECT_NEAR(*back.ratio, back.formula, 0.1);
    }
}

// A tick that shows a level tells the events up to it that no earlier tick
// told: each once, at every timer interval.
TEST(EventsReached, TellEachEventOnceAtEveryInterval) {
    const RatioRun run{.driveSpeed = 0.3, .farSpeed = 1.2};
    const std::vector<RunEvent> events =
        findRunEvents(*computeRunTable(run), twoMediaEventRun(run));
    for (int interval = 1; interval <= 10; ++interval) {
        std::vector<const RunEvent*> told;
        int previous = -1;
        for (int level = 0; level <= 1501; level += interval) {
            for (const RunEvent* event : eventsReached(events, previous, level)) {
                EXPECT_LE(event->level, level);
                EXPECT_GT(event->level, level - interval);
                told.push_back(event);
            }
            previous = level;
        }
        EXPECT_EQ(told.size(), events.size()) << interval;
    }
}

// The words: the README's in English, the course's in Greek.
TEST(Announcements, NameTheJunctionAndTheWayThePartsStand) {
    RunEvent split{.kind = RunEventKind::Splits};
    split.reflected.ratio = -0.33;
    split.transmitted.ratio = 0.67;
    EXPECT_EQ(announcement(split, true),
              "The reflected part comes back upside down, about 0.33 of the incoming height. "
              "The transmitted part goes on upright, about 0.67 of the incoming height.");
    EXPECT_EQ(announcement(split, false),
              "Ο ανακλώμενος παλμός επιστρέφει ανεστραμμένος, περίπου 0.33 του ύψους του "
              "προσπίπτοντος. Ο διαδιδόμενος παλμός συνεχίζει όρθιος, περίπου 0.67 του ύψους "
              "του προσπίπτοντος.");
    split.reflected = {.seen = 0.005};
    split.transmitted = {.seen = 1.0};
    EXPECT_EQ(announcement(split, true),
              "Nothing is reflected at the junction. The transmitted part goes on upright.");
    EXPECT_EQ(announcement({.kind = RunEventKind::ReachesJunction}, true),
              "The pulse reaches the junction.");
}

}  // namespace
}  // namespace palmos
