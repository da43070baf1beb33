// The instruments on the running program: they follow the run their window
// shows, tick by tick, in the chosen language and zoom, and leave every table
// exactly as it would be without them.
#include <gtest/gtest.h>

#include <QLineSeries>
#include <QMenu>
#include <QTest>
#include <vector>

#include "app/instruments.h"
#include "app/introduction.h"
#include "app/language.h"
#include "instruments/context_menu.h"
#include "instruments/dock.h"
#include "single_string/simple_solution.h"
#include "single_string/window.h"
#include "tests/support/rows.h"
#include "two_media/procedures.h"
#include "two_media/window.h"
#include "ui/events.h"
#include "ui/zoom.h"

namespace palmos {
namespace {

using palmos::PrintTo;

void click(QAbstractButton& button) {
    QTest::mouseClick(&button, Qt::LeftButton);
}

void openAll(InstrumentSet& instruments) {
    instruments.openSpaceTimeDiagram();
    instruments.openPointProbe();
    instruments.pointProbeWindow()->addProbe(20);
    if (instruments.menu() == twoMediaInstruments().menu()) {
        instruments.openMeasuredRatios();
    }
    QCoreApplication::processEvents();
}

// What a run leaves behind: every cell of its table and where its circles
// were drawn.
struct Trace {
    std::vector<double> cells;
    std::vector<float> tops;
    bool operator==(const Trace&) const = default;
};

Trace trace(const LevelTable& table, const ui::ShapeArray& circles) {
    Trace result;
    for (int level = 0; level < table.levels(); ++level) {
        for (int point = 0; point < table.points(); ++point) {
            result.cells.push_back(table.at(point, level));
        }
    }
    for (int i = 0; i < circles.count(); ++i) {
        result.tops.push_back(circles(i).Top());
    }
    return result;
}

struct RunRow {
    const char* name;
    InstrumentSet& (*instruments)();
    // Starts the run, plays part of it, and returns what it left.
    Trace (*play)();
};

Trace playSingleString() {
    click(ypervola().Command1);
    for (int tick = 0; tick < 120; ++tick) {
        ypervola().Timer1.fire();
    }
    return trace(simpleRun.simpleTable, ypervola().Shape1);
}

Trace playContinuous() {
    ui::dispatch([] { dyomessa().Command1_Click(); });
    for (int tick = 0; tick < 120; ++tick) {
        dyomessa().Timer1.fire();
    }
    return trace(twoMediaRun.twoMediaTable, dyomessa().Shape1);
}

Trace playStepMode() {
    ui::dispatch([] {
        dyomessa().cmeso1.setValue(140);
        dyomessa().rythmisidt.setValue(3);
    });
    click(dyomessa().Command2);
    for (int tick = 0; tick < 200; ++tick) {
        dyomessa().Timer2.fire();
    }
    return trace(stepRun.stepDisplacement, dyomessa().Shape1);
}

class Instruments : public ::testing::Test {
  protected:
    void SetUp() override {
        ui::dispatch(ApplyLanguage);
        click(eisagogi1().APLO);
        click(eisagogi1().MESADYO);
    }
};

class EveryRun : public Instruments, public ::testing::WithParamInterface<RunRow> {};

TEST_P(EveryRun, LeavesTheTablesBitIdentical) {
    const Trace without = GetParam().play();
    openAll(GetParam().instruments());
    const Trace with = GetParam().play();
    EXPECT_TRUE(with == without);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, EveryRun,
    ::testing::Values(RunRow{"SingleString", simpleSolutionInstruments, playSingleString},
                      RunRow{"Continuous", twoMediaInstruments, playContinuous},
                      RunRow{"StepMode", twoMediaInstruments, playStepMode}),
    kRowName);

// The marker and the probe's cursor stand at the level each tick shows, also
// for a single STEP; a new START brings a new run.
TEST_F(Instruments, FollowTheLevelShownAndTheNewRun) {
    InstrumentSet& instruments = twoMediaInstruments();
    openAll(instruments);
    EXPECT_EQ(instruments.spaceTimeWindow()->currentLevel(), 0);
    playStepMode();
    const int shown = stepRun.stepLevel - 3;
    EXPECT_EQ(instruments.spaceTimeWindow()->currentLevel(), shown);
    EXPECT_EQ(instruments.pointProbeWindow()->currentLevel(), shown);
    click(dyomessa().Command3);
    QCoreApplication::processEvents();  // the probe's picture is drawn
    const int column = instruments.pointProbeWindow()->cursorColumn();
    EXPECT_GE(column, 0);
    // Ten steps: the docked chart may be too narrow for one to move a pixel.
    for (int step = 0; step < 10; ++step) {
        click(dyomessa().Command7);
    }
    EXPECT_EQ(instruments.spaceTimeWindow()->currentLevel(), shown + 30);
    EXPECT_GT(instruments.pointProbeWindow()->cursorColumn(), column);

    // The probe reads the new run's table at the point it probes.
    const QLineSeries* probe = instruments.pointProbeWindow()->probeLine(0);
    ASSERT_NE(probe, nullptr);
    EXPECT_EQ(probe->count(), kLastStepLevel + 1);
    EXPECT_EQ(probe->at(150).y(), stepRun.stepDisplacement.at(20, 150));
    EXPECT_NE(instruments.measuredRatiosWindow()->text().indexOf(QStringLiteral("c1 = 1.40")), -1);
}

// After choosing the probe, a click on a circle probes its point.
TEST_F(Instruments, ClickOnACircleAddsItsProbe) {
    InstrumentSet& instruments = twoMediaInstruments();
    instruments.openPointProbe();
    ASSERT_TRUE(instruments.pickingCircle());
    const QPoint centre = dyomessa().Shape1(45).pixelBox().center().toPoint();
    QTest::mouseClick(&dyomessa(), Qt::LeftButton, {}, centre);
    EXPECT_EQ(instruments.pointProbeWindow()->probes(), std::vector<int>{45});
    EXPECT_FALSE(instruments.pickingCircle());
}

// Open instruments follow the language switch and the zoom.
TEST_F(Instruments, FollowTheLanguageAndTheZoom) {
    InstrumentSet& instruments = twoMediaInstruments();
    openAll(instruments);
    click(eisagogi1().Option2);
    EXPECT_EQ(instruments.spaceTimeWindow()->windowTitle(),
              QStringLiteral("Διάγραμμα χώρου-χρόνου"));
    EXPECT_EQ(instruments.measuredRatiosWindow()->windowTitle(),
              QStringLiteral("Μετρημένοι λόγοι"));
    instruments.menu()->popup(QPoint(10, 10));
    QStringList items;
    for (const QAction* item : instruments.menu()->menu()->actions()) {
        items.append(item->text());
    }
    instruments.menu()->menu()->close();
    EXPECT_EQ(items,
              (QStringList{QStringLiteral("Διάγραμμα χώρου-χρόνου"),
                           QStringLiteral("Ανιχνευτής σημείου"), QStringLiteral("Μετρημένοι λόγοι"),
                           QString(), QStringLiteral("Αποθήκευση εικόνας..."),
                           QStringLiteral("Αντιγραφή δεδομένων")}));

    const double before = instruments.pointProbeWindow()->font().pointSizeF();
    ui::setZoom(2 * ui::zoom());
    EXPECT_DOUBLE_EQ(instruments.pointProbeWindow()->font().pointSizeF(), 2 * before);
    // Docked, its size is its share of the band the zoom leaves.
    const QRect band = instruments.dock().band();
    ASSERT_FALSE(band.isEmpty());
    EXPECT_TRUE(QRect(dyomessa().mapToGlobal(band.topLeft()), band.size())
                    .contains(instruments.pointProbeWindow()->frameGeometry()));
}

}  // namespace
}  // namespace palmos
