// The run a window showed before the one it shows now, for the instruments to
// draw behind it. A new filling overwrites its table in place, so the window's
// instruments keep a copy of each run when it is shown: only its points and
// levels, never the whole table, and never more than the run shown and the
// one before it. A filling that was never played (a preparation's, shown
// before any START) is no run: the next filling of its table takes its place.
#pragma once

#include <QString>
#include <memory>

#include "instruments/run_view.h"

namespace palmos {

// A run's settings as a label names them: the speeds as the bars name them,
// the pulse's height where the window sets it (in the unit of `now`, the run
// it is compared with: the driven pulse's height of that run is 1.00), the
// width, and the far end. Empty before a run.
QString runSettingsText(const RunView& run, const RunView& now, bool english);

// What the instruments call the heights they give: displacement, with what
// the run's 1.00 stands for (the A0 its window printed, or the driven
// pulse's height). Only "displacement" for a run without a unit.
QString heightTitle(const RunView& run, bool english);

class PreviousRun {
  public:
    // The window shows `run` now, just filled: a copy of it is kept, and the
    // copy of the run before it becomes the previous run, if that was played.
    // A run of another table (the two-media window's step mode after its
    // continuous run) leaves the previous run of its own table in place: it
    // is compared with that one, never with a run of another kind.
    void follow(const RunView& run);
    // The previous run of the table shown now, read from the copy, whole; a
    // view that is not prepared when there is none.
    RunView view() const;

  private:
    struct Copy {
        std::unique_ptr<LevelTable> cells;
        RunView view;                      // reads `cells`
        const LevelTable* from = nullptr;  // the table it was copied from
        bool played = false;               // known when the next filling comes
        void keep(const RunView& run);
    };

    Copy shown_;
    Copy previous_;
};

}  // namespace palmos
