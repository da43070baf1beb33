// Entry point of the window tests: the real windows on Qt's offscreen
// platform, with the message box replaced by a recorder.
#include <gtest/gtest.h>

#include <QApplication>

#include "tests/support/gui_testing.h"

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Palmos"));
    QApplication::setQuitOnLastWindowClosed(false);
    testing_support::recordMessageBoxes();
    return RUN_ALL_TESTS();
}
