#include "two_media/procedures.h"

#include <QString>

#include "navigation/navigation.h"
#include "physics/two_media/solver.h"

namespace palmos {

namespace {

QString fromUtf8(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// The speeds the bars c1 and c2 stand at.
TwoBars<double> barSpeeds(const DyomessaControls& window) {
    return {.c1 = speedFromBar(window.cmeso1.Value()), .c2 = speedFromBar(window.cmesso2.Value())};
}

EndMode chosenEnd(const DyomessaControls& window) {
    return window.stathero1.Value() ? EndMode::Fixed : EndMode::Free;
}

// Back to the default parameters; each change raises its bar's handler.
void resetBars(DyomessaControls& window) {
    window.cmesso2.setValue(kTwoMediaBarDefaults.cmesso2);
    window.cmeso1.setValue(kTwoMediaBarDefaults.cmeso1);
    window.evros.setValue(kTwoMediaBarDefaults.evros);
    window.platos.setValue(kTwoMediaBarDefaults.platos);
}

// The whole screen, in the scale both string windows share.
void stretchAndScale(DyomessaControls& window, const SimpleRun& simpleRun) {
    window.setWidth(ui::screenWidth());
    window.setHeight(ui::screenHeight());
    window.setLeft(0);
    window.setTop(0);
    const StringScale scale = stringScale(simpleRun.lastPoint);
    window.Scale(scale.x1, scale.y1, scale.x2, scale.y2);
}

// The string at rest, each circle a 62nd of the width after the one before,
// coloured by its medium: red far side, green junction, black drive side.
void placeCirclesAtRest(DyomessaControls& window, TwoMediaRun& run) {
    for (int i = 0; i <= run.twoMediaLastPoint; ++i) {
        run.twoMediaTable.set(i, 0, 0.0);
        const float spacing = static_cast<float>(window.ScaleWidth()) / 62;
        ui::Shape& circle = window.Shape1(i);
        circle.setLeft(i == 0 ? 0.0f : window.Shape1(i - 1).Left() + spacing);
        circle.setTop(static_cast<float>(circle.Height() / 2 + run.twoMediaTable.at(i, 0)));
        circle.setBorderColor(i < kTwoMediaJunction    ? QColor(255, 0, 0)
                              : i == kTwoMediaJunction ? QColor(0, 255, 0)
                                                       : QColor(0, 0, 0));
    }
}

}  // namespace

float baseDepth(const DyomessaControls& window) {
    return -static_cast<float>(window.ScaleTop() + window.ScaleHeight());
}

void ShowCoefficients(const TwoMediaParts& parts, Caption reflectedLabel) {
    DyomessaControls& window = parts.window;
    const TwoBars<double> bars = barSpeeds(window);
    const CoefficientInputs inputs{.baseDepth = baseDepth(window),
                                   .width = window.evros.Value(),
                                   .c1 = bars.c1,
                                   .c2 = bars.c2,
                                   .height = window.platos.Value(),
                                   .timeStep = parts.runs.timeStep.value};
    window.Text1.setText(
        fromUtf8(coefficientReadout(inputs, parts.navigation.englishSelected(), reflectedLabel)));
}

void ShowPulseLabels(const TwoMediaParts& parts) {
    DyomessaControls& window = parts.window;
    const bool english = parts.navigation.englishSelected();
    const double a0 = firstPulseHeight(baseDepth(window), window.evros.Value(),
                                       window.platos.Value(), parts.runs.timeStep.value);
    window.Label3.setCaption(fromUtf8(label3Text(a0, english)));
    window.Label4.setCaption(fromUtf8(label4Text(window.rythmisidt.Value())));
    window.Label5.setCaption(fromUtf8(label5Text(window.evros.Value(), english)));
}

void PrepareTwoMediaSolution(TwoMediaParts& parts) {
    DyomessaControls& window = parts.window;
    TwoMediaRun& run = parts.runs.twoMediaRun;

    resetBars(window);
    parts.runs.timeStep.value = kTimeStep;
    ShowCoefficients(parts);
    ShowPulseLabels(parts);

    run.twoMediaLastPoint = 60;
    stretchAndScale(window, parts.runs.simpleRun);
    window.Show();

    const TwoSides<double> sides = sidesOf(TwoMediaScheme::Continuous, barSpeeds(window));
    const RunSettings settings{.end = chosenEnd(window),
                               .driveSideSpeed = sides.driveSide,
                               .farSideSpeed = sides.farSide,
                               .height = window.platos.Value(),
                               .width = window.evros.Value(),
                               .baseDepth = baseDepth(window),
                               .timeStep = kTimeStep};
    window.Label2.setCaption(fromUtf8(label2Text(settings.farSideSpeed, SpeedLabelStyle::Setup)));
    window.Label1.setCaption(fromUtf8(label1Text(settings.driveSideSpeed, SpeedLabelStyle::Setup)));

    placeCirclesAtRest(window, run);
    run.fill(settings);
}

void CheckTwoMediaSolution(const TwoMediaParts& parts) {
    const TwoMediaRun& run = parts.runs.twoMediaRun;
    twoMediaCheckPass(run.twoMediaTable, run.twoMediaTimeIndex, run.levelsPerTick,
                      run.settings().driveSideSpeed, run.settings().farSideSpeed,
                      chosenEnd(parts.window));
}

void PrepareStepMode(TwoMediaParts& parts) {
    DyomessaControls& window = parts.window;
    const TwoSides<double> sides = sidesOf(TwoMediaScheme::StepMode, barSpeeds(window));
    const RunSettings settings{.end = window.elefthero1.Value() ? EndMode::Free : EndMode::Fixed,
                               .driveSideSpeed = sides.driveSide,
                               .farSideSpeed = sides.farSide,
                               .height = window.platos.Value(),
                               .width = window.evros.Value(),
                               .baseDepth = baseDepth(window),
                               .timeStep = kTimeStep};
    parts.runs.timeStep.value = settings.timeStep;
    ShowCoefficients(parts);
    parts.runs.stepRun.fill(settings, parts.runs.twoMediaRun.twoMediaLastPoint);
    parts.gridRuled = false;
}

void ShowNextStep(TwoMediaParts& parts) {
    StepRun& run = parts.runs.stepRun;
    if (run.stepRunFinished) {
        return;
    }
    DyomessaControls& window = parts.window;
    for (int i = 0; i <= parts.runs.twoMediaRun.twoMediaLastPoint; ++i) {
        ui::Shape& circle = window.Shape1(i);
        const double drawnAt = circle.Top() - circle.Height() / 2;
        if (stepCircleMoves(run.stepDisplacement, run.stepLevel, i, drawnAt)) {
            circle.setTop(static_cast<float>(run.stepDisplacement.at(i, run.stepLevel) +
                                             circle.Height() / 2));
        }
    }
    const bool playedOut = run.advance();

    // The grid, behind the circles: ruled at the first step after START and
    // kept by the surface, which draws it again at every size and zoom.
    if (!parts.gridRuled) {
        for (const double y : gridLineHeights(window.ScaleHeight())) {
            window.Line(window.ScaleLeft(), y, window.ScaleLeft() + window.ScaleWidth(), y,
                        Qt::black);
        }
        parts.gridRuled = true;
    }

    // The tables end at the last computed level: the mode stops there as if
    // STOP had been pressed, and waits for the next START.
    if (playedOut) {
        window.Timer2.setEnabled(false);
        window.Command7.setVisible(true);
        run.stepRunFinished = true;
    }
}

}  // namespace palmos
