// The two-media procedures. Each reads the window's controls when it runs,
// builds the settings of a run from them once, and works on the runs it is
// handed.
#pragma once

#include "core/run.h"
#include "physics/single_string/simple_run.h"
#include "physics/two_media/readout.h"
#include "physics/two_media/two_media_run.h"
#include "two_media/controls.h"

namespace palmos {

class Navigation;

// The values the window's bars are reset to: when it loads, and before each
// preparation of the continuous run.
struct TwoMediaBarDefaults {
    int cmeso1 = 30;   // the drive side's speed
    int cmesso2 = 30;  // the far side's speed
    int evros = 20;    // the pulse width
    int platos = 100;  // the pulse height
};
inline constexpr TwoMediaBarDefaults kTwoMediaBarDefaults{};

// What the procedures work on: the window's controls, its two runs, the
// single string's run (whose lastPoint sets the window's scale), the time
// step the readouts use, and the language chosen.
struct TwoMediaParts {
    struct Runs {
        TwoMediaRun& twoMediaRun;
        StepRun& stepRun;
        const SimpleRun& simpleRun;
        TimeStep& timeStep;
    };
    DyomessaControls& window;
    Runs runs;
    Navigation& navigation;
    // Whether the step mode's grid is on the surface since the last START.
    bool gridRuled = false;
};

// Resets the bars, stretches, scales and shows the two-media window, places
// and colours its circles at rest and computes the continuous run's table.
void PrepareTwoMediaSolution(TwoMediaParts& parts);

// The coefficient readout in the language chosen on the introduction window.
void ShowCoefficients(const TwoMediaParts& parts, Caption reflectedLabel = Caption::ReflectedLabel);

// The pulse height, timer and width labels in the chosen language.
void ShowPulseLabels(const TwoMediaParts& parts);

// The continuous run's check pass; it changes nothing.
void CheckTwoMediaSolution(const TwoMediaParts& parts);

// Fills the step mode's tables from the window's current settings.
void PrepareStepMode(TwoMediaParts& parts);

// Shows the step mode's current level, advances it and rules the grid.
void ShowNextStep(TwoMediaParts& parts);

// The depth of the two-media window's bottom edge below its zero line.
float baseDepth(const DyomessaControls& window);

}  // namespace palmos
