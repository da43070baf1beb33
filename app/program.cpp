#include "app/program.h"

#include <QAccessible>

#include "app/language.h"
#include "ui/events.h"
#include "ui/zoom.h"

namespace palmos {

// A program begins afresh: nothing has ended it yet, and the zoom is the
// one that fits the screen.
Program::Program() : windows_(session_, *this) {
    ui::beginProgram();
    ui::startAtFittedZoom();
}

Program::~Program() = default;

void Program::applyLanguage() {
    writeCaptions(windows_);
    if (!instruments_) {
        instruments_ = std::make_unique<RunInstruments>(windows_, session_, *this);
        makePredictModes();
        announcer_ =
            std::make_unique<RunAnnouncer>(windows_, session_, *this, &QAccessible::isActive);
    }
    // The instruments' titles and texts, in the same language; their menus
    // read the caption table whenever they open.
    instruments_->retitle();
    simplePredict_->retitle();
    twoMediaPredict_->retitle();
    eisagogi1().Show();
}

// The step mode pauses as STOP pauses it and goes on as CONTINUE does; the
// single string, which has no pause of its own, stops and restarts its timer
// as the elliptic-equation button stops it.
void Program::makePredictModes() {
    Ypervola& simple = ypervola();
    SimpleRun& simpleRun = session_.simpleRun;
    simplePredict_ = std::make_unique<PredictMode>(
        PredictedRun{.name = Caption::PredictSimpleSolution,
                     .window = simple,
                     .run = simpleRun,
                     .events = [&simpleRun] { return runEventsOf(simpleRun); },
                     .eventRun = [&simpleRun] { return eventRunOf(simpleRun); },
                     .pause = [&simple] { simple.Timer1.setEnabled(false); },
                     .resume =
                         [&simple, &simpleRun] {
                             if (!simpleRun.playedOut()) {
                                 simple.Timer1.setEnabled(true);
                             }
                         },
                     .instruments = instruments_->simpleSolution()},
        worksheet_, *this);

    Dyomessa& twoMedia = dyomessa();
    StepRun& stepRun = session_.stepRun;
    twoMediaPredict_ = std::make_unique<PredictMode>(
        PredictedRun{.name = Caption::PredictTwoMedia,
                     .window = twoMedia,
                     .run = stepRun,
                     .events = [&stepRun] { return runEventsOf(stepRun); },
                     .eventRun = [&stepRun] { return eventRunOf(stepRun); },
                     .pause = [&twoMedia] { twoMedia.Command3_Click(); },
                     .resume = [&twoMedia] { twoMedia.Command5_Click(); },
                     .instruments = instruments_->twoMedia()},
        worksheet_, *this);
}

void Program::showIntroduction() {
    eisagogi1().Show();
}

void Program::openSimpleSolution() {
    ypervola().prepare();
}

void Program::openTwoMedia() {
    dyomessa().prepare();
    dyomessa().Show();
}

void Program::showEllipticEquation() {
    elliptikh().Show();
}

bool Program::englishSelected() {
    return eisagogi1().Option1.Value();
}

}  // namespace palmos
