// The two-media window driven as a student drives it; every test starts the
// program afresh (each test makes a program of its own).
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <cmath>

#include "app/introduction.h"
#include "app/language.h"
#include "single_string/simple_solution.h"
#include "single_string/window.h"
#include "tests/support/gui_testing.h"
#include "tests/support/program_test.h"
#include "tests/support/rows.h"
#include "two_media/procedures.h"
#include "two_media/window.h"
#include "ui/events.h"

namespace palmos {
namespace {

using palmos::PrintTo;

const char* const kDefaultReadout =
    "A1/A0 =0.00 B1/A0 = 1.00A0 = 3.60A1 =0.00 B1=3.60"
    "REFLECTED= A0 X0.00 TRANSMITTED=  A0 X1.00A0 = 3.60A1 =0.00 B1=3.60";

class TwoMediaWindow : public testing_support::ProgramTest {
  protected:
    void SetUp() override {
        ui::dispatch([this] { ApplyLanguage(); });
    }

    void click(QAbstractButton& button) { QTest::mouseClick(&button, Qt::LeftButton); }
    void open() { click(eisagogi1().MESADYO); }
    void move(ui::ScrollBar& bar, int value) {
        ui::dispatch([&] { bar.setValue(value); });
    }
    void chooseGreek() { click(eisagogi1().Option2); }

    // The vertical centre of circle i in the window's scale.
    double height(int i) {
        const ui::Shape& circle = dyomessa().Shape1(i);
        return circle.Top() - circle.Height() / 2;
    }
};

TEST_F(TwoMediaWindow, LoadsHiddenAtStartWithTheLoadTimeReadouts) {
    Dyomessa& window = dyomessa();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.Caption(), "DYO MESA");
    EXPECT_EQ(window.cmeso1.Value(), 30);
    EXPECT_EQ(window.cmesso2.Value(), 30);
    EXPECT_EQ(window.evros.Value(), 20);
    EXPECT_EQ(window.platos.Value(), 100);
    // No preparation has run yet: no time step, so A0 shows as 0.00.
    EXPECT_EQ(window.Text1.Text(),
              "A1/A0 =0.00 B1/A0 = 1.00A0 = 0.00A1 =0.00 B1=0.00"
              "REFLECTED= A0 X0.00 TRANSMITTED=  A0 X1.00A0 = 0.00A1 =0.00 B1=0.00");
    EXPECT_EQ(window.Label1.Caption(), "c1 = 0.30");
    EXPECT_EQ(window.Label2.Caption(), "Label2");
    EXPECT_EQ(window.Label3.Caption(), "HEIGHT OF 1ST PULSE=0.00");
    EXPECT_EQ(window.Label4.Caption(), "TIMER INT = 1");
    EXPECT_EQ(window.Label5.Caption(), "WIDTH OF PULSE=20");
    // Before the single string is prepared its last point is 0: right edge 10.
    EXPECT_DOUBLE_EQ(window.ScaleWidth(), 10.0);
    EXPECT_NEAR(baseDepth(window), 0.3f, 1e-7);
    EXPECT_FALSE(window.Command1.isVisible());
    EXPECT_FALSE(window.Timer1.isTicking());
    EXPECT_FALSE(window.Timer2.isTicking());
}

TEST_F(TwoMediaWindow, OpensInItsStartStateWhateverTheBarsShowed) {
    Dyomessa& window = dyomessa();
    move(window.cmeso1, 120);
    move(window.cmesso2, 7);
    move(window.evros, 44);
    move(window.platos, 15);
    open();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.cmeso1.Value(), 30);
    EXPECT_EQ(window.cmesso2.Value(), 30);
    EXPECT_EQ(window.evros.Value(), 20);
    EXPECT_EQ(window.platos.Value(), 100);
    EXPECT_EQ(twoMediaRun.twoMediaLastPoint, 60);
    EXPECT_DOUBLE_EQ(twoMediaRun.settings().driveSideSpeed, 0.3);
    EXPECT_DOUBLE_EQ(twoMediaRun.settings().farSideSpeed, 0.3);
    EXPECT_DOUBLE_EQ(timeStep, 0.6);
    EXPECT_EQ(window.Label1.Caption(), "c1= 0.30");
    EXPECT_EQ(window.Label2.Caption(), "c2= 0.30");
    EXPECT_EQ(window.Text1.Text(), kDefaultReadout);
    EXPECT_EQ(window.Label3.Caption(), "HEIGHT OF 1ST PULSE=3.60");
    EXPECT_EQ(twoMediaRun.twoMediaTable.at(60, 50), static_cast<double>(0.3f * 49 / 50 * 1.0f));
}

