#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPointingDevice>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "core/level_table.h"
#include "instruments/captions.h"
#include "instruments/context_menu.h"
#include "instruments/copy_data.h"
#include "instruments/measured_ratios_window.h"
#include "instruments/plot.h"
#include "instruments/point_probe.h"
#include "instruments/previous_run.h"
#include "instruments/save_picture.h"
#include "instruments/space_time.h"
#include "physics/two_media/step_mode.h"
#include "tests/support/rows.h"
#include "ui/touch_targets.h"

namespace palmos {
namespace {

using palmos::PrintTo;

// A small table: points 0..3, levels 0..2, with u(3, 0) = 0.5 the largest
// value, u(0, 2) = -0.5, u(1, 1) = 0.25 and zeros elsewhere.
struct SmallRun {
    SmallRun() {
        table.set(3, 0, 0.5);
        table.set(0, 2, -0.5);
        table.set(1, 1, 0.25);
    }
    RunView view(bool driveOnRight) const {
        return {.table = &table,
                .lastLevel = 2,
                .lastPoint = 3,
                .timeStep = 0.6,
                .driveOnRight = driveOnRight};
    }
    LevelTable table{4, 5};
};

struct CellRow {
    const char* name;
    bool driveOnRight;
    int x;
    int y;
    QRgb colour;
};

class SpaceTimePicture : public ::testing::TestWithParam<CellRow> {};

// Levels go up and the drive end (point 3) is on the right unless asked.
TEST_P(SpaceTimePicture, ColoursEachCellByItsDisplacement) {
    const CellRow row = GetParam();
    const SmallRun run;
    const QImage image = spaceTimeImage(run.view(row.driveOnRight));
    ASSERT_EQ(image.size(), QSize(4, 3));
    EXPECT_EQ(QColor(image.pixel(row.x, row.y)), QColor(row.colour));
}

INSTANTIATE_TEST_SUITE_P(
    Cells, SpaceTimePicture,
    ::testing::Values(CellRow{"LargestIsFullRed", true, 3, 2, qRgb(255, 0, 0)},
                      CellRow{"MostNegativeIsFullBlue", true, 0, 0, qRgb(0, 0, 255)},
                      CellRow{"HalfIsPaleRed", true, 1, 1, qRgb(255, 128, 128)},
                      CellRow{"ZeroIsWhite", true, 2, 1, qRgb(255, 255, 255)},
                      CellRow{"DriveOnTheLeft", false, 0, 2, qRgb(255, 0, 0)}),
    kRowName);

TEST(SpaceTimeWindow, SaysPressStartBeforeARunAndDrawsTheLevelLineAfter) {
    SpaceTimeWindow window(QStringLiteral("t"), instrumentCaption(Caption::PressStartFirst, false),
                           false);
    window.resize(600, 500);
    EXPECT_EQ(window.notPreparedText(), QStringLiteral("Πατήστε πρώτα ΞΕΚΙΝΑ."));
    const QImage blank = window.grab().toImage();
    EXPECT_EQ(blank.pixel(blank.width() / 2, 5), window.palette().window().color().rgb());

    LevelTable table(kStepPoints, kStepLevels);
    table.set(30, 100, 1.0);
    window.setRun({.table = &table, .lastLevel = 1501, .lastPoint = 60, .junction = 30});
    window.setCurrentLevel(750);
    const QImage picture = window.grab().toImage();
    const int y = window.levelY(750);
    EXPECT_EQ(QColor(picture.pixel(window.pointX(10), y)), QColor(Qt::black));
    // Away from the line, the junction and the one raised cell the string is
    // at rest: white.
    EXPECT_EQ(QColor(picture.pixel(window.pointX(10), y + 20)), QColor(Qt::white));
}

// Where a widget's painting puts its texts: a device that draws nothing and
// keeps each text and its box as the painter lays it out.
class TextBoxes : public QPaintDevice {
  public:
    explicit TextBoxes(const QWidget& widget) : widget_(widget) {}
    QPaintEngine* paintEngine() const override { return &engine_; }
    const QList<QRect>& boxes() const { return engine_.boxes; }
    const QStringList& texts() const { return engine_.texts; }

  protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
            case PdmWidth:
                return widget_.width();
            case PdmHeight:
                return widget_.height();
            case PdmWidthMM:
                return widget_.widthMM();
            case PdmHeightMM:
                return widget_.heightMM();
            case PdmDpiX:
            case PdmPhysicalDpiX:
                return widget_.logicalDpiX();
            case PdmDpiY:
            case PdmPhysicalDpiY:
                return widget_.logicalDpiY();
            case PdmDevicePixelRatioScaled:
                return static_cast<int>(devicePixelRatioFScale());
            case PdmDepth:
                return 32;
            default:
                return 1;
        }
    }

