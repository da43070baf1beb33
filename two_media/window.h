// The two-media window: a string of two pieces with different wave speeds,
// the bars that set the speeds, the pulse and the step-mode timer, the
// coefficient readouts, and the two runs (continuous and step by step).
#pragma once

#include "two_media/controls.h"
#include "two_media/procedures.h"

namespace palmos {

class Dyomessa : public DyomessaControls {
  public:
    Dyomessa(TwoMediaParts::Runs runs, Navigation& navigation);
    void Form_Load() override;

    // Resets the bars, prepares and fills the continuous run (what the
    // introduction's TWO MEDIA does before it shows the window).
    void prepare();

    void cmeso1_Change();
    void cmesso2_Change();
    void platos_Change();
    void evros_Change();
    void rythmisidt_Change();
    void elefthero1_Click();
    void stathero1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Timer1_Timer();
    void Timer2_Timer();

  private:
    // What the procedures work on: these controls and the window's runs.
    TwoMediaParts parts_;
    TwoMediaRun& twoMediaRun;
    StepRun& stepRun;
};

}  // namespace palmos
