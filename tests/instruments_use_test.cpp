// The instruments on the running program: they follow the run their window
// shows, tick by tick, in the chosen language and zoom, and leave every table
// exactly as it would be without them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBackingStore>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <vector>

#include "app/instruments.h"
#include "app/introduction.h"
#include "app/language.h"
#include "instruments/context_menu.h"
#include "instruments/dock.h"
#include "instruments/plot.h"
#include "instruments/shown_part.h"
#include "instruments/space_time.h"
#include "single_string/simple_solution.h"
#include "single_string/window.h"
#include "tests/support/program_test.h"
#include "tests/support/rows.h"
#include "two_media/procedures.h"
#include "two_media/window.h"
#include "ui/events.h"
#include "ui/form.h"
#include "ui/zoom.h"

namespace palmos {
namespace {

using namespace testing_support::current;

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
    return trace(session().simpleRun.simpleTable, ypervola().Shape1);
}

Trace playContinuous() {
    ui::dispatch([] { dyomessa().Command1_Click(); });
    for (int tick = 0; tick < 120; ++tick) {
        dyomessa().Timer1.fire();
    }
    return trace(session().twoMediaRun.twoMediaTable, dyomessa().Shape1);
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
    return trace(session().stepRun.stepDisplacement, dyomessa().Shape1);
}

class Instruments : public testing_support::ProgramTest {
  protected:
    void SetUp() override {
        ui::dispatch([this] { ApplyLanguage(); });
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
    const QList<QPointF>& probe = instruments.pointProbeWindow()->probeCurve(0);
    ASSERT_EQ(probe.size(), kLastStepLevel + 1);
    EXPECT_DOUBLE_EQ(probe.at(150).y() / probe.at(100).y(),
                     stepRun.stepDisplacement.at(20, 150) / stepRun.stepDisplacement.at(20, 100));
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

// Choosing the probe and then working elsewhere adds nothing: neither the
// keyboard leaving the probe's box for the string's window nor a click there
// away from the circles.
TEST_F(Instruments, OnlyAClickOnACircleAddsAProbe) {
    ui::dispatch([this] { dyomessa().Command1_Click(); });
    InstrumentSet& instruments = twoMediaInstruments();
    instruments.openPointProbe();
    PointProbeWindow& probe = *instruments.pointProbeWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&probe));
    ASSERT_EQ(QApplication::focusWidget(), probe.findChild<QSpinBox*>());
    dyomessa().activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &dyomessa());
    ASSERT_EQ(QApplication::activeWindow(), &dyomessa());
    const QPoint away(dyomessa().width() / 2, 2);
    ASSERT_EQ(dyomessa().Shape1.indexAt(away), -1);
    QTest::mouseClick(&dyomessa(), Qt::LeftButton, {}, away);
    EXPECT_TRUE(probe.probes().empty());
    EXPECT_FALSE(instruments.pickingCircle());
}

// The window's backing store, where the partial repaints go on the offscreen
// platform, after the repaints due.
QImage onScreen(QWidget& window) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    const auto* image = dynamic_cast<const QImage*>(window.backingStore()->paintDevice());
    return image == nullptr ? QImage() : image->convertToFormat(QImage::Format_RGB32);
}

// How many pixels of `box` are near `colour`.
int pixelsOf(const QImage& image, const QRectF& box, const QColor& colour) {
    int count = 0;
    const QRect pixels = box.toAlignedRect() & image.rect();
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        for (int x = pixels.left(); x <= pixels.right(); ++x) {
            const QColor seen = image.pixelColor(x, y);
            count += std::abs(seen.red() - colour.red()) + std::abs(seen.green() - colour.green()) +
                         std::abs(seen.blue() - colour.blue()) <
                     40;
        }
    }
    return count;
}

struct MarkRow {
    const char* name;
    // Takes the probe on point 45 away, or closes its window.
    void (*unmark)(PointProbeWindow& probe);
};

class ProbeMark : public Instruments, public ::testing::WithParamInterface<MarkRow> {};

