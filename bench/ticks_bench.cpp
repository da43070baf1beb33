// One animation tick of each run, with the repaint it causes: Qt repaints
// what the tick changed into the window's backing store, an image the size
// of the screen, and (on X11) puts it on the display. ./benchmark runs it on
// a 1920 x 1080 and on a 3840 x 2160 screen of Qt's offscreen platform
// (offscreen-*.json), and on a 3840 x 2160 X display (Xvfb, xcb), so the
// windows are as large as on such a desktop, at the zoom that fits it. For
// comparison, the whole window painted afresh into an image (as when it is
// uncovered), and a zoom change with every window laid out and redrawn.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QScreen>
#include <algorithm>
#include <cstdio>

#include "app/introduction.h"
#include "app/language.h"
#include "app/run_announcer.h"
#include "bench/program.h"
#include "bench/qt_setup.h"
#include "bench/report.h"
#include "elliptic/window.h"
#include "single_string/simple_solution.h"
#include "single_string/window.h"
#include "two_media/procedures.h"
#include "two_media/window.h"
#include "ui/events.h"
#include "ui/zoom.h"

namespace {

using namespace palmos;
using namespace bench;

QImage& frame() {
    static QImage image(QGuiApplication::primaryScreen()->geometry().size(),
                        QImage::Format_ARGB32_Premultiplied);
    return image;
}

// The repaint a tick causes, as the event loop would run it after the tick.
void repaint() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

// The whole window painted afresh.
void repaintAll(QWidget& window) {
    window.render(&frame());
}

// Lets a window that was just shown be exposed and painted once.
void exposed() {
    QCoreApplication::processEvents();
}

// --- Single string: check pass, 55 circles, readout; levels 2..498.

void SingleStringTick(benchmark::State& state) {
    Ypervola& window = program().ypervola();
    ui::dispatch([&] { window.Command1_Click(); });
    exposed();
    program().session().simpleRun.timeIndex = 2;
    for (auto _ : state) {
        window.Timer1.fire();
        repaint();
        if (program().session().simpleRun.timeIndex > 498) {
            program().session().simpleRun.timeIndex = 2;
        }
    }
}

// --- Two-media continuous run: check pass and 61 circles; levels 5..995.

void TwoMediaTick(benchmark::State& state) {
    Dyomessa& window = program().dyomessa();
    ui::dispatch([&] { window.Command1_Click(); });
    exposed();
    program().session().twoMediaRun.twoMediaTimeIndex = 5;
    for (auto _ : state) {
        window.Timer1.fire();
        repaint();
        if (program().session().twoMediaRun.twoMediaTimeIndex > 995) {
            program().session().twoMediaRun.twoMediaTimeIndex = 5;
        }
    }
    window.Timer1.setEnabled(false);
}

// --- Two-media step mode (ShowNextStep): the circles that moved, and the 100
// grid lines ruled again on the window's surface (each already there, so no
// pixel changes); levels 0..1501.

void StepModeTick(benchmark::State& state) {
    Dyomessa& window = program().dyomessa();
    ui::dispatch([&] { window.Command2_Click(); });
    exposed();
    for (auto _ : state) {
        window.Timer2.fire();
        repaint();
        if (program().session().stepRun.stepRunFinished) {
            program().session().stepRun.stepLevel = 0;
            program().session().stepRun.stepRunFinished = false;
        }
    }
    window.Timer2.setEnabled(false);
}

// --- What a screen reader hears: the step-mode tick that shows the pulse
// split at the junction (the reflected and the transmitted part, each with
// its measured height), with an announcer that hears a screen reader
// listening and with the same announcer hearing none. A call shows the level
// before that one (nothing to say) and that one, repaints, and runs the rest
// of the turn, where the notice is said; the row is what the announcement
// adds. The events themselves were read from the table at START.

bool screenReaderOn = false;

RunAnnouncer& announcer() {
    static RunAnnouncer* made = new RunAnnouncer(program().windows(), program().session(),
                                                 program(), [] { return screenReaderOn; });
    return *made;
}

void StepModeTickAnnounced(benchmark::State& state) {
    Dyomessa& window = program().dyomessa();
    StepRun& run = program().session().stepRun;
    announcer();
    screenReaderOn = true;
    // The window as a student opens it, then START.
    ui::dispatch([&] { window.prepare(); });
    ui::dispatch([&] { window.Command2_Click(); });
    window.Timer2.setEnabled(false);
    exposed();
    const std::vector<RunEvent> events =
        findRunEvents(run.stepDisplacement,
                      twoMediaEventRun(ratioRunOf(TwoMediaScheme::StepMode, run.settings())));
    const auto split = std::find_if(events.begin(), events.end(), [](const RunEvent& event) {
        return event.kind == RunEventKind::Splits;
    });
    if (split == events.end()) {
        state.SkipWithError("the default step-mode run has no split at the junction");
        return;
    }
    const auto tick = [&](bool on) {
        screenReaderOn = on;
        for (const int level : {split->level - 1, split->level}) {
            run.stepLevel = level;
            window.Timer2.fire();
        }
        repaint();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    };
    bench::timePair(
        state, 20, [&] { tick(true); }, [&] { tick(false); });
    screenReaderOn = false;
}

// START of the step mode with the run's events read from its table, against
// START alone.
void StepModeStartAnnounced(benchmark::State& state) {
    Dyomessa& window = program().dyomessa();
    announcer();
    const auto start = [&](bool on) {
        screenReaderOn = on;
        ui::dispatch([&] { window.Command2_Click(); });
    };
    bench::timePair(
        state, 1, [&] { start(true); }, [&] { start(false); });
    window.Timer2.setEnabled(false);
    screenReaderOn = false;
}

// --- For comparison: each window painted afresh, as the ticks leave it.

void SingleStringRepaintAll(benchmark::State& state) {
    for (auto _ : state) {
        repaintAll(program().ypervola());
    }
}

void TwoMediaRepaintAll(benchmark::State& state) {
    for (auto _ : state) {
        repaintAll(program().dyomessa());
    }
}

// --- The preparations as the windows run them (controls, circles, tables).

void SingleStringStart(benchmark::State& state) {
    for (auto _ : state) {
        ui::dispatch([] { program().ypervola().Command1_Click(); });
    }
    program().ypervola().Timer1.setEnabled(false);
}

void TwoMediaPreparation(benchmark::State& state) {
    for (auto _ : state) {
        ui::dispatch([] { program().dyomessa().prepare(); });
    }
}

void StepModeStart(benchmark::State& state) {
    for (auto _ : state) {
        ui::dispatch([] { program().dyomessa().Command2_Click(); });
    }
    program().dyomessa().Timer2.setEnabled(false);
}

void EllipticSolutionDrawn(benchmark::State& state) {
    ui::dispatch([] { program().elliptikh().Show(); });
    for (auto _ : state) {
        ui::dispatch([] { program().elliptikh().Command1_Click(); });
    }
}

// --- A zoom change (Ctrl+Plus, then Ctrl+0) with every window laid out
// again, its drawing redrawn (the elliptic window's dots, the step mode's
// grid) and repainted.

void ZoomChange(benchmark::State& state) {
    bool zoomedIn = false;
    for (auto _ : state) {
        zoomedIn = !zoomedIn;
        ui::dispatch(zoomedIn ? ui::zoomIn : ui::resetZoom);
        repaint();
    }
    ui::resetZoom();
    repaint();
}

}  // namespace

