// What an instrument reads of a run: its displacement table, only to read,
// with what the picture needs to name its parts. The instruments never write
// program state; whoever owns the run fills a RunView and tells the
// instrument which level it shows now.
#pragma once

#include <functional>

#include "core/end_mode.h"
#include "core/level_table.h"
#include "core/run.h"

namespace palmos {

// How much of a run the student has been let see, and so the instruments
// show: nothing of a filling before its window shows its first level (a
// preparation fills a table that no START has played yet), the levels up to
// the one shown while predict mode waits for an answer (what comes after is
// the answer), and otherwise the whole run.
enum class RunShown { Nothing, UpToLevelShown, Whole };

struct RunView {
    const LevelTable* table = nullptr;  // none before the first preparation
    int lastLevel = 0;                  // levels 0..lastLevel are the run
    int lastPoint = 0;                  // points 0..lastPoint; the drive end is lastPoint
    int junction = -1;                  // the junction point, or -1 for a single string
    double timeStep = kTimeStep;        // time of one level
    double driveSpeed = 0.0;            // speed on the drive end's side of the junction
    double farSpeed = 0.0;              // speed beyond the junction (the single string: the same)
    bool driveOnRight = true;           // the drive end is drawn on the right, as on the string
    const char* driveName = "c";        // the speeds' names, as the bars name them
    const char* farName = "c";
    EndMode farEnd = EndMode::Fixed;  // the end at point 0, far from the drive
    int height = 0;                   // the pulse's height (percent of the base depth) and
    int width = 0;                    // width (levels), as the bars set them; 0 for none
    // The unit the instruments give heights in: the driven pulse's height in
    // the table, which they show as 1.00 (0: the table's own units); and the
    // pulse height A0 the window prints for this run, which that 1.00 stands
    // for, or a negative value for a window that prints none.
    double heightUnit = 0.0;
    double printedHeight = -1.0;
    // Asked whenever the instruments draw the run; none: the whole run.
    std::function<RunShown()> shown = {};

    bool prepared() const { return table != nullptr; }
    RunShown shownNow() const { return shown ? shown() : RunShown::Whole; }
    // The last level to draw of the run when `part` of it may be seen and
    // its window shows `level`: -1 for none.
    int lastShown(RunShown part, int level) const {
        if (!prepared() || part == RunShown::Nothing) {
            return -1;
        }
        return part == RunShown::UpToLevelShown ? level : lastLevel;
    }
    // A displacement of the table in the instruments' unit of height.
    double inUnits(double u) const { return heightUnit > 0.0 ? u / heightUnit : u; }
};

}  // namespace palmos
