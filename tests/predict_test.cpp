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
#include <utility>

#include "instruments/captions.h"
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

    // Plays the step mode until it pauses for a question, going on from
    // every outcome held in view with Next; false when the run ended.
    bool playToQuestion(Dyomessa& window, PredictMode& predict) {
        for (int ticks = 0; ticks < 4000; ++ticks) {
            if (window.Timer2.isTicking()) {
                window.Timer2.fire();
            } else if (predict.holding()) {
                click(*predict.window()->nextButton());
            } else {
                return !predict.window()->question().isEmpty();
            }
        }
        return false;
    }

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
        ASSERT_TRUE(playToQuestion(window, predict)) << point;
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
    EXPECT_FALSE(playToQuestion(window, predict));
    ASSERT_EQ(program.worksheet().rows.size(), 2u);
    for (const Prediction& row : program.worksheet().rows) {
        EXPECT_EQ(row.answer, 0);
        EXPECT_TRUE(row.shown);
        EXPECT_DOUBLE_EQ(row.settings.farSideSpeed, 1.2);
    }
    EXPECT_TRUE(predict.window()->told().contains("The physics: "));
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
        // The outcome held in view, in English, until Next.
        while (window.Timer1.Enabled() && ++ticks < 2000) {
            window.Timer1.fire();
        }
        ASSERT_TRUE(program.simpleSolutionPredict().holding());
        EXPECT_TRUE(program.simpleSolutionPredict().window()->told().contains("As you predicted."));
        click(*program.simpleSolutionPredict().window()->nextButton());
        EXPECT_TRUE(window.Timer1.Enabled());
    }
}

// The README's lesson, step by step, in English and in Greek: four STARTs
// on the two-media window, each asking at the junction and at the far end,
// every answer judged by the physics (one wrong on purpose), each outcome
// held in view until the student goes on, then the worksheet.
struct LessonRun {
    int c1;
    int c2;
    bool freeEnd;
    int junctionAnswer;  // the index chosen, and whether the physics agrees
    bool junctionRight;
    int endAnswer;
    bool endRight;
};

class ReadmeLesson : public PredictTest, public ::testing::WithParamInterface<bool> {};

TEST_P(ReadmeLesson, EveryStepAsTheReadmeSays) {
    const bool english = GetParam();
    if (!english) {
        click(eisagogi1().Option2);
    }
    const auto said = [english](Caption which) { return instrumentCaption(which, english); };
    click(eisagogi1().MESADYO);
    Dyomessa& window = dyomessa();
    PredictMode& predict = program.twoMediaPredict();
    predict.setOn(true);  // step 1: the menu's Predict
    ASSERT_TRUE(predict.window()->isVisible());
    // Junction questions in turn: the reflected part's way, the transmitted
    // height, its width, the first to arrive; at the end: its way, its height.
    const LessonRun runs[] = {
        {120, 20, false, 0, true, 1, true},   // upright; upside down from a fixed end
        {120, 20, false, 1, false, 2, true},  // "lower" is wrong (T = 1.42); as high
        {20, 120, true, 1, true, 0, true},    // narrower (0.41 as wide); upright at a free end
        {50, 50, false, 1, true, 2, true},    // only the transmitted part arrives; as high
    };
    for (const LessonRun& run : runs) {
        SCOPED_TRACE(testing::Message() << run.c1 << " " << run.c2 << " " << run.freeEnd);
        ui::dispatch([&] {
            window.cmeso1.setValue(run.c1);
            window.cmesso2.setValue(run.c2);
        });
        click(run.freeEnd ? window.elefthero1 : window.stathero1);
        click(window.Command2);  // step 2: START, paused as STOP pauses it
        for (const auto& [k, right] : {std::pair(run.junctionAnswer, run.junctionRight),
                                       std::pair(run.endAnswer, run.endRight)}) {
            ASSERT_TRUE(playToQuestion(window, predict));
            EXPECT_TRUE(window.Command7.isVisible());
            EXPECT_TRUE(window.Command5.isVisible());
            const std::vector<QPushButton*> answers = predict.window()->answerButtons();
            ASSERT_GT(answers.size(), static_cast<std::size_t>(k));
            click(*answers[static_cast<std::size_t>(k)]);  // step 3: the run goes on
            EXPECT_TRUE(window.Timer2.isTicking());
            for (int ticks = 0; ticks < 4000 && window.Timer2.isTicking(); ++ticks) {
                window.Timer2.fire();
            }
            // Held with the outcome in view until CONTINUE.
            ASSERT_TRUE(predict.holding());
            ASSERT_TRUE(predict.window()->nextButton()->isVisible());
            const QString told = predict.window()->told();
            const QString last = told.split('\n').last();
            EXPECT_TRUE(
                last.contains(said(right ? Caption::PredictAgrees : Caption::PredictDiffers)))
                << last.toStdString();
            EXPECT_TRUE(told.contains(said(Caption::PredictUnit).arg("3.60")))
                << told.toStdString();
            click(window.Command5);
            window.Timer2.fire();
            EXPECT_FALSE(predict.holding());
        }
        EXPECT_FALSE(playToQuestion(window, predict));
    }
    // The first run's outcome at the junction, as the README gives it.
    const std::optional<Outcome> first = program.worksheet().rows.front().outcome(english);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->formula, "A1/A0 = 0.42");
    // Step 6: every question in the worksheet, in the language chosen.
    const QString sheet = QString::fromStdString(worksheetText(program.worksheet().rows, english));
    EXPECT_EQ(sheet.split('\n', Qt::SkipEmptyParts).size(), 9);
    EXPECT_TRUE(sheet.contains(said(Caption::AnswerNarrower)));
    EXPECT_FALSE(sheet.contains(english ? "επίπεδο" : "level"));
}

INSTANTIATE_TEST_SUITE_P(Languages, ReadmeLesson, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "English" : "Greek"; });

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
