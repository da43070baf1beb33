// The simple-solution window: the single string drawn as a row of 55 circles,
// animated from the precomputed table.
#pragma once

#include "core/run.h"
#include "physics/single_string/simple_run.h"
#include "single_string/controls.h"

namespace palmos {

class Navigation;

class Ypervola : public YpervolaControls {
  public:
    Ypervola(SimpleRun& run, TimeStep& readoutTimeStep, Navigation& windows);

    // Sizes, shows and fills the window's run (what the introduction's
    // SIMPLE SOLUTION does).
    void prepare();

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void elefthero_Click();
    void stathero_Click();
    void lamdaval_Change();
    void Timer1_Timer();

  private:
    // Named as the procedures name them: the window's run, the time step
    // its preparation writes, the way to the other windows.
    SimpleRun& simpleRun;
    TimeStep& timeStep;
    Navigation& navigation;
};

}  // namespace palmos