// A click on circle 45 probes point 45, and the circle is ringed in the
// probe's colour as it moves, its own colours untouched, until the probe is
// removed or its window closed.
TEST_P(ProbeMark, RingsTheProbedCircleUntilTheProbeGoes) {
    ui::dispatch([this] { dyomessa().Command1_Click(); });
    InstrumentSet& instruments = twoMediaInstruments();
    instruments.openPointProbe();
    ui::Form& window = dyomessa();
    QCoreApplication::processEvents();  // the window is exposed and painted once
    const ui::Shape& circle = dyomessa().Shape1(45);
    const QColor fill = circle.FillColor();
    QTest::mouseClick(&window, Qt::LeftButton, {}, circle.pixelBox().center().toPoint());
    PointProbeWindow& probe = *instruments.pointProbeWindow();
    ASSERT_EQ(probe.probes(), std::vector<int>{45});
    const QColor colour = probe.probeColour(0);

    // (The use tests run at 100 %: a logical pixel is a pixel of the image.)
    const QRectF resting = ui::ringBox(circle.pixelBox());
    EXPECT_GT(pixelsOf(onScreen(window), resting, colour), 8);
    // The pulse lifts the circle; the ring goes with it.
    for (int tick = 0; tick < 60 && ui::ringBox(circle.pixelBox()).intersects(resting); ++tick) {
        dyomessa().Timer1.fire();
    }
    const QRectF lifted = ui::ringBox(circle.pixelBox());
    ASSERT_FALSE(lifted.intersects(resting));
    EXPECT_GT(pixelsOf(onScreen(window), lifted, colour), 8);
    EXPECT_EQ(pixelsOf(onScreen(window), resting, colour), 0);
    EXPECT_EQ(circle.FillColor(), fill);

    GetParam().unmark(probe);
    EXPECT_EQ(pixelsOf(onScreen(window), lifted, colour), 0);
    EXPECT_TRUE(onScreen(window) == window.grab().toImage().convertToFormat(QImage::Format_RGB32));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, ProbeMark,
    ::testing::Values(MarkRow{"RemovedByItsButton",
                              [](PointProbeWindow& probe) {
                                  QToolButton* remove = probe.findChild<QToolButton*>();
                                  ASSERT_NE(remove, nullptr);
                                  EXPECT_EQ(remove->accessibleName(),
                                            QStringLiteral("remove the probe on point 45"));
                                  QTest::mouseClick(remove, Qt::LeftButton);
                                  EXPECT_TRUE(probe.probes().empty());
                              }},
                      MarkRow{"GoneWithItsWindow", [](PointProbeWindow& probe) { probe.close(); }}),
    kRowName);

struct PictureRow {
    const char* name;
    bool twoMedia;
    int shown;  // the simulation window (0), or the instrument 1, 2 or 3 of its menu
    const char* what;
    const char* folder;  // the pictures folder made in the home folder, if any
};

class DefaultPicture : public Instruments, public ::testing::WithParamInterface<PictureRow> {};

