// A screen reader's or switch device's "activate" gives what a click gives.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QTest>
#include <functional>
#include <memory>
#include <vector>

#include "app/introduction.h"
#include "app/language.h"
#include "core/runtime_error.h"
#include "single_string/window.h"
#include "tests/support/gui_testing.h"
#include "tests/support/program_test.h"
#include "tests/support/rows.h"
#include "two_media/window.h"
#include "ui/events.h"

namespace palmos {
namespace {

using palmos::PrintTo;

// Runs the one action a control offers to assistive technology (Toggle for an
// option, Press for a button), as a screen reader's "activate" does.
void activate(QWidget& control) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&control);
    ASSERT_NE(accessible, nullptr);
    QAccessibleActionInterface* actions = accessible->actionInterface();
    ASSERT_NE(actions, nullptr);
    const QStringList names = actions->actionNames();
    ASSERT_FALSE(names.isEmpty());
    const QString& name = names.front();
    ASSERT_TRUE(name == QAccessibleActionInterface::toggleAction() ||
                name == QAccessibleActionInterface::pressAction())
        << name.toStdString();
    actions->doAction(name);
}

// Two options of one window, each counting its Clicks.
class TwoOptions {
  public:
    TwoOptions() {
        form_->finishLoading();
        first.onClick([this] { ++firstClicks; });
        second.onClick([this] { ++secondClicks; });
        form_->show();
    }

    std::unique_ptr<ui::Form> form_ = std::make_unique<ui::Form>("Options", ui::Font{}, 4000, 1000);
    ui::OptionButton first{
        form_.get(),
        {.caption = "FIRST", .left = 0, .top = 0, .width = 1500, .height = 495, .tabIndex = 0},
        ui::OptionButton::Style::Standard,
        true};
    ui::OptionButton second{
        form_.get(),
        {.caption = "SECOND", .left = 2000, .top = 0, .width = 1500, .height = 495, .tabIndex = 1},
        ui::OptionButton::Style::Graphical,
        false};
    int firstClicks = 0;
    int secondClicks = 0;
};

struct Selection {
    const char* name;
    std::function<void(ui::OptionButton&)> select;
    bool byCode;
};

const Selection kSelections[] = {
    {"Click", [](ui::OptionButton& o) { QTest::mouseClick(&o, Qt::LeftButton); }, false},
    {"Space", [](ui::OptionButton& o) { QTest::keyClick(&o, Qt::Key_Space); }, false},
    {"Enter", [](ui::OptionButton& o) { QTest::keyClick(&o, Qt::Key_Return); }, false},
    {"AccessibleAction", [](ui::OptionButton& o) { activate(o); }, false},
    {"Code", [](ui::OptionButton& o) { o.setValue(true); }, true},
};

class SelectingAnOption : public testing_support::ProgramTest,
                          public ::testing::WithParamInterface<Selection> {};

TEST_P(SelectingAnOption, RaisesItsClickOncePerSelection) {
    TwoOptions options;
    GetParam().select(options.second);
    EXPECT_TRUE(options.second.Value());
    EXPECT_FALSE(options.first.Value());
    EXPECT_EQ(options.secondClicks, 1);
    EXPECT_EQ(options.firstClicks, 0) << "deselected, not clicked";
    GetParam().select(options.second);
    EXPECT_TRUE(options.second.Value());
    EXPECT_EQ(options.secondClicks, 1) << "selecting the selected option again";
}

// A Click raised by code runs inside the handler that selected the option, so
// its failure reaches that handler's dispatch; one the student raised is
// reported by its own and ends the program.
TEST_P(SelectingAnOption, FailureOfItsClickReachesTheRightHandler) {
    TwoOptions options;
    options.second.onClick([] { raiseOverflow(); });
    if (GetParam().byCode) {
        EXPECT_THROW(GetParam().select(options.second), RuntimeError);
        EXPECT_FALSE(ui::programEnded());
        EXPECT_TRUE(options.second.Value());
        return;
    }
    GetParam().select(options.second);
    EXPECT_TRUE(ui::programEnded());
    ASSERT_FALSE(testing_support::messageBoxes().isEmpty());
    EXPECT_EQ(testing_support::messageBoxes().back(), QStringLiteral("Run-time error: Overflow"));
}

INSTANTIATE_TEST_SUITE_P(Ways, SelectingAnOption, ::testing::ValuesIn(kSelections), kRowName);

std::vector<float> circleTops(Dyomessa& window) {
    std::vector<float> tops;
    for (int i = 0; i < window.Shape1.count(); ++i) {
        tops.push_back(window.Shape1(i).Top());
    }
    return tops;
}

class ProgramActions : public testing_support::ProgramTest {
  protected:
    void SetUp() override {
        ui::dispatch([this] { ApplyLanguage(); });
    }
};

TEST_F(ProgramActions, LanguageOptionsSwitchEveryCaptionAndReadoutName) {
    activate(eisagogi1().Option2);
    EXPECT_TRUE(eisagogi1().Option2.Value());
    for (const CaptionRow& row : captionTable()) {
        EXPECT_EQ(row.target(windows()).Caption(), QString::fromUtf8(row.greek)) << row.control;
    }
    EXPECT_EQ(dyomessa().Text1.accessibleName(), QStringLiteral("Λόγοι"));
    EXPECT_EQ(ypervola().Text1.accessibleName(), QStringLiteral("Ένδειξη"));
    activate(eisagogi1().Option1);
    for (const CaptionRow& row : captionTable()) {
        EXPECT_EQ(row.target(windows()).Caption(), QString::fromUtf8(row.english)) << row.control;
    }
    EXPECT_EQ(dyomessa().Text1.accessibleName(), QStringLiteral("Ratios"));
    EXPECT_EQ(ypervola().Text1.accessibleName(), QStringLiteral("Readout"));
}

// START, STOP, STEP and CONTINUE of the step mode, and the free end, pressed
// through the buttons' action.
TEST_F(ProgramActions, ButtonsPressedThroughTheirActionWorkAsClicks) {
    activate(eisagogi1().MESADYO);
    QTRY_VERIFY(dyomessa().isVisible());
    Dyomessa& window = dyomessa();
    activate(window.elefthero1);
    EXPECT_TRUE(window.elefthero1.Value());
    EXPECT_FALSE(window.stathero1.Value());
    activate(window.Command2);
    QTRY_VERIFY(window.Timer2.isTicking());
    activate(window.Command3);
    QTRY_VERIFY(window.Command7.isVisible());
    EXPECT_FALSE(window.Timer2.isTicking());
    const std::vector<float> before = circleTops(window);
    activate(window.Command7);
    QTRY_VERIFY(circleTops(window) != before);
    activate(window.Command5);
    QTRY_VERIFY(window.Timer2.isTicking());
}

}  // namespace
}  // namespace palmos
