// Each program owns its session, and what follows a run hears of it from the
// run itself.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include "app/program.h"
#include "physics/two_media/step_mode.h"
#include "tests/support/program_test.h"
#include "ui/events.h"

namespace palmos {
namespace {

void click(QAbstractButton& button) {
    QTest::mouseClick(&button, Qt::LeftButton);
}

// Two programs in one process share no run, no window and no history, and
// one that ended leaves the next free to run (its timers tick, its handlers
// run).
TEST(Sessions, ProgramsInOneProcessShareNothing) {
    auto first = std::make_unique<Program>();
    ui::dispatch([&] { first->applyLanguage(); });
    click(first->eisagogi1().APLO);
    click(first->ypervola().Command1);
    first->ypervola().Timer1.fire();
    ASSERT_TRUE(first->session().simpleRun.filled());
    click(first->ypervola().Command3);  // END
    ASSERT_TRUE(ui::programEnded());
    first.reset();

    Program second;
    EXPECT_FALSE(ui::programEnded());
    EXPECT_FALSE(second.session().simpleRun.filled());
    EXPECT_EQ(second.session().simpleRun.lastPoint, 0);
    EXPECT_DOUBLE_EQ(second.session().timeStep.value, 0.0);
    ui::dispatch([&] { second.applyLanguage(); });
    EXPECT_EQ(second.windowHistory().first(), "load EISAGOGH");
    click(second.eisagogi1().APLO);
    click(second.ypervola().Command1);
    EXPECT_TRUE(second.ypervola().Timer1.isTicking());
    EXPECT_EQ(second.session().simpleRun.levelsPerTick, 2);
}

class RunsTell : public testing_support::ProgramTest {
  protected:
    void SetUp() override {
        ui::dispatch([this] { ApplyLanguage(); });
        click(eisagogi1().MESADYO);
    }
};

// The diagram follows a run started and stepped by its handlers alone: no
// button clicked, no timer fired.
TEST_F(RunsTell, TheSpaceTimeDiagramFollowsARunStartedWithoutAClick) {
    InstrumentSet& instruments = twoMediaInstruments();
    instruments.openSpaceTimeDiagram();
    ui::dispatch([this] {
        dyomessa().rythmisidt.setValue(4);
        dyomessa().Command2_Click();
        dyomessa().Command3_Click();
        for (int step = 0; step < 3; ++step) {
            dyomessa().Command7_Click();
        }
    });
    EXPECT_EQ(stepRun.levelsPerTick, 4);
    EXPECT_EQ(stepRun.levelShown(), 8);
    EXPECT_EQ(instruments.spaceTimeWindow()->currentLevel(), 8);
    // The continuous run filled after it is the one shown now, from level 0.
    ui::dispatch([this] { dyomessa().Command1_Click(); });
    EXPECT_EQ(instruments.spaceTimeWindow()->currentLevel(), 0);
    dyomessa().Timer1.fire();
    dyomessa().Timer1.fire();
    EXPECT_EQ(twoMediaRun.levelShown(), 5);
    EXPECT_EQ(instruments.spaceTimeWindow()->currentLevel(), 5);
}

// The step mode's grid is ruled once per START and kept by the surface, at
// every scale and size: ruled while the scale ended at 10 (before the simple
// solution was first prepared) and the window was half as wide, its lines
// reach the right edge of the window stretched over the screen.
TEST_F(RunsTell, TheGridFollowsTheWindowsSize) {
    Dyomessa& window = dyomessa();
    click(window.Command4);  // back to the introduction: the window hides
    window.setWidth(window.Width() / 2);
    ui::dispatch([&window] {
        window.Show();
        window.Command2_Click();
    });
    window.Timer2.fire();
    // A line below the string's rest, clear of the controls: 10 lines down.
    const double y = gridLineHeights(window.ScaleHeight())[2 * 10 - 1];
    ASSERT_LT(y, 0.0);
    // Whether the line is drawn at the window's right edge.
    const auto ruledToTheRightEdge = [&window, y] {
        const QImage picture = window.grab().toImage();
        const double row = window.toPixels(0, y).y();
        for (const double dy : {-1.0, 0.0, 1.0}) {
            const QPointF at = QPointF(window.width() - 2, row + dy) * picture.devicePixelRatio();
            if (picture.pixelColor(at.toPoint()) == QColor(Qt::black)) {
                return true;
            }
        }
        return false;
    };
    ASSERT_TRUE(ruledToTheRightEdge());
    click(eisagogi1().APLO);
    ui::dispatch([this] { program.openTwoMedia(); });  // a scale to 280, the whole screen
    ASSERT_DOUBLE_EQ(window.ScaleWidth(), 280.0);
    window.Timer2.fire();
    EXPECT_TRUE(ruledToTheRightEdge());
}

}  // namespace
}  // namespace palmos