  private:
    struct Engine : QPaintEngine {
        Engine() : QPaintEngine(AllFeatures) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState& state) override {
            if (state.state() & DirtyTransform) {
                transform = state.transform();
            }
        }
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawPath(const QPainterPath&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawTextItem(const QPointF& at, const QTextItem& item) override {
            const QRectF box(at.x(), at.y() - item.ascent(), item.width(),
                             item.ascent() + item.descent());
            boxes.append(transform.mapRect(box).toAlignedRect());
            texts.append(item.text());
        }
        Type type() const override { return User; }

        QTransform transform;
        QList<QRect> boxes;
        QStringList texts;
    };

    const QWidget& widget_;
    mutable Engine engine_;
};

struct SmallDiagramRow {
    const char* name;
    int junction;
    int plotWidth;
    double barLines;  // the plot's height, in lines of text
    int barLabels;    // how many numbers the colour bar has room for
};

class SmallDiagram : public ::testing::TestWithParam<SmallDiagramRow> {};

// However small the diagram and wherever the junction, the media's names and
// the colour bar's numbers are printed over no text of it.
TEST_P(SmallDiagram, PrintsTheMediaAndTheBarsNumbersOverNoText) {
    LevelTable table(kStepPoints, kStepLevels);
    table.set(30, 100, 1.0);
    SpaceTimeWindow window(QStringLiteral("t"), QStringLiteral("-"), true);
    window.setRun({.table = &table,
                   .lastLevel = 1501,
                   .lastPoint = 60,
                   .junction = GetParam().junction,
                   .driveSpeed = 1.22,
                   .farSpeed = 0.2,
                   .driveName = "c1",
                   .farName = "c2"});
    const QMargins room = window.plotMargins();
    window.resize(room.left() + room.right() + GetParam().plotWidth,
                  room.top() + room.bottom() +
                      static_cast<int>(GetParam().barLines * QFontMetrics(window.font()).height()));
    TextBoxes painted(window);
    window.render(&painted);
    const QList<QRect>& boxes = painted.boxes();
    const QStringList& texts = painted.texts();
    // The bar's numbers stand right of the times.
    int times = 0;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        times =
            texts[i].startsWith(QStringLiteral("t = ")) ? std::max(times, boxes[i].right()) : times;
    }
    int names = 0;
    int barLabels = 0;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        names += texts[i].startsWith(QLatin1Char('c')) ? 1 : 0;
        barLabels += boxes[i].left() > times ? 1 : 0;
        if (!texts[i].startsWith(QLatin1Char('c')) && boxes[i].left() <= times) {
            continue;
        }
        for (qsizetype j = 0; j < texts.size(); ++j) {
            EXPECT_TRUE(i == j || !boxes[i].intersects(boxes[j]))
                << '"' << texts[i].toStdString() << "\" over \"" << texts[j].toStdString()
                << "\" at " << boxes[i].x() << "," << boxes[i].y();
        }
    }
    EXPECT_EQ(names, 2);  // cut short, perhaps
    EXPECT_EQ(barLabels, GetParam().barLabels);
}

INSTANTIATE_TEST_SUITE_P(
    Diagrams, SmallDiagram,
    ::testing::Values(SmallDiagramRow{"JunctionNearTheDriveEndOnAWidePlot", 57, 240, 20, 3},
                      SmallDiagramRow{"JunctionNearTheDriveEnd", 57, 110, 20, 3},
                      SmallDiagramRow{"JunctionNearTheFarEnd", 3, 110, 20, 3},
                      SmallDiagramRow{"JunctionAtTheDriveEnd", 60, 60, 20, 3},
                      SmallDiagramRow{"BarThreeLines", 30, 240, 3.2, 3},
                      SmallDiagramRow{"BarTwoLinesAndAHalf", 30, 240, 2.5, 2},
                      SmallDiagramRow{"BarALineAndAHalf", 30, 240, 1.5, 1},
                      SmallDiagramRow{"BarUnderALine", 30, 240, 0.6, 1}),
    kRowName);

// Fillings of one table, each played by its START or not (a preparation's),
// and which of them (1, 2, ...) the previous run is after the last; 0 for
// none.
struct FillingsRow {
    const char* name;
    std::vector<bool> played;
    int previous;
};

