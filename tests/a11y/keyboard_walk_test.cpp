// Every window with the keyboard alone, as a student without a mouse uses the
// program: Tab from control to control, Space and Enter on buttons, arrows
// and Page keys on the bars, Enter on the message box, Shift+F10 or the Menu
// key for the instruments. A window's options are one tab stop, at the option
// that had the focus last; Space selects it, and from the selected one the
// arrows select the next. Keys go where a keyboard's go: to the open popup
// menu, else to the control with the focus, else to the active window.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <utility>
#include <vector>

#include "app/instruments.h"
#include "app/introduction.h"
#include "app/language.h"
#include "elliptic/window.h"
#include "single_string/window.h"
#include "tests/support/gui_testing.h"
#include "tests/support/program_test.h"
#include "two_media/window.h"
#include "ui/events.h"

namespace palmos {
namespace {

using namespace testing_support::current;

QWidget* keyboardTarget() {
    if (QWidget* popup = QApplication::activePopupWidget()) {
        return popup;
    }
    if (QWidget* focus = QApplication::focusWidget()) {
        return focus;
    }
    return QApplication::activeWindow();
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = keyboardTarget();
    ASSERT_NE(target, nullptr) << "no window has the keyboard";
    QTest::keyClick(target, key, modifiers);
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

// An instrument counts as active while the window it belongs to is: what
// matters to the keyboard is which window takes the keys.
void expectKeyboardIn(QWidget& window) {
    QTRY_COMPARE(QApplication::activeWindow(), &window);
}

std::vector<float> circleTops(const ui::ShapeArray& circles) {
    std::vector<float> tops;
    for (int i = 0; i < circles.count(); ++i) {
        tops.push_back(circles(i).Top());
    }
    return tops;
}

QStringList menuItems(const QMenu& menu) {
    QStringList items;
    for (const QAction* item : menu.actions()) {
        if (!item->isSeparator()) {
            items << item->text();
        }
    }
    return items;
}

// The Menu key. A desktop's platform (xcb, Windows) turns it into a
// context-menu event for the control with the focus; the offscreen platform
// of the tests does not, so the event is sent here as a desktop sends it.
void pressMenuKey() {
    press(Qt::Key_Menu);
    QWidget* focus = QApplication::focusWidget();
    if (QApplication::activePopupWidget() == nullptr && focus != nullptr) {
        const QPoint middle = focus->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Keyboard, middle, focus->mapToGlobal(middle));
        QApplication::sendEvent(focus, &event);
    }
}

// With a menu open, Down to `caption` and Enter.
void chooseItem(const QString& caption) {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr) << "no menu is open to choose " << caption.toStdString();
    const qsizetype index = menuItems(*menu).indexOf(caption);
    ASSERT_GE(index, 0) << caption.toStdString();
    for (qsizetype k = 0; k <= index; ++k) {
        press(Qt::Key_Down);
    }
    ASSERT_NE(menu->activeAction(), nullptr);
    ASSERT_EQ(menu->activeAction()->text(), caption);
    press(Qt::Key_Return);
    EXPECT_FALSE(menu->isVisible());
}

struct Instrument {
    const char* english;
    const char* greek;
    QWidget* (*window)(const InstrumentSet&);
};

const Instrument kSpaceTime{
    "Space-time diagram", "Διάγραμμα χώρου-χρόνου",
    [](const InstrumentSet& set) -> QWidget* { return set.spaceTimeWindow(); }};
const Instrument kPointProbe{
    "Point probe", "Ανιχνευτής σημείου",
    [](const InstrumentSet& set) -> QWidget* { return set.pointProbeWindow(); }};
const Instrument kMeasuredRatios{
    "Measured ratios", "Μετρημένοι λόγοι",
    [](const InstrumentSet& set) -> QWidget* { return set.measuredRatiosWindow(); }};

// In the probe window, a point number typed and Enter add a probe there;
// Tab goes on to "+".
void probeWithKeys(PointProbeWindow& probe, int point, bool english) {
    auto* box = probe.findChild<QSpinBox*>();
    ASSERT_NE(box, nullptr);
    ASSERT_NO_FATAL_FAILURE(tabTo(*box));
    press(Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(keyboardTarget(), QString::number(point));
    press(Qt::Key_Return);
    ASSERT_FALSE(probe.probes().empty());
    EXPECT_EQ(probe.probes().back(), point);
    // What a screen reader says on each stop.
    const auto name = [](QWidget* control) {
        return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
    };
    EXPECT_EQ(name(box), english ? QStringLiteral("Point:") : QStringLiteral("Σημείο:"));
    press(Qt::Key_Tab);
    QWidget* add = QApplication::focusWidget();
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(name(add),
              english ? QStringLiteral("add probe") : QStringLiteral("προσθήκη ανιχνευτή"));
}

// On `window`, with keys alone: the instruments' menu (the first time with
// the Menu key, then Shift+F10) in the language in use, each instrument
// chosen and closed with Escape, and Copy data.
void walkInstruments(QWidget& window, const InstrumentSet& set,
                     const std::vector<const Instrument*>& instruments, bool english) {
    const auto caption = [english](const Instrument& instrument) {
        return QString::fromUtf8(english ? instrument.english : instrument.greek);
    };
    QStringList items;
    for (const Instrument* instrument : instruments) {
        items << caption(*instrument);
    }
    items << (english ? QStringLiteral("Predict") : QStringLiteral("Πρόβλεψη"));
    items << (english ? QStringLiteral("Save picture...") : QStringLiteral("Αποθήκευση εικόνας..."))
          << (english ? QStringLiteral("Copy data") : QStringLiteral("Αντιγραφή δεδομένων"));
    bool first = true;
    for (const Instrument* instrument : instruments) {
        ASSERT_NO_FATAL_FAILURE(expectKeyboardIn(window));
        if (std::exchange(first, false)) {
            ASSERT_NO_FATAL_FAILURE(pressMenuKey());
        } else {
            ASSERT_NO_FATAL_FAILURE(press(Qt::Key_F10, Qt::ShiftModifier));
        }
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr) << "no menu on " << window.windowTitle().toStdString();
        EXPECT_EQ(menuItems(*menu), items);
        ASSERT_NO_FATAL_FAILURE(chooseItem(caption(*instrument)));
        QWidget* opened = instrument->window(set);
        ASSERT_NE(opened, nullptr) << instrument->english;
        ASSERT_NO_FATAL_FAILURE(expectKeyboardIn(*opened));
        EXPECT_EQ(opened->windowTitle(), caption(*instrument));
        EXPECT_EQ(QAccessible::queryAccessibleInterface(opened)->role(), QAccessible::Window)
            << "a screen reader would not know it for a window";
        if (instrument == &kPointProbe) {
            ASSERT_NO_FATAL_FAILURE(
                probeWithKeys(*set.pointProbeWindow(), english ? 20 : 30, english));
        }
        press(Qt::Key_Escape);
        EXPECT_FALSE(opened->isVisible()) << instrument->english;
    }
    ASSERT_NO_FATAL_FAILURE(expectKeyboardIn(window));
    QGuiApplication::clipboard()->clear();
    press(Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_NO_FATAL_FAILURE(chooseItem(items.back()));
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith(
        english ? QStringLiteral("level\ttime\tpoint 0\t")
                : QStringLiteral("επίπεδο\tχρόνος\tσημείο 0\t")));
}

class KeyboardWalk : public testing_support::ProgramTest {
  protected:
    void SetUp() override {
        ui::dispatch([this] { ApplyLanguage(); });
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
    ASSERT_NO_FATAL_FAILURE(
        walkInstruments(window, simpleSolutionInstruments(), {&kSpaceTime, &kPointProbe}, true));

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

    const std::vector<const Instrument*> instruments{&kSpaceTime, &kPointProbe, &kMeasuredRatios};
    ASSERT_NO_FATAL_FAILURE(walkInstruments(window, twoMediaInstruments(), instruments, true));

    // Away to the introduction, GREEK there, and back: the instruments in
    // Greek.
    pressOn(window.Command4, Qt::Key_Return);
    EXPECT_FALSE(window.isVisible());
    ASSERT_NO_FATAL_FAILURE(expectActive(eisagogi1()));
    EXPECT_TRUE(window.Timer2.isTicking()) << "runs go on while the window is hidden";
    selectWithArrow(eisagogi1().Option1, Qt::Key_Right, eisagogi1().Option2);
    pressOn(eisagogi1().MESADYO, Qt::Key_Return);
    ASSERT_NO_FATAL_FAILURE(expectActive(window));
    ASSERT_NO_FATAL_FAILURE(walkInstruments(window, twoMediaInstruments(), instruments, false));
    pressOn(window.Command6, Qt::Key_Return);
    EXPECT_TRUE(ui::programEnded());
}

}  // namespace
}  // namespace palmos
