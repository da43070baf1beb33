// Predict mode on the real windows: the run pauses on the last tick before
// the pulse reaches the junction or the far end, at every timer interval,
// asks, goes on when answered and then puts what happened beside the answer.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cmath>

#include "tests/support/program_test.h"
#include "ui/events.h"

namespace palmos {
namespace {

class PredictTest : public testing_support::ProgramTest {
  protected:
    void SetUp() override {
        ui::dispatch([this] { ApplyLanguage(); });
    }

    void click(QAbstractButton& button) { QTest::mouseClick(&button, Qt::LeftButton); }

    // Whether the pulse has reached `point` by `level`: above a fiftieth of
    // the largest displacement of the run there or anywhere before.
    static bool reached(const LevelTable& table, int point, int level, int lastPoint,
                        int lastLevel) {
        double largest = 0.0;
        for (int n = 0; n <= lastLevel; ++n) {
            for (int x = 0; x <= lastPoint; ++x) {
                largest = std::max(largest, std::fabs(table.at(x, n)));
            }
        }
        for (int n = 0; n <= level; ++n) {
            if (std::fabs(table.at(point, n)) > largest / 50.0) {
                return true;
            }
        }
        return false;
    }
};

class StepModePauses : public PredictTest, public ::testing::WithParamInterface<int> {};

// Before the junction and before the far end: the level shown has not
// reached the point, the next tick's would have; the answer lets the run go
// on, and once it has shown what happened, the outcome stands beside it.
TEST_P(StepModePauses, OnTheLastTickBeforeEachEvent) {
    const int interval = GetParam();
    click(eisagogi1().MESADYO);
    Dyomessa& window = dyomessa();
    ui::dispatch([&] {
        window.cmeso1.setValue(120);
        window.rythmisidt.setValue(interval);
    });
    PredictMode& predict = program.twoMediaPredict();
    predict.setOn(true);
    click(window.Command2);

    for (const int point : {30, 1}) {
        int ticks = 0;
        while (window.Timer2.isTicking() && ++ticks < 2000) {
            window.Timer2.fire();
        }
        ASSERT_FALSE(window.Timer2.isTicking()) << point;
        EXPECT_TRUE(window.Command7.isVisible());  // the pause of STOP
        const int shown = stepRun.levelShown();
        EXPECT_FALSE(reached(stepRun.stepDisplacement, point, shown, 60, 1501)) << point;
        EXPECT_TRUE(reached(stepRun.stepDisplacement, point, shown + interval, 60, 1501)) << point;
        ASSERT_FALSE(predict.window()->question().isEmpty());
        ASSERT_GE(predict.window()->answerButtons().size(), 2u);
        // The question has the whole window until it is answered.
        QPushButton* copy = nullptr;
        for (QPushButton* button : predict.window()->findChildren<QPushButton*>()) {
            if (button->accessibleName() == "Copy worksheet") {
                copy = button;
            }
        }
        ASSERT_NE(copy, nullptr);
        EXPECT_FALSE(copy->isVisible());
        click(*predict.window()->answerButtons().front());
        EXPECT_TRUE(window.Timer2.isTicking());
        EXPECT_TRUE(copy->isVisible());
    }
    while (window.Timer2.isTicking()) {
        window.Timer2.fire();
    }
    ASSERT_EQ(program.worksheet().rows.size(), 2u);
    for (const Prediction& row : program.worksheet().rows) {
        EXPECT_EQ(row.answer, 0);
        EXPECT_TRUE(row.outcome);
        EXPECT_DOUBLE_EQ(row.settings.farSideSpeed, 1.2);
    }
    EXPECT_TRUE(predict.window()->told().contains("The run: "));
}

INSTANTIATE_TEST_SUITE_P(Intervals, StepModePauses, ::testing::Range(1, 11));

// The single string pauses before its end, in Greek when Greek is chosen and
// again in English when English is; with predict mode off the same run never
// pauses.
TEST_F(PredictTest, TheSingleStringPausesBeforeItsEndOnlyWhenPredicting) {
    click(eisagogi1().Option2);
    click(eisagogi1().APLO);
    Ypervola& window = ypervola();
    for (const bool on : {false, true}) {
        program.simpleSolutionPredict().setOn(on);
        click(window.Command1);
        int ticks = 0;
        while (window.Timer1.Enabled() && ++ticks < 1000) {
            window.Timer1.fire();
        }
        const int shown = simpleRun.levelShown();
        if (!on) {
            EXPECT_EQ(shown, 498);
            continue;
        }
        EXPECT_FALSE(reached(simpleRun.simpleTable, 1, shown, 54, 499));
        EXPECT_TRUE(reached(simpleRun.simpleTable, 1, shown + 2, 54, 499));
        EXPECT_TRUE(program.simpleSolutionPredict().window()->question().contains("άκρο"));
        click(eisagogi1().Option1);  // the open question, asked again in English
        EXPECT_TRUE(program.simpleSolutionPredict().window()->question().contains("the fixed end"));
        program.simpleSolutionPredict().answer(1);
        EXPECT_TRUE(window.Timer1.Enabled());
    }
}

// The worksheet goes onto the clipboard as tab-separated text, and into a
// picture with every question in full, wider than it is high.
TEST_F(PredictTest, TheWorksheetIsCopiedAndSaved) {
    click(eisagogi1().APLO);
    PredictMode& predict = program.simpleSolutionPredict();
    predict.setOn(true);
    click(ypervola().Command1);
    for (int tick = 0; tick < 1000 && ypervola().Timer1.Enabled(); ++tick) {
        ypervola().Timer1.fire();
    }
    predict.answer(1);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("worksheet.png"));
    predict.setSaveDialogs(
        {.askFileName = [&](QWidget*, const QString&, const QString&) { return path; },
         .reportFailure = [](QWidget*, const QString&, const QString&) { FAIL(); }});
    QGuiApplication::clipboard()->clear();
    for (QPushButton* button : predict.window()->findChildren<QPushButton*>()) {
        if (button->accessibleName() == "Copy worksheet" ||
            button->accessibleName() == "Save worksheet...") {
            click(*button);
        }
    }
    const QStringList rows = QGuiApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_TRUE(rows[0].startsWith("Run\tc1\tc2\tHeight"));
    EXPECT_TRUE(rows[1].startsWith("Simple solution\t0.30\t0.30\t\t\tfixed\tThe pulse is about"));
    EXPECT_TRUE(rows[1].contains("\tUpside down\t"));
    const QImage picture(path);
    ASSERT_FALSE(picture.isNull());
    EXPECT_GT(picture.width(), picture.height());
}

}  // namespace
}  // namespace palmos
