// Every open instrument readable on a lab's 1366 x 768 screen and on full HD
// at the fitted zoom: each plot's area at least 160 pixels tall at 1080p
// (scaled with the zoom), no two of its texts over each other, every answer
// of a waiting question whole in sight, the worksheet four rows and more, and
// all of it clear of the controls and of the string. The test runs once per
// screen.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTest>
#include <cmath>
#include <vector>

#include "app/introduction.h"
#include "app/language.h"
#include "instruments/dock.h"
#include "instruments/plot.h"
#include "single_string/window.h"
#include "tests/support/program_test.h"
#include "two_media/window.h"
#include "ui/events.h"
#include "ui/zoom.h"

namespace palmos {
namespace {

using namespace testing_support::current;

void click(QAbstractButton& button) {
    QTest::mouseClick(&button, Qt::LeftButton);
}

struct WindowRow {
    const char* name;
    ui::Form& (*window)();
    InstrumentSet& (*instruments)();
    PredictMode& (*predict)();
    const ui::ShapeArray& (*circles)();
    void (*start)();
};

const WindowRow kWindows[] = {
    {"TwoMediaAllFour", []() -> ui::Form& { return dyomessa(); }, twoMediaInstruments,
     []() -> PredictMode& { return program().twoMediaPredict(); },
     []() -> const ui::ShapeArray& { return dyomessa().Shape1; },
     [] {
         click(eisagogi1().MESADYO);
         click(dyomessa().Command2);
         click(dyomessa().Command2);  // a run before: the line on it is drawn too
     }},
    {"SimpleSolutionThree", []() -> ui::Form& { return ypervola(); }, simpleSolutionInstruments,
     []() -> PredictMode& { return program().simpleSolutionPredict(); },
     []() -> const ui::ShapeArray& { return ypervola().Shape1; },
     [] {
         click(eisagogi1().APLO);
         click(ypervola().Command1);
         click(ypervola().Command1);
         // The run is seen from its first tick on: before it, its instruments
         // still ask for a START.
         ASSERT_TRUE(QTest::qWaitFor([] { return session().simpleRun.levelShown() > 0; }));
     }},
};

QRect global(const QWidget& widget) {
    return {widget.mapToGlobal(QPoint(0, 0)), widget.size()};
}

// The whole of `widget` is drawn: nothing of it is cut off by the window or
// the scroll area it stands in.
bool wholeInSight(const QWidget& widget) {
    return widget.isVisible() && widget.visibleRegion() == QRegion(widget.rect());
}

void expectApart(const QList<QRect>& boxes, const char* what) {
    for (qsizetype i = 0; i < boxes.size(); ++i) {
        for (qsizetype j = i + 1; j < boxes.size(); ++j) {
            EXPECT_FALSE(boxes[i].intersects(boxes[j]))
                << what << ": text " << i << " and " << j << " overlap: " << boxes[i].x() << ","
                << boxes[i].y() << " " << boxes[i].width() << "x" << boxes[i].height() << " and "
                << boxes[j].x() << "," << boxes[j].y() << " " << boxes[j].width() << "x"
                << boxes[j].height();
        }
    }
}

class Readable : public testing_support::ProgramTest,
                 public ::testing::WithParamInterface<WindowRow> {};

TEST_P(Readable, EveryOpenInstrumentAtTheFittedZoom) {
    const WindowRow& row = GetParam();
    ui::dispatch([this] { ApplyLanguage(); });
    row.start();
    InstrumentSet& set = row.instruments();
    set.openSpaceTimeDiagram();
    set.openPointProbe();
    set.pointProbeWindow()->addProbe(20);
    set.pointProbeWindow()->addProbe(40);
    std::vector<QWidget*> open{set.spaceTimeWindow(), set.pointProbeWindow()};
    if (&set == &twoMediaInstruments()) {
        set.openMeasuredRatios();
        open.push_back(set.measuredRatiosWindow());
    }
    row.predict().setOn(true);
    PredictWindow& predict = *row.predict().window();
    open.push_back(&predict);
    QCoreApplication::processEvents();
    ASSERT_DOUBLE_EQ(ui::zoom(), ui::fittedZoom());
    const int leastPlot = static_cast<int>(std::floor(160.0 * ui::zoom() / 1.8));
    InstrumentDock& dock = set.dock();
    const ui::Form& window = row.window();

    for (QWidget* instrument : open) {
        ASSERT_TRUE(dock.isOpen(instrument)) << instrument->windowTitle().toStdString();
        // Each in front in turn, as a click on its tab brings it.
        dock.bringToFront(instrument);
        dock.layOut();
        QCoreApplication::processEvents();
        ASSERT_TRUE(instrument->isVisible()) << instrument->windowTitle().toStdString();
        const QWidget& shown = *dock.shownIn(instrument);
        EXPECT_TRUE(global(shown).contains(global(*instrument)));
        for (const QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (control->isVisible() && !control->isWindow()) {
                EXPECT_FALSE(shown.frameGeometry().intersects(global(*control)))
                    << control->accessibleName().toStdString();
            }
        }
        const ui::ShapeArray& circles = row.circles();
        for (int i = 0; i < circles.count(); ++i) {
            const QRect circle(window.mapToGlobal(circles(i).pixelBox().topLeft().toPoint()),
                               circles(i).pixelBox().size().toSize());
            EXPECT_FALSE(shown.frameGeometry().intersects(circle)) << "circle " << i;
        }
    }

    dock.bringToFront(set.spaceTimeWindow());
    dock.layOut();
    EXPECT_GE(set.spaceTimeWindow()->plotRect().height(), leastPlot);

    dock.bringToFront(set.pointProbeWindow());
    dock.layOut();
    Plot& chart = set.pointProbeWindow()->chart();
    chart.grab();  // paints it, and with it its texts
    EXPECT_GE(chart.plotRect().height(), leastPlot);
    ASSERT_GE(chart.textRects().size(), 6);
    expectApart(chart.textRects(), "probe chart");

    // A waiting question: each of its answers whole in sight.
    predict.ask(
        QStringLiteral("Where does the reflected pulse go?"),
        {QStringLiteral("Upward"), QStringLiteral("Downward"), QStringLiteral("There is none")});
    dock.bringToFront(&predict);
    dock.layOut();
    QCoreApplication::processEvents();
    ASSERT_EQ(predict.answerButtons().size(), 3u);
    for (const QPushButton* answer : predict.answerButtons()) {
        EXPECT_TRUE(wholeInSight(*answer)) << answer->text().toStdString();
    }
    // The worksheet beside what the run did: its heading and four rows.
    predict.tell(QStringLiteral("Watch the run."));
    QCoreApplication::processEvents();
    const QScrollArea* sheet = nullptr;
    for (const QScrollArea* scroll : predict.findChildren<QScrollArea*>()) {
        if (qobject_cast<const QLabel*>(scroll->widget()) != nullptr) {
            sheet = scroll;
        }
    }
    ASSERT_NE(sheet, nullptr);
    const int rowHeight = QFontMetrics(sheet->widget()->font()).height() + 6;
    EXPECT_GE(sheet->viewport()->height(), 5 * rowHeight);
}

INSTANTIATE_TEST_SUITE_P(Windows, Readable, ::testing::ValuesIn(kWindows),
                         [](const auto& info) { return std::string(info.param.name); });

class Tabs : public testing_support::ProgramTest {};

// Where the band below the string cannot hold them, the instruments are
// tabs of one frame, the newest in front; closed one by one, each leaves it,
// and the last one left stands in a window of its own.
TEST_F(Tabs, TheNewestInFrontAndClosedOnesLeaveTheFrame) {
    ui::dispatch([this] { ApplyLanguage(); });
    click(eisagogi1().MESADYO);
    InstrumentSet& set = twoMediaInstruments();
    set.openSpaceTimeDiagram();
    set.openPointProbe();
    set.openMeasuredRatios();
    QCoreApplication::processEvents();
    InstrumentDock& dock = set.dock();
    ASSERT_NE(dock.tabs(), nullptr);
    EXPECT_EQ(dock.tabs()->count(), 3);
    EXPECT_EQ(dock.tabs()->currentWidget(), set.measuredRatiosWindow());
    // A word on the tab, the whole title in its tooltip.
    EXPECT_EQ(dock.tabs()->tabText(0), "Diagram");
    EXPECT_EQ(dock.tabs()->tabToolTip(0), set.spaceTimeWindow()->windowTitle());
    set.openSpaceTimeDiagram();
    EXPECT_EQ(dock.tabs()->currentWidget(), set.spaceTimeWindow());

    set.measuredRatiosWindow()->close();
    EXPECT_FALSE(dock.isOpen(set.measuredRatiosWindow()));
    EXPECT_TRUE(set.measuredRatiosWindow()->isWindow());
    set.pointProbeWindow()->close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(dock.tabbed(set.spaceTimeWindow()));
    EXPECT_TRUE(set.spaceTimeWindow()->isWindow());
    EXPECT_TRUE(set.spaceTimeWindow()->isVisible());
    EXPECT_FALSE(dock.tabs()->window()->isVisible());

    // Opened again, the closed ones are tabs again, the newest in front.
    set.openMeasuredRatios();
    set.openPointProbe();
    QCoreApplication::processEvents();
    EXPECT_TRUE(dock.tabbed(set.pointProbeWindow()));
    EXPECT_EQ(dock.tabs()->currentWidget(), set.pointProbeWindow());
    // Detached, it is a window of its own and stays one.
    dock.detach(set.pointProbeWindow());
    EXPECT_TRUE(set.pointProbeWindow()->isWindow());
    EXPECT_TRUE(set.pointProbeWindow()->isVisible());
    EXPECT_TRUE(dock.detached(set.pointProbeWindow()));
}

}  // namespace
}  // namespace palmos
