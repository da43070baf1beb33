// Entry point of the window tests: the real windows on Qt's offscreen
// platform, with the message box replaced by a recorder. Each test makes its
// own program (tests/support/program_test.h), so tests share the process.
#include <gtest/gtest.h>

#include <QApplication>

#include "tests/support/gui_testing.h"

namespace {

// Every test starts with no message box recorded.
class ForgetMessageBoxes : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { testing_support::clearMessageBoxes(); }
};

}  // namespace

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ForgetMessageBoxes);
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Palmos"));
    QApplication::setQuitOnLastWindowClosed(false);
    testing_support::recordMessageBoxes();
    return RUN_ALL_TESTS();
}
