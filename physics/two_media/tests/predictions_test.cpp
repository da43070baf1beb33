#include "physics/two_media/predictions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "physics/two_media/measured_ratios.h"

namespace palmos {
namespace {

// The physics a teacher teaches, one row a step-mode run (the bars' c1 is
// the far side, c2 the source's side, so R = (√c1 - √c2) / (√c1 + √c2)),
// the answers written out: into a faster string the reflected part comes
// back upright and the transmitted part is higher and wider, into a slower
// one upside down, lower and narrower, at equal speeds nothing comes back;
// the two sides are 30 points long, so the faster side's part arrives
// first; a fixed end inverts the pulse, a free end does not, and both send
// it back as high.
struct PhysicsRow {
    std::string name;
    int c1;
    int c2;
    EndMode end;
    Caption reflectedWay;
    Caption transmittedHeight;
    Caption transmittedWidth;
    Caption arrivesFirst;
    Caption endWay;
    double r;  // A1/A0; B1/A0 is 1 + r, the width ratio √(c1 / c2)
};

// How far a clean reading on the grid may stand from the ideal: a pulse of
// 15 to 19 levels loses or gains a few hundredths of its height on the way.
constexpr double kHeightTolerance = 0.15;
constexpr double kWidthTolerance = 0.1;  // of the ideal ratio

class PhysicsTable : public ::testing::TestWithParam<PhysicsRow> {};

TEST_P(PhysicsTable, JudgesByThePhysicsWithTheRunAsEvidence) {
    const PhysicsRow row = GetParam();
    const std::vector<std::pair<Question, Caption>> expected = {
        {Question::ReflectedWay, row.reflectedWay},
        {Question::TransmittedHeight, row.transmittedHeight},
        {Question::TransmittedWidth, row.transmittedWidth},
        {Question::ArrivesFirst, row.arrivesFirst},
        {Question::EndWay, row.endWay},
        {Question::EndHeight, Caption::AnswerAsHigh}};
    for (const int width : {15, 17, 19}) {
        for (const int height : {50, 100, 200}) {
            SCOPED_TRACE(testing::Message() << "width " << width << " height " << height);
            const RatioRun run{.driveSpeed = row.c2 / 100.0,
                               .farSpeed = row.c1 / 100.0,
                               .width = width,
                               .height = height,
                               .end = row.end};
            const EventRun path = twoMediaEventRun(run);
            const std::vector<RunEvent> events = findRunEvents(*computeRunTable(run), path);
            for (const auto& [question, answer] : expected) {
                const std::optional<Outcome> outcome = outcomeOf(question, events, path, true);
                ASSERT_TRUE(outcome) << static_cast<int>(question);
                EXPECT_EQ(answerCaptions(question).at(static_cast<std::size_t>(outcome->answer)),
                          answer)
                    << static_cast<int>(question);
                EXPECT_EQ(outcome->note.find("rough"), std::string::npos) << outcome->note;
            }
            const RunEvent* split = nullptr;
            const RunEvent* back = nullptr;
            for (const RunEvent& event : events) {
                split = event.kind == RunEventKind::Splits ? &event : split;
                back = event.kind == RunEventKind::ComesBack ? &event : back;
            }
            ASSERT_TRUE(split && back);
            ASSERT_TRUE(split->reflected.ratio && split->transmitted.ratio &&
                        back->reflected.ratio);
            EXPECT_NEAR(*split->reflected.ratio, row.r, kHeightTolerance);
            EXPECT_NEAR(*split->transmitted.ratio, 1.0 + row.r, kHeightTolerance);
            ASSERT_TRUE(split->transmitted.widthRatio);
            const double width_ = std::sqrt(row.c1 / static_cast<double>(row.c2));
            EXPECT_NEAR(*split->transmitted.widthRatio, width_, kWidthTolerance * width_);
            EXPECT_NEAR(*back->reflected.ratio, row.end == EndMode::Free ? 1.0 : -1.0,
                        kHeightTolerance);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Speeds, PhysicsTable,
    ::testing::Values(
        PhysicsRow{"FasterFarSideFixed", 120, 30, EndMode::Fixed, Caption::AnswerUpright,
                   Caption::AnswerHigher, Caption::AnswerWider, Caption::AnswerTransmittedFirst,
                   Caption::AnswerUpsideDown, 1.0 / 3.0},
        PhysicsRow{"FasterFarSideFree", 120, 30, EndMode::Free, Caption::AnswerUpright,
                   Caption::AnswerHigher, Caption::AnswerWider, Caption::AnswerTransmittedFirst,
                   Caption::AnswerUpright, 1.0 / 3.0},
        PhysicsRow{"SlowerFarSideFixed", 30, 120, EndMode::Fixed, Caption::AnswerUpsideDown,
                   Caption::AnswerLower, Caption::AnswerNarrower, Caption::AnswerReflectedFirst,
                   Caption::AnswerUpsideDown, -1.0 / 3.0},
        PhysicsRow{"SlowerFarSideFree", 30, 120, EndMode::Free, Caption::AnswerUpsideDown,
                   Caption::AnswerLower, Caption::AnswerNarrower, Caption::AnswerReflectedFirst,
                   Caption::AnswerUpright, -1.0 / 3.0},
        PhysicsRow{"EqualSpeedsFixed", 50, 50, EndMode::Fixed, Caption::AnswerNothingReflected,
                   Caption::AnswerAsHigh, Caption::AnswerAsWide, Caption::AnswerTransmittedFirst,
                   Caption::AnswerUpsideDown, 0.0},
        PhysicsRow{"EqualSpeedsFree", 50, 50, EndMode::Free, Caption::AnswerNothingReflected,
                   Caption::AnswerAsHigh, Caption::AnswerAsWide, Caption::AnswerTransmittedFirst,
                   Caption::AnswerUpright, 0.0}),
    [](const auto& info) { return info.param.name; });

// The formula's value is said once, with its sign: the end's ideal is -1
// for a fixed end in both questions about it.
TEST(Outcome, GivesTheEndsIdealWithItsSign) {
    const RatioRun run{.driveSpeed = 0.2, .farSpeed = 1.2, .end = EndMode::Fixed};
    const EventRun path = twoMediaEventRun(run);
    const std::vector<RunEvent> events = findRunEvents(*computeRunTable(run), path);
    for (const Question question : {Question::EndWay, Question::EndHeight}) {
        const std::optional<Outcome> outcome = outcomeOf(question, events, path, true);
        ASSERT_TRUE(outcome);
        EXPECT_EQ(outcome->formula, "-1.00 times the height of the pulse that arrives");
    }
}

// At every timer interval exactly one tick is the last before the event,
// and it shows a level before it.
TEST(LastTickBefore, IsOneTickBeforeTheEventAtEveryInterval) {
    for (int level : {1, 2, 87, 88, 100}) {
        const RunEvent event{.kind = RunEventKind::ReachesJunction, .level = level};
        for (int interval = 1; interval <= 10; ++interval) {
            int pauses = 0;
            for (int shown = 0; shown <= 200; shown += interval) {
                if (lastTickBefore(event, shown, interval)) {
                    ++pauses;
                    EXPECT_LT(shown, event.level);
                    EXPECT_GE(shown + interval, event.level);
                }
            }
            EXPECT_EQ(pauses, 1) << level << " " << interval;
        }
    }
}

// The worksheet: a header, then a row a prediction with the run's settings,
// the question, the answer and what the run did.
TEST(Worksheet, HoldsTheSettingsTheAnswerAndTheOutcome) {
    const RatioRun run{
        .driveSpeed = 0.3, .farSpeed = 1.2, .width = 20, .height = 80, .end = EndMode::Free};
    const EventRun path = twoMediaEventRun(run);
    const std::vector<RunEvent> events = findRunEvents(*computeRunTable(run), path);
    const Prediction asked{.window = Caption::PredictTwoMedia,
                           .settings = {.end = EndMode::Free,
                                        .driveSideSpeed = 0.3,
                                        .farSideSpeed = 1.2,
                                        .height = 80,
                                        .width = 20,
                                        .baseDepth = 0.3f},
                           .question = Question::ReflectedWay,
                           .answer = 1,
                           .events = events,
                           .run = path,
                           .shown = true};
    const Prediction open{.window = Caption::PredictSimpleSolution,
                          .settings = {.driveSideSpeed = 0.3, .farSideSpeed = 0.3},
                          .question = Question::EndWay};
    EXPECT_EQ(worksheetText({asked, open}, true),
              "Run\tc1\tc2\tHeight A0\tWidth\tEnd\tQuestion\tAnswer\tPhysics\tMeasured\tFormula\n"
              "Two media\t1.20\t0.30\t2.88\t20\tfree\tThe pulse is about to reach the junction. "
              "How will the part reflected there come back?\tUpside down\tUpright\t"
              "the reflected part, read at level 157: A1/A0 = 0.34\tA1/A0 = 0.33\n"
              "Simple solution\t0.30\t0.30\t\t\tfixed\tThe pulse is about to reach the fixed "
              "end. How will it come back?\tnot answered\t\t\t\n");
    const std::string greek = worksheetText({asked}, false);
    EXPECT_NE(greek.find("Ύψος A0\tΕύρος"), std::string::npos);
    EXPECT_NE(greek.find("Ανεστραμμένος\tΌρθιος"), std::string::npos);
    EXPECT_NE(greek.find("ο ανακλώμενος παλμός, στο επίπεδο"), std::string::npos);
}

}  // namespace
}  // namespace palmos