// Save picture... in the right-click menu of a window or of an instrument
// suggests the pictures folder, or the home folder when there is none, and a
// name that says what and when.
TEST_P(DefaultPicture, NamesWhatIsSavedAndWhen) {
    const PictureRow& row = GetParam();
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral(".config")).toLocal8Bit());
    const QString folder = home.filePath(QString::fromLatin1(row.folder));
    ASSERT_TRUE(QDir().mkpath(folder));
    InstrumentSet& set = row.twoMedia ? twoMediaInstruments() : simpleSolutionInstruments();
    openAll(set);
    QString suggested;
    set.setSaveDialogs({[&](QWidget*, const QString&, const QString& name) {
                            suggested = name;
                            return QString();
                        },
                        [](QWidget*, const QString&, const QString&) {}});
    QWidget* const windows[] = {row.twoMedia ? static_cast<QWidget*>(&dyomessa()) : &ypervola(),
                                set.spaceTimeWindow(), set.pointProbeWindow(),
                                set.measuredRatiosWindow()};
    QWidget* window = windows[row.shown];
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, {}, window->mapToGlobal(QPoint()));
    QApplication::sendEvent(window, &menuKey);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    for (QAction* item : menu->actions()) {
        if (item->text() == QStringLiteral("Save picture...")) {
            menu->close();
            item->trigger();
        }
    }
    EXPECT_EQ(QFileInfo(suggested).absolutePath(), QDir(folder).absolutePath());
    const QRegularExpression name(QStringLiteral("^palmos-%1-\\d{4}-\\d\\d-\\d\\d-\\d{4}\\.png$")
                                      .arg(QString::fromLatin1(row.what)));
    EXPECT_TRUE(name.match(QFileInfo(suggested).fileName()).hasMatch()) << suggested.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Windows, DefaultPicture,
    ::testing::Values(PictureRow{"SimpleSolution", false, 0, "simple-solution", "Pictures"},
                      PictureRow{"TwoMediaWithoutPictures", true, 0, "two-media", "."},
                      PictureRow{"SpaceTime", true, 1, "space-time", "Pictures"},
                      PictureRow{"PointProbe", false, 2, "point-probe", "Pictures"},
                      PictureRow{"MeasuredRatios", true, 3, "measured-ratios", "Pictures"}),
    kRowName);

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
    EXPECT_EQ(
        items,
        (QStringList{QStringLiteral("Διάγραμμα χώρου-χρόνου"), QStringLiteral("Ανιχνευτής σημείου"),
                     QStringLiteral("Μετρημένοι λόγοι"), QString(), QStringLiteral("Πρόβλεψη"),
                     QString(), QStringLiteral("Αποθήκευση εικόνας..."),
                     QStringLiteral("Αντιγραφή δεδομένων")}));

    const double before = instruments.pointProbeWindow()->font().pointSizeF();
    ui::setZoom(2 * ui::zoom());
    EXPECT_DOUBLE_EQ(instruments.pointProbeWindow()->font().pointSizeF(), 2 * before);
    // Docked, after the zoom it stays beside the string: within the window,
    // over none of its controls (alone in the band, or a tab of the frame).
    QCoreApplication::processEvents();
    const QWidget* shown = instruments.dock().shownIn(instruments.pointProbeWindow());
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(dyomessa().frameGeometry().contains(shown->frameGeometry()));
    for (const QWidget* control : dyomessa().findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control->isVisible() && !control->isWindow()) {
            EXPECT_FALSE(QRect(dyomessa().mapToGlobal(control->pos()), control->size())
                             .intersects(shown->frameGeometry()))
                << control->accessibleName().toStdString();
        }
    }
}

// Comparing with the previous run: the step mode started twice, the second
// time with one bar moved.
struct Bars {
    int c1 = 50;  // cmeso1, the far side's speed in the step mode
    int c2 = 20;  // cmesso2, the source side's
    int height = 50;
};

void startStepMode(const Bars& bars) {
    ui::dispatch([&bars] {
        dyomessa().cmeso1.setValue(bars.c1);
        dyomessa().cmesso2.setValue(bars.c2);
        dyomessa().platos.setValue(bars.height);
    });
    click(dyomessa().Command2);
}

// The first level at which a curve reaches half its largest |u|.
int arrival(const QList<QPointF>& curve) {
    double largest = 0.0;
    for (const QPointF& p : curve) {
        largest = std::max(largest, std::abs(p.y()));
    }
    for (const QPointF& p : curve) {
        if (std::abs(p.y()) >= largest / 2) {
            return static_cast<int>(p.x());
        }
    }
    return -1;
}

bool sameOutline(const Outline& a, const Outline& b) {
    if (a.segments.size() != b.segments.size() || a.segments.empty()) {
        return false;
    }
    for (std::size_t k = 0; k < a.segments.size(); ++k) {
        const QLineF& p = a.segments[k];
        const QLineF& q = b.segments[k];
        if (QLineF(p.p1(), q.p1()).length() > 1e-9 || QLineF(p.p2(), q.p2()).length() > 1e-9) {
            return false;
        }
    }
    return true;
}

struct CompareRow {
    const char* name;
    Bars second;
    bool sameSpeeds;
};

class ComparedRun : public Instruments, public ::testing::WithParamInterface<CompareRow> {};

