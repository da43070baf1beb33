// The elliptic-equation window: Laplace's equation around a square obstacle,
// solved on a click and plotted as bands of equal value.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

namespace palmos {

class Elliptikh : public ui::Form {
  public:
    Elliptikh();
    void Form_Load() override;

    ui::CommandButton Command1{
        this,
        {.caption = "ΛΥΣΗ", .left = 1560, .top = 0, .width = 1215, .height = 375, .tabIndex = 0}};

    void Command1_Click();
};

Elliptikh& elliptikh();

// Solves, plots the bands on the elliptic-equation window and reports the
// number of sweeps in a message box.
void DrawEllipticSolution();

}  // namespace palmos
