#include "app/windows.h"

namespace palmos {

ProgramWindows::ProgramWindows(Session& session, Navigation& navigation)
    : session_(session), navigation_(navigation) {}

Eisagogi1& ProgramWindows::eisagogi1() {
    return load(eisagogi1_, navigation_);
}

Ypervola& ProgramWindows::ypervola() {
    return load(ypervola_, session_.simpleRun, session_.timeStep, navigation_);
}

Dyomessa& ProgramWindows::dyomessa() {
    return load(dyomessa_,
                TwoMediaParts::Runs{.twoMediaRun = session_.twoMediaRun,
                                    .stepRun = session_.stepRun,
                                    .simpleRun = session_.simpleRun,
                                    .timeStep = session_.timeStep},
                navigation_);
}

Elliptikh& ProgramWindows::elliptikh() {
    return load(elliptikh_, session_.ellipticSolution);
}

}  // namespace palmos
