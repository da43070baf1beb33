// The instruments of the simple-solution and the two-media windows, and what
// they hear of the runs: each window's set is told when one of its runs is
// filled and which level the window shows, through the runs' notifications.
// They are wired here, above every window and instrument, so that neither
// folder includes the other.
#pragma once

#include <map>
#include <utility>
#include <vector>

#include "app/windows.h"
#include "instruments/instrument_set.h"

namespace palmos {

class RunInstruments {
  public:
    RunInstruments(ProgramWindows& windows, Session& session, Navigation& navigation);
    ~RunInstruments();
    RunInstruments(const RunInstruments&) = delete;
    RunInstruments& operator=(const RunInstruments&) = delete;

    InstrumentSet& simpleSolution() { return *simple_; }
    InstrumentSet& twoMedia() { return *twoMedia_; }

    // Titles and texts of every open instrument in the language of the moment.
    void retitle();

  private:
    // The lowest and highest displacement of a run over all its points and
    // levels, read once for each filling of its table.
    struct Swing {
        const Run* run = nullptr;
        std::pair<double, double> range{0.0, 0.0};
    };

    // Tells `set` of each filling of `run` and of the levels shown while the
    // set follows it. A filling is played from its first level shown, or at
    // once when only a START fills the run's tables.
    void follow(Run& run, InstrumentSet& set, std::function<RunView()> view,
                bool filledByStart = false);
    std::pair<double, double> swing(const Run& run, const RunView& view);
    RunView twoMediaView() const;
    RunView simpleSolutionView() const;
    RunView shownView(RunView view, const Run& run, const InstrumentSet& set) const;

    Session& session_;
    // Children of their windows, deleted with the wiring, before the windows
    // and the runs they read: a window on its way out still sends events
    // (it closes, it loses the keyboard) that a set would answer.
    InstrumentSet* simple_;
    InstrumentSet* twoMedia_;
    // The run whose tables the two-media window shows: the step mode's or the
    // continuous run's, whichever filled last.
    const Run* twoMediaShown_ = nullptr;
    Swing swing_;  // of the run an instrument last asked about
    // Each run's fillings, counted, and the last of them whose first level
    // its window showed: a preparation fills a table no START has played.
    struct Seen {
        int filled = 0;
        int played = 0;
    };
    std::map<const Run*, Seen> seen_;
    std::vector<std::pair<Run*, std::pair<int, int>>> subscriptions_;
};

}  // namespace palmos
