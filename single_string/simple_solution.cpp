#include "single_string/simple_solution.h"

#include "core/program_steps.h"
#include "single_string/solver.h"
#include "single_string/window.h"
#include "ui/form.h"

namespace palmos {

void PrepareSimpleSolution() {
    timeStep = 0.6;

    Ypervola& window = ypervola();
    window.setWidth(ui::screenWidth());
    window.setHeight(ui::screenHeight());
    window.setLeft(0);
    window.setTop(0);

    simpleRun.lastPoint = 54;
    simpleRun.lambda = 0.3;

    window.Scale(0, 0.62, (simpleRun.lastPoint + 2) * 5, -0.3);
    window.Show();

    // The string at rest.
    for (int i = 0; i <= simpleRun.lastPoint; ++i) {
        simpleRun.simpleTable.set(i, 0, 0.0);
        PlaceSimpleCircle(i, 0);
    }

    const EndMode end = window.stathero.Value() ? EndMode::Fixed : EndMode::Free;
    solveSimpleString(simpleRun.simpleTable, simpleRun.lastPoint, simpleRun.lambda, end);
    simpleRun.filledAt = ++tableFillings;
    simpleRun.end = end;
}

void CheckSimpleSolution() {
    Ypervola& window = ypervola();
    const SimpleCheckResult result =
        simpleCheckPass(simpleRun.simpleTable, simpleRun.timeIndex, window.Timer1.Interval(),
                        simpleRun.lambda, simpleRun.lastPoint);
    if (result.readoutWrites > 0) {
        const std::string readout = simpleReadout(simpleRun.simpleTable.at(1, simpleRun.timeIndex),
                                                  window.stathero.Value());
        window.Text1.setText(QString::fromStdString(readout));
    }
}

void PlaceSimpleCircle(int point, int level) {
    ui::Shape& circle = ypervola().Shape1(point);
    const float width = circle.Width();
    const float height = circle.Height();
    circle.setLeft(static_cast<float>(5 * point) - width / 2);
    circle.setTop(static_cast<float>(height / 2 + simpleRun.simpleTable.at(point, level)));
}

}  // namespace palmos
