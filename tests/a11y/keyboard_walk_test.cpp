// Every window with the keyboard alone, as a student without a mouse uses the
// program: Tab from control to control, Space and Enter on buttons, arrows
// and Page keys on the bars, Enter on the message box. A window's options are
// one tab stop, at the option that had the focus last; Space selects it, and
// from the selected one the arrows select the next. Keys go to whatever has
// the focus, as a keyboard's do.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <vector>

#include "app/introduction.h"
#include "app/language.h"
#include "elliptic/window.h"
#include "single_string/window.h"
#include "tests/support/gui_testing.h"
#include "two_media/window.h"
#include "ui/events.h"

namespace palmos {
namespace {

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr) << "no control has the keyboard focus";
    QTest::keyClick(focus, key, modifiers);
}

// Tab until `control` has the focus, as someone would who looks for it.
void tabTo(const QWidget& control) {
    for (int presses = 0; presses < 30 && QApplication::focusWidget() != &control; ++presses) {
        press(Qt::Key_Tab);
    }
    ASSERT_EQ(QApplication::focusWidget(), &control)
        << "Tab never reaches " << control.accessibleName().toStdString();
}

void pressOn(const QWidget& control, Qt::Key key) {
    ASSERT_NO_FATAL_FAILURE(tabTo(control));
    press(key);
}

// Selects another option of the focused option's group with an arrow key.
void selectWithArrow(ui::OptionButton& from, Qt::Key arrow, ui::OptionButton& to) {
    ASSERT_NO_FATAL_FAILURE(tabTo(from));
    press(arrow);
    EXPECT_TRUE(to.Value());
    EXPECT_FALSE(from.Value());
    EXPECT_EQ(QApplication::focusWidget(), &to);
}

// From the first stop, Tab visits the stops in this order and comes back to
// the first; Shift+Tab goes back one.
void expectTabStops(const std::vector<const QWidget*>& stops) {
    ASSERT_NO_FATAL_FAILURE(tabTo(*stops.front()));
    for (std::size_t k = 1; k <= stops.size(); ++k) {
        press(Qt::Key_Tab);
        const QWidget* expected = stops[k % stops.size()];
        ASSERT_EQ(QApplication::focusWidget(), expected)
            << "Tab from " << stops[k - 1]->accessibleName().toStdString() << " should reach "
            << expected->accessibleName().toStdString();
    }
    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), stops.back()) << "Shift+Tab";
}

void expectActive(QWidget& window) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window)) << window.windowTitle().toStdString();
}

std::vector<float> circleTops(const ui::ShapeArray& circles) {
    std::vector<float> tops;
    for (int i = 0; i < circles.count(); ++i) {
        tops.push_back(circles(i).Top());
    }
    return tops;
}

class KeyboardWalk : public ::testing::Test {
  protected:
    void SetUp() override {
        ui::dispatch(ApplyLanguage);
        expectActive(eisagogi1());
    }
};

TEST_F(KeyboardWalk, IntroductionWindow) {
    Eisagogi1& window = eisagogi1();
    expectTabStops({&window.APLO, &window.MESADYO, &window.Command1, &window.Option1});
    selectWithArrow(window.Option1, Qt::Key_Right, window.Option2);
    EXPECT_EQ(window.APLO.Caption(), QStringLiteral("ΑΠΛΗ ΛΥΣΗ"));
    EXPECT_EQ(dyomessa().Command6.Caption(), QStringLiteral("ΤΕΡΜΑ"));
    EXPECT_EQ(ypervola().Command1.Caption(), QStringLiteral("ΞΕΚΙΝΑ"));
    expectTabStops({&window.APLO, &window.MESADYO, &window.Command1, &window.Option2});
    // Space on the selected option changes nothing.
    press(Qt::Key_Space);
    EXPECT_TRUE(window.Option2.Value());
    selectWithArrow(window.Option2, Qt::Key_Left, window.Option1);
    EXPECT_EQ(window.APLO.Caption(), QStringLiteral("SIMPLE SOLUTION"));
    pressOn(window.Command1, Qt::Key_Enter);
    EXPECT_TRUE(ui::programEnded());
}