class PreviousFilling : public ::testing::TestWithParam<FillingsRow> {};

TEST_P(PreviousFilling, IsTheLastRunPlayedBeforeTheOneShown) {
    LevelTable table(2, 2);
    PreviousRun runs;
    int played = 0;  // the last filling played, as the window's run tells it
    for (int k = 1; k <= static_cast<int>(GetParam().played.size()); ++k) {
        table.set(0, 0, k);
        runs.follow({.table = &table, .lastLevel = 1, .lastPoint = 1, .shown = [&played, k] {
                         return played == k ? RunShown::Whole : RunShown::Nothing;
                     }});
        if (GetParam().played[static_cast<std::size_t>(k - 1)]) {
            played = k;
        }
    }
    const RunView previous = runs.view();
    ASSERT_EQ(previous.prepared(), GetParam().previous > 0);
    if (previous.prepared()) {
        EXPECT_EQ(previous.table->at(0, 0), GetParam().previous);
        EXPECT_EQ(previous.shownNow(), RunShown::Whole);
    }
}

INSTANTIATE_TEST_SUITE_P(Fillings, PreviousFilling,
                         ::testing::Values(FillingsRow{"PreparationThenStart", {false, true}, 0},
                                           FillingsRow{"TwoStarts", {true, true}, 1},
                                           FillingsRow{
                                               "StartPreparationStart", {true, false, true}, 1},
                                           FillingsRow{"ThreeStarts", {true, true, true}, 2}),
                         kRowName);

struct TickRow {
    const char* name;
    double span;
    int most;
    double least;
    double step;
};

class TickSteps : public ::testing::TestWithParam<TickRow> {};

TEST_P(TickSteps, AreTheSmallestOneTwoOrFiveTimesAPowerOfTenThatFit) {
    const TickRow row = GetParam();
    EXPECT_DOUBLE_EQ(tickStep(row.span, row.most, row.least), row.step);
}

INSTANTIATE_TEST_SUITE_P(Steps, TickSteps,
                         ::testing::Values(TickRow{"StepModeLevels", 1501, 10, 1.0, 200},
                                           TickRow{"PointsOfTheString", 60, 10, 1.0, 10},
                                           TickRow{"ExactlyMostStepsIsTooMany", 100, 10, 1.0, 20},
                                           TickRow{"WholeStepsOnAShortSpan", 5, 10, 1.0, 1},
                                           TickRow{"NoSpanAtAll", 0, 10, 1.0, 1},
                                           TickRow{"Displacements", 0.165, 7, 0.001, 0.05},
                                           TickRow{"NeverBelowTheLeast", 0.0021, 7, 0.001, 0.001}),
                         kRowName);

TEST(TickLabel, HasNoMinusSignOnZero) {
    EXPECT_EQ(tickLabel(-0.0004, 3), QStringLiteral("0.000"));
    EXPECT_EQ(tickLabel(-0.05, 3), QStringLiteral("-0.050"));
    EXPECT_EQ(tickLabel(1400, 0), QStringLiteral("1400"));
}

// A curve stands where the axes put its points, and the cursor stands at its
// level and nowhere else.
TEST(Plot, DrawsTheCurveOnItsAxesAndTheCursorAtItsLevel) {
    Plot plot;
    plot.resize(500, 400);
    plot.setAxes({.min = 0, .max = 100, .step = 20, .title = QStringLiteral("x")},
                 {.min = -1, .max = 1, .step = 0.5, .title = QStringLiteral("y")});
    QList<QPointF> flat;
    for (int x = 0; x <= 100; ++x) {
        flat.append(QPointF(x, 0.5));
    }
    plot.setCurves({{QStringLiteral("a"), QColor(210, 40, 30), flat}});
    plot.setCursor(30);
    const QImage before = plot.grab().toImage();
    // The curve, two pixels wide, covers its row or the one above in full.
    const int row = static_cast<int>(plot.rowOf(0.5));
    const auto onCurve = [row](const QImage& image, int x) {
        return QColor(image.pixel(x, row)) == QColor(210, 40, 30) ||
               QColor(image.pixel(x, row - 1)) == QColor(210, 40, 30);
    };
    EXPECT_TRUE(onCurve(before, static_cast<int>(plot.columnOf(60))));
    EXPECT_EQ(QColor(before.pixel(static_cast<int>(plot.columnOf(60)), plot.rowOf(-0.75))),
              QColor(Qt::white));
    const int at30 = plot.cursorColumn();
    EXPECT_EQ(at30, static_cast<int>(std::lround(plot.columnOf(30))));
    // A dashed line: some of its pixels are black.
    const auto black = [&plot](const QImage& image, int x) {
        int count = 0;
        for (int y = plot.plotRect().top() + 1; y < plot.plotRect().bottom(); ++y) {
            count += QColor(image.pixel(x, y)) == QColor(Qt::black) ? 1 : 0;
        }
        return count;
    };
    EXPECT_GT(black(before, at30), plot.plotRect().height() / 4);

    plot.setCursor(70);
    const QImage after = plot.grab().toImage();
    EXPECT_EQ(plot.cursorColumn(), static_cast<int>(std::lround(plot.columnOf(70))));
    EXPECT_EQ(black(after, at30), 0);
    EXPECT_GT(black(after, plot.cursorColumn()), plot.plotRect().height() / 4);
    EXPECT_TRUE(onCurve(after, at30));
    plot.clearCursor();
    EXPECT_EQ(plot.cursorColumn(), -1);
}