// A probe keeps each point's curve of the previous run, also a probe added
// after the run changed: a pulse of another height arrives at the same
// level, and the diagram's outline of the previous run lies on the new one;
// another source speed moves both.
TEST_P(ComparedRun, KeepsThePreviousRunOfEachPoint) {
    InstrumentSet& instruments = twoMediaInstruments();
    instruments.openPointProbe();
    instruments.openSpaceTimeDiagram();
    PointProbeWindow& probe = *instruments.pointProbeWindow();
    startStepMode({});
    probe.addProbe(40);
    // The continuous run filled when the window opened is of another kind.
    EXPECT_TRUE(probe.previousCurve(0).isEmpty());
    EXPECT_TRUE(instruments.spaceTimeWindow()->previousOutline().segments.empty());
    const QList<QPointF> first40 = probe.probeCurve(0);
    probe.addProbe(20);
    const QList<QPointF> first20 = probe.probeCurve(1);
    probe.removeProbe(20);

    startStepMode(GetParam().second);
    probe.addProbe(20);
    // In the unit of the run shown: its pulse's height is 1.00.
    const double scale = static_cast<double>(Bars{}.height) / GetParam().second.height;
    for (const auto& [previous, first] :
         {std::pair(probe.previousCurve(0), first40), std::pair(probe.previousCurve(1), first20)}) {
        ASSERT_EQ(previous.size(), kLastStepLevel + 1);
        for (int level = 0; level <= kLastStepLevel; ++level) {
            ASSERT_NEAR(previous[level].y(), scale * first[level].y(), 1e-12) << level;
        }
    }
    for (int i : {0, 1}) {
        EXPECT_EQ(arrival(probe.previousCurve(i)) == arrival(probe.probeCurve(i)),
                  GetParam().sameSpeeds)
            << "probe " << i;
    }
    const RunView now{.table = &stepRun.stepDisplacement,
                      .lastLevel = kLastStepLevel,
                      .lastPoint = stepRun.sourcePoint};
    EXPECT_EQ(sameOutline(instruments.spaceTimeWindow()->previousOutline(), halfHeightOutline(now)),
              GetParam().sameSpeeds);
}

INSTANTIATE_TEST_SUITE_P(Changes, ComparedRun,
                         ::testing::Values(CompareRow{"Height", {.height = 100}, true},
                                           CompareRow{"SourceSpeed", {.c2 = 60}, false}),
                         kRowName);

