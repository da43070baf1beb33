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
        announcer_ =
            std::make_unique<RunAnnouncer>(windows_, session_, *this, &QAccessible::isActive);
    }
    // The instruments' titles and texts, in the same language; their menus
    // read the caption table whenever they open.
    instruments_->retitle();
    eisagogi1().Show();
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