TEST(PointProbe, SeriesIsTheTablesColumnAndAFifthProbeReplacesTheOldest) {
    LevelTable u(kStepPoints, kStepLevels);
    LevelTable v(kStepPoints, kStepLevels);
    LevelTable s(kStepPoints, kStepLevels);
    solveStepMode(u, v, s, {.c1 = 0.5, .c2 = 0.2});
    const RunView run{.table = &u, .lastLevel = 1501, .lastPoint = 60, .junction = 30};

    PointProbeWindow window(QStringLiteral("p"), QStringLiteral("-"), true);
    window.setRun(run);
    for (int point : {45, 10, 30, 59, 20}) {
        EXPECT_TRUE(window.addProbe(point));
    }
    EXPECT_FALSE(window.addProbe(61));
    ASSERT_EQ(window.probes(), (std::vector<int>{10, 30, 59, 20}));

    const QList<QPointF>& shown = window.probeCurve(0);
    ASSERT_EQ(shown.size(), 1502);
    for (int n = 0; n <= 1501; ++n) {
        ASSERT_EQ(shown[n], QPointF(n, u.at(10, n))) << "level " << n;
    }
}

TEST(CopyData, IsAHeaderAndOneTabSeparatedRowPerLevel) {
    const SmallRun run;
    const QString text = tabSeparated(run.view(true), {3, 0}, true);
    QStringList lines = text.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.takeLast(), QString());  // every line ends in a newline
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("level\ttime\tpoint 3\tpoint 0"));
    for (int n = 0; n <= 2; ++n) {
        const QStringList cells = lines[n + 1].split(QLatin1Char('\t'));
        ASSERT_EQ(cells.size(), 4);
        EXPECT_EQ(cells[0].toInt(), n);
        EXPECT_DOUBLE_EQ(cells[1].toDouble(), n * 0.6);
        EXPECT_EQ(cells[2].toDouble(), run.table.at(3, n));
        EXPECT_EQ(cells[3].toDouble(), run.table.at(0, n));
    }
    EXPECT_EQ(tabSeparatedTable(run.view(true), false).section(QLatin1Char('\n'), 0, 0),
              QStringLiteral("επίπεδο\tχρόνος\tσημείο 0\tσημείο 1\tσημείο 2\tσημείο 3"));
}

