#include "physics/single_string/simple_run.h"

#include "physics/single_string/solver.h"

namespace palmos {

void SimpleRun::fill(const RunSettings& settings) {
    solveSimpleString(simpleTable, lastPoint, lambda, settings.end);
    markFilled(settings);
}

}  // namespace palmos
