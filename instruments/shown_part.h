// How much of its run a window's instruments show while predict mode waits
// for an answer: only the levels up to the one shown, since what comes after
// is the answer. Predict mode tells the window's instrument set; the views of
// the run (app/instruments.cpp) read it whenever an instrument draws.
#pragma once

#include <QVariant>

#include "instruments/instrument_set.h"

namespace palmos {

inline constexpr char kUpToLevelShown[] = "palmosUpToLevelShown";

inline bool showsUpToLevelShown(const InstrumentSet& set) {
    return set.property(kUpToLevelShown).toBool();
}

// The open instruments of `set` draw again what they may show of their run,
// after what the student has been let see of it changed.
inline void redrawShownPart(InstrumentSet& set) {
    if (SpaceTimeWindow* diagram = set.spaceTimeWindow()) {
        diagram->showPart();
    }
    if (PointProbeWindow* probe = set.pointProbeWindow()) {
        probe->showPart();
    }
}

// From now on the instruments of `set` show their run only up to the level
// shown (`upTo`), or the whole run again.
inline void showUpToLevelShown(InstrumentSet& set, bool upTo) {
    if (showsUpToLevelShown(set) != upTo) {
        set.setProperty(kUpToLevelShown, upTo);
        redrawShownPart(set);
    }
}

}  // namespace palmos
