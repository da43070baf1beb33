// The time step shared by every preparation procedure: each of them writes
// it, and the two-media readouts read it. It is 0 until the first
// preparation runs.
#pragma once

namespace palmos {

inline double timeStep = 0.0;

// How many times a preparation has filled a run's table, counted over the
// whole program. Each run keeps the count of its last filling, so that the
// instruments can tell which run of a window filled its tables last.
inline int tableFillings = 0;

}  // namespace palmos
