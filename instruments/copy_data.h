// Copy data: a run's table, or the points of a probe, as tab-separated text
// that pastes straight into a spreadsheet.
#pragma once

#include <QString>
#include <vector>

#include "instruments/run_view.h"

namespace palmos {

// A header row (level, time, then one column per point), then one row per
// level 0..lastLevel: the level, level x timeStep, and each point's
// displacement. Lines end in a newline. Empty before the first preparation.
QString tabSeparated(const RunView& run, const std::vector<int>& points, bool english);

// A number as Copy data writes it: the shortest decimal that reads back as
// the same double.
QString dataNumber(double value);

// Every point 0..lastPoint of the run.
QString tabSeparatedTable(const RunView& run, bool english);

// Puts `text` on the clipboard.
void copyToClipboard(const QString& text);

}  // namespace palmos
