// The elliptic-equation window: Laplace's equation around a square obstacle,
// solved on a click and plotted as bands of equal value.
#pragma once

#include <optional>

#include "physics/elliptic/solver.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace palmos {

class Elliptikh : public ui::Form {
  public:
    // `solution` keeps what the window last solved and plotted.
    explicit Elliptikh(std::optional<EllipticSolution>& solution);
    void Form_Load() override;

    ui::CommandButton Command1{
        this,
        {.caption = "ΛΥΣΗ", .left = 1560, .top = 0, .width = 1215, .height = 375, .tabIndex = 0}};

    void Command1_Click();

  private:
    std::optional<EllipticSolution>& solution_;
};

// Solves into `solution`, plots the bands on the elliptic-equation window and
// reports the number of sweeps in a message box.
void DrawEllipticSolution(Elliptikh& window, std::optional<EllipticSolution>& solution);

}  // namespace palmos
