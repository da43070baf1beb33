#include "two_media/procedures.h"

#include <QString>

#include "app/introduction.h"
#include "core/program_steps.h"
#include "single_string/simple_solution.h"
#include "two_media/solver.h"
#include "two_media/window.h"

namespace palmos {

namespace {

QString text(const std::string& utf8) {
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

bool englishSelected() {
    return eisagogi1().Option1.Value();
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
        text(coefficientReadout(inputs, englishSelected(), englishReflectedLabel)));
}

void ShowPulseLabels() {
    Dyomessa& window = dyomessa();
    const bool english = englishSelected();
    const double a0 =
        firstPulseHeight(baseDepth(), window.evros.Value(), window.platos.Value(), timeStep);
    window.Label3.setCaption(text(label3Text(a0, english)));
    window.Label4.setCaption(text(label4Text(window.rythmisidt.Value())));
    window.Label5.setCaption(text(label5Text(window.evros.Value(), english)));
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
    spaceStep = 1;

    window.setWidth(ui::screenWidth());
    window.setHeight(ui::screenHeight());
    window.setLeft(0);
    window.setTop(0);
    twoMediaLastPoint = 60;
    window.Scale(0, 0.62, (lastPoint + 2) * 5, -0.3);
    window.Show();

    window.Label2.setCaption(
        text(label2Text(window.cmesso2.Value() / 100.0, SpeedLabelStyle::Setup)));
    window.Label1.setCaption(
        text(label1Text(window.cmeso1.Value() / 100.0, SpeedLabelStyle::Setup)));
    c2 = window.cmesso2.Value() / 100.0;
    c1 = window.cmeso1.Value() / 100.0;

    // The string at rest, each circle a 62nd of the width after the one
    // before, coloured by its medium: red far side, green junction, black
    // drive side.
    for (int i = 0; i <= twoMediaLastPoint; ++i) {
        twoMediaTable.set(i, 0, 0.0);
        const float spacing = static_cast<float>(window.ScaleWidth()) / 62;
        ui::Shape& circle = window.Shape1(i);
        circle.setLeft(i == 0 ? 0.0f : window.Shape1(i - 1).Left() + spacing);
        circle.setTop(static_cast<float>(circle.Height() / 2 + twoMediaTable.at(i, 0)));
        circle.setBorderColor(i < kTwoMediaJunction    ? QColor(255, 0, 0)
                              : i == kTwoMediaJunction ? QColor(0, 255, 0)
                                                       : QColor(0, 0, 0));
    }

    computeTwoMediaSolution(twoMediaTable, {.c1 = c1,
                                            .c2 = c2,
                                            .height = window.platos.Value(),
                                            .baseDepth = baseDepth(),
                                            .end = chosenEnd(window),
                                            .lastPoint = twoMediaLastPoint});
}

void CheckTwoMediaSolution() {
    const Dyomessa& window = dyomessa();
    checkTwoMediaSolution(twoMediaTable, twoMediaTimeIndex, window.Timer1.Interval(), c1, c2,
                          chosenEnd(window));
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
        .lastPoint = twoMediaLastPoint};
    spaceStep = settings.spaceStep;
    timeStep = settings.timeStep;
    ShowCoefficients();
    solveStepMode(stepDisplacement, stepVelocity, stepSlope, settings);
}

void ShowNextStep() {
    if (stepRunFinished) {
        return;
    }
    Dyomessa& window = dyomessa();
    for (int i = 0; i <= twoMediaLastPoint; ++i) {
        ui::Shape& circle = window.Shape1(i);
        const double drawnAt = circle.Top() - circle.Height() / 2;
        if (stepCircleMoves(stepDisplacement, stepLevel, i, drawnAt)) {
            circle.setTop(
                static_cast<float>(stepDisplacement.at(i, stepLevel) + circle.Height() / 2));
        }
    }
    stepLevel += window.Timer2.Interval();

    for (const double y : gridLineHeights(window.ScaleHeight())) {
        window.Line(window.ScaleLeft(), y, window.ScaleLeft() + window.ScaleWidth(), y, Qt::black);
    }

    // The tables end at the last computed level: the mode stops there as if
    // STOP had been pressed, and waits for the next START.
    if (stepLevel > kLastStepLevel) {
        window.Timer2.setEnabled(false);
        window.Command7.setVisible(true);
        stepRunFinished = true;
    }
}

}  // namespace palmos
