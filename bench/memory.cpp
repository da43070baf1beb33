// What a long session keeps in memory, for ./benchmark and
// bench/memory-by-action: the random user's actions on the real windows, on
// the screen Qt's platform gives (offscreen-*.json or an X display).
//
//   palmos_memory [--actions N] [--seed S] [--zoom Z] [--instruments]
//                 [--only KIND]
//
// Every window is opened and each run started first, the instruments too
// with --instruments; --zoom pins the zoom (and leaves out the zoom keys);
// --only plays that kind of action alone. It prints the resident memory
// after the opening, after the first thousand actions and at the end, and
// the peak, in kilobytes.
#include <sys/resource.h>

#include <QApplication>
#include <QStringList>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/instruments.h"
#include "app/language.h"
#include "bench/program.h"
#include "bench/qt_setup.h"
#include "tools/random_user/actions.h"
#include "ui/events.h"
#include "ui/memory.h"
#include "ui/zoom.h"

namespace {

using namespace palmos;
using namespace bench;

long residentKilobytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct Options {
    unsigned long actions = 100000;
    unsigned long seed = 20261209;
    double zoom = 0;  // 0: the fitted zoom, changed by the zoom keys
    bool instruments = false;
    std::string only;
};

Options parseOptions(const QStringList& arguments) {
    Options options;
    for (qsizetype k = 1; k + 1 < arguments.size(); ++k) {
        const QString& name = arguments[k];
        const QString& value = arguments[k + 1];
        if (name == "--actions") {
            options.actions = value.toULong();
        } else if (name == "--seed") {
            options.seed = value.toULong();
        } else if (name == "--zoom") {
            options.zoom = value.toDouble();
        } else if (name == "--only") {
            options.only = value.toStdString();
        }
    }
    options.instruments = arguments.contains(QStringLiteral("--instruments"));
    return options;
}

// Every window open and every run started, as a student finds the program
// after a few minutes.
void openEverything(const Options& options) {
    for (const char* name : {"APLO", "ypervola.START", "ypervola.elliptic", "elliptikh.SOLVE",
                             "MESADYO", "dyomessa.START", "ticks", "paint"}) {
        random_user::play(program(), {random_user::kindNamed(name), 7});
    }
    if (options.instruments) {
        for (InstrumentSet* set :
             {&program().simpleSolutionInstruments(), &program().twoMediaInstruments()}) {
            set->openSpaceTimeDiagram();
            set->openPointProbe();
        }
        program().twoMediaInstruments().openMeasuredRatios();
    }
    if (options.zoom > 0) {
        ui::dispatch([&] { ui::setZoom(options.zoom); });
    }
    QCoreApplication::processEvents();
}

}  // namespace

int main(int argc, char* argv[]) {
    ui::returnLargeBlocksToTheSystem();
    bench::prepareWindowBenchmark(&argc, argv);
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ui::setMessageBoxHook([](const QString&) {});
    const Options options = parseOptions(QApplication::arguments());
    std::vector<int> allowed;
    for (int kind = 0; kind < static_cast<int>(random_user::actionKinds().size()); ++kind) {
        const std::string name = random_user::actionKinds()[kind].name;
        if (options.only.empty() ? !(options.zoom > 0 && name == "zoom") : name == options.only) {
            allowed.push_back(kind);
        }
    }
    if (allowed.empty()) {
        std::fprintf(stderr, "no action kind is called %s\n", options.only.c_str());
        return 2;
    }
    ui::dispatch([] { program().applyLanguage(); });
    openEverything(options);
    std::printf("opened-rss-kb %ld\n", residentKilobytes());
    const std::vector<random_user::Action> actions =
        random_user::randomActions(options.seed, options.actions, allowed);
    for (std::size_t k = 0; k < actions.size() && !ui::programEnded(); ++k) {
        if (k == 1000) {
            std::printf("rss-after-1000-kb %ld\n", residentKilobytes());
        }
        random_user::play(program(), actions[k]);
    }
    std::printf("end-rss-kb %ld\n", residentKilobytes());
    std::printf("peak-rss-kb %ld\n", peakKilobytes());
    std::printf("zoom %.2f\n", ui::zoom());
    return ui::programEnded() ? 1 : 0;
}
