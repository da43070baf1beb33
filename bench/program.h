// The program a window benchmark plays: one, made on first use (after the
// application object), for every benchmark of the process.
#pragma once

#include "app/program.h"

namespace bench {

inline palmos::Program& program() {
    static palmos::Program* running = new palmos::Program;
    return *running;
}
inline palmos::Eisagogi1& eisagogi1() {
    return program().eisagogi1();
}
inline palmos::Ypervola& ypervola() {
    return program().ypervola();
}
inline palmos::Dyomessa& dyomessa() {
    return program().dyomessa();
}
inline palmos::Elliptikh& elliptikh() {
    return program().elliptikh();
}
inline palmos::InstrumentSet& simpleSolutionInstruments() {
    return program().simpleSolutionInstruments();
}
inline palmos::InstrumentSet& twoMediaInstruments() {
    return program().twoMediaInstruments();
}
inline void ApplyLanguage() {
    program().applyLanguage();
}

}  // namespace bench
