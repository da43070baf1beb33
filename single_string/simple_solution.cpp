#include "single_string/simple_solution.h"

#include "physics/single_string/solver.h"
#include "ui/form.h"

namespace palmos {

void PrepareSimpleSolution(YpervolaControls& window, SimpleRun& run, TimeStep& timeStep) {
    timeStep.value = kTimeStep;

    window.setWidth(ui::screenWidth());
    window.setHeight(ui::screenHeight());
    window.setLeft(0);
    window.setTop(0);

    run.lastPoint = 54;
    run.lambda = 0.3;

    const StringScale scale = stringScale(run.lastPoint);
    window.Scale(scale.x1, scale.y1, scale.x2, scale.y2);
    window.Show();

    // The string at rest.
    for (int i = 0; i <= run.lastPoint; ++i) {
        run.simpleTable.set(i, 0, 0.0);
        PlaceSimpleCircle(window, run, i, 0);
    }

    run.fill({.end = window.stathero.Value() ? EndMode::Fixed : EndMode::Free,
              .driveSideSpeed = run.lambda,
              .farSideSpeed = run.lambda,
              .timeStep = kTimeStep});
}

void CheckSimpleSolution(YpervolaControls& window, SimpleRun& run) {
    const SimpleCheckResult result = simpleCheckPass(run.simpleTable, run.timeIndex,
                                                     run.levelsPerTick, run.lambda, run.lastPoint);
    if (result.readoutWrites > 0) {
        const std::string readout =
            simpleReadout(run.simpleTable.at(1, run.timeIndex), window.stathero.Value());
        window.Text1.setText(QString::fromStdString(readout));
    }
}

void PlaceSimpleCircle(YpervolaControls& window, const SimpleRun& run, int point, int level) {
    ui::Shape& circle = window.Shape1(point);
    const float width = circle.Width();
    const float height = circle.Height();
    circle.setLeft(static_cast<float>(5 * point) - width / 2);
    circle.setTop(static_cast<float>(height / 2 + run.simpleTable.at(point, level)));
}

}  // namespace palmos
