// What the physics a teacher teaches says of each question predict mode
// asks, worked out from the speeds on either side of the junction, the
// distances and the far end alone, never from a run's table.
//
// At the junction of two strings under the same tension the reflected part
// has R = (v2 - v1) / (v2 + v1) times the incoming height, v1 the speed it
// comes with and v2 the speed beyond: upright where the pulse runs on into a
// faster string, upside down into a slower one, nothing where the speeds
// are equal. The transmitted part has T = 1 + R, always upright, and is
// v2 / v1 times as wide, since its front and its tail cross the junction at
// the same moments as the incoming pulse's and then travel at v2. A fixed
// end sends the pulse back upside down and as high, a free end upright and
// as high.
#pragma once

#include "physics/two_media/run_events.h"

namespace palmos {

enum class Question {
    ReflectedWay,       // the part reflected at the junction: upright, upside down, none?
    TransmittedHeight,  // the transmitted part: higher, lower, as high as the incoming?
    TransmittedWidth,   // the transmitted part: wider, narrower, as wide?
    ArrivesFirst,       // which is first back at an end: reflected or transmitted part?
    EndWay,             // the pulse from the far end: upright or upside down?
    EndHeight,          // the pulse from the far end: higher, lower, as high?
};

// The answers of each question, by their index in its row of answers.
namespace answer {
inline constexpr int kUpright = 0, kUpsideDown = 1, kNothingReflected = 2;
inline constexpr int kMore = 0, kLess = 1, kSame = 2;  // higher/wider, lower/narrower, as high
inline constexpr int kReflectedFirst = 0, kTransmittedFirst = 1, kTogether = 2;
}  // namespace answer

// The ideal answer and the value behind it: R for the reflected part's way,
// T for the transmitted height, v2 / v1 for its width, -1 or +1 for the far
// end (its way and its height, with the sign); for the first to arrive, the
// levels from the split that the reflected part takes back to the driven end
// (`value`) and the transmitted part to the far end (`other`).
struct IdealAnswer {
    int answer = 0;
    double value = 0.0;
    double other = 0.0;
};

IdealAnswer idealAnswer(Question question, const EventRun& run);

// The reflected and transmitted ratios at the junction for a pulse that comes
// at `incoming` points a level into a string where it goes at `beyond`.
double reflectedRatio(double incoming, double beyond);
double transmittedRatio(double incoming, double beyond);

}  // namespace palmos
