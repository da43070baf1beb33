// A whole session of the program, for ./benchmark: started as app/main.cpp starts
// the program, it waits for the first paint of the introduction window and
// prints that moment (CLOCK_REALTIME, nanoseconds) so that the caller can
// measure from the process start. With --first-paint it ends there; otherwise
// it goes on as a student would: the simple solution run to its end, the
// elliptic solution, the two-media continuous run and the step mode to their
// ends, every tick repainted through the real backing store. It then prints
// the peak resident memory and the slowest and mean tick of each run.
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>

#include "app/introduction.h"
#include "app/language.h"
#include "bench/program.h"
#include "bench/qt_setup.h"
#include "elliptic/window.h"
#include "single_string/simple_solution.h"
#include "single_string/window.h"
#include "two_media/procedures.h"
#include "two_media/window.h"
#include "ui/events.h"
#include "ui/memory.h"

namespace {

using namespace palmos;
using namespace bench;

long long realtimeNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

// Catches the first paint of the introduction window and reports it once the
// paint (children and flush included) is done.
class FirstPaint : public QObject {
  public:
    explicit FirstPaint(std::function<void()> then) : then_(std::move(then)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!seen_ && event->type() == QEvent::Paint &&
            dynamic_cast<Eisagogi1*>(watched) != nullptr) {
            seen_ = true;
            QTimer::singleShot(0, [this] {
                std::printf("first-paint-ns %lld\n", realtimeNanoseconds());
                std::fflush(stdout);
                then_();
            });
        }
        return false;
    }

  private:
    std::function<void()> then_;
    bool seen_ = false;
};

// Fires `timer` until `running` turns false, each tick followed by the repaint
// it causes, as the event loop would run it; prints the slowest and the mean
// tick.
void runToEnd(const char* name, ui::Timer& timer, const std::function<bool()>& running) {
    double slowest = 0.0;
    double total = 0.0;
    int ticks = 0;
    while (running() && ticks < 10000 && !ui::programEnded()) {
        QElapsedTimer clock;
        clock.start();
        timer.fire();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        const double ms = clock.nsecsElapsed() / 1e6;
        slowest = std::max(slowest, ms);
        total += ms;
        ++ticks;
    }
    std::printf("run %s ticks %d slowest-ms %.3f mean-ms %.3f\n", name, ticks, slowest,
                ticks > 0 ? total / ticks : 0.0);
}

// Runs a handler as a click would, then lets the windows it showed be
// exposed, so that repaints reach the backing store.
void click(const std::function<void()>& handler) {
    ui::dispatch(handler);
    QCoreApplication::processEvents();
}

void session() {
    click([] { program().eisagogi1().APLO_Click(); });
    Ypervola& simple = program().ypervola();
    click([&] { simple.Command1_Click(); });
    runToEnd("single-string", simple.Timer1, [&] { return simple.Timer1.Enabled(); });

    click([&] { simple.Command2_Click(); });
    click([] { program().elliptikh().Command1_Click(); });
    program().elliptikh().repaint();

    click([&] { simple.Command4_Click(); });
    Dyomessa& two = program().dyomessa();
    click([&] { two.Command1_Click(); });
    runToEnd("two-media", two.Timer1, [&] { return two.Timer1.Enabled(); });
    click([&] { two.Command2_Click(); });
    runToEnd("step-mode", two.Timer2, [] { return !program().session().stepRun.stepRunFinished; });

    click([&] { two.Command4_Click(); });
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak-rss-kb %ld\n", usage.ru_maxrss);
    std::fflush(stdout);
    ui::dispatch([] { program().eisagogi1().Command1_Click(); });
}

}  // namespace

int main(int argc, char* argv[]) {
    const bool firstPaintOnly = argc > 1 && std::strcmp(argv[1], "--first-paint") == 0;
    qInstallMessageHandler(bench::quietMessages);

    // As app/main.cpp starts the program.
    ui::returnLargeBlocksToTheSystem();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("palmos"));
    QApplication::setApplicationDisplayName(QStringLiteral("Palmos"));
    QApplication::setQuitOnLastWindowClosed(false);
    // The elliptic solution reports its sweeps in a message box; nobody is
    // there to close it.
    ui::setMessageBoxHook([](const QString&) {});

    FirstPaint firstPaint([firstPaintOnly] {
        if (firstPaintOnly) {
            ui::End();
        } else {
            session();
        }
    });
    application.installEventFilter(&firstPaint);

    ui::dispatch([] { program().applyLanguage(); });
    if (ui::programEnded()) {
        return ui::exitCode();
    }
    return QApplication::exec();
}
