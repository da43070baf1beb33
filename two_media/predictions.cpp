#include "two_media/predictions.h"

#include <cmath>

#include "core/format.h"

namespace palmos {

namespace {

// A height or width within this share of the incoming pulse's is the same.
constexpr double kSame = 0.05;
// Two arrivals this many levels apart or fewer come together.
constexpr int kTogether = 3;

// The answers of the three-way comparisons, in their order.
enum Comparison { More = 0, Less = 1, Same = 2 };

Comparison compare(double ratio) {
    if (std::fabs(ratio - 1.0) <= kSame) {
        return Same;
    }
    return ratio > 1.0 ? More : Less;
}

const RunEvent* find(const std::vector<RunEvent>& events, RunEventKind kind) {
    for (const RunEvent& event : events) {
        if (event.kind == kind) {
            return &event;
        }
    }
    return nullptr;
}

std::string ratioText(const char* name, std::optional<double> ratio) {
    return ratio ? std::string(name) + " = " + formatNumber(*ratio) : std::string();
}

// A reading with its name; where the table gives no clean reading, what was
// seen, marked as rough.
std::string reading(const char* name, const std::optional<double>& clean, double seen) {
    return clean ? ratioText(name, clean) : std::string(name) + " ≈ " + formatNumber(seen);
}

// How a part stands: upright, upside down, or not there.
Outcome wayOf(const PartReading& part, const char* name, int level, bool canBeNone) {
    const int answer = canBeNone && !part.present() ? 2 : (part.upright() ? 0 : 1);
    return {.answer = answer,
            .measured = reading(name, part.ratio, part.seen),
            .formula = ratioText(name, part.formula),
            .level = level};
}

Outcome heightOf(const PartReading& part, const char* name, int level) {
    return {.answer = compare(std::fabs(part.ratio.value_or(part.seen))),
            .measured = reading(name, part.ratio, part.seen),
            .formula = ratioText(name, std::fabs(part.formula)),
            .level = level};
}

std::optional<Outcome> widthOf(const PartReading& part, int level, bool english) {
    if (!part.widthRatio) {
        return Outcome{.answer = compare(part.widthFormula),
                       .measured = caption(Caption::SpeedNotMeasured, english),
                       .formula = formatNumber(part.widthFormula),
                       .level = level};
    }
    return Outcome{.answer = compare(*part.widthRatio),
                   .measured = formatNumber(*part.widthRatio),
                   .formula = formatNumber(part.widthFormula),
                   .level = level};
}

std::string levelText(const std::optional<int>& level, bool english) {
    return level ? std::to_string(*level) : caption(Caption::PredictNeverArrives, english);
}

std::optional<Outcome> firstOf(const RunEvent& split, bool english) {
    const std::optional<int> back = split.reflectedHome;
    const std::optional<int> on = split.transmittedAtEnd;
    if (!back && !on) {
        return std::nullopt;
    }
    int answer = Same;
    if (!back || (on && *on + kTogether < *back)) {
        answer = 1;
    } else if (!on || *back + kTogether < *on) {
        answer = 0;
    }
    const int known = std::max(back.value_or(*on), on.value_or(*back));
    return Outcome{.answer = answer,
                   .measured = captionWith(Caption::PredictLevels, english,
                                           {levelText(back, english), levelText(on, english)}),
                   .formula = "-",
                   .level = known};
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
                                 bool english) {
    const RunEvent* split = find(events, RunEventKind::Splits);
    const RunEvent* back = find(events, RunEventKind::ComesBack);
    switch (question) {
        case Question::ReflectedWay:
            return split ? std::optional(wayOf(split->reflected, "A1/A0", split->level, true))
                         : std::nullopt;
        case Question::TransmittedHeight:
            return split ? std::optional(heightOf(split->transmitted, "B1/A0", split->level))
                         : std::nullopt;
        case Question::TransmittedWidth:
            return split ? widthOf(split->transmitted, split->level, english) : std::nullopt;
        case Question::ArrivesFirst:
            return split ? firstOf(*split, english) : std::nullopt;
        case Question::EndWay:
            return back ? std::optional(wayOf(back->reflected, "A/A0", back->level, false))
                        : std::nullopt;
        case Question::EndHeight:
            return back ? std::optional(heightOf(back->reflected, "A/A0", back->level))
                        : std::nullopt;
    }
    return std::nullopt;
}

std::string worksheetText(const std::vector<Prediction>& predictions, bool english, bool inFull) {
    std::string text = std::string(caption(Caption::PredictWorksheetHeader, english)) + "\n";
    for (const Prediction& p : predictions) {
        const RunSettings& s = p.settings;
        const bool twoMedia = p.window == Caption::PredictTwoMedia;
        const std::vector<Caption> answers = answerCaptions(p.question);
        const auto answerText = [&](int k) -> std::string {
            return k >= 0 && k < static_cast<int>(answers.size())
                       ? caption(answers[static_cast<std::size_t>(k)], english)
                       : caption(Caption::PredictNotAnswered, english);
        };
        const std::string end = caption(
            s.end == EndMode::Free ? Caption::SpaceTimeFree : Caption::SpaceTimeFixed, english);
        // The step mode's bars: c1 on the far side, c2 on the source's.
        const std::string row[] = {
            caption(p.window, english),
            formatNumber(twoMedia ? s.farSideSpeed : s.driveSideSpeed),
            formatNumber(s.driveSideSpeed),
            twoMedia ? std::to_string(s.height) : std::string(),
            twoMedia ? std::to_string(s.width) : std::string(),
            end,
            captionWith(questionCaption(p.question, inFull), english, {end}),
            answerText(p.answer),
            p.outcome ? answerText(p.outcome->answer) : std::string(),
            p.outcome ? p.outcome->measured : std::string(),
            p.outcome ? p.outcome->formula : std::string(),
        };
        for (std::size_t k = 0; k < std::size(row); ++k) {
            text += (k > 0 ? "\t" : "") + row[k];
        }
        text += "\n";
    }
    return text;
}

}  // namespace palmos
