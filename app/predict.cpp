#include "app/predict.h"

#include <memory>

#include "core/format.h"
#include "instruments/captions.h"
#include "instruments/context_menu.h"
#include "instruments/copy_data.h"
#include "instruments/dock.h"
#include "instruments/shown_part.h"
#include "instruments/worksheet_document.h"
#include "navigation/navigation.h"
#include "physics/two_media/readout.h"

namespace palmos {

namespace {

QString text(Caption which, bool english) {
    return instrumentCaption(which, english);
}

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

PredictMode::PredictMode(PredictedRun run, Worksheet& worksheet, Navigation& navigation)
    : run_(std::move(run)), worksheet_(worksheet), navigation_(navigation) {
    filledId_ = run_.run.onFilled.subscribe([this](const RunSettings&) { filled(); });
    shownId_ = run_.run.onLevelShown.subscribe([this](int level) { shown(level); });
    worksheetId_ = worksheet_.changed.subscribe([this] { showWorksheet(); });
    run_.instruments.menu()->setPredict([this] { return on_; }, [this] { setOn(!on_); });
}

PredictMode::~PredictMode() {
    run_.run.onFilled.unsubscribe(filledId_);
    run_.run.onLevelShown.unsubscribe(shownId_);
    worksheet_.changed.unsubscribe(worksheetId_);
    delete window_;
}

bool PredictMode::english() const {
    return navigation_.englishSelected();
}

void PredictMode::setOn(bool on) {
    on_ = on;
    holdBackInstruments();
    if (!on) {
        if (window_) {
            window_->close();
        }
        return;
    }
    if (window_.isNull()) {
        window_ = new PredictWindow(&run_.window);
        window_->onAnswer([this](int k) { answer(k); });
        window_->onCopy(
            [this] { copyToClipboard(fromUtf8(worksheetText(worksheet_.rows, english()))); });
        window_->onSave([this] { saveWorksheet(); });
        window_->onNext([this] { next(); });
    }
    retitle();
    showWorksheet();
    // A run filled before predict mode came on asks from its next tick.
    filled();
    run_.instruments.openInstrument(
        window_, [this] { copyToClipboard(fromUtf8(worksheetText(worksheet_.rows, english()))); });
}

void PredictMode::retitle() {
    if (window_) {
        const bool en = english();
        window_->setTexts({.title = text(Caption::PredictTitle, en),
                           .worksheet = text(Caption::PredictWorksheet, en),
                           .copy = text(Caption::PredictCopy, en),
                           .copyShown = text(Caption::PredictCopyShown, en),
                           .save = text(Caption::PredictSave, en),
                           .saveShown = text(Caption::PredictSaveShown, en),
                           .next = text(Caption::PredictNext, en)});
        run_.instruments.dock().setTabTitle(window_, text(Caption::Predict, en));
        showWorksheet();
        // The question open, or the run's answers so far, said again.
        if (open_) {
            for (const Asked& asked : asked_) {
                if (asked.row == *open_) {
                    showQuestion(asked);
                }
            }
        } else if (!asked_.empty()) {
            tellRun();
            window_->offerNext(holding_);
        }
    }
}

void PredictMode::filled() {
    events_.clear();
    pausedBefore_.clear();
    asked_.clear();
    open_.reset();
    holding_ = false;
    waiting_.reset();
    holdBackInstruments();
    if (on_ && run_.run.filled()) {
        events_ = run_.events();
        eventRun_ = run_.eventRun();
    }
    if (window_ && on_) {
        window_->offerNext(false);
        window_->tell(text(Caption::PredictWatch, english()));
    }
}

// The last tick before the pulse reaches the junction or the far end pauses
// the run and asks; a tick that shows what a question asked about pauses it
// with the outcome in view. A question whose moment comes while an outcome
// is held waits for the student to go on.
void PredictMode::shown(int level) {
    if (!on_) {
        return;
    }
    if (holding_ && level > heldAt_) {
        // The window's own CONTINUE or STEP went on.
        holding_ = false;
        window_->offerNext(false);
    }
    if (waiting_ && !holding_) {
        const std::size_t k = *waiting_;
        waiting_.reset();
        run_.pause();
        ask(events_[k]);
        return;
    }
    reveal(level);
    for (std::size_t k = 0; k < events_.size(); ++k) {
        const RunEvent& event = events_[k];
        if (pausesBefore(event.kind) && !pausedBefore_.contains(k) &&
            lastTickBefore(event, level, run_.run.levelsPerTick)) {
            pausedBefore_.insert(k);
            if (holding_) {
                waiting_ = k;
                return;
            }
            run_.pause();
            ask(event);
            return;
        }
    }
}

void PredictMode::ask(const RunEvent& event) {
    const bool en = english();
    const std::vector<Question> questions = questionsBefore(event.kind);
    int& turn = turns_[event.kind == RunEventKind::ReachesJunction ? 0 : 1];
    const Question question = questions[static_cast<std::size_t>(turn++) % questions.size()];
    worksheet_.rows.push_back({.window = run_.name,
                               .settings = run_.run.settings(),
                               .question = question,
                               .events = events_,
                               .run = eventRun_});
    const std::size_t row = worksheet_.rows.size() - 1;
    const std::optional<Outcome> outcome = outcomeOf(question, events_, eventRun_, en);
    asked_.push_back({.row = row,
                      .shownFrom = outcome ? std::optional(outcome->level) : std::nullopt,
                      .end = event.end});
    open_ = row;
    holdBackInstruments();
    showQuestion(asked_.back());
    run_.instruments.openInstrument(window_, {});
    worksheet_.changed();
}

// The question of `asked`, in the language of the moment, with its answers.
void PredictMode::showQuestion(const Asked& asked) {
    const bool en = english();
    const Question question = worksheet_.rows[asked.row].question;
    QStringList answers;
    for (const Caption answer : answerCaptions(question)) {
        answers << text(answer, en);
    }
    window_->ask(questionText(question, asked.end, true), answers);
}

// A question in full or in a few words, naming the far end where it asks
// about it.
QString PredictMode::questionText(Question question, EndMode end, bool inFull) const {
    const bool en = english();
    const QString words = text(questionCaption(question, inFull), en);
    if (!words.contains(QLatin1String("%1"))) {
        return words;
    }
    return words.arg(
        text(end == EndMode::Free ? Caption::SpaceTimeFree : Caption::SpaceTimeFixed, en));
}

void PredictMode::answer(int k) {
    if (!open_ || k >= static_cast<int>(answerCaptions(worksheet_.rows[*open_].question).size()) ||
        k < 0) {
        return;
    }
    const std::size_t row = *open_;
    open_.reset();
    holdBackInstruments();
    worksheet_.rows[row].answer = k;
    tellRun();
    worksheet_.changed();
    run_.resume();
}

void PredictMode::next() {
    if (!holding_) {
        return;
    }
    holding_ = false;
    window_->offerNext(false);
    if (waiting_) {
        const std::size_t k = *waiting_;
        waiting_.reset();
        ask(events_[k]);
        return;
    }
    run_.resume();
}

// The run has shown the outcome of the questions asked: each goes into the
// worksheet, and the run waits with them in view.
void PredictMode::reveal(int level) {
    bool revealed = false;
    std::set<std::size_t> now;
    for (const Asked& asked : asked_) {
        Prediction& prediction = worksheet_.rows[asked.row];
        if (!prediction.shown && asked.shownFrom && level >= *asked.shownFrom) {
            prediction.shown = true;
            if (open_ == asked.row) {
                open_.reset();
                holdBackInstruments();
            }
            revealed = true;
            now.insert(asked.row);
        }
    }
    if (revealed) {
        // A question still waiting for its answer keeps the window.
        if (!open_) {
            held_ = std::move(now);
            hold(level);
        }
        worksheet_.changed();
    }
}

// While a question waits for its answer the instruments show the run only up
// to the level shown: what comes after is the answer.
void PredictMode::holdBackInstruments() {
    showUpToLevelShown(run_.instruments, on_ && open_.has_value());
}

void PredictMode::hold(int level) {
    run_.pause();
    holding_ = true;
    heldAt_ = level;
    tellRun();
    window_->offerNext(true);
}

// Each question of this run, named in a few words: the answer given, then
// what the run did, or that it is still to come.
void PredictMode::tellRun() {
    const bool en = english();
    QStringList told;
    for (const Asked& asked : asked_) {
        // An outcome held in view is told alone: the others are in the
        // worksheet.
        if (holding_ && !held_.contains(asked.row)) {
            continue;
        }
        const Prediction& prediction = worksheet_.rows[asked.row];
        const std::vector<Caption> answers = answerCaptions(prediction.question);
        const auto answerText = [&](int k) {
            return k >= 0 && k < static_cast<int>(answers.size())
                       ? text(answers[static_cast<std::size_t>(k)], en)
                       : text(Caption::PredictNotAnswered, en);
        };
        QString line = questionText(prediction.question, asked.end, false);
        line += QString::fromUtf8(" — ") +
                text(Caption::PredictYourAnswer, en).arg(answerText(prediction.answer));
        const std::optional<Outcome> outcome = prediction.outcome(en);
        if (!asked.shownFrom) {
            line += QLatin1Char(' ') + text(Caption::PredictBeyondRun, en);
        } else if (!outcome) {
            line += QLatin1Char(' ') + text(Caption::PredictWatch, en);
        } else {
            line +=
                QLatin1Char(' ') + text(Caption::PredictRunDid, en)
                                       .arg(answerText(outcome->answer), fromUtf8(outcome->formula),
                                            fromUtf8(outcome->measured));
            if (!outcome->note.empty()) {
                line += QLatin1Char(' ') + fromUtf8(outcome->note);
            }
            if (prediction.answer >= 0) {
                line += QLatin1Char(' ') + text(prediction.answer == outcome->answer
                                                    ? Caption::PredictAgrees
                                                    : Caption::PredictDiffers,
                                                en);
            }
        }
        told << line;
    }
    // Heights against the incoming pulse, whose height the two-media window
    // shows as A0.
    if (!asked_.empty() && run_.name == Caption::PredictTwoMedia) {
        const RunSettings& s = run_.run.settings();
        told.prepend(text(Caption::PredictUnit, en)
                         .arg(fromUtf8(formatNumber(
                             firstPulseHeight(s.baseDepth, s.width, s.height, s.timeStep)))));
    }
    if (window_) {
        window_->tell(told.join(QStringLiteral("\n")));
    }
}

void PredictMode::showWorksheet() {
    if (window_) {
        const bool en = english();
        window_->setWorksheet(fromUtf8(worksheetText(worksheet_.rows, en, false)),
                              fromUtf8(worksheetText(worksheet_.rows, en)));
    }
}

void PredictMode::saveWorksheet() {
    const bool en = english();
    const QDateTime now = QDateTime::currentDateTime();
    saveWorksheetFile(*window_,
                      worksheetPaper(text(Caption::PredictTitle, en),
                                     fromUtf8(worksheetText(worksheet_.rows, en)), en, now.date()),
                      en, saveDialogs_, now);
}

}  // namespace palmos
