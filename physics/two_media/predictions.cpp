#include "physics/two_media/predictions.h"

#include <cmath>

#include "core/format.h"
#include "physics/two_media/readout.h"

namespace palmos {

namespace {

// A clean reading that differs from the ideal by at least the first and at
// most the second is the grid's own loss on the way, said in a sentence;
// closer, the two agree as far as a reading on the grid tells.
constexpr double kAgrees = 0.03;
constexpr double kGridLoss = 0.15;

const RunEvent* find(const std::vector<RunEvent>& events, RunEventKind kind) {
    for (const RunEvent& event : events) {
        if (event.kind == kind) {
            return &event;
        }
    }
    return nullptr;
}

// "A1/A0 = 0.43", or "A1/A0 ≈ 0.43" where the table gives no clean reading.
std::string named(const char* name, const PartReading& part) {
    return std::string(name) + (part.ratio ? " = " : " ≈ ") +
           formatNumber(part.ratio.value_or(part.seen));
}

// What the table shows of a part read at `level`, and a sentence on how the
// grid's reading stands to the ideal `ideal`.
struct Evidence {
    std::string measured;
    std::string note;
};

std::string gridNote(std::optional<double> measured, double ideal, Caption loses, Caption adds,
                     bool english) {
    if (!measured) {
        return caption(Caption::PredictRough, english);
    }
    const std::string m = formatNumber(*measured);
    const std::string i = formatNumber(ideal);
    const double off = std::fabs(*measured - ideal);
    if (off < kAgrees || off > kGridLoss) {
        return {};
    }
    return captionWith(std::fabs(*measured) < std::fabs(ideal) ? loses : adds, english, {m, i});
}

Evidence heightEvidence(const PartReading& part, const char* name, Caption which, int level,
                        double ideal, bool english) {
    return {
        captionWith(which, english, {std::to_string(level), named(name, part)}),
        gridNote(part.ratio, ideal, Caption::PredictGridLoses, Caption::PredictGridAdds, english)};
}

Evidence endEvidence(const PartReading& part, int level, double ideal, bool english) {
    const std::string times =
        captionWith(Caption::PredictFormulaEnd, english,
                    {(part.ratio ? "" : "≈ ") + formatNumber(part.ratio.value_or(part.seen))});
    return {
        captionWith(Caption::PredictMeasuredEnd, english, {std::to_string(level), times}),
        gridNote(part.ratio, ideal, Caption::PredictGridLoses, Caption::PredictGridAdds, english)};
}

Evidence widthEvidence(const PartReading& part, int level, double ideal, bool english) {
    if (!part.widthRatio) {
        return {caption(Caption::SpeedNotMeasured, english), {}};
    }
    const std::string times =
        captionWith(Caption::PredictFormulaWidth, english, {formatNumber(*part.widthRatio)});
    return {
        captionWith(Caption::PredictMeasuredTransmitted, english, {std::to_string(level), times}),
        gridNote(part.widthRatio, ideal, Caption::PredictGridWidth, Caption::PredictGridWidth,
                 english)};
}

// When each part arrived, counted from the pulse's arrival at the junction.
Evidence arrivalEvidence(const RunEvent& split, int junction, bool english) {
    const auto when = [&](const std::optional<int>& level) {
        return level ? captionWith(Caption::PredictLevelsAfter, english,
                                   {std::to_string(*level - junction), std::to_string(*level)})
                     : std::string(caption(Caption::PredictNeverArrives, english));
    };
    return {captionWith(Caption::PredictMeasuredArrivals, english,
                        {when(split.reflectedHome), when(split.transmittedAtEnd)}),
            {}};
}

std::string formulaOf(Question question, const IdealAnswer& ideal, const EventRun& run,
                      bool english) {
    switch (question) {
        case Question::ReflectedWay:
            return "A1/A0 = " + formatNumber(ideal.value);
        case Question::TransmittedHeight:
            return "B1/A0 = " + formatNumber(ideal.value);
        case Question::TransmittedWidth:
            return captionWith(Caption::PredictFormulaWidth, english, {formatNumber(ideal.value)});
        case Question::ArrivesFirst:
            // With equal speeds nothing comes back from the junction.
            if (ideal.answer == answer::kTransmittedFirst &&
                idealAnswer(Question::ReflectedWay, run).answer == answer::kNothingReflected) {
                return captionWith(Caption::PredictFormulaOnlyTransmitted, english,
                                   {formatWhole(ideal.other)});
            }
            return captionWith(Caption::PredictFormulaArrivals, english,
                               {formatWhole(ideal.value), formatWhole(ideal.other)});
        case Question::EndWay:
        case Question::EndHeight:
            return captionWith(Caption::PredictFormulaEnd, english, {formatNumber(ideal.value)});
    }
    return {};
}

}  // namespace

Caption questionCaption(Question question, bool inFull) {
    // Each question's caption is followed by its short name's, six rows on.
    constexpr int kToShort = static_cast<int>(Caption::QuestionReflectedWayShort) -
                             static_cast<int>(Caption::QuestionReflectedWay);
    static_assert(static_cast<int>(Caption::QuestionEndHeightShort) -
                      static_cast<int>(Caption::QuestionEndHeight) ==
                  kToShort);
    Caption full = Caption::QuestionReflectedWay;
    switch (question) {
        case Question::ReflectedWay:
            full = Caption::QuestionReflectedWay;
            break;
        case Question::TransmittedHeight:
            full = Caption::QuestionTransmittedHeight;
            break;
        case Question::TransmittedWidth:
            full = Caption::QuestionTransmittedWidth;
            break;
        case Question::ArrivesFirst:
            full = Caption::QuestionArrivesFirst;
            break;
        case Question::EndWay:
            full = Caption::QuestionEndWay;
            break;
        case Question::EndHeight:
            full = Caption::QuestionEndHeight;
            break;
    }
    return inFull ? full : static_cast<Caption>(static_cast<int>(full) + kToShort);
}

std::vector<Caption> answerCaptions(Question question) {
    switch (question) {
        case Question::ReflectedWay:
            return {Caption::AnswerUpright, Caption::AnswerUpsideDown,
                    Caption::AnswerNothingReflected};
        case Question::TransmittedHeight:
        case Question::EndHeight:
            return {Caption::AnswerHigher, Caption::AnswerLower, Caption::AnswerAsHigh};
        case Question::TransmittedWidth:
            return {Caption::AnswerWider, Caption::AnswerNarrower, Caption::AnswerAsWide};
        case Question::ArrivesFirst:
            return {Caption::AnswerReflectedFirst, Caption::AnswerTransmittedFirst,
                    Caption::AnswerTogether};
        case Question::EndWay:
            return {Caption::AnswerUpright, Caption::AnswerUpsideDown};
    }
    return {};
}

bool pausesBefore(RunEventKind kind) {
    return kind == RunEventKind::ReachesJunction || kind == RunEventKind::ReachesEnd;
}

std::vector<Question> questionsBefore(RunEventKind kind) {
    if (kind == RunEventKind::ReachesJunction) {
        return {Question::ReflectedWay, Question::TransmittedHeight, Question::TransmittedWidth,
                Question::ArrivesFirst};
    }
    if (kind == RunEventKind::ReachesEnd) {
        return {Question::EndWay, Question::EndHeight};
    }
    return {};
}

bool lastTickBefore(const RunEvent& event, int shown, int perTick) {
    return shown < event.level && event.level <= shown + std::max(1, perTick);
}

std::optional<Outcome> outcomeOf(Question question, const std::vector<RunEvent>& events,
                                 const EventRun& run, bool english) {
    const RunEvent* split = find(events, RunEventKind::Splits);
    const RunEvent* junction = find(events, RunEventKind::ReachesJunction);
    const RunEvent* back = find(events, RunEventKind::ComesBack);
    const bool atJunction = question != Question::EndWay && question != Question::EndHeight;
    const RunEvent* shows = atJunction ? split : back;
    if (shows == nullptr || (atJunction && junction == nullptr)) {
        return std::nullopt;
    }
    const IdealAnswer ideal = idealAnswer(question, run);
    Evidence evidence;
    switch (question) {
        case Question::ReflectedWay:
            evidence = heightEvidence(split->reflected, "A1/A0", Caption::PredictMeasuredReflected,
                                      split->level, ideal.value, english);
            break;
        case Question::TransmittedHeight:
            evidence =
                heightEvidence(split->transmitted, "B1/A0", Caption::PredictMeasuredTransmitted,
                               split->level, ideal.value, english);
            break;
        case Question::TransmittedWidth:
            evidence = widthEvidence(split->transmitted, split->level, ideal.value, english);
            break;
        case Question::ArrivesFirst:
            evidence = arrivalEvidence(*split, junction->level, english);
            break;
        case Question::EndWay:
        case Question::EndHeight:
            evidence = endEvidence(back->reflected, back->level, ideal.value, english);
            break;
    }
    // What happened at the junction shows as soon as both parts have left
    // it, its tail a point past it on the slower side; the values are read
    // later, where each part lies whole on its side.
    int level = shows->level;
    if (atJunction) {
        const double slower = std::min(run.driveTravel, run.farTravel);
        level = std::min(
            level, junction->level + static_cast<int>(std::ceil(run.pulseLevels + 1.0 / slower)));
    }
    return Outcome{.answer = ideal.answer,
                   .formula = formulaOf(question, ideal, run, english),
                   .measured = std::move(evidence.measured),
                   .note = std::move(evidence.note),
                   .level = level};
}

std::string worksheetText(const std::vector<Prediction>& predictions, bool english, bool inFull) {
    std::string text = std::string(caption(Caption::PredictWorksheetHeader, english)) + "\n";
    for (const Prediction& p : predictions) {
        const RunSettings& s = p.settings;
        const bool twoMedia = p.window == Caption::PredictTwoMedia;
        const std::vector<Caption> answers = answerCaptions(p.question);
        const std::optional<Outcome> outcome = p.outcome(english);
        const auto answerText = [&](int k) -> std::string {
            return k >= 0 && k < static_cast<int>(answers.size())
                       ? caption(answers[static_cast<std::size_t>(k)], english)
                       : caption(Caption::PredictNotAnswered, english);
        };
        const std::string end = caption(
            s.end == EndMode::Free ? Caption::SpaceTimeFree : Caption::SpaceTimeFixed, english);
        // The two-media window predicts on its step mode; a single string
        // has one speed on both sides.
        const TwoBars<double> bars = barsOf(TwoMediaScheme::StepMode, s);
        const std::string row[] = {
            caption(p.window, english),
            formatNumber(bars.c1),
            formatNumber(bars.c2),
            twoMedia ? formatNumber(firstPulseHeight(s.baseDepth, s.width, s.height, s.timeStep))
                     : std::string(),
            twoMedia ? std::to_string(s.width) : std::string(),
            end,
            captionWith(questionCaption(p.question, inFull), english, {end}),
            answerText(p.answer),
            outcome ? answerText(outcome->answer) : std::string(),
            outcome ? outcome->measured + (outcome->note.empty() ? "" : ". " + outcome->note)
                    : std::string(),
            outcome ? outcome->formula : std::string(),
        };
        for (std::size_t k = 0; k < std::size(row); ++k) {
            text += (k > 0 ? "\t" : "") + row[k];
        }
        text += "\n";
    }
    return text;
}

}  // namespace palmos
