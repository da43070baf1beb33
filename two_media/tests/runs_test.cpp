// The two-media window's two runs: the continuous run behind the hidden first
// START and the step-by-step mode behind the visible one.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <vector>

#include "app/introduction.h"
#include "app/language.h"
#include "tests/support/gui_testing.h"
#include "tests/support/program_test.h"
#include "tests/support/rows.h"
#include "two_media/procedures.h"
#include "two_media/window.h"
#include "ui/events.h"

namespace palmos {
namespace {

using palmos::PrintTo;

class TwoMediaRuns : public testing_support::ProgramTest {
  protected:
    void SetUp() override {
        ui::dispatch([this] { ApplyLanguage(); });
        click(eisagogi1().MESADYO);
    }

    void click(QAbstractButton& button) { QTest::mouseClick(&button, Qt::LeftButton); }
    void move(ui::ScrollBar& bar, int value) {
        ui::dispatch([&] { bar.setValue(value); });
    }
    // The hidden START of the continuous run has no visible button to click.
    void startContinuousRun() {
        ui::dispatch([this] { dyomessa().Command1_Click(); });
    }

    double height(int i) {
        const ui::Shape& circle = dyomessa().Shape1(i);
        return circle.Top() - circle.Height() / 2;
    }
    std::vector<double> heights() {
        std::vector<double> result;
        for (int i = 0; i <= 60; ++i) {
            result.push_back(height(i));
        }
        return result;
    }
};

// Continuous run.

TEST_F(TwoMediaRuns, FirstTickShowsTheStringAtRestWithTheDriveEndJustBelow) {
    startContinuousRun();
    Dyomessa& window = dyomessa();
    EXPECT_TRUE(window.Timer1.isTicking());
    EXPECT_EQ(window.Timer1.Interval(), 5);
    window.Timer1.fire();
    for (int i = 0; i < 60; ++i) {
        EXPECT_NEAR(height(i), 0.0, 1e-6) << i;
    }
    EXPECT_NEAR(height(60), -0.006, 1e-6);
    EXPECT_EQ(twoMediaRun.twoMediaTimeIndex, 5);
}

TEST_F(TwoMediaRuns, ContinuousRunPlays200FramesAndStopsOnLevel995) {
    startContinuousRun();
    Dyomessa& window = dyomessa();
    int frames = 0;
    while (window.Timer1.Enabled() && frames < 1000) {
        window.Timer1.fire();
        ++frames;
    }
    EXPECT_EQ(frames, 200);
    EXPECT_EQ(twoMediaRun.twoMediaTimeIndex, 1000);
    EXPECT_FALSE(window.Timer1.isTicking());
    for (int i = 0; i <= 60; ++i) {
        EXPECT_NEAR(height(i), twoMediaRun.twoMediaTable.at(i, 995), 1e-6) << i;
    }
}

TEST_F(TwoMediaRuns, StartWhileRunningRestartsWithTheDefaults) {
    startContinuousRun();
    for (int k = 0; k < 50; ++k) {
        dyomessa().Timer1.fire();
    }
    move(dyomessa().cmeso1, 150);
    move(dyomessa().platos, 20);
    startContinuousRun();
    EXPECT_EQ(twoMediaRun.twoMediaTimeIndex, 0);
    EXPECT_EQ(dyomessa().cmeso1.Value(), 30);
    EXPECT_EQ(dyomessa().platos.Value(), 100);
    EXPECT_EQ(dyomessa().Timer1.Interval(), 5);
    EXPECT_TRUE(dyomessa().Timer1.isTicking());
}

struct ReflectionRow {
    const char* name;
    bool freeEnd;
    double sign;
};

class ContinuousReflection : public TwoMediaRuns,
                             public ::testing::WithParamInterface<ReflectionRow> {};

// The pulse reaches point 0 near level 200; by level 350 its reflection has
// travelled back to around point 10, with no other disturbance there.
TEST_P(ContinuousReflection, ReflectedPulseComesBackWithTheEndsSign) {
    if (GetParam().freeEnd) {
        click(dyomessa().elefthero1);
    }
    startContinuousRun();
    double extreme = 0.0;
    for (int n = 250; n <= 450; ++n) {
        const double value = twoMediaRun.twoMediaTable.at(10, n);
        if (std::abs(value) > std::abs(extreme)) {
            extreme = value;
        }
    }
    EXPECT_GT(extreme * GetParam().sign, 0.2);
}

INSTANTIATE_TEST_SUITE_P(Ends, ContinuousReflection,
                         ::testing::Values(ReflectionRow{"Fixed", false, -1.0},
                                           ReflectionRow{"Free", true, 1.0}),
                         kRowName);

TEST_F(TwoMediaRuns, HiddenWindowKeepsRunningToTheEnd) {
    startContinuousRun();
    click(dyomessa().Command4);
    EXPECT_FALSE(dyomessa().isVisible());
    EXPECT_TRUE(dyomessa().Timer1.isTicking());
    while (dyomessa().Timer1.Enabled()) {
        dyomessa().Timer1.fire();
    }
    EXPECT_EQ(twoMediaRun.twoMediaTimeIndex, 1000);
}

TEST_F(TwoMediaRuns, TheTwoRunsKeepToTheirOwnTimerAndCounter) {
    startContinuousRun();
    dyomessa().Timer1.fire();
    click(dyomessa().Command2);  // step-mode START
    click(dyomessa().Command3);  // STOP
    click(dyomessa().Command5);  // CONTINUE
    click(dyomessa().Command7);  // STEP
    EXPECT_TRUE(dyomessa().Timer1.isTicking());
    EXPECT_EQ(dyomessa().Timer1.Interval(), 5);
    EXPECT_EQ(twoMediaRun.twoMediaTimeIndex, 5);

    dyomessa().Timer2.fire();
    const int level = stepRun.stepLevel;
    startContinuousRun();
    dyomessa().Timer1.fire();
    EXPECT_EQ(stepRun.stepLevel, level);
    EXPECT_TRUE(dyomessa().Timer2.isTicking());
    EXPECT_EQ(dyomessa().Timer2.Interval(), 1);
}

// Step-by-step mode.

TEST_F(TwoMediaRuns, StepModeStartsWithTheBarsIntervalAndShowsLevelZeroFirst) {
    move(dyomessa().rythmisidt, 3);
    click(dyomessa().Command2);
    Dyomessa& window = dyomessa();
    EXPECT_FALSE(window.Command7.isVisible());
    EXPECT_TRUE(window.Timer2.isTicking());
    EXPECT_EQ(window.Timer2.Interval(), 3);
    EXPECT_EQ(stepRun.stepLevel, 0);
    window.Timer2.fire();
    for (int i = 0; i < 60; ++i) {
        EXPECT_NEAR(height(i), 0.0, 1e-6) << i;
    }
    EXPECT_NEAR(height(60), -0.006, 1e-6);
    EXPECT_EQ(stepRun.stepLevel, 3);
}

TEST_F(TwoMediaRuns, StopThenThreeStepsAdvanceByThreeIntervals) {
    move(dyomessa().rythmisidt, 4);
    click(dyomessa().Command2);
    for (int k = 0; k < 10; ++k) {
        dyomessa().Timer2.fire();
    }
    click(dyomessa().Command3);
    EXPECT_TRUE(dyomessa().Command7.isVisible());
    EXPECT_FALSE(dyomessa().Timer2.isTicking());
    const int before = stepRun.stepLevel;
    for (int k = 0; k < 3; ++k) {
        click(dyomessa().Command7);
    }
    EXPECT_EQ(stepRun.stepLevel, before + 12);
    EXPECT_NEAR(height(60), stepRun.stepDisplacement.at(60, before + 8), 1e-6);
    click(dyomessa().Command5);
    EXPECT_TRUE(dyomessa().Timer2.isTicking());
    EXPECT_TRUE(dyomessa().Command7.isVisible());
}

TEST_F(TwoMediaRuns, StepBeforeAnyStartPutsTheCirclesOnTheZeroLine) {
    click(dyomessa().Command3);
    click(dyomessa().Command7);
    EXPECT_EQ(stepRun.stepLevel, 0);
    for (int i = 0; i <= 60; ++i) {
        EXPECT_NEAR(height(i), 0.0, 1e-6) << i;
    }
    click(dyomessa().Command5);
    EXPECT_FALSE(dyomessa().Timer2.isTicking());
    EXPECT_FALSE(ui::programEnded());
}

TEST_F(TwoMediaRuns, MovingABarDuringARunChangesOnlyTheReadout) {
    click(dyomessa().Command2);
    for (int k = 0; k < 100; ++k) {
        dyomessa().Timer2.fire();
    }
    const LevelTable before = stepRun.stepDisplacement;
    const QString readout = dyomessa().Text1.Text();
    move(dyomessa().cmeso1, 120);
    move(dyomessa().evros, 40);
    move(dyomessa().rythmisidt, 9);
    EXPECT_NE(dyomessa().Text1.Text(), readout);
    EXPECT_EQ(dyomessa().Timer2.Interval(), 1);
    dyomessa().Timer2.fire();
    EXPECT_EQ(stepRun.stepLevel, 101);
    for (int n = 0; n <= 1501; n += 50) {
        for (int i = 0; i <= 60; ++i) {
            ASSERT_EQ(stepRun.stepDisplacement.at(i, n), before.at(i, n));
        }
    }
}

TEST_F(TwoMediaRuns, StepModeStopsCleanlyAtItsLastComputedLevel) {
    move(dyomessa().rythmisidt, 7);
    click(dyomessa().Command2);
    int ticks = 0;
    while (dyomessa().Timer2.Enabled() && ticks < 1000) {
        dyomessa().Timer2.fire();
        ++ticks;
    }
    EXPECT_EQ(ticks, 215);  // levels 0, 7, ..., 1498
    EXPECT_EQ(stepRun.stepLevel, 1505);
    EXPECT_FALSE(dyomessa().Timer2.isTicking());
    EXPECT_TRUE(dyomessa().Command7.isVisible());
    click(dyomessa().Command7);
    click(dyomessa().Command5);
    EXPECT_EQ(stepRun.stepLevel, 1505);
    EXPECT_FALSE(dyomessa().Timer2.isTicking());
    EXPECT_TRUE(testing_support::messageBoxes().isEmpty());
    // A new START plays again from level 0.
    click(dyomessa().Command2);
    EXPECT_TRUE(dyomessa().Timer2.isTicking());
    dyomessa().Timer2.fire();
    EXPECT_EQ(stepRun.stepLevel, 7);
}

TEST_F(TwoMediaRuns, GridIsRuledBehindTheCircles) {
    click(dyomessa().Command2);
    for (int k = 0; k < 150; ++k) {
        dyomessa().Timer2.fire();
    }
    Dyomessa& window = dyomessa();
    const QImage image = window.grab().toImage();
    image.save(QStringLiteral("two-media-step-mode.png"));
    // A grid line away from the circles and controls is black.
    const double gridY = -5 * (-window.ScaleHeight() / 50);
    const QPointF line = window.toPixels(window.ScaleWidth() * 0.98, gridY);
    EXPECT_EQ(image.pixelColor(line.toPoint()), QColor(Qt::black));
    // A red circle's fill covers the grid line through it.
    const ui::Shape& circle = window.Shape1(5);
    const QPointF centre =
        window.toPixels(circle.Left() + circle.Width() / 2, circle.Top() - circle.Height() / 2);
    EXPECT_EQ(image.pixelColor(centre.toPoint()), QColor(255, 0, 0));
}

}  // namespace
}  // namespace palmos
