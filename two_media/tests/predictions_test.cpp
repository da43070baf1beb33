#include "two_media/predictions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "two_media/measured_ratios.h"

namespace palmos {
namespace {

// A step-mode run as the bars set it, and the answer its table gives to
// each question.
struct OutcomeRow {
    std::string name;
    int c1;  // the far side
    int c2;  // the source's side
    EndMode end;
    Caption reflected;
    Caption height;
    Caption width;
    Caption fromTheEnd;
};

class StepRunOutcomes : public ::testing::TestWithParam<OutcomeRow> {};

TEST_P(StepRunOutcomes, AnswerWhatTheTableShows) {
    const OutcomeRow row = GetParam();
    const RatioRun run{.driveSpeed = row.c2 / 100.0, .farSpeed = row.c1 / 100.0, .end = row.end};
    const std::vector<RunEvent> events =
        findRunEvents(*computeRunTable(run), twoMediaEventRun(run));
    const auto answered = [&](Question question) {
        const std::optional<Outcome> outcome = outcomeOf(question, events, true);
        EXPECT_TRUE(outcome) << static_cast<int>(question);
        return outcome ? answerCaptions(question).at(static_cast<std::size_t>(outcome->answer))
                       : Caption::Count;
    };
    EXPECT_EQ(answered(Question::ReflectedWay), row.reflected);
    EXPECT_EQ(answered(Question::TransmittedHeight), row.height);
    EXPECT_EQ(answered(Question::TransmittedWidth), row.width);
    EXPECT_EQ(answered(Question::EndWay), row.fromTheEnd);
}

INSTANTIATE_TEST_SUITE_P(
    Bars, StepRunOutcomes,
    ::testing::Values(
        OutcomeRow{"EqualSpeeds", 30, 30, EndMode::Fixed, Caption::AnswerNothingReflected,
                   Caption::AnswerAsHigh, Caption::AnswerAsWide, Caption::AnswerUpsideDown},
        OutcomeRow{"FasterFarSide", 120, 30, EndMode::Fixed, Caption::AnswerUpright,
                   Caption::AnswerHigher, Caption::AnswerWider, Caption::AnswerUpsideDown},
        OutcomeRow{"SlowerFarSide", 30, 120, EndMode::Free, Caption::AnswerUpsideDown,
                   Caption::AnswerLower, Caption::AnswerNarrower, Caption::AnswerUpright}),
    [](const auto& info) { return info.param.name; });

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
    const Prediction asked{
        .window = Caption::PredictTwoMedia,
        .settings = {.end = EndMode::Free,
                     .driveSideSpeed = 0.3,
                     .farSideSpeed = 1.2,
                     .height = 80,
                     .width = 20},
        .question = Question::ReflectedWay,
        .answer = 1,
        .outcome = Outcome{.answer = 0, .measured = "A1/A0 = 0.34", .formula = "A1/A0 = 0.33"}};
    const Prediction open{.window = Caption::PredictSimpleSolution,
                          .settings = {.driveSideSpeed = 0.3, .farSideSpeed = 0.3},
                          .question = Question::EndWay};
    EXPECT_EQ(worksheetText({asked, open}, true),
              "Run\tc1\tc2\tHeight\tWidth\tEnd\tQuestion\tAnswer\tThe run\tMeasured\tFormula\n"
              "Two media\t1.20\t0.30\t80\t20\tfree\tThe pulse is about to reach the junction. "
              "How will the part reflected there come back?\tUpside down\tUpright\t"
              "A1/A0 = 0.34\tA1/A0 = 0.33\n"
              "Simple solution\t0.30\t0.30\t\t\tfixed\tThe pulse is about to reach the fixed "
              "end. How will it come back?\tnot answered\t\t\t\n");
    const std::string greek = worksheetText({asked}, false);
    EXPECT_NE(greek.find("Ύψος\tΕύρος"), std::string::npos);
    EXPECT_NE(greek.find("Ανεστραμμένο\tΌρθιο"), std::string::npos);
}

}  // namespace
}  // namespace palmos
