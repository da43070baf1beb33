// The single-string procedures: each reads the window's controls when it
// runs and works on the run it is given.
#pragma once

#include "core/run.h"
#include "physics/single_string/simple_run.h"
#include "single_string/controls.h"

namespace palmos {

// Sizes, scales and shows the simple-solution window, puts its circles at rest
// and computes the whole motion for the end chosen on the window.
void PrepareSimpleSolution(YpervolaControls& window, SimpleRun& run, TimeStep& timeStep);

// The check pass over the levels of the current tick; writes the readout of
// the window's text box while the pulse is on the string.
void CheckSimpleSolution(YpervolaControls& window, SimpleRun& run);

// Moves circle `point` of the simple-solution window to its place at `level`.
void PlaceSimpleCircle(YpervolaControls& window, const SimpleRun& run, int point, int level);

}  // namespace palmos