TEST(SavePicture, ToAReadOnlyFolderReportsWhatFailedAndWhere) {
    QTemporaryDir temporary;
    ASSERT_TRUE(temporary.isValid());
    QString folder = temporary.path();
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    // The superuser writes into any folder; /proc takes no new files from
    // anyone.
    if (QFile probe(QDir(folder).filePath(QStringLiteral("probe")));
        probe.open(QIODevice::WriteOnly)) {
        probe.remove();
        folder = QStringLiteral("/proc");
    }
    const QString path = QDir(folder).filePath(QStringLiteral("palmos-two-media.png"));
    // What the system says when the file cannot be made there.
    QFile direct(path);
    ASSERT_FALSE(direct.open(QIODevice::WriteOnly));

    QWidget window;
    window.resize(100, 80);
    QString suggested;
    QStringList reports;
    const SavePictureDialogs dialogs{
        [&](QWidget*, const QString&, const QString& name) {
            suggested = name;
            return path;
        },
        [&](QWidget*, const QString&, const QString& text) { reports << text; }};
    EXPECT_FALSE(savePicture(&window, QStringLiteral("two-media"), true, dialogs,
                             QDateTime(QDate(2026, 12, 8), QTime(14, 30))));
    EXPECT_TRUE(suggested.endsWith(QStringLiteral("/palmos-two-media-2026-12-08-1430.png")));
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].contains(path)) << reports[0].toStdString();
    EXPECT_TRUE(reports[0].contains(direct.errorString()))
        << reports[0].toStdString() << " / " << direct.errorString().toStdString();
    EXPECT_FALSE(QFile::exists(path));
    QFile::setPermissions(temporary.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// What a screen reader finds in a window: the name and the description of
// the window and of everything in it.
QStringList readerTexts(QAccessibleInterface* item) {
    QStringList texts{item->text(QAccessible::Name), item->text(QAccessible::Description)};
    for (int i = 0; i < item->childCount(); ++i) {
        texts << readerTexts(item->child(i));
    }
    texts.removeAll(QString());
    return texts;
}

struct ReaderRow {
    const char* name;
    bool english;
    // What the window shows, of a step-mode run with c1 = 0.5, c2 = 0.2.
    std::unique_ptr<QWidget> (*open)(const RunView& run, bool english);
    std::vector<const char*> texts;  // each found whole in one name or description
};

class ScreenReader : public ::testing::TestWithParam<ReaderRow> {};

TEST_P(ScreenReader, ReadsTheNumbersTheWindowShows) {
    const ReaderRow& row = GetParam();
    LevelTable u(kStepPoints, kStepLevels);
    LevelTable v(kStepPoints, kStepLevels);
    LevelTable s(kStepPoints, kStepLevels);
    solveStepMode(u, v, s, {.c1 = 0.5, .c2 = 0.2});
    u.set(10, 700, 0.25);  // what the probe reads at the level shown
    const RunView run{.table = &u,
                      .lastLevel = 1501,
                      .lastPoint = 60,
                      .junction = 30,
                      .driveSpeed = 0.2,
                      .farSpeed = 0.5,
                      .driveName = "c2",
                      .farName = "c1",
                      .farEnd = EndMode::Free};
    const std::unique_ptr<QWidget> window = row.open(run, row.english);
    const QStringList texts = readerTexts(QAccessible::queryAccessibleInterface(window.get()));
    for (const char* expected : row.texts) {
        const QString text = QString::fromUtf8(expected);
        EXPECT_TRUE(std::any_of(texts.begin(), texts.end(),
                                [&](const QString& said) { return said.contains(text); }))
            << expected << " not in: " << texts.join(QStringLiteral(" | ")).toStdString();
    }
}

std::unique_ptr<QWidget> ratiosWindow(const RunView& run, bool english) {
    auto window =
        std::make_unique<MeasuredRatiosWindow>(QStringLiteral("r"), QStringLiteral("-"), english);
    window->setRatios(RatiosView{
        measureRatios(*run.table, {.driveSpeed = run.driveSpeed, .farSpeed = run.farSpeed}), 0.5,
        0.2});
    return window;
}

// A window of the run at `level`.
template <class Window>
std::unique_ptr<Window> atLevel(const RunView& run, bool english, int level) {
    auto window = std::make_unique<Window>(QStringLiteral("w"), QStringLiteral("-"), english);
    window->setRun(run);
    window->setCurrentLevel(level);
    return window;
}

std::unique_ptr<QWidget> probeWindow(const RunView& run, bool english) {
    auto window = atLevel<PointProbeWindow>(run, english, 700);
    window->addProbe(45);
    window->addProbe(10);
    window->removeProbe(45);
    window->addProbe(59);  // takes the colour the removed probe left
    return window;
}

std::unique_ptr<QWidget> spaceTimeWindow(const RunView& run, bool english) {
    return atLevel<SpaceTimeWindow>(run, english, 750);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, ScreenReader,
    ::testing::Values(
        ReaderRow{"MeasuredRatiosEnglish",
                  true,
                  ratiosWindow,
                  {"From the formula, for c1 = 0.50 and c2 = 0.20:", "A1/A0 = 0.23    B1/A0 = 1.23",
                   "Measured in the run's table:\n    A1/A0 = 0.23\n    B1/A0 = 1.22"}},
        ReaderRow{"MeasuredRatiosGreek",
                  false,
                  ratiosWindow,
                  {"Από τον τύπο, για c1 = 0.50 και c2 = 0.20:", "A1/A0 = 0.23    B1/A0 = 1.23",
                   "Μετρημένοι στον πίνακα της κίνησης:\n    A1/A0 = 0.23\n    B1/A0 = 1.22",
                   "στο σημείο 32"}},
        ReaderRow{"PointProbeEnglish",
                  true,
                  probeWindow,
                  {"Level shown: 700; point 10 (red): 0.25;",
                   "point 59 (blue):", "remove the probe on point 59"}},
        ReaderRow{"SpaceTimeEnglish",
                  true,
                  spaceTimeWindow,
                  {"c2 = 0.20 from the junction (point 30",
                   "c1 = 0.50 from the junction to the far end, point 0, which is free.",
                   "level 750, t = 450.0."}}),
    kRowName);

TEST(InstrumentMenu, OpensOnTheBackgroundInTheChosenLanguageButNotOnAControl) {
    QWidget window;
    window.resize(300, 200);
    auto* button = new QPushButton(QStringLiteral("START"), &window);
    button->setGeometry(10, 10, 80, 30);
    bool english = true;
    int opened = 0;
    InstrumentMenu* menu =
        installInstrumentMenu(&window, [&] { return english; },
                              {.spaceTimeDiagram = [&] { ++opened; }, .copyData = [] {}});
    window.show();

    QContextMenuEvent onButton(QContextMenuEvent::Mouse, QPoint(20, 20),
                               window.mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(button, &onButton);
    EXPECT_FALSE(menu->menu()->isVisible());

    english = false;
    QContextMenuEvent onBackground(QContextMenuEvent::Mouse, QPoint(200, 150),
                                   window.mapToGlobal(QPoint(200, 150)));
    QApplication::sendEvent(&window, &onBackground);
    ASSERT_TRUE(menu->menu()->isVisible());
    QStringList items;
    for (QAction* action : menu->menu()->actions()) {
        if (!action->isSeparator()) {
            items << action->text();
        }
    }
    EXPECT_EQ(items, (QStringList{QStringLiteral("Διάγραμμα χώρου-χρόνου"),
                                  QStringLiteral("Αντιγραφή δεδομένων")}));
    menu->menu()->actions().first()->trigger();
    EXPECT_EQ(opened, 1);
}

// A finger held still on the window opens the menu, as a right-click does;
// one that moves, lands on a control or is a mouse's does not.
struct HoldRow {
    const char* name;
    QPoint at;
    bool byFinger;
    QPoint movedBy;
    bool opens;
};

class HeldFinger : public ::testing::TestWithParam<HoldRow> {};

TEST_P(HeldFinger, OpensTheMenuOnlyWhenStillAndAwayFromTheControls) {
    // Made and gone within the test: a device outliving the application
    // crashes the process at its end.
    const QPointingDevice finger(QStringLiteral("finger"), 1, QInputDevice::DeviceType::TouchScreen,
                                 QPointingDevice::PointerType::Finger,
                                 QInputDevice::Capability::Position, 1, 0);
    QWidget window;
    window.resize(300, 200);
    auto* button = new QPushButton(QStringLiteral("START"), &window);
    button->setGeometry(10, 10, 80, 30);
    InstrumentMenu* menu = installInstrumentMenu(&window, [] { return true; },
                                                 {.spaceTimeDiagram = [] {}, .copyData = [] {}});
    window.show();
    const HoldRow& row = GetParam();
    const QPointingDevice* device =
        row.byFinger ? &finger : QPointingDevice::primaryPointingDevice();
    const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, window.mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier,
                          device);
        QApplication::sendEvent(&window, &event);
    };
    send(QEvent::MouseButtonPress, row.at, Qt::LeftButton);
    send(QEvent::MouseMove, row.at + row.movedBy, Qt::LeftButton);
    QTest::qWait(kHoldMilliseconds + 200);
    EXPECT_EQ(menu->menu()->isVisible(), row.opens);
    if (row.opens) {
        const QList<QAction*> items = menu->menu()->actions();
        EXPECT_GE(menu->menu()->actionGeometry(items.first()).height(), ui::kTouchTarget);
    }
    menu->menu()->hide();
}

INSTANTIATE_TEST_SUITE_P(
    Holds, HeldFinger,
    ::testing::Values(HoldRow{"StillOnTheBackground", {200, 150}, true, {3, 2}, true},
                      HoldRow{"MovedAlongTheString", {200, 150}, true, {30, 0}, false},
                      HoldRow{"OnAButton", {20, 20}, true, {0, 0}, false},
                      HoldRow{"AMouseHeldStill", {200, 150}, false, {0, 0}, false}),
    kRowName);

}  // namespace
}  // namespace palmos
