#include "elliptic/window.h"

#include "physics/elliptic/solver.h"
#include "ui/events.h"

namespace palmos {

Elliptikh::Elliptikh(std::optional<EllipticSolution>& solution)
    : ui::Form("Ελλειπτική διαφορική εξίσωση", {ui::Face::TimesNewRoman, 8.25}, 4680, 3225),
      solution_(solution) {
    setBackColor(Qt::white);
    Command1.setAutoDefault(false);
    Command1.onClick([this] { Command1_Click(); });
}

// Two thirds of the screen at the top left, with x running 0..65 to the
// right and y 0..65 upwards.
void Elliptikh::Form_Load() {
    setWidth(static_cast<float>(ui::screenWidth()) * 2 / 3);
    setHeight(static_cast<float>(ui::screenHeight()) * 2 / 3);
    setLeft(0);
    setTop(0);
    Scale(0, 65, 65, 0);
}

void Elliptikh::Command1_Click() {
    DrawEllipticSolution(*this, solution_);
}

void DrawEllipticSolution(Elliptikh& window, std::optional<EllipticSolution>& solution) {
    solution = solveElliptic();
    window.setDrawWidth(3);
    for (const EllipticDot& dot : ellipticDots(*solution)) {
        const BandColour colour = ellipticBandColour(dot.band);
        window.PSet(dot.x, dot.y, QColor(colour.red, colour.green, colour.blue));
    }
    ui::MsgBox(QString::number(solution->sweeps));
}

}  // namespace palmos
