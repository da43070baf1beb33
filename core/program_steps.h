// The grid steps shared by every preparation procedure: each of them writes
// them, and the two-media readouts and step mode read them. Both are 0 until
// the first preparation runs.
#pragma once

namespace palmos {

inline double timeStep = 0.0;
inline int spaceStep = 0;

}  // namespace palmos
