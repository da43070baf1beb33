// What an instrument reads of a run: its displacement table, only to read,
// with what the picture needs to name its parts. The instruments never write
// program state; whoever owns the run fills a RunView and tells the
// instrument which level it shows now.
#pragma once

#include "core/end_mode.h"
#include "core/level_table.h"
#include "core/run.h"

namespace palmos {

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

    bool prepared() const { return table != nullptr; }
};

}  // namespace palmos
