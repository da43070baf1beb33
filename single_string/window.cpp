#include "single_string/window.h"

#include "core/runtime_error.h"
#include "navigation/navigation.h"
#include "single_string/simple_solution.h"
#include "ui/events.h"

namespace palmos {

YpervolaControls::YpervolaControls()
    : ui::Form("APLH LYSH", {ui::Face::TimesNewRoman, 8.25}, 14685, 14790) {}

Ypervola::Ypervola(SimpleRun& run, TimeStep& readoutTimeStep, Navigation& windows)
    : simpleRun(run), timeStep(readoutTimeStep), navigation(windows) {
    Command1.onClick([this] { Command1_Click(); });
    Command2.onClick([this] { Command2_Click(); });
    Command3.onClick([this] { Command3_Click(); });
    Command4.onClick([this] { Command4_Click(); });
    Command5.onClick([this] { Command5_Click(); });
    elefthero.onClick([this] { elefthero_Click(); });
    stathero.onClick([this] { stathero_Click(); });
    lamdaval.onChange([this] { lamdaval_Change(); });
    Timer1.onTimer([this] { Timer1_Timer(); });
}

void Ypervola::prepare() {
    PrepareSimpleSolution(*this, simpleRun, timeStep);
}

// START: recompute the motion for the chosen end and play it from level 0.
void Ypervola::Command1_Click() {
    prepare();
    CheckSimpleSolution(*this, simpleRun);
    Timer1.setEnabled(true);
    const int interval = 2;
    Timer1.setInterval(interval);
    simpleRun.levelsPerTick = interval;
    simpleRun.timeIndex = 0;
}

// The elliptic-equation button freezes the animation on its current frame.
void Ypervola::Command2_Click() {
    Timer1.setEnabled(false);
    navigation.showEllipticEquation();
}

void Ypervola::Command3_Click() {
    ui::End();
}

void Ypervola::Command4_Click() {
    navigation.openTwoMedia();
}

void Ypervola::Command5_Click() {
    navigation.showIntroduction();
}

void Ypervola::elefthero_Click() {
    if (!elefthero.Value()) {
        stathero.setValue(false);
    }
}

void Ypervola::stathero_Click() {
    if (!stathero.Value()) {
        elefthero.setValue(false);
    }
}

void Ypervola::lamdaval_Change() {
    simpleRun.lambda = lamdaval.Value() / 10.0;
}

// One frame: check pass, circles to the current level, on to the next level;
// the run ends after the frame of level 498.
void Ypervola::Timer1_Timer() {
    CheckSimpleSolution(*this, simpleRun);
    for (int b = 0; b <= simpleRun.lastPoint; ++b) {
        PlaceSimpleCircle(*this, simpleRun, b, simpleRun.timeIndex);
    }
    if (simpleRun.advance()) {
        Timer1.setEnabled(false);
    }
}

}  // namespace palmos
