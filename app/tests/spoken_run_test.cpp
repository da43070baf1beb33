// What a screen reader hears of a run played tick by tick: each notice as its
// window's line shows it, with an announcer that hears a screen reader
// listening (the program's own asks the platform, which has none offscreen).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "app/introduction.h"
#include "app/run_announcer.h"
#include "core/format.h"
#include "single_string/window.h"
#include "tests/support/program_test.h"
#include "two_media/window.h"
#include "ui/events.h"

namespace palmos {
namespace {

// What a notice said each time one of its lines showed, all of it in one
// line.
class Ear : public QObject {
  public:
    explicit Ear(ui::SpokenNotice& notice) : notice_(notice) {
        for (QWidget* line : notice.lines()) {
            line->installEventFilter(this);
        }
    }
    std::string heard;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            heard += (heard.empty() ? "" : " ") + notice_.text().toStdString();
        }
        return false;
    }

  private:
    ui::SpokenNotice& notice_;
};

class SpokenRun : public testing_support::ProgramTest {
  protected:
    void SetUp() override {
        ui::dispatch([this] { ApplyLanguage(); });
        ui::dispatch([this] { program.openTwoMedia(); });
        ui::dispatch([this] { program.openSimpleSolution(); });
        announcer = std::make_unique<RunAnnouncer>(windows(), program.session(), program,
                                                   [] { return true; });
    }
    void TearDown() override { announcer.reset(); }

    void chooseLanguage(bool english) {
        QTest::mouseClick(english ? &eisagogi1().Option1 : &eisagogi1().Option2, Qt::LeftButton);
    }
    // A tick, as its clock would fire it, and the rest of its turn of the
    // event loop. The clocks themselves are stopped: the test ticks.
    void tick(ui::Timer& timer) {
        ui::stopTimers();
        timer.fire();
        QCoreApplication::processEvents();
    }
    void click(QAbstractButton& button) {
        QTest::mouseClick(&button, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    static std::string ended(bool english, int level) {
        return captionWith(Caption::RunEnded, english, {formatWhole(level)});
    }

    std::unique_ptr<RunAnnouncer> announcer;
};

struct PlayedRun {
    const char* name;
    bool simpleSolution;
    int interval;  // the step mode's timer bar
};

void PrintTo(const PlayedRun& run, std::ostream* out) {
    *out << run.name;
}

class EveryInterval : public SpokenRun, public ::testing::WithParamInterface<PlayedRun> {};

// Each event of the run once, in its order, then its end, in the language in
// use: none said again on a later tick, none passed over however many
// levels a tick moves on. The keyboard stays where it was.
TEST_P(EveryInterval, EachEventOnceInOrderThenTheEnd) {
    const PlayedRun row = GetParam();
    const bool english = row.interval % 2 == 0;
    chooseLanguage(english);
    ui::Form& window = row.simpleSolution ? static_cast<ui::Form&>(ypervola()) : dyomessa();
    Ear ear(row.simpleSolution ? announcer->simpleSolutionNotice() : announcer->twoMediaNotice());
    std::vector<RunEvent> events;
    if (row.simpleSolution) {
        ypervola().Command4.setFocus();
        ui::dispatch([this] { ypervola().Command1_Click(); });
        while (simpleRun.timeIndex <= kLastSimpleLevel) {
            tick(ypervola().Timer1);
        }
        events = findRunEvents(simpleRun.simpleTable,
                               singleStringEventRun(simpleRun.settings().end, simpleRun.lambda,
                                                    simpleRun.lastPoint, kLastSimpleLevel));
    } else {
        // The far side faster: the junction sends a part back too.
        dyomessa().cmeso1.setValue(120);
        dyomessa().rythmisidt.setValue(row.interval);
        dyomessa().Command5.setFocus();
        ui::dispatch([this] { dyomessa().Command2_Click(); });
        while (!stepRun.stepRunFinished) {
            tick(dyomessa().Timer2);
        }
        events = findRunEvents(
            stepRun.stepDisplacement,
            twoMediaEventRun(ratioRunOf(TwoMediaScheme::StepMode, stepRun.settings())));
    }
    const palmos::Run& run =
        row.simpleSolution ? static_cast<const palmos::Run&>(simpleRun) : stepRun;
    std::string expected;
    int told = 0;
    for (const RunEvent& event : events) {
        if (event.level <= run.levelShown()) {
            expected += announcement(event, english) + " ";
            ++told;
        }
    }
    ASSERT_GE(told, 3) << "the pulse leaves, reaches the far end and comes back, at least";
    EXPECT_EQ(ear.heard, expected + ended(english, run.levelShown()));
    EXPECT_EQ(window.focusWidget(),
              row.simpleSolution ? &ypervola().Command4 : &dyomessa().Command5);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, EveryInterval,
    ::testing::Values(PlayedRun{"simple_solution", true, 2}, PlayedRun{"step_mode_1", false, 1},
                      PlayedRun{"step_mode_2", false, 2}, PlayedRun{"step_mode_3", false, 3},
                      PlayedRun{"step_mode_4", false, 4}, PlayedRun{"step_mode_5", false, 5},
                      PlayedRun{"step_mode_6", false, 6}, PlayedRun{"step_mode_7", false, 7},
                      PlayedRun{"step_mode_8", false, 8}, PlayedRun{"step_mode_9", false, 9},
                      PlayedRun{"step_mode_10", false, 10}));

// STOP, STEP and CONTINUE each say what they did at the level shown, in the
// language in use; STEP on a run that has ended says the end again.
TEST_F(SpokenRun, StopStepAndContinueSayTheLevel) {
    for (const bool english : {true, false}) {
        SCOPED_TRACE(english ? "English" : "Greek");
        chooseLanguage(english);
        Dyomessa& window = dyomessa();
        window.rythmisidt.setValue(10);
        ui::dispatch([&window] { window.Command2_Click(); });
        for (int k = 0; k < 3; ++k) {
            tick(window.Timer2);  // levels 0, 10, 20
        }
        Ear ear(announcer->twoMediaNotice());
        click(window.Command3);
        click(window.Command7);
        click(window.Command5);
        EXPECT_EQ(ear.heard, captionWith(Caption::RunPaused, english, {"20"}) + " " +
                                 captionWith(Caption::RunStep, english, {"30"}) + " " +
                                 captionWith(Caption::RunContinues, english, {"30"}));
        while (!stepRun.stepRunFinished) {
            tick(window.Timer2);
        }
        ear.heard.clear();
        click(window.Command7);
        EXPECT_EQ(ear.heard, ended(english, 1500));
    }
}

}  // namespace
}  // namespace palmos