// The simple solution and its run, both end options, the elliptic window with
// its message box, and on to the two-media window.
TEST_F(KeyboardWalk, SimpleSolutionAndEllipticWindows) {
    pressOn(eisagogi1().APLO, Qt::Key_Return);
    Ypervola& window = ypervola();
    ASSERT_NO_FATAL_FAILURE(expectActive(window));
    expectTabStops({&window.Command1, &window.Command2, &window.Text1, &window.Command3,
                    &window.stathero, &window.Command4, &window.Command5});

    selectWithArrow(window.stathero, Qt::Key_Down, window.elefthero);
    pressOn(window.Command1, Qt::Key_Space);
    EXPECT_TRUE(window.Timer1.isTicking());
    QTRY_VERIFY_WITH_TIMEOUT(!window.Timer1.isTicking(), 20000);
    selectWithArrow(window.elefthero, Qt::Key_Up, window.stathero);
    pressOn(window.Command1, Qt::Key_Return);
    EXPECT_TRUE(window.Timer1.isTicking());
    QTRY_VERIFY(window.Text1.Text().contains(QStringLiteral("sta=")));

    // The elliptic window's only button; its message box is answered with
    // Enter, as soon as it takes the focus.
    pressOn(window.Command2, Qt::Key_Return);
    EXPECT_FALSE(window.Timer1.isTicking());
    Elliptikh& elliptic = elliptikh();
    ASSERT_NO_FATAL_FAILURE(expectActive(elliptic));
    expectTabStops({&elliptic.Command1});
    ui::setMessageBoxHook({});
    QString shown;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box != nullptr && QApplication::activeWindow() == box &&
            QApplication::focusWidget() != nullptr) {
            shown = box->text();
            press(Qt::Key_Return);
        }
    });
    answer.start(20);
    press(Qt::Key_Return);
    answer.stop();
    testing_support::recordMessageBoxes();
    bool number = false;
    EXPECT_GT(shown.toInt(&number), 0) << "the sweeps, in the message box: " << shown.toStdString();
    EXPECT_TRUE(number);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // The elliptic window has no way back of its own: the desktop's window
    // switcher (Alt+Tab) brings the simple-solution window back, as here.
    window.activateWindow();
    ASSERT_NO_FATAL_FAILURE(expectActive(window));
    pressOn(window.Command4, Qt::Key_Return);
    ASSERT_NO_FATAL_FAILURE(expectActive(dyomessa()));
    EXPECT_TRUE(window.isVisible());
    window.activateWindow();
    ASSERT_NO_FATAL_FAILURE(expectActive(window));
    pressOn(window.Command5, Qt::Key_Return);
    ASSERT_NO_FATAL_FAILURE(expectActive(eisagogi1()));
    pressOn(eisagogi1().APLO, Qt::Key_Return);
    ASSERT_NO_FATAL_FAILURE(expectActive(window));
    pressOn(window.Command3, Qt::Key_Space);
    EXPECT_TRUE(ui::programEnded());
}

struct BarKeys {
    ui::ScrollBar* bar;
    const ui::Label* label;
};

