#include "two_media/procedures.h"

#include <QString>

#include "core/program_steps.h"
#include "navigation/language_choice.h"
#include "single_string/simple_solution.h"
#include "two_media/solver.h"
#include "two_media/window.h"

namespace palmos {

namespace {

QString fromUtf8(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

EndMode chosenEnd(const Dyomessa& window) {
    return window.stathero1.Value() ? EndMode::Fixed : EndMode::Free;
}

}  // namespace

float baseDepth() {
    const Dyomessa& window = dyomessa();
    return -static_cast<float>(window.ScaleTop() + window.ScaleHeight());
}

void ShowCoefficients(std::string_view englishReflectedLabel) {
    Dyomessa& window = dyomessa();
    const CoefficientInputs inputs{.baseDepth = baseDepth(),
                                   .width = window.evros.Value(),
                                   .c1 = window.cmeso1.Value() / 100.0,
                                   .c2 = window.cmesso2.Value() / 100.0,
                                   .height = window.platos.Value(),
                                   .timeStep = timeStep};
    window.Text1.setText(
        fromUtf8(coefficientReadout(inputs, englishSelected(), englishReflectedLabel)));
}

void ShowPulseLabels() {
    Dyomessa& window = dyomessa();
    const bool english = englishSelected();
    const double a0 =
        firstPulseHeight(baseDepth(), window.evros.Value(), window.platos.Value(), timeStep);
    window.Label3.setCaption(fromUtf8(label3Text(a0, english)));
    window.Label4.setCaption(fromUtf8(label4Text(window.rythmisidt.Value())));
    window.Label5.setCaption(fromUtf8(label5Text(window.evros.Value(), english)));
}

void PrepareTwoMediaSolution() {
    Dyomessa& window = dyomessa();

    // Back to the default parameters; each change raises its bar's handler.
    window.cmesso2.setValue(30);
    window.cmeso1.setValue(30);
    window.evros.setValue(20);
    window.platos.setValue(100);

    timeStep = 0.6;
    ShowCoefficients();
    ShowPulseLabels();

    window.setWidth(ui::screenWidth());
    window.setHeight(ui::screenHeight());
    window.setLeft(0);
    window.setTop(0);
    twoMediaRun.twoMediaLastPoint = 60;
    // The single string's lastPoint on purpose: both windows share one scale
    // (its right edge is 10 until the simple solution was first prepared).
    window.Scale(0, 0.62, (simpleRun.lastPoint + 2) * 5, -0.3);
    window.Show();

    window.Label2.setCaption(
        fromUtf8(label2Text(window.cmesso2.Value() / 100.0, SpeedLabelStyle::Setup)));
    window.Label1.setCaption(
        fromUtf8(label1Text(window.cmeso1.Value() / 100.0, SpeedLabelStyle::Setup)));
    twoMediaRun.c2 = window.cmesso2.Value() / 100.0;
    twoMediaRun.c1 = window.cmeso1.Value() / 100.0;

    // The string at rest, each circle a 62nd of the width after the one
    // before, coloured by its medium: red far side, green junction, black
    // drive side.
    for (int i = 0; i <= twoMediaRun.twoMediaLastPoint; ++i) {
        twoMediaRun.twoMediaTable.set(i, 0, 0.0);
        const float spacing = static_cast<float>(window.ScaleWidth()) / 62;
        ui::Shape& circle = window.Shape1(i);
        circle.setLeft(i == 0 ? 0.0f : window.Shape1(i - 1).Left() + spacing);
        circle.setTop(static_cast<float>(circle.Height() / 2 + twoMediaRun.twoMediaTable.at(i, 0)));
        circle.setBorderColor(i < kTwoMediaJunction    ? QColor(255, 0, 0)
                              : i == kTwoMediaJunction ? QColor(0, 255, 0)
                                                       : QColor(0, 0, 0));
    }

    computeTwoMediaSolution(twoMediaRun.twoMediaTable,
                            {.c1 = twoMediaRun.c1,
                             .c2 = twoMediaRun.c2,
                             .height = window.platos.Value(),
                             .baseDepth = baseDepth(),
                             .end = chosenEnd(window),
                             .lastPoint = twoMediaRun.twoMediaLastPoint});
    twoMediaRun.end = chosenEnd(window);
    twoMediaRun.filledAt = ++tableFillings;
}

void CheckTwoMediaSolution() {
    const Dyomessa& window = dyomessa();
    twoMediaCheckPass(twoMediaRun.twoMediaTable, twoMediaRun.twoMediaTimeIndex,
                      window.Timer1.Interval(), twoMediaRun.c1, twoMediaRun.c2, chosenEnd(window));
}

void PrepareStepMode() {
    Dyomessa& window = dyomessa();
    const StepModeSettings settings{
        .c1 = window.cmeso1.Value() / 100.0,
        .c2 = window.cmesso2.Value() / 100.0,
        .width = window.evros.Value(),
        .height = window.platos.Value(),
        .baseDepth = baseDepth(),
        .end = window.elefthero1.Value() ? EndMode::Free : EndMode::Fixed,
        .timeStep = 0.6,
        .spaceStep = 1,
        .lastPoint = twoMediaRun.twoMediaLastPoint};
    timeStep = settings.timeStep;
    ShowCoefficients();
    solveStepMode(stepRun.stepDisplacement, stepRun.stepVelocity, stepRun.stepSlope, settings);
    stepRun.used = settings;
    stepRun.filledAt = ++tableFillings;
}

void ShowNextStep() {
    if (stepRun.stepRunFinished) {
        return;
    }
    Dyomessa& window = dyomessa();
    for (int i = 0; i <= twoMediaRun.twoMediaLastPoint; ++i) {
        ui::Shape& circle = window.Shape1(i);
        const double drawnAt = circle.Top() - circle.Height() / 2;
        if (stepCircleMoves(stepRun.stepDisplacement, stepRun.stepLevel, i, drawnAt)) {
            circle.setTop(static_cast<float>(stepRun.stepDisplacement.at(i, stepRun.stepLevel) +
                                             circle.Height() / 2));
        }
    }
    stepRun.stepLevel += window.Timer2.Interval();

    for (const double y : gridLineHeights(window.ScaleHeight())) {
        window.Line(window.ScaleLeft(), y, window.ScaleLeft() + window.ScaleWidth(), y, Qt::black);
    }

    // The tables end at the last computed level: the mode stops there as if
    // STOP had been pressed, and waits for the next START.
    if (stepRun.stepLevel > kLastStepLevel) {
        window.Timer2.setEnabled(false);
        window.Command7.setVisible(true);
        stepRun.stepRunFinished = true;
    }
}

}  // namespace palmos
