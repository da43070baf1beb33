// The instruments beside the run: docked, each stays clear of the controls and
// of every place a circle of its window goes while the run plays, and lies on
// the screen, at the fitted zoom and zoomed in; detached, it keeps in front of
// its window and whole on the screen. The test runs once per screen.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <functional>
#include <iostream>
#include <vector>

#include "app/instruments.h"
#include "app/introduction.h"
#include "app/language.h"
#include "instruments/dock.h"
#include "single_string/simple_solution.h"
#include "single_string/window.h"
#include "tests/support/program_test.h"
#include "tests/support/rows.h"
#include "two_media/procedures.h"
#include "two_media/window.h"
#include "ui/events.h"
#include "ui/timer.h"
#include "ui/zoom.h"

namespace palmos {
namespace {

using namespace testing_support::current;

using palmos::PrintTo;

struct SimulationRow {
    const char* name;
    ui::Form& (*window)();
    InstrumentSet& (*instruments)();
    const ui::ShapeArray& (*circles)();
    // Prepares the run the window shows (the bars as a student may set them).
    void (*prepare)();
    // One tick of the run; false once it has ended.
    bool (*tick)();
};

void click(QAbstractButton& button) {
    QTest::mouseClick(&button, Qt::LeftButton);
}

const SimulationRow kSimulations[] = {
    {"SimpleFixedEnd", []() -> ui::Form& { return ypervola(); }, simpleSolutionInstruments,
     []() -> const ui::ShapeArray& { return ypervola().Shape1; },
     [] { click(ypervola().Command1); },
     [] {
         ypervola().Timer1.fire();
         return ypervola().Timer1.isTicking();
     }},
    {"SimpleFreeEnd", []() -> ui::Form& { return ypervola(); }, simpleSolutionInstruments,
     []() -> const ui::ShapeArray& { return ypervola().Shape1; },
     [] {
         click(ypervola().elefthero);
         click(ypervola().Command1);
     },
     [] {
         ypervola().Timer1.fire();
         return ypervola().Timer1.isTicking();
     }},
    {"TwoMediaAsOpened", []() -> ui::Form& { return dyomessa(); }, twoMediaInstruments,
     []() -> const ui::ShapeArray& { return dyomessa().Shape1; }, [] {}, [] { return false; }},
    // The bars at the settings that swing the string furthest down.
    {"TwoMediaStepMode", []() -> ui::Form& { return dyomessa(); }, twoMediaInstruments,
     []() -> const ui::ShapeArray& { return dyomessa().Shape1; },
     [] {
         ui::dispatch([] {
             dyomessa().cmeso1.setValue(132);
             dyomessa().cmesso2.setValue(4);
             dyomessa().evros.setValue(45);
         });
         click(dyomessa().Command2);
     },
     [] {
         dyomessa().Timer2.fire();
         return dyomessa().Timer2.isTicking();
     }},
};

struct ZoomRow {
    const char* name;
    std::function<void()> apply;
};

const ZoomRow kZooms[] = {
    {"Fitted", [] { ui::resetZoom(); }},
    {"ZoomedInTwice",
     [] {
         ui::zoomIn();
         ui::zoomIn();
     }},
    {"Smallest", [] { ui::setZoom(ui::kMinZoom); }},
    {"Largest", [] { ui::setZoom(ui::kMaxZoom); }},
};

std::vector<QWidget*> openAll(InstrumentSet& instruments) {
    instruments.openSpaceTimeDiagram();
    instruments.openPointProbe();
    std::vector<QWidget*> open{instruments.spaceTimeWindow(), instruments.pointProbeWindow()};
    if (&instruments == &twoMediaInstruments()) {
        instruments.openMeasuredRatios();
        open.push_back(instruments.measuredRatiosWindow());
    }
    QCoreApplication::processEvents();
    return open;
}

QRect onScreen(const QWidget& widget) {
    return {widget.mapToGlobal(QPoint(0, 0)), widget.size()};
}

class Docked : public testing_support::ProgramTest,
               public ::testing::WithParamInterface<std::tuple<SimulationRow, ZoomRow>> {
  protected:
    void SetUp() override {
        ui::dispatch([this] { ApplyLanguage(); });
        click(eisagogi1().APLO);
        click(eisagogi1().MESADYO);
    }
};

// Every place a circle takes while the whole run plays is checked against
// every instrument, so the test does not trust the dock's own idea of the
// string's swing.
TEST_P(Docked, KeepClearOfTheStringAndTheControlsAndOnTheScreen) {
    const auto& [simulation, zoom] = GetParam();
    simulation.prepare();
    const std::vector<QWidget*> open = openAll(simulation.instruments());
    zoom.apply();
    QCoreApplication::processEvents();
    const ui::Form& window = simulation.window();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    InstrumentDock& dock = simulation.instruments().dock();
    for (QWidget* tab : open) {
        // A tab of the frame is shown by the frame.
        ASSERT_TRUE(dock.isOpen(tab));
        const QWidget* instrument = dock.shownIn(tab);
        std::cout << simulation.name << " " << zoom.name << " zoom " << ui::zoom() << ": "
                  << instrument->windowTitle().toStdString() << " at "
                  << instrument->frameGeometry().x() << "," << instrument->frameGeometry().y()
                  << " " << instrument->frameGeometry().width() << "x"
                  << instrument->frameGeometry().height() << std::endl;
        ASSERT_TRUE(instrument->isVisible());
        EXPECT_TRUE(screen.contains(instrument->frameGeometry()));
        EXPECT_FALSE(dock.detached(tab));
        for (const QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (control->isVisible() && !control->isWindow()) {
                EXPECT_FALSE(instrument->frameGeometry().intersects(onScreen(*control)))
                    << control->accessibleName().toStdString();
            }
        }
    }
    // Where the controls leave no band clear of the whole swing, the string
    // as it stands is still left free.
    const bool clear = simulation.instruments().dock().clearOfSwing();
    if (!clear) {
        // The string as it stands is the one the instruments were placed
        // around: the run's clock is held (it may have ticked since, in a
        // slow build) and the instruments placed around it again.
        ui::stopTimers();
        simulation.instruments().dock().layOut();
        QCoreApplication::processEvents();
    }
    std::cout << (clear ? "clear of the swing" : "clear of the string as it stands") << std::endl;
    int ticks = 0;
    do {
        const ui::ShapeArray& circles = simulation.circles();
        for (int i = 0; i < circles.count(); ++i) {
            const QRect circle(window.mapToGlobal(circles(i).pixelBox().topLeft().toPoint()),
                               circles(i).pixelBox().size().toSize());
            for (QWidget* instrument : open) {
                ASSERT_FALSE(dock.shownIn(instrument)->frameGeometry().intersects(circle))
                    << "circle " << i << " after " << ticks << " ticks";
            }
        }
    } while (clear && simulation.tick() && ++ticks < 5000);
}

INSTANTIATE_TEST_SUITE_P(Windows, Docked,
                         ::testing::Combine(::testing::ValuesIn(kSimulations),
                                            ::testing::ValuesIn(kZooms)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    std::get<1>(info.param).name;
                         });

class Detached : public testing_support::ProgramTest {};

// Out of the dock and back; in front of its window (a tool window of it) when
// the window is clicked, and whole on the screen at the largest zoom.
TEST_F(Detached, StaysInFrontOfItsWindowAndOnTheScreenAndDocksBack) {
    ui::dispatch([this] { ApplyLanguage(); });
    click(eisagogi1().MESADYO);
    InstrumentSet& instruments = twoMediaInstruments();
    openAll(instruments);
    SpaceTimeWindow& diagram = *instruments.spaceTimeWindow();
    const QRect docked = instruments.dock().shownIn(&diagram)->frameGeometry();
    instruments.dock().detach(&diagram);
    QCoreApplication::processEvents();
    EXPECT_TRUE(instruments.dock().detached(&diagram));
    EXPECT_NE(diagram.frameGeometry(), docked);
    // The other two stay docked, beside the string.
    for (QWidget* other : {static_cast<QWidget*>(instruments.pointProbeWindow()),
                           static_cast<QWidget*>(instruments.measuredRatiosWindow())}) {
        EXPECT_TRUE(instruments.dock().isOpen(other));
        EXPECT_FALSE(instruments.dock().detached(other));
    }

    QTest::mouseClick(&dyomessa(), Qt::LeftButton, {}, QPoint(5, dyomessa().height() - 5));
    EXPECT_TRUE(diagram.isVisible());
    EXPECT_EQ(diagram.windowType(), Qt::Tool);
    EXPECT_EQ(diagram.parentWidget(), &dyomessa());
    ASSERT_NE(diagram.windowHandle(), nullptr);
    EXPECT_EQ(diagram.windowHandle()->transientParent(), dyomessa().windowHandle());

    ui::setZoom(ui::kMaxZoom);
    QCoreApplication::processEvents();
    EXPECT_TRUE(
        QGuiApplication::primaryScreen()->availableGeometry().contains(diagram.frameGeometry()));

    ui::resetZoom();
    instruments.dock().dock(&diagram);
    QCoreApplication::processEvents();
    EXPECT_FALSE(instruments.dock().detached(&diagram));
    EXPECT_EQ(instruments.dock().shownIn(&diagram)->frameGeometry(), docked);
}

}  // namespace
}  // namespace palmos
