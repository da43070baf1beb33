// Renders the program's windows offscreen into PNG files for the README:
//   palmos_screenshots <folder>
// Each picture shows a window as a student sees it in the middle of its
// lesson.
#include <QApplication>
#include <QDir>
#include <QTest>
#include <cstdio>

#include "app/program.h"
#include "instruments/dock.h"
#include "ui/events.h"

namespace {

using namespace palmos;

void click(QAbstractButton& button) {
    QTest::mouseClick(&button, Qt::LeftButton);
}

void save(QWidget& window, const QDir& folder, const char* name) {
    QApplication::processEvents();
    const QString path = folder.filePath(QString::fromUtf8(name));
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Palmos"));
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    ui::setMessageBoxHook([](const QString&) {});

    Program program;
    const auto eisagogi1 = [&program]() -> Eisagogi1& { return program.eisagogi1(); };
    const auto ypervola = [&program]() -> Ypervola& { return program.ypervola(); };
    const auto dyomessa = [&program]() -> Dyomessa& { return program.dyomessa(); };
    const auto elliptikh = [&program]() -> Elliptikh& { return program.elliptikh(); };
    ui::dispatch([&program] { program.applyLanguage(); });
    save(eisagogi1(), folder, "introduction-english.png");

    // The pulse on its way back from the fixed end, upside down.
    click(eisagogi1().APLO);
    click(ypervola().Command1);
    for (int tick = 0; tick < 165; ++tick) {
        ypervola().Timer1.fire();
    }
    save(ypervola(), folder, "simple-solution.png");

    click(ypervola().Command2);
    click(elliptikh().Command1);
    save(elliptikh(), folder, "elliptic-equation.png");

    // A pulse from the slow medium has crossed into the fast one: part of it
    // travels on, part comes back upright.
    click(ypervola().Command4);
    ui::dispatch([&dyomessa] {
        dyomessa().cmeso1.setValue(120);
        dyomessa().cmesso2.setValue(20);
    });
    click(dyomessa().Command2);
    for (int tick = 0; tick < 170; ++tick) {
        dyomessa().Timer2.fire();
    }
    click(dyomessa().Command3);
    save(dyomessa(), folder, "two-media.png");

    // The same run measured: its history, two points' displacement against
    // time on either side of the junction, and the ratios.
    InstrumentSet& instruments = program.twoMediaInstruments();
    instruments.openSpaceTimeDiagram();
    save(*instruments.spaceTimeWindow(), folder, "space-time-diagram.png");
    instruments.openPointProbe();
    instruments.pointProbeWindow()->addProbe(40);
    instruments.pointProbeWindow()->addProbe(20);
    save(*instruments.pointProbeWindow(), folder, "point-probe.png");
    // Detached, at its own size: the whole account, the speeds included.
    instruments.openMeasuredRatios();
    instruments.dock().detach(instruments.measuredRatiosWindow());
    instruments.measuredRatiosWindow()->resize(720, 720);
    save(*instruments.measuredRatiosWindow(), folder, "measured-ratios.png");

    // The run again with a faster source side (c2): the first run's curves
    // stay dashed behind the new ones, which arrive sooner. Detached, at a
    // size to read them; c2 then back to what the lesson below sets.
    ui::dispatch([&dyomessa] { dyomessa().cmesso2.setValue(60); });
    click(dyomessa().Command2);
    for (int tick = 0; tick < 170; ++tick) {
        dyomessa().Timer2.fire();
    }
    click(dyomessa().Command3);
    instruments.dock().detach(instruments.pointProbeWindow());
    instruments.pointProbeWindow()->resize(960, 600);
    save(*instruments.pointProbeWindow(), folder, "compare-last-run.png");
    ui::dispatch([&dyomessa] { dyomessa().cmesso2.setValue(20); });
    for (QWidget* instrument : std::initializer_list<QWidget*>{
             instruments.spaceTimeWindow(), instruments.pointProbeWindow(),
             instruments.measuredRatiosWindow()}) {
        instrument->close();
    }

    // A predict-observe-explain lesson: the run stops before the junction
    // and asks; the student answers; the run shows what happened.
    PredictMode& predict = program.twoMediaPredict();
    predict.setOn(true);
    // Until the run pauses itself: before the junction with a question, or
    // once it has shown an outcome, which it holds in view until Next.
    const auto playUntilPaused = [&dyomessa, &predict] {
        for (int tick = 0; tick < 2000 && dyomessa().Timer2.isTicking() && !predict.holding();
             ++tick) {
            dyomessa().Timer2.fire();
        }
    };
    // An outcome's picture, once the run holds it in view.
    bool held = true;
    const auto saveOutcome = [&](const char* name) {
        if (!predict.holding()) {
            std::fprintf(stderr, "no outcome held in view for %s\n", name);
            held = false;
        }
        save(*predict.window(), folder, name);
    };
    click(dyomessa().Command2);
    playUntilPaused();
    save(dyomessa(), folder, "predict-paused.png");
    save(*predict.window(), folder, "predict-question.png");
    // Upside down: once both parts have left the junction the run holds
    // what it did beside the answer in view, with Next.
    predict.answer(1);
    playUntilPaused();
    saveOutcome("predict-outcome.png");
    predict.setOn(false);

    click(dyomessa().Command4);
    click(eisagogi1().Option2);
    save(eisagogi1(), folder, "introduction-greek.png");

    click(eisagogi1().MESADYO);
    ui::dispatch([&dyomessa] {
        dyomessa().cmeso1.setValue(120);
        dyomessa().cmesso2.setValue(20);
    });
    predict.setOn(true);
    // Each START asks the junction's next question in turn: three more runs
    // come round to the one the lesson discusses, the reflected part.
    for (int run = 0; run < 3; ++run) {
        click(dyomessa().Command2);
        playUntilPaused();
        predict.answer(0);
        playUntilPaused();
        predict.next();
    }
    click(dyomessa().Command2);
    playUntilPaused();
    save(*predict.window(), folder, "predict-question-greek.png");
    predict.answer(1);
    playUntilPaused();
    saveOutcome("predict-outcome-greek.png");
    return held ? 0 : 1;
}