TEST_F(TwoMediaWindow, CirclesSitAtRestColouredByMedium) {
    open();
    Dyomessa& window = dyomessa();
    const double spacing = window.ScaleWidth() / 62;
    for (int i = 0; i <= 60; ++i) {
        const ui::Shape& circle = window.Shape1(i);
        EXPECT_NEAR(circle.Left(), i * spacing, 1e-4) << i;
        EXPECT_NEAR(height(i), 0.0, 1e-6) << i;
        const QColor border = i < 30 ? QColor(255, 0, 0) : i == 30 ? QColor(0, 255, 0) : Qt::black;
        EXPECT_EQ(circle.BorderColor(), border) << i;
        EXPECT_EQ(circle.FillStyle(), 0);
        EXPECT_EQ(circle.FillColor(), i < 30 ? QColor(255, 0, 0) : QColor(Qt::black)) << i;
    }
}

struct LabelRow {
    const char* name;
    bool greek;
    ui::ScrollBar Dyomessa::*bar;
    int value;
    ui::Label Dyomessa::*label;
    const char* caption;
    const char* reflected;  // the English reflected label the readout shows, or ""
};

class TwoMediaLabels : public TwoMediaWindow, public ::testing::WithParamInterface<LabelRow> {};

TEST_P(TwoMediaLabels, MovingABarRewritesItsReadouts) {
    const LabelRow row = GetParam();
    open();
    if (row.greek) {
        chooseGreek();
    }
    Dyomessa& window = dyomessa();
    window.Text1.setText("untouched");
    move(window.*row.bar, row.value);
    EXPECT_EQ((window.*row.label).Caption(), QString::fromUtf8(row.caption));
    const QString readout = window.Text1.Text();
    if (std::string(row.reflected).empty()) {
        EXPECT_EQ(readout, "untouched");
    } else if (row.greek) {
        EXPECT_TRUE(readout.contains("ΑΝΑΚΛΩΜΕΝΟΣ= A0 X")) << readout.toStdString();
    } else {
        EXPECT_TRUE(readout.contains(row.reflected)) << readout.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bars, TwoMediaLabels,
    ::testing::Values(
        LabelRow{"SpeedOne", false, &Dyomessa::cmeso1, 45, &Dyomessa::Label1, "c1 = 0.45",
                 "REFLECTED = A0 X0.10"},
        LabelRow{"SpeedOneGreek", true, &Dyomessa::cmeso1, 45, &Dyomessa::Label1, "c1 = 0.45",
                 "Greek"},
        LabelRow{"SpeedTwo", false, &Dyomessa::cmesso2, 200, &Dyomessa::Label2, "c2 = 2.00",
                 "REFLECTED= A0 X-0.44"},
        LabelRow{"SpeedTwoGreek", true, &Dyomessa::cmesso2, 1, &Dyomessa::Label2, "c2 = 0.01",
                 "Greek"},
        LabelRow{"Height", false, &Dyomessa::platos, 10, &Dyomessa::Label3,
                 "HEIGHT OF 1ST PULSE=0.36", "REFLECTED= A0 X0.00"},
        LabelRow{"HeightGreek", true, &Dyomessa::platos, 10, &Dyomessa::Label3,
                 "Πλάτος πρώτου παλμού =0.36", "Greek"},
        LabelRow{"Width", false, &Dyomessa::evros, 45, &Dyomessa::Label5, "WIDTH OF PULSE=45", ""},
        LabelRow{"WidthGreek", true, &Dyomessa::evros, 15, &Dyomessa::Label5, "ΕΥΡΟΣ ΠΑΛΜΟΥ=15",
                 ""},
        LabelRow{"Timer", false, &Dyomessa::rythmisidt, 7, &Dyomessa::Label4, "TIMER INT = 7", ""},
        LabelRow{"TimerGreek", true, &Dyomessa::rythmisidt, 10, &Dyomessa::Label4, "TIMER INT = 10",
                 ""}),
    kRowName);

TEST_F(TwoMediaWindow, IntroductionHidesTheWindowAndTwoMediaShowsItAgain) {
    open();
    click(dyomessa().Command4);
    EXPECT_FALSE(dyomessa().isVisible());
    EXPECT_TRUE(eisagogi1().isVisible());
    open();
    EXPECT_TRUE(dyomessa().isVisible());
}

TEST_F(TwoMediaWindow, OpeningItLeavesTheSingleStringRunning) {
    click(eisagogi1().APLO);
    click(ypervola().Command1);
    ypervola().Timer1.fire();
    click(ypervola().Command4);
    EXPECT_TRUE(dyomessa().isVisible());
    EXPECT_TRUE(ypervola().Timer1.isTicking());
    EXPECT_EQ(simpleRun.timeIndex, 2);
    // With the single string prepared the scale's right edge is 280.
    EXPECT_DOUBLE_EQ(dyomessa().ScaleWidth(), 280.0);
}

TEST_F(TwoMediaWindow, EndButtonEndsTheProgram) {
    open();
    click(dyomessa().Command2);
    click(dyomessa().Command6);
    EXPECT_TRUE(ui::programEnded());
    EXPECT_FALSE(dyomessa().Timer2.isTicking());
}

}  // namespace
}  // namespace palmos