// How many pixels of `box` are exactly `colour`.
int exactly(const QImage& image, const QRect& box, const QColor& colour) {
    int count = 0;
    const QRect pixels = box & image.rect();
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        for (int x = pixels.left(); x <= pixels.right(); ++x) {
            count += image.pixelColor(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

// A third run keeps only the second: its curve, its outline and its settings,
// in the language of the moment; the first run drew nothing of its own.
TEST_F(Instruments, KeepOnlyTheRunBeforeAndDrawIt) {
    InstrumentSet& instruments = twoMediaInstruments();
    instruments.openPointProbe();
    instruments.openSpaceTimeDiagram();
    PointProbeWindow& probe = *instruments.pointProbeWindow();
    SpaceTimeWindow& diagram = *instruments.spaceTimeWindow();
    for (QWidget* instrument : std::initializer_list<QWidget*>{&probe, &diagram}) {
        instruments.dock().detach(instrument);
        instrument->resize(800, 500);
    }
    probe.addProbe(40);
    const QColor outline(80, 80, 80);
    std::vector<QList<QPointF>> curves;
    std::vector<int> dashed;
    std::vector<int> outlined;
    for (const int height : {30, 60, 90}) {
        startStepMode({.height = height});
        curves.push_back(probe.probeCurve(0));
        QCoreApplication::processEvents();
        Plot& chart = probe.chart();
        dashed.push_back(
            exactly(chart.grab().toImage(), chart.plotRect(), probe.previousColour(0)));
        outlined.push_back(exactly(diagram.grab().toImage(), diagram.plotRect(), outline));
    }
    for (int level = 0; level <= kLastStepLevel; ++level) {
        ASSERT_NEAR(probe.previousCurve(0)[level].y(), curves[1][level].y() * 60 / 90, 1e-12);
    }
    EXPECT_EQ(dashed[0], 0);
    EXPECT_EQ(outlined[0], 0);
    EXPECT_GT(dashed[2], 100);
    EXPECT_GT(outlined[2], 1000);

    const QString said = probe.chart().accessibleDescription();
    EXPECT_TRUE(said.contains(
        QStringLiteral("previous run (c1 = 0.50, c2 = 0.20, height 0.67, width 20, fixed end)")))
        << said.toStdString();
    EXPECT_FALSE(said.contains(QStringLiteral("height 0.33")));
    click(eisagogi1().Option2);
    EXPECT_TRUE(diagram.accessibleDescription().contains(
        QStringLiteral("(c1 = 0.50, c2 = 0.20, ύψος 0.67, εύρος 20, σταθερό άκρο)")))
        << diagram.accessibleDescription().toStdString();
    EXPECT_TRUE(probe.chart().dashedNote().contains(QStringLiteral("ύψος 0.67")));
}

// The diagram and the probe on `instruments`, with a probe on `point`.
struct Opened {
    SpaceTimeWindow& diagram;
    PointProbeWindow& probe;
};
Opened openDiagramAndProbe(InstrumentSet& instruments, int point) {
    instruments.openSpaceTimeDiagram();
    instruments.openPointProbe();
    instruments.pointProbeWindow()->addProbe(point);
    return {*instruments.spaceTimeWindow(), *instruments.pointProbeWindow()};
}

// Pixels of the diagram that are clearly red or blue: its stripes.
int stripePixels(const QImage& image, const QRect& box) {
    int count = 0;
    const QRect pixels = box & image.rect();
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        for (int x = pixels.left(); x <= pixels.right(); ++x) {
            const QColor seen = image.pixelColor(x, y);
            count += std::abs(seen.red() - seen.blue()) > 60 ? 1 : 0;
        }
    }
    return count;
}

struct StartRow {
    const char* name;
    InstrumentSet& (*instruments)();
    void (*start)();  // START and the first tick
};

class FirstStart : public Instruments, public ::testing::WithParamInterface<StartRow> {};

// Opened on a window its preparation filled, the diagram and the probe show
// nothing of the run to come; the first START shows it with no previous run,
// the second with the first behind it.
TEST_P(FirstStart, ShowsTheRunWithNothingBeforeIt) {
    const auto [diagram, probe] = openDiagramAndProbe(GetParam().instruments(), 20);
    const auto stripes = [&diagram] {
        return stripePixels(diagram.grab().toImage(), diagram.plotRect());
    };
    EXPECT_EQ(stripes(), 0);
    EXPECT_TRUE(probe.chart().curves().empty());
    EXPECT_EQ(diagram.accessibleDescription(), QStringLiteral("Press START first."));

    GetParam().start();
    EXPECT_GT(stripes(), 1000);
    EXPECT_EQ(probe.chart().curves().size(), 1U);
    EXPECT_TRUE(diagram.previousOutline().segments.empty());
    EXPECT_TRUE(probe.previousCurve(0).isEmpty());

    GetParam().start();
    EXPECT_FALSE(diagram.previousOutline().segments.empty());
    EXPECT_FALSE(probe.previousCurve(0).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Windows, FirstStart,
                         ::testing::Values(StartRow{"SimpleSolution", simpleSolutionInstruments,
                                                    [] {
                                                        click(ypervola().Command1);
                                                        ypervola().Timer1.fire();
                                                    }},
                                           StartRow{"StepMode", twoMediaInstruments,
                                                    [] { click(dyomessa().Command2); }}),
                         kRowName);

// The step mode's pulse passes into c1, on the red circles: where the string
// has it, across the window, the diagram has it across its picture.
TEST_F(Instruments, DiagramHasEachPartOnTheSideOfItsCircles) {
    InstrumentSet& instruments = twoMediaInstruments();
    instruments.openSpaceTimeDiagram();
    SpaceTimeWindow& diagram = *instruments.spaceTimeWindow();
    instruments.dock().detach(&diagram);
    diagram.resize(800, 500);
    click(dyomessa().Command2);
    // The level where the pulse is highest on points 1..29, and its point.
    int level = 0;
    int point = 0;
    for (int n = 0; n <= kLastStepLevel; n += 10) {
        for (int i = 1; i < 30; ++i) {
            if (stepRun.stepDisplacement.at(i, n) > stepRun.stepDisplacement.at(point, level)) {
                level = n;
                point = i;
            }
        }
    }
    ASSERT_GT(stepRun.stepDisplacement.at(point, level), 0.0);
    EXPECT_EQ(dyomessa().Shape1(point).BorderColor(), QColor(255, 0, 0));
    const auto across = [this](const ui::Shape& circle) {
        const double first = dyomessa().Shape1(0).pixelBox().center().x();
        const double last = dyomessa().Shape1(60).pixelBox().center().x();
        return (circle.pixelBox().center().x() - first) / (last - first);
    };
    // The reddest pixel of the diagram's row of that level.
    const QImage picture = diagram.grab().toImage();
    const QRect plot = diagram.plotRect();
    const int y = diagram.levelY(level);
    int reddest = plot.left();
    for (int x = plot.left(); x <= plot.right(); ++x) {
        const QColor c = picture.pixelColor(x, y);
        const QColor r = picture.pixelColor(reddest, y);
        reddest = c.red() - c.blue() > r.red() - r.blue() ? x : reddest;
    }
    const double first = diagram.pointX(0);
    EXPECT_NEAR((reddest - first) / (diagram.pointX(60) - first), across(dyomessa().Shape1(point)),
                0.03);
}

struct UnitRow {
    const char* name;
    InstrumentSet& (*instruments)();
    void (*start)();
    int point;  // where the pulse passes whole before anything comes back
    bool printsA0;
};

class HeightUnit : public Instruments, public ::testing::WithParamInterface<UnitRow> {};

// The incoming pulse is 1.00: its highest reading at a point of the string,
// and the unit named as the window prints A0.
TEST_P(HeightUnit, IsTheIncomingPulsesHeight) {
    const auto [diagram, probe] = openDiagramAndProbe(GetParam().instruments(), GetParam().point);
    GetParam().start();
    double highest = 0.0;
    for (const QPointF& p : probe.probeCurve(0)) {
        highest = std::max(highest, p.y());
    }
    EXPECT_NEAR(highest, 1.0, 0.03);
    // The colour bar's top, the largest |u| of the run, counts in it too.
    const double top = diagram.scaleLabel(true).toDouble();
    EXPECT_GE(top, 1.0);
    EXPECT_LT(top, 2.0);
    const QString printed = dyomessa().Label3.Caption().section(QLatin1Char('='), -1);
    const QString unit = GetParam().printsA0
                             ? QStringLiteral("A0 = %1 is 1.00 here").arg(printed)
                             : QStringLiteral("the driven pulse's height is 1.00 here");
    EXPECT_TRUE(probe.chart().yAxis().title.contains(unit))
        << probe.chart().yAxis().title.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Runs, HeightUnit,
                         ::testing::Values(UnitRow{"SimpleSolution", simpleSolutionInstruments,
                                                   [] {
                                                       click(ypervola().Command1);
                                                       ypervola().Timer1.fire();
                                                   },
                                                   40, false},
                                           UnitRow{"Continuous", twoMediaInstruments,
                                                   [] {
                                                       ui::dispatch(
                                                           [] { dyomessa().Command1_Click(); });
                                                       dyomessa().Timer1.fire();
                                                   },
                                                   45, true},
                                           UnitRow{"StepMode", twoMediaInstruments,
                                                   [] { click(dyomessa().Command2); }, 45, true}),
                         kRowName);

// While predict mode waits for an answer, the instruments show the run up to
// the level shown and no further; then the whole run again.
TEST_F(Instruments, WhileAQuestionWaitsShowOnlyTheLevelsShown) {
    InstrumentSet& instruments = twoMediaInstruments();
    const auto [diagram, probe] = openDiagramAndProbe(instruments, 45);
    ui::dispatch([this] { dyomessa().rythmisidt.setValue(5); });
    click(dyomessa().Command2);
    for (int tick = 0; tick < 60; ++tick) {
        dyomessa().Timer2.fire();
    }
    const int shown = diagram.currentLevel();
    ASSERT_GT(shown, 0);
    const auto stripesAbove = [&diagram](int level) {
        const QRect plot = diagram.plotRect();
        return stripePixels(
            diagram.grab().toImage(),
            QRect(plot.left(), plot.top(), plot.width(), diagram.levelY(level) - 3 - plot.top()));
    };
    const int whole = stripesAbove(shown);
    EXPECT_GT(whole, 1000);

    showUpToLevelShown(instruments, true);
    EXPECT_EQ(stripesAbove(shown), 0);
    const QRect plot = diagram.plotRect();
    EXPECT_GT(stripePixels(diagram.grab().toImage(),
                           plot.adjusted(0, diagram.levelY(shown) + 3 - plot.top(), 0, 0)),
              100);
    EXPECT_EQ(probe.probeCurve(0).size(), shown + 1);
    click(dyomessa().Command3);
    click(dyomessa().Command7);  // a step while the question waits shows its level
    EXPECT_EQ(probe.probeCurve(0).size(), diagram.currentLevel() + 1);
    EXPECT_GT(diagram.currentLevel(), shown);

    showUpToLevelShown(instruments, false);
    EXPECT_GT(stripesAbove(diagram.currentLevel()), 1000);
    EXPECT_EQ(probe.probeCurve(0).size(), kLastStepLevel + 1);
}

}  // namespace
}  // namespace palmos
