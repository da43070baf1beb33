// The program from the keyboard and through a screen reader's eyes.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QTest>

#include "app/introduction.h"
#include "app/language.h"
#include "single_string/window.h"
#include "tests/support/program_test.h"
#include "tests/support/rows.h"
#include "two_media/window.h"
#include "ui/events.h"

namespace palmos {
namespace {

using palmos::PrintTo;

class Keyboard : public testing_support::ProgramTest {
  protected:
    void SetUp() override {
        ui::dispatch([this] { ApplyLanguage(); });
        QTest::mouseClick(&eisagogi1().MESADYO, Qt::LeftButton);
    }
};

// The focusable controls of the two-media window, in the order of the design's
// tab indices (hidden buttons and labels take no focus).
TEST_F(Keyboard, TabOrderFollowsTheDesign) {
    Dyomessa& window = dyomessa();
    const std::vector<QWidget*> expected = {
        &window.elefthero1, &window.stathero1, &window.cmeso1,   &window.cmesso2,    &window.platos,
        &window.Text1,      &window.Command2,  &window.Command3, &window.rythmisidt, &window.evros,
        &window.Command4,   &window.Command5,  &window.Command6};
    QWidget* widget = expected.front();
    for (std::size_t k = 1; k < expected.size(); ++k) {
        do {
            widget = widget->nextInFocusChain();
        } while (!(widget->isVisible() && widget->focusPolicy() & Qt::TabFocus));
        EXPECT_EQ(widget, expected[k]) << "after tab stop " << k - 1;
    }
}

struct KeyRow {
    const char* name;
    Qt::Key key;
    int value;
};

class ScrollBarKeys : public Keyboard, public ::testing::WithParamInterface<KeyRow> {};

TEST_P(ScrollBarKeys, MoveTheBarAndRaiseChange) {
    Dyomessa& window = dyomessa();
    QTest::keyClick(&window.cmeso1, GetParam().key);
    EXPECT_EQ(window.cmeso1.Value(), GetParam().value);
    EXPECT_EQ(window.Label1.Caption(),
              QStringLiteral("c1 = %1").arg(GetParam().value / 100.0, 0, 'f', 2));
}

INSTANTIATE_TEST_SUITE_P(Keys, ScrollBarKeys,
                         ::testing::Values(KeyRow{"Right", Qt::Key_Right, 31},
                                           KeyRow{"Left", Qt::Key_Left, 29},
                                           KeyRow{"PageDown", Qt::Key_PageDown, 40},
                                           KeyRow{"PageUp", Qt::Key_PageUp, 20}),
                         kRowName);

TEST_F(Keyboard, EnterAndSpacePressButtonsAndOptions) {
    QTest::keyClick(&dyomessa().elefthero1, Qt::Key_Space);
    EXPECT_TRUE(dyomessa().elefthero1.Value());
    EXPECT_FALSE(dyomessa().stathero1.Value());
    QTest::keyClick(&dyomessa().stathero1, Qt::Key_Return);
    EXPECT_TRUE(dyomessa().stathero1.Value());
    QTest::keyClick(&dyomessa().Command2, Qt::Key_Return);
    EXPECT_TRUE(dyomessa().Timer2.isTicking());
    QTest::keyClick(&dyomessa().Command3, Qt::Key_Space);
    EXPECT_FALSE(dyomessa().Timer2.isTicking());
    QTest::keyClick(&eisagogi1().APLO, Qt::Key_Enter);
    EXPECT_TRUE(ypervola().isVisible());
}

TEST_F(Keyboard, ScreenReadersReadTheCaptionsInUse) {
    QTest::mouseClick(&eisagogi1().Option2, Qt::LeftButton);
    for (const CaptionRow& row : captionTable()) {
        const auto& widget = dynamic_cast<const QWidget&>(row.target(windows()));
        EXPECT_EQ(widget.accessibleName(), row.target(windows()).Caption()) << row.control;
    }
    // A bar is read by the label that shows its value.
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(&dyomessa().evros);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->text(QAccessible::Name), dyomessa().Label5.Caption());
}

TEST_F(Keyboard, ReadoutsAreReadOnly) {
    EXPECT_TRUE(dyomessa().Text1.isReadOnly());
    EXPECT_TRUE(ypervola().Text1.isReadOnly());
    const QString before = dyomessa().Text1.Text();
    QTest::keyClicks(&dyomessa().Text1, "typed");
    EXPECT_EQ(dyomessa().Text1.Text(), before);
}

}  // namespace
}  // namespace palmos
