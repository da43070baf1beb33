// Entry point of the window tests: the real windows on Qt's offscreen
// platform, with the message box replaced by a recorder.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <iostream>
#include <string>
#include <utility>

#include "tests/support/gui_testing.h"

#ifdef PALMOS_ONE_TEST_PER_PROCESS
namespace {

// The tests of these programs share the program's windows and state, which
// nothing resets: a test run after another would start from what the first
// left. So the program refuses to run more than one test, before any runs,
// and names the CTest command that gives each test a process of its own.
class OneTestPerProcess : public ::testing::EmptyTestEventListener {
  public:
    explicit OneTestPerProcess(std::string program) : program_(std::move(program)) {}

    void OnTestProgramStart(const ::testing::UnitTest& unit) override {
        if (unit.test_to_run_count() <= 1) {
            return;
        }
        std::string suites;
        for (int k = 0; k < unit.total_test_suite_count(); ++k) {
            const ::testing::TestSuite& suite = *unit.GetTestSuite(k);
            if (suite.test_to_run_count() > 0) {
                suites += (suites.empty() ? "" : "|") + std::string(suite.name());
            }
        }
        std::cerr << program_ << ": " << unit.test_to_run_count()
                  << " tests selected, but each test needs a process of its own.\n"
                  << "Run them through CTest, which starts one process per test:\n"
                  << "    QT_QPA_PLATFORM=offscreen ctest --test-dir " PALMOS_BUILD_DIR " -R '^("
                  << suites << ")\\.'\n"
                  << "or run one of them here with --gtest_filter=<Suite>.<Test> "
                     "(--gtest_list_tests lists them).\n";
        std::exit(1);
    }

  private:
    std::string program_;
};

}  // namespace
#endif

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleTest(&argc, argv);
#ifdef PALMOS_ONE_TEST_PER_PROCESS
    ::testing::UnitTest::GetInstance()->listeners().Append(new OneTestPerProcess(argv[0]));
#endif
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Palmos"));
    QApplication::setQuitOnLastWindowClosed(false);
    testing_support::recordMessageBoxes();
    return RUN_ALL_TESTS();
}
