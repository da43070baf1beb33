#include "physics/two_media/ideal_answers.h"

#include "core/runtime_error.h"

namespace palmos {

namespace {

int compared(double ratio) {
    if (ratio == 1.0) {
        return answer::kSame;
    }
    return ratio > 1.0 ? answer::kMore : answer::kLess;
}

// The far end at point 0: -1 fixed, +1 free.
double endRatio(EndMode end) {
    return end == EndMode::Free ? 1.0 : -1.0;
}

}  // namespace

double reflectedRatio(double incoming, double beyond) {
    return checkedDivide(beyond - incoming, beyond + incoming);
}

double transmittedRatio(double incoming, double beyond) {
    return checked(1.0 + reflectedRatio(incoming, beyond));
}

IdealAnswer idealAnswer(Question question, const EventRun& run) {
    // A single string runs on at one speed: nothing happens at a junction.
    const double beyond = run.junction >= 0 ? run.farTravel : run.driveTravel;
    const double r = reflectedRatio(run.driveTravel, beyond);
    switch (question) {
        case Question::ReflectedWay:
            return {.answer = r > 0.0   ? answer::kUpright
                              : r < 0.0 ? answer::kUpsideDown
                                        : answer::kNothingReflected,
                    .value = r};
        case Question::TransmittedHeight: {
            const double t = transmittedRatio(run.driveTravel, beyond);
            return {.answer = compared(t), .value = t};
        }
        case Question::TransmittedWidth: {
            const double w = checkedDivide(beyond, run.driveTravel);
            return {.answer = compared(w), .value = w};
        }
        case Question::ArrivesFirst: {
            const int junction = run.junction >= 0 ? run.junction : 0;
            const double home = checkedDivide(run.source - junction, run.driveTravel);
            const double atEnd = checkedDivide(junction, beyond);
            // With nothing reflected only the transmitted part arrives.
            const int first = r == 0.0 || atEnd < home ? answer::kTransmittedFirst
                              : home < atEnd           ? answer::kReflectedFirst
                                                       : answer::kTogether;
            return {.answer = first, .value = home, .other = atEnd};
        }
        case Question::EndWay:
            return {.answer = run.end == EndMode::Free ? answer::kUpright : answer::kUpsideDown,
                    .value = endRatio(run.end)};
        case Question::EndHeight:
            return {.answer = answer::kSame, .value = endRatio(run.end)};
    }
    return {};
}

}  // namespace palmos
