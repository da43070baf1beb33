// The time step shared by every preparation procedure: each of them writes
// it, and the two-media readouts read it. It is 0 until the first
// preparation runs.
#pragma once

namespace palmos {

inline double timeStep = 0.0;

}  // namespace palmos