#define PALMOS_TICK_BENCHMARK(name)     \
    BENCHMARK(name)                     \
        ->Unit(benchmark::kMillisecond) \
        ->MeasureProcessCPUTime()       \
        ->MinTime(0.2)                  \
        ->Repetitions(bench::kRepetitions)

// The order matters: the step mode follows the continuous run on the same
// window, as a student would run them.
PALMOS_TICK_BENCHMARK(SingleStringTick);
PALMOS_TICK_BENCHMARK(SingleStringRepaintAll);
PALMOS_TICK_BENCHMARK(TwoMediaTick);
PALMOS_TICK_BENCHMARK(TwoMediaRepaintAll);
PALMOS_TICK_BENCHMARK(StepModeTick);
BENCHMARK(StepModeTickAnnounced)->Iterations(200);
BENCHMARK(StepModeStartAnnounced)->Iterations(15);
PALMOS_TICK_BENCHMARK(SingleStringStart);
PALMOS_TICK_BENCHMARK(TwoMediaPreparation);
PALMOS_TICK_BENCHMARK(StepModeStart);
PALMOS_TICK_BENCHMARK(EllipticSolutionDrawn);
PALMOS_TICK_BENCHMARK(ZoomChange);

int main(int argc, char* argv[]) {
    bench::prepareWindowBenchmark(&argc, argv);
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Palmos"));
    QApplication::setQuitOnLastWindowClosed(false);
    ui::setMessageBoxHook([](const QString&) {});
    ui::dispatch([] { program().applyLanguage(); });

    // The rows name the screen; the whole window painted afresh has a target
    // of its own on a 4K screen, where it is dearest.
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    const bool uhd = screen.width() >= 3840;
    const std::string on = " (" + std::to_string(screen.width()) + " x " +
                           std::to_string(screen.height()) + ", zoom " +
                           QString::number(ui::zoom(), 'g', 3).toStdString() + ", " +
                           QGuiApplication::platformName().toStdString() + ")";

    bench::Collector collector;
    if (!bench::runAll(collector) || ui::programEnded()) {
        std::fputs("a benchmark failed or the program ended with a run-time error\n", stderr);
        return 1;
    }
    const bool met = bench::printRows(
        collector,
        {
            {"Single-string tick + repaint" + on, "SingleStringTick", 2.0},
            {"Two-media tick (Timer1) + repaint" + on, "TwoMediaTick", 2.0},
            {"Step-mode tick (Timer2, ShowNextStep) + repaint" + on, "StepModeTick", 2.0},
            {"  added by announcing the split at the junction to a screen reader" + on,
             "StepModeTickAnnounced", 1.0, false, true},
            {"  whole simple-solution window painted afresh" + on, "SingleStringRepaintAll", 0.0},
            {"  whole two-media window painted afresh" + on, "TwoMediaRepaintAll", uhd ? 8.0 : 0.0},
            {"Single-string START (PrepareSimpleSolution, window)" + on, "SingleStringStart", 0.0},
            {"Two-media preparation (PrepareTwoMediaSolution)" + on, "TwoMediaPreparation", 0.0},
            {"Step-mode START (PrepareStepMode)" + on, "StepModeStart", 0.0},
            {"  added by reading the run's events for a screen reader" + on,
             "StepModeStartAnnounced", 0.0, false, true},
            {"Elliptic SOLVE click (SOR + 1568 dots)" + on, "EllipticSolutionDrawn", 0.0},
            {"Zoom change, every window laid out and redrawn" + on, "ZoomChange", 50.0},
        });
    return met ? 0 : 3;
}
