// A fresh program for every window test: its own session, windows and
// instruments, made before the test and gone after it, so that tests can
// share a process. The fixture names them as the program's procedures do.
#pragma once

#include <gtest/gtest.h>

#include "app/program.h"

namespace testing_support {

// The program of the test that runs now (none between tests).
inline palmos::Program*& runningProgram() {
    static palmos::Program* running = nullptr;
    return running;
}

// For what a test gives outside its fixture (the rows of a parameterised
// test, written before any test runs): the windows of the running test's
// program.
namespace current {
inline palmos::Program& program() {
    return *runningProgram();
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
inline palmos::ProgramWindows& windows() {
    return program().windows();
}
inline palmos::Session& session() {
    return program().session();
}
inline void ApplyLanguage() {
    program().applyLanguage();
}
}  // namespace current

class ProgramTest : public ::testing::Test {
  protected:
    ProgramTest() { runningProgram() = &program; }
    ~ProgramTest() override { runningProgram() = nullptr; }

    palmos::Program program;
    palmos::SimpleRun& simpleRun = program.session().simpleRun;
    palmos::TwoMediaRun& twoMediaRun = program.session().twoMediaRun;
    palmos::StepRun& stepRun = program.session().stepRun;
    double& timeStep = program.session().timeStep.value;

    palmos::Eisagogi1& eisagogi1() { return program.eisagogi1(); }
    palmos::Ypervola& ypervola() { return program.ypervola(); }
    palmos::Dyomessa& dyomessa() { return program.dyomessa(); }
    palmos::Elliptikh& elliptikh() { return program.elliptikh(); }
    palmos::ProgramWindows& windows() { return program.windows(); }
    palmos::InstrumentSet& simpleSolutionInstruments() {
        return program.simpleSolutionInstruments();
    }
    palmos::InstrumentSet& twoMediaInstruments() { return program.twoMediaInstruments(); }

    // The program's entry procedure, as main() runs it.
    void ApplyLanguage() { program.applyLanguage(); }
};

}  // namespace testing_support
