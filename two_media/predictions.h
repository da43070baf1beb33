// Predict, observe, explain: the questions a run asks before the pulse
// reaches the junction or the far end, the answers a student can give, what
// the run did (read from its events, measured in its table) beside the
// formula's value, and the worksheet that keeps a session's predictions.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/captions.h"
#include "core/run.h"
#include "two_media/run_events.h"

namespace palmos {

enum class Question {
    ReflectedWay,       // the part reflected at the junction: upright, upside down, none?
    TransmittedHeight,  // the transmitted part: higher, lower, as high as the incoming?
    TransmittedWidth,   // the transmitted part: wider, narrower, as wide?
    ArrivesFirst,       // which is first back at an end: reflected or transmitted part?
    EndWay,             // the pulse from the far end: upright or upside down?
    EndHeight,          // the pulse from the far end: higher, lower, as high?
};

// The question's text (or a few words that name it) and its answers, in
// their order.
Caption questionCaption(Question question, bool inFull = true);
std::vector<Caption> answerCaptions(Question question);

// The pauses: before the pulse reaches the junction and before it reaches
// the far end. Whether `kind` is one, and the questions asked there in turn
// (one a pause, the next one at the next run).
bool pausesBefore(RunEventKind kind);
std::vector<Question> questionsBefore(RunEventKind kind);

// Whether a tick that shows `shown`, the next showing `shown + perTick`, is
// the last before the pulse reaches `event`: the run pauses on it.
bool lastTickBefore(const RunEvent& event, int shown, int perTick);

// What the run did about a question: the answer that fits its table, the
// measured value and the formula's as text, and the level from which it is
// known. Empty when the run's events do not tell (the event comes after the
// run's end).
struct Outcome {
    int answer = 0;
    std::string measured;
    std::string formula;
    int level = 0;
};
std::optional<Outcome> outcomeOf(Question question, const std::vector<RunEvent>& events,
                                 bool english);

// One question asked in a session: the window and settings of its run, the
// student's answer (-1 before one) and what the run did (empty until known).
struct Prediction {
    Caption window = Caption::PredictTwoMedia;
    RunSettings settings;
    Question question = Question::ReflectedWay;
    int answer = -1;
    std::optional<Outcome> outcome = std::nullopt;
};

// The worksheet as tab-separated text: a header row, then one row a
// prediction: run, c1, c2 (as the bars name them), height, width, end,
// question (in full, or named in a few words), answer, what the run did,
// measured, formula.
std::string worksheetText(const std::vector<Prediction>& predictions, bool english,
                          bool inFull = true);

}  // namespace palmos
