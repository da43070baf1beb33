// The instruments of the simple-solution and the two-media windows: what
// each reads of its window's runs. They are installed here, above every
// window and instrument, so that neither folder includes the other.
#pragma once

#include "instruments/instrument_set.h"

namespace palmos {

// Installs both windows' instruments, once; the entry procedure calls it.
void installInstruments();

// The instruments of each window (installInstruments must have run).
InstrumentSet& simpleSolutionInstruments();
InstrumentSet& twoMediaInstruments();

}  // namespace palmos