// Arrows by one, Page keys by LargeChange, Home and End to the ends; the
// label beside the bar follows.
void expectBarKeys(const BarKeys& keys) {
    ui::ScrollBar& bar = *keys.bar;
    const std::string name = keys.label->Caption().toStdString();
    pressOn(bar, Qt::Key_Home);
    EXPECT_EQ(bar.Value(), bar.Min()) << name;
    const QString atMin = keys.label->Caption();
    const Qt::Key more = bar.orientation() == Qt::Horizontal ? Qt::Key_Right : Qt::Key_Down;
    const Qt::Key less = bar.orientation() == Qt::Horizontal ? Qt::Key_Left : Qt::Key_Up;
    press(more);
    EXPECT_EQ(bar.Value(), bar.Min() + 1) << name;
    EXPECT_NE(keys.label->Caption(), atMin) << name;
    press(Qt::Key_PageDown);
    EXPECT_EQ(bar.Value(), bar.Min() + 1 + bar.LargeChange()) << name;
    press(Qt::Key_PageUp);
    press(less);
    EXPECT_EQ(bar.Value(), bar.Min()) << name;
    press(Qt::Key_End);
    EXPECT_EQ(bar.Value(), bar.Max()) << name;
}

// The parameter bars, both end options, the step mode's START, STOP, STEP and
// CONTINUE, away to the introduction and back, and END.
TEST_F(KeyboardWalk, TwoMediaWindow) {
    pressOn(eisagogi1().MESADYO, Qt::Key_Space);
    Dyomessa& window = dyomessa();
    ASSERT_NO_FATAL_FAILURE(expectActive(window));
    // The window opens with the focus on its first stop.
    EXPECT_EQ(QApplication::focusWidget(), &window.elefthero1);
    expectTabStops({&window.elefthero1, &window.cmeso1, &window.cmesso2, &window.platos,
                    &window.Text1, &window.Command2, &window.Command3, &window.rythmisidt,
                    &window.evros, &window.Command4, &window.Command5, &window.Command6});

    for (const BarKeys& keys :
         {BarKeys{&window.cmeso1, &window.Label1}, BarKeys{&window.cmesso2, &window.Label2},
          BarKeys{&window.platos, &window.Label3}, BarKeys{&window.rythmisidt, &window.Label4},
          BarKeys{&window.evros, &window.Label5}}) {
        expectBarKeys(keys);
    }
    // One level a tick, so that STEP moves by one level.
    pressOn(window.rythmisidt, Qt::Key_Home);

    pressOn(window.elefthero1, Qt::Key_Space);
    EXPECT_TRUE(window.elefthero1.Value());
    EXPECT_FALSE(window.stathero1.Value());
    selectWithArrow(window.elefthero1, Qt::Key_Up, window.stathero1);

    pressOn(window.Command2, Qt::Key_Return);
    EXPECT_TRUE(window.Timer2.isTicking());
    const std::vector<float> atStart = circleTops(window.Shape1);
    QTRY_VERIFY(circleTops(window.Shape1) != atStart);
    pressOn(window.Command3, Qt::Key_Space);
    EXPECT_FALSE(window.Timer2.isTicking());
    ASSERT_TRUE(window.Command7.isVisible());
    // STEP joins the tab stops, last, as it was designed.
    tabTo(window.Command6);
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &window.Command7);
    for (int step = 0; step < 3; ++step) {
        const std::vector<float> before = circleTops(window.Shape1);
        press(step % 2 == 0 ? Qt::Key_Space : Qt::Key_Return);
        EXPECT_NE(circleTops(window.Shape1), before) << "step " << step;
    }
    EXPECT_FALSE(window.Timer2.isTicking());
    pressOn(window.Command5, Qt::Key_Return);
    EXPECT_TRUE(window.Timer2.isTicking());

    // Instruments: Shift+F10 on this window will open the instruments' menu,
    // and Escape will close an instrument. Walk them here once they exist.

    pressOn(window.Command4, Qt::Key_Return);
    EXPECT_FALSE(window.isVisible());
    ASSERT_NO_FATAL_FAILURE(expectActive(eisagogi1()));
    EXPECT_TRUE(window.Timer2.isTicking()) << "runs go on while the window is hidden";
    pressOn(eisagogi1().MESADYO, Qt::Key_Return);
    ASSERT_NO_FATAL_FAILURE(expectActive(window));
    pressOn(window.Command6, Qt::Key_Return);
    EXPECT_TRUE(ui::programEnded());
}

}  // namespace
}  // namespace palmos
