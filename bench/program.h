// The program a window benchmark plays: one, made on first use (after the
// application object), for every benchmark of the process.
#pragma once

#include "app/program.h"

namespace bench {

inline palmos::Program& program() {
    static palmos::Program* running = new palmos::Program;
    return *running;
}

}  // namespace bench
