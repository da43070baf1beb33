// The simple-solution window driven as a student drives it: every test starts
// the program afresh (each test makes a program of its own).
#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QImage>
#include <QTest>
#include <cmath>
#include <vector>

#include "app/introduction.h"
#include "app/language.h"
#include "single_string/simple_solution.h"
#include "single_string/window.h"
#include "tests/support/gui_testing.h"
#include "tests/support/program_test.h"
#include "tests/support/rows.h"
#include "ui/events.h"

namespace palmos {
namespace {

using palmos::PrintTo;

class SimpleWindow : public testing_support::ProgramTest {
  protected:
    void SetUp() override {
        ui::dispatch([this] { ApplyLanguage(); });
    }

    void click(QAbstractButton& button) { QTest::mouseClick(&button, Qt::LeftButton); }

    // Centre of circle b in the window's scale.
    QPointF centre(int b) {
        const ui::Shape& circle = ypervola().Shape1(b);
        return {circle.Left() + circle.Width() / 2, circle.Top() - circle.Height() / 2};
    }

    // The vertical centres of all circles.
    std::vector<double> heights() {
        std::vector<double> result;
        for (int b = 0; b <= 54; ++b) {
            result.push_back(centre(b).y());
        }
        return result;
    }

    // Runs ticks until the timer stops itself; returns the levels shown.
    std::vector<int> runToEnd() {
        std::vector<int> shown;
        Ypervola& window = ypervola();
        while (window.Timer1.Enabled() && shown.size() < 1000) {
            shown.push_back(simpleRun.timeIndex);
            window.Timer1.fire();
        }
        return shown;
    }
};

TEST_F(SimpleWindow, ProgramStartsOnTheFullScreenIntroductionInEnglish) {
    Eisagogi1& introduction = eisagogi1();
    EXPECT_TRUE(introduction.isVisible());
    EXPECT_EQ(introduction.Caption(), "EISAGOGH");
    EXPECT_TRUE(introduction.Option1.Value());
    EXPECT_FALSE(introduction.Option2.Value());
    EXPECT_EQ(introduction.frameGeometry().topLeft(), QPoint(0, 0));
    EXPECT_NEAR(introduction.Width(), ui::screenWidth(), 1.0);
    EXPECT_NEAR(introduction.Height(), ui::screenHeight(), 1.0);
    EXPECT_EQ(introduction.APLO.Caption(), "SIMPLE SOLUTION");
    EXPECT_EQ(introduction.MESADYO.Caption(), "TWO MEDIA");
    EXPECT_EQ(introduction.Command1.Caption(), "END");
    EXPECT_TRUE(introduction.Label1.Caption().startsWith("IN THIS SOFTWARE ARE EXAMINED"));
    // The simple-solution window is loaded, hidden, with its English captions.
    EXPECT_FALSE(ypervola().isVisible());
    EXPECT_EQ(ypervola().Command1.Caption(), "start");
    EXPECT_EQ(ypervola().Command2.Caption(), "elliptic equation");
    EXPECT_FALSE(ypervola().Timer1.isTicking());
}

TEST_F(SimpleWindow, SimpleSolutionShowsFiftyFiveCirclesAtRestInARow) {
    click(eisagogi1().APLO);
    Ypervola& window = ypervola();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.Shape1.count(), 55);
    EXPECT_DOUBLE_EQ(window.ScaleWidth(), 280.0);
    EXPECT_NEAR(window.ScaleHeight(), -0.92, 1e-12);
    for (int b = 0; b <= 54; ++b) {
        EXPECT_NEAR(centre(b).x(), 5.0 * b, 1e-4) << b;
        EXPECT_NEAR(centre(b).y(), 0.0, 1e-6) << b;
    }
    EXPECT_FALSE(window.Timer1.isTicking());
    EXPECT_EQ(window.Text1.Text(), "Text1");
}

TEST_F(SimpleWindow, RunShowsEveryOtherLevelUpTo498ThenStopsAt500) {
    click(eisagogi1().APLO);
    click(ypervola().Command1);
    EXPECT_TRUE(ypervola().Timer1.isTicking());
    EXPECT_EQ(ypervola().Timer1.Interval(), 2);
    const std::vector<int> shown = runToEnd();
    ASSERT_EQ(shown.size(), 250u);
    for (std::size_t k = 0; k < shown.size(); ++k) {
        EXPECT_EQ(shown[k], static_cast<int>(2 * k));
    }
    EXPECT_EQ(simpleRun.timeIndex, 500);
    EXPECT_FALSE(ypervola().Timer1.Enabled());
    EXPECT_FALSE(ypervola().Timer1.isTicking());
    for (int b = 0; b <= 54; ++b) {
        EXPECT_NEAR(centre(b).y(), simpleRun.simpleTable.at(b, 498), 1e-6);
    }
}

TEST_F(SimpleWindow, FirstFrameIsLevelZeroWithTheDriveEndJustBelow) {
    click(eisagogi1().APLO);
    click(ypervola().Command1);
    ypervola().Timer1.fire();
    EXPECT_NEAR(centre(54).y(), -0.004, 1e-6);
    EXPECT_NEAR(centre(53).y(), 0.0, 1e-6);
    // The first START of the program writes no readout, nor does the first tick.
    EXPECT_EQ(ypervola().Text1.Text(), "Text1");
    ypervola().Timer1.fire();
    EXPECT_EQ(ypervola().Text1.Text(), "u1(0)=0.00sta=-1");
}

TEST_F(SimpleWindow, StartTwiceRestartsFromLevelZeroWithTheSameMotion) {
    click(eisagogi1().APLO);
    auto record = [this] {
        click(ypervola().Command1);
        std::vector<std::vector<double>> frames;
        while (ypervola().Timer1.Enabled()) {
            ypervola().Timer1.fire();
            frames.push_back(heights());
        }
        return frames;
    };
    const auto first = record();
    const auto second = record();
    EXPECT_EQ(first, second);
    // After a finished run START writes the readout for level 500, where the
    // run left its index, before it starts again from level 0.
    ypervola().Text1.setText("");
    click(ypervola().Command1);
    EXPECT_EQ(ypervola().Text1.Text(), "u1(0)=0.00sta=-1");
}

TEST_F(SimpleWindow, FixedEndReflectsInvertedAndFreeEndUpright) {
    click(eisagogi1().APLO);
    click(ypervola().Command1);
    runToEnd();
    // The drive pulse is upright: a deep trough near the fixed end is its reflection.
    double fixedLowest = 0;
    for (int n = 0; n <= 498; ++n) {
        fixedLowest = std::min(fixedLowest, simpleRun.simpleTable.at(10, n));
    }
    EXPECT_LT(fixedLowest, -0.15);

    click(ypervola().elefthero);
    EXPECT_FALSE(ypervola().stathero.Value());
    click(ypervola().Command1);
    runToEnd();
    double freeHighest = 0;
    for (int n = 0; n <= 498; ++n) {
        freeHighest = std::max(freeHighest, simpleRun.simpleTable.at(0, n));
    }
    EXPECT_NEAR(freeHighest, 0.373, 0.002);
    EXPECT_TRUE(ypervola().Text1.Text().endsWith("sta=0"));
}

TEST_F(SimpleWindow, SwitchingTheEndDuringARunChangesOnlyTheReadout) {
    click(eisagogi1().APLO);
    click(ypervola().Command1);
    for (int k = 0; k < 20; ++k) {
        ypervola().Timer1.fire();
    }
    EXPECT_TRUE(ypervola().Text1.Text().endsWith("sta=-1"));
    const double fixedEndAt300 = simpleRun.simpleTable.at(0, 300);
    click(ypervola().elefthero);
    ypervola().Timer1.fire();
    EXPECT_TRUE(ypervola().Text1.Text().endsWith("sta=0"));
    EXPECT_EQ(simpleRun.simpleTable.at(0, 300), fixedEndAt300);
}

TEST_F(SimpleWindow, EllipticButtonFreezesTheRunAndStartRestartsIt) {
    click(eisagogi1().APLO);
    click(ypervola().Command1);
    for (int k = 0; k < 60; ++k) {
        ypervola().Timer1.fire();
    }
    const std::vector<double> frozen = heights();
    click(ypervola().Command2);
    EXPECT_FALSE(ypervola().Timer1.Enabled());
    EXPECT_FALSE(ypervola().Timer1.isTicking());
    EXPECT_EQ(heights(), frozen);
    click(ypervola().Command1);
    EXPECT_TRUE(ypervola().Timer1.isTicking());
    EXPECT_EQ(simpleRun.timeIndex, 0);
}

TEST_F(SimpleWindow, NavigationLeavesTheAnimationRunning) {
    click(eisagogi1().APLO);
    click(ypervola().Command1);
    ypervola().Timer1.fire();
    click(ypervola().Command5);  // INTRODUCTION
    EXPECT_TRUE(eisagogi1().isVisible());
    EXPECT_TRUE(ypervola().isVisible());
    EXPECT_TRUE(ypervola().Timer1.isTicking());
    click(ypervola().Command4);  // TWO MEDIA
    EXPECT_TRUE(ypervola().Timer1.isTicking());
    click(ypervola().elefthero);
    EXPECT_TRUE(ypervola().Timer1.isTicking());
    EXPECT_EQ(simpleRun.timeIndex, 2);
}

TEST_F(SimpleWindow, SimpleSolutionDuringARunPutsTheCirclesAtRestAndKeepsTheLevel) {
    click(eisagogi1().APLO);
    click(ypervola().Command1);
    for (int k = 0; k < 100; ++k) {
        ypervola().Timer1.fire();
    }
    click(eisagogi1().APLO);
    for (int b = 0; b < 54; ++b) {
        EXPECT_NEAR(centre(b).y(), 0.0, 1e-6);
    }
    EXPECT_EQ(simpleRun.timeIndex, 200);
    EXPECT_TRUE(ypervola().Timer1.isTicking());
}

TEST_F(SimpleWindow, HiddenLambdaBarAtOneLeavesTheReadoutAlone) {
    click(eisagogi1().APLO);
    click(ypervola().Command1);
    ypervola().Timer1.fire();
    ypervola().Timer1.fire();
    ypervola().Text1.setText("before");
    ui::dispatch([this] { ypervola().lamdaval.setValue(10); });
    EXPECT_DOUBLE_EQ(simpleRun.lambda, 1.0);
    ypervola().Timer1.fire();
    EXPECT_EQ(ypervola().Text1.Text(), "before");
    EXPECT_FALSE(ui::programEnded());
}

struct EndRow {
    const char* name;
    bool running;
};

class EndButtons : public SimpleWindow, public ::testing::WithParamInterface<EndRow> {};

TEST_P(EndButtons, EndStopsEverythingAtOnce) {
    click(eisagogi1().APLO);
    if (GetParam().running) {
        click(ypervola().Command1);
    }
    click(std::string(GetParam().name) == "Introduction" ? eisagogi1().Command1
                                                         : ypervola().Command3);
    EXPECT_TRUE(ui::programEnded());
    EXPECT_EQ(ui::exitCode(), 0);
    EXPECT_FALSE(ypervola().Timer1.isTicking());
    EXPECT_FALSE(ypervola().isVisible());
    EXPECT_FALSE(eisagogi1().isVisible());
    // No handler runs after the end.
    const int level = simpleRun.timeIndex;
    ypervola().Timer1.fire();
    EXPECT_EQ(simpleRun.timeIndex, level);
}

INSTANTIATE_TEST_SUITE_P(Windows, EndButtons,
                         ::testing::Values(EndRow{"Introduction", false},
                                           EndRow{"IntroductionWhileRunning", true},
                                           EndRow{"SimpleSolution", false},
                                           EndRow{"SimpleSolutionWhileRunning", true}),
                         kRowName);

TEST_F(SimpleWindow, ClosingTheIntroductionEndsTheProgramClosingOthersHides) {
    click(eisagogi1().APLO);
    ypervola().close();
    EXPECT_FALSE(ypervola().isVisible());
    EXPECT_FALSE(ui::programEnded());
    eisagogi1().close();
    EXPECT_TRUE(ui::programEnded());
}

TEST_F(SimpleWindow, RunTimeErrorNamesTheFailureAndEndsTheProgram) {
    click(eisagogi1().APLO);
    click(ypervola().Command1);
    simpleRun.timeIndex = 5000;  // a level outside the table
    ypervola().Timer1.fire();
    ASSERT_EQ(testing_support::messageBoxes().size(), 1);
    EXPECT_EQ(testing_support::messageBoxes().front(), "Run-time error: Subscript out of range");
    EXPECT_TRUE(ui::programEnded());
    EXPECT_EQ(ui::exitCode(), 1);
    EXPECT_FALSE(ypervola().Timer1.isTicking());
}

TEST_F(SimpleWindow, PulseInFlightIsDrawnAsARowOfCircles) {
    click(eisagogi1().APLO);
    click(ypervola().Command1);
    for (int k = 0; k < 60; ++k) {
        ypervola().Timer1.fire();
    }
    const QImage image = ypervola().grab().toImage();
    image.save(QStringLiteral("simple-solution-in-flight.png"));
    // Each circle's outline is drawn around its centre: look for its dark rim.
    for (const int b : {5, 30, 45, 54}) {
        const QPointF pixel = ypervola().toPixels(centre(b).x(), centre(b).y());
        bool rim = false;
        for (int dy = -6; dy <= 6 && !rim; ++dy) {
            const QColor colour =
                image.pixelColor(static_cast<int>(pixel.x()), static_cast<int>(pixel.y()) + dy);
            rim = colour.lightness() < 128;
        }
        EXPECT_TRUE(rim) << "circle " << b;
    }
}

}  // namespace
}  // namespace palmos
