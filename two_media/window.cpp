#include "two_media/window.h"

#include "navigation/navigation.h"
#include "ui/events.h"

namespace palmos {

DyomessaControls::DyomessaControls()
    : ui::Form("DYO MESA", {ui::Face::SansSerif, 8}, 12600, 8400) {}

Dyomessa::Dyomessa(TwoMediaParts::Runs runs, Navigation& navigation)
    : parts_{.window = *this, .runs = runs, .navigation = navigation},
      twoMediaRun(runs.twoMediaRun),
      stepRun(runs.stepRun) {
    Label1.setForeColor(Qt::red);
    // Each bar is named, for screen readers, by the label that shows its value.
    Label1.setBuddy(&cmeso1);
    Label2.setBuddy(&cmesso2);
    Label3.setBuddy(&platos);
    Label4.setBuddy(&rythmisidt);
    Label5.setBuddy(&evros);
    cmeso1.onChange([this] { cmeso1_Change(); });
    cmesso2.onChange([this] { cmesso2_Change(); });
    platos.onChange([this] { platos_Change(); });
    evros.onChange([this] { evros_Change(); });
    rythmisidt.onChange([this] { rythmisidt_Change(); });
    elefthero1.onClick([this] { elefthero1_Click(); });
    stathero1.onClick([this] { stathero1_Click(); });
    Command1.onClick([this] { Command1_Click(); });
    Command2.onClick([this] { Command2_Click(); });
    Command3.onClick([this] { Command3_Click(); });
    Command4.onClick([this] { Command4_Click(); });
    Command5.onClick([this] { Command5_Click(); });
    Command6.onClick([this] { Command6_Click(); });
    Command7.onClick([this] { Command7_Click(); });
    Timer1.onTimer([this] { Timer1_Timer(); });
    Timer2.onTimer([this] { Timer2_Timer(); });
}

void Dyomessa::prepare() {
    PrepareTwoMediaSolution(parts_);
}

void Dyomessa::Form_Load() {
    // The defaults; the change handlers they raise run before the scale
    // exists, and what they write is overwritten below.
    evros.setValue(kTwoMediaBarDefaults.evros);
    platos.setValue(kTwoMediaBarDefaults.platos);
    cmesso2.setValue(kTwoMediaBarDefaults.cmesso2);
    cmeso1.setValue(kTwoMediaBarDefaults.cmeso1);

    const StringScale scale = stringScale(parts_.runs.simpleRun.lastPoint);
    Scale(scale.x1, scale.y1, scale.x2, scale.y2);

    // Solid circles: red for the far side, black from the junction on.
    for (int i = 0; i <= 60; ++i) {
        Shape1(i).setFillStyle(0);
        Shape1(i).setFillColor(i < 30 ? QColor(255, 0, 0) : QColor(0, 0, 0));
    }
    ShowCoefficients(parts_);
    ShowPulseLabels(parts_);
}

void Dyomessa::cmeso1_Change() {
    ShowCoefficients(parts_, Caption::ReflectedLabelAfterC1);
    Label1.setCaption(
        QString::fromStdString(label1Text(speedFromBar(cmeso1.Value()), SpeedLabelStyle::Change)));
}

void Dyomessa::cmesso2_Change() {
    ShowCoefficients(parts_);
    Label2.setCaption(
        QString::fromStdString(label2Text(speedFromBar(cmesso2.Value()), SpeedLabelStyle::Change)));
}

void Dyomessa::platos_Change() {
    ShowCoefficients(parts_);
    ShowPulseLabels(parts_);
}

void Dyomessa::evros_Change() {
    Label5.setCaption(
        QString::fromStdString(label5Text(evros.Value(), parts_.navigation.englishSelected())));
}

// The interval itself is taken from the bar at the next START of the step mode.
void Dyomessa::rythmisidt_Change() {
    Label4.setCaption(QString::fromStdString(label4Text(rythmisidt.Value())));
}

// The far-end options only keep each other exclusive; the end takes effect
// at the next START.
void Dyomessa::elefthero1_Click() {}
void Dyomessa::stathero1_Click() {}

// START of the continuous run: recompute with the default parameters and play
// five levels per tick from level 0.
void Dyomessa::Command1_Click() {
    prepare();
    CheckTwoMediaSolution(parts_);
    Timer1.setEnabled(true);
    const int interval = 5;
    Timer1.setInterval(interval);
    twoMediaRun.levelsPerTick = interval;
    twoMediaRun.twoMediaTimeIndex = 0;
}

void Dyomessa::Timer1_Timer() {
    CheckTwoMediaSolution(parts_);
    const int level = twoMediaRun.twoMediaTimeIndex;
    for (int i = 0; i <= twoMediaRun.twoMediaLastPoint; ++i) {
        ui::Shape& circle = Shape1(i);
        circle.setTop(
            static_cast<float>(circle.Height() / 2 + twoMediaRun.twoMediaTable.at(i, level)));
    }
    if (twoMediaRun.advance()) {
        Timer1.setEnabled(false);
    }
}

// START of the step mode, with the speeds, pulse and interval now set.
void Dyomessa::Command2_Click() {
    Command7.setVisible(false);
    PrepareStepMode(parts_);
    stepRun.stepLevel = 0;
    stepRun.stepRunFinished = false;
    Timer2.setEnabled(true);
    const int interval = rythmisidt.Value();
    Timer2.setInterval(interval);
    stepRun.levelsPerTick = interval;
}

// STOP: pause and offer single steps.
void Dyomessa::Command3_Click() {
    Command7.setVisible(true);
    Timer2.setEnabled(false);
}

// INTRODUCTION: the only button that hides its window; runs go on.
void Dyomessa::Command4_Click() {
    parts_.navigation.showIntroduction();
    Hide();
}

// CONTINUE, unless the run has reached its last level.
void Dyomessa::Command5_Click() {
    if (!stepRun.stepRunFinished) {
        Timer2.setEnabled(true);
    }
}

void Dyomessa::Command6_Click() {
    ui::End();
}

void Dyomessa::Command7_Click() {
    ShowNextStep(parts_);
}

void Dyomessa::Timer2_Timer() {
    ShowNextStep(parts_);
}

}  // namespace palmos
