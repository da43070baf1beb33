// Everything a run of the program owns, in one object: the three runs, the
// time step as the readouts know it, and the elliptic equation's last
// solution. main() makes one; every window test makes its own. The windows
// are handed the parts they play, the instruments the runs they follow.
#pragma once

#include <optional>

#include "core/run.h"
#include "physics/elliptic/solver.h"
#include "physics/single_string/simple_run.h"
#include "physics/two_media/two_media_run.h"

namespace palmos {

struct Session {
    SimpleRun simpleRun;
    TwoMediaRun twoMediaRun;
    StepRun stepRun;
    TimeStep timeStep;
    // The last solution the elliptic-equation window plotted, if any.
    std::optional<EllipticSolution> ellipticSolution;
};

}  // namespace palmos
