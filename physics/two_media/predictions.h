// Predict, observe, explain: the questions a run asks before the pulse
// reaches the junction or the far end, the answers a student can give, the
// answer the physics gives with the formula's value, what the run's table
// shows as evidence, and the worksheet that keeps a session's predictions.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/captions.h"
#include "core/run.h"
#include "physics/two_media/ideal_answers.h"
#include "physics/two_media/run_events.h"

namespace palmos {

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

// What a question's outcome says: the answer the physics gives (its index),
// the formula's value behind it, what the run's table shows (which part, at
// which level, its value), a sentence where the grid's reading differs from
// the ideal, and the level from which the run shows it. Empty when the run
// ends before it shows.
struct Outcome {
    int answer = 0;
    std::string formula;
    std::string measured;
    std::string note;
    int level = 0;
};
std::optional<Outcome> outcomeOf(Question question, const std::vector<RunEvent>& events,
                                 const EventRun& run, bool english);

// One question asked in a session: the window and settings of its run, the
// student's answer (-1 before one), the run's events and what it is in the
// physics' terms, and whether the run has shown the outcome yet. The
// outcome's texts are made in the language asked for.
struct Prediction {
    Caption window = Caption::PredictTwoMedia;
    RunSettings settings;
    Question question = Question::ReflectedWay;
    int answer = -1;
    std::vector<RunEvent> events = {};
    EventRun run = {};
    bool shown = false;

    std::optional<Outcome> outcome(bool english) const {
        return shown ? outcomeOf(question, events, run, english) : std::nullopt;
    }
};

// The worksheet as tab-separated text: a header row, then one row a
// prediction: run, c1, c2 (as the bars name them), the height A0 the window
// shows, width, end, question (in full, or named in a few words), answer,
// the physics' answer, what was measured, the formula's value.
std::string worksheetText(const std::vector<Prediction>& predictions, bool english,
                          bool inFull = true);

}  // namespace palmos
