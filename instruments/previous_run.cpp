#include "instruments/previous_run.h"

#include <QStringList>
#include <cstring>
#include <string>
#include <utility>

#include "core/format.h"
#include "instruments/captions.h"

namespace palmos {

namespace {

QString speed(const char* name, double value) {
    return QString::fromStdString(std::string(name) + " = " + formatNumber(value));
}

}  // namespace

QString runSettingsText(const RunView& run, bool english) {
    if (!run.prepared()) {
        return {};
    }
    QStringList parts;
    if (run.junction < 0) {
        parts << speed(run.driveName, run.driveSpeed);
    } else {
        // c1 before c2, whichever side each is on.
        const bool driveFirst = std::strcmp(run.driveName, run.farName) < 0;
        parts << speed(run.driveName, run.driveSpeed) << speed(run.farName, run.farSpeed);
        if (!driveFirst) {
            parts.swapItemsAt(0, 1);
        }
    }
    if (run.height > 0) {
        parts << instrumentCaption(Caption::PreviousHeight, english).arg(run.height);
    }
    if (run.width > 0) {
        parts << instrumentCaption(Caption::PreviousWidth, english).arg(run.width);
    }
    parts << instrumentCaption(
        run.farEnd == EndMode::Fixed ? Caption::PreviousFixedEnd : Caption::PreviousFreeEnd,
        english);
    return parts.join(QStringLiteral(", "));
}

// Points 0..lastPoint of levels 0..lastLevel, into a table of that size; the
// one already kept is written over when it has that size.
void PreviousRun::Copy::keep(const RunView& run) {
    const int points = run.lastPoint + 1;
    const int levels = run.lastLevel + 1;
    if (!cells || cells->points() != points || cells->levels() != levels) {
        cells = std::make_unique<LevelTable>(points, levels);
    }
    for (int n = 0; n < levels; ++n) {
        const double* row = run.table->row(n, points);
        cells->writeRow(n, points, [row, points](LevelTable::RowWriter& copy) {
            for (int i = 0; i < points; ++i) {
                copy.store(i, row[i]);
            }
        });
    }
    view = run;
    view.table = cells.get();
    from = run.table;
}

void PreviousRun::follow(const RunView& run) {
    if (!run.prepared()) {
        return;
    }
    // The copy of the run shown until now becomes the previous run, unless
    // it is of another table and the previous run is of this one.
    if (shown_.from == run.table || previous_.from != run.table) {
        std::swap(shown_, previous_);
    }
    shown_.keep(run);
}

RunView PreviousRun::view() const {
    if (previous_.from == nullptr || previous_.from != shown_.from) {
        return {};
    }
    return previous_.view;
}

}  // namespace palmos
