// END from every state of the program: the process ends with status 0,
// whatever runs or is hidden, and even with the elliptic window's message box
// open. Each case runs the real event loop in a child process.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QThread>
#include <QThreadPool>
#include <QTimer>
#include <cstdlib>

#include "app/program.h"
#include "tests/support/rows.h"
#include "ui/events.h"

namespace palmos {
namespace {

using palmos::PrintTo;

void click(QAbstractButton& button) {
    QTest::mouseClick(&button, Qt::LeftButton);
}

int threadCount() {
    return static_cast<int>(QDir(QStringLiteral("/proc/self/task"))
                                .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                                .size());
}

// Starts the program, brings it into a state, presses END from the event
// loop after a moment and exits with the status the event loop returns, or
// with 100 + the number of threads if any thread besides the main one is left.
[[noreturn]] void endFrom(void (*enterState)(Program&), void (*pressEnd)(Program&)) {
    ui::setMessageBoxHook({});  // the real message box
    Program program;
    ui::dispatch([&program] { program.applyLanguage(); });
    enterState(program);
    QTimer::singleShot(300, [&program, pressEnd] { pressEnd(program); });
    const int status = QApplication::exec();
    // What the application object does as main returns: the painter's pooled
    // helper threads are joined.
    QThreadPool::globalInstance()->waitForDone();
    // Nothing of the program may still run beside the main thread; a helper
    // thread that is on its way out gets a moment to finish.
    int threads = threadCount();
    for (int wait = 0; wait < 100 && threads > 1; ++wait) {
        QThread::msleep(10);
        threads = threadCount();
    }
    std::exit(threads == 1 ? status : 100 + threads);
}

void runEverything(Program& p) {
    click(p.eisagogi1().APLO);
    click(p.ypervola().Command1);
    click(p.ypervola().Command4);
    ui::dispatch([&p] { p.dyomessa().Command1_Click(); });
    click(p.dyomessa().Command2);
}

struct EndRow {
    const char* name;
    void (*enterState)(Program&);
    void (*pressEnd)(Program&);
};

class EndProgram : public ::testing::TestWithParam<EndRow> {
  protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_P(EndProgram, EndsWithStatusZero) {
    const EndRow row = GetParam();
    EXPECT_EXIT(endFrom(row.enterState, row.pressEnd), ::testing::ExitedWithCode(0), "");
}

INSTANTIATE_TEST_SUITE_P(
    States, EndProgram,
    ::testing::Values(
        EndRow{"AtStart", [](Program&) {}, [](Program& p) { click(p.eisagogi1().Command1); }},
        EndRow{"IntroductionWithTimersRunning", runEverything,
               [](Program& p) { click(p.eisagogi1().Command1); }},
        EndRow{"SimpleSolutionWithTimersRunning", runEverything,
               [](Program& p) { click(p.ypervola().Command3); }},
        EndRow{"TwoMediaWithTimersRunning", runEverything,
               [](Program& p) { click(p.dyomessa().Command6); }},
        EndRow{"TwoMediaHiddenAndRunning",
               [](Program& p) {
                   runEverything(p);
                   click(p.dyomessa().Command4);
               },
               [](Program& p) { click(p.eisagogi1().Command1); }},
        EndRow{"ClosingTheIntroduction", runEverything, [](Program& p) { p.eisagogi1().close(); }},
        EndRow{"EllipticMessageBoxOpen",
               [](Program& p) {
                   runEverything(p);
                   click(p.ypervola().Command2);
                   QTimer::singleShot(0, [&p] { click(p.elliptikh().Command1); });
               },
               [](Program& p) { ui::dispatch([&p] { p.ypervola().Command3_Click(); }); }}),
    kRowName);

}  // namespace
}  // namespace palmos
