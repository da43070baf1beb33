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

QString runSettingsText(const RunView& run, const RunView& now, bool english) {
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
    if (run.height > 0 && run.heightUnit > 0.0 && now.heightUnit > 0.0) {
        parts << instrumentCaption(Caption::PreviousHeight, english)
                     .arg(QString::fromStdString(formatNumber(run.heightUnit / now.heightUnit)));
    }
    if (run.width > 0) {
        parts << instrumentCaption(Caption::PreviousWidth, english).arg(run.width);
    }
    parts << instrumentCaption(
        run.farEnd == EndMode::Fixed ? Caption::PreviousFixedEnd : Caption::PreviousFreeEnd,
        english);
    return parts.join(QStringLiteral(", "));
}

QString heightTitle(const RunView& run, bool english) {
    const QString title = instrumentCaption(Caption::DisplacementAxis, english);
    if (!(run.heightUnit > 0.0)) {
        return title;
    }
    const QString unit = run.printedHeight >= 0.0
                             ? instrumentCaption(Caption::HeightUnitPrinted, english)
                                   .arg(QString::fromStdString(formatNumber(run.printedHeight)))
                             : instrumentCaption(Caption::HeightUnitDriven, english);
    return title + QStringLiteral(" (") + unit + QLatin1Char(')');
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
    // Whether the student saw the run shown until now: asked now, before its
    // window shows anything of the new one.
    const bool played = shown_.from != nullptr && shown_.view.shownNow() != RunShown::Nothing;
    // The copy of the run shown until now becomes the previous run, unless
    // it is of another table and the previous run is of this one, or of this
    // table and never played.
    if (shown_.from == run.table && !played) {
        shown_.keep(run);
        return;
    }
    if (shown_.from == run.table || previous_.from != run.table) {
        std::swap(shown_, previous_);
        previous_.played = played;
    }
    shown_.keep(run);
}

RunView PreviousRun::view() const {
    if (previous_.from == nullptr || previous_.from != shown_.from || !previous_.played) {
        return {};
    }
    // It is over: shown whole, whatever the run shown now lets be seen.
    RunView whole = previous_.view;
    whole.shown = {};
    return whole;
}

}  // namespace palmos
