// The elliptic-equation window as the student reaches and uses it.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include "app/language.h"
#include "elliptic/window.h"
#include "single_string/simple_solution.h"
#include "single_string/window.h"
#include "tests/support/gui_testing.h"
#include "tests/support/program_test.h"
#include "ui/events.h"

namespace palmos {
namespace {

class EllipticWindow : public testing_support::ProgramTest {
  protected:
    void SetUp() override {
        ui::dispatch([this] { ApplyLanguage(); });
        ui::dispatch([this] { program.openSimpleSolution(); });
    }

    void solve() { QTest::mouseClick(&elliptikh().Command1, Qt::LeftButton); }

    QColor pixelAt(const QImage& image, double x, double y) {
        const QPointF pixel = elliptikh().toPixels(x, y) * image.devicePixelRatio();
        return image.pixelColor(pixel.toPoint());
    }
};

TEST_F(EllipticWindow, OpensFromTheSimpleSolutionWindowAndFreezesItsRun) {
    QTest::mouseClick(&ypervola().Command1, Qt::LeftButton);
    ASSERT_TRUE(ypervola().Timer1.isTicking());
    QTest::mouseClick(&ypervola().Command2, Qt::LeftButton);
    EXPECT_FALSE(ypervola().Timer1.Enabled());
    Elliptikh& window = elliptikh();
    EXPECT_EQ(testing_support::messageBoxes(), QStringList{});
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(ypervola().isVisible());
    EXPECT_EQ(window.Caption(), "Ελλειπτική διαφορική εξίσωση");
    EXPECT_EQ(window.Command1.Caption(), "ΛΥΣΗ");
    EXPECT_EQ(window.frameGeometry().topLeft(), QPoint(0, 0));
    EXPECT_NEAR(window.Width(), ui::screenWidth() * 2 / 3, 15.0);
    EXPECT_NEAR(window.Height(), ui::screenHeight() * 2 / 3, 15.0);
    EXPECT_DOUBLE_EQ(window.ScaleLeft(), 0.0);
    EXPECT_DOUBLE_EQ(window.ScaleTop(), 65.0);
    EXPECT_DOUBLE_EQ(window.ScaleWidth(), 65.0);
    EXPECT_DOUBLE_EQ(window.ScaleHeight(), -65.0);
}

TEST_F(EllipticWindow, SolutionPlotsTheBandsAndReportsTheSweeps) {
    elliptikh().Show();
    solve();
    ASSERT_EQ(testing_support::messageBoxes(), QStringList{"157"});
    const QImage image = elliptikh().grab().toImage();
    image.save(QStringLiteral("elliptic-solution.png"));
    // Top wall in band 5's colour, lowest upper side-wall points in band 1's.
    EXPECT_EQ(pixelAt(image, 30, 61), QColor(255, 0, 255));
    EXPECT_EQ(pixelAt(image, 1, 32), QColor(255, 0, 0));
    // The square obstacle and the bottom wall stay blank.
    EXPECT_EQ(pixelAt(image, 31, 31), QColor(Qt::white));
    EXPECT_EQ(pixelAt(image, 19, 30), QColor(Qt::white));
    EXPECT_EQ(pixelAt(image, 30, 1), QColor(Qt::white));
}

TEST_F(EllipticWindow, SecondClickGivesTheSamePictureAndCount) {
    elliptikh().Show();
    solve();
    const QImage first = elliptikh().grab().toImage();
    solve();
    EXPECT_EQ(testing_support::messageBoxes(), (QStringList{"157", "157"}));
    EXPECT_EQ(elliptikh().grab().toImage(), first);
}

TEST_F(EllipticWindow, DotsSurviveBeingHiddenAndShownAgain) {
    elliptikh().Show();
    solve();
    elliptikh().Hide();
    ypervola().Show();
    elliptikh().Show();
    const QImage image = elliptikh().grab().toImage();
    EXPECT_EQ(pixelAt(image, 30, 61), QColor(255, 0, 255));
}

}  // namespace
}  // namespace palmos
