// What every run of the program has besides its tables: the settings it was
// filled with, its playback (the level the next tick shows, how many levels a
// tick advances, the level its window shows), and the two things it tells its
// listeners (the instruments): that it was filled, and which level is shown
// now.
#pragma once

#include <cstdint>

#include "core/end_mode.h"
#include "core/notification.h"
#include "core/runtime_error.h"

namespace palmos {

// The time of one level, the same for every run.
inline constexpr double kTimeStep = 0.6;

// A speed bar's value (1..200) as the Courant number the schemes use.
constexpr double speedFromBar(int barValue) {
    return barValue / 100.0;
}

// The time step as the readouts know it: 0 at program start, kTimeStep once
// the first preparation has written it (each writes it before anything
// else), so the two-media readouts shown before any run print a pulse
// height of 0.
struct TimeStep {
    double value = 0.0;
};

// What a preparation read from the controls, once, when it ran.
struct RunSettings {
    EndMode end = EndMode::Fixed;  // the far end, at point 0
    // The Courant numbers on the driven end's side of the junction and
    // beyond it; a single string has the same on both.
    double driveSideSpeed = 0.0;
    double farSideSpeed = 0.0;
    int height = 0;          // the pulse height, percent of the base depth
    int width = 0;           // the levels over which the pulse rises
    float baseDepth = 0.0f;  // the depth of the window's bottom edge below its zero line
    double timeStep = kTimeStep;

    bool operator==(const RunSettings&) const = default;
};

// The two-media window's two runs. Its speed bars c1 (cmeso1) and c2
// (cmesso2) set the two sides of its junction the other way round in each:
// the continuous run's pulse starts on the c1 side and goes on into c2, the
// step mode's starts on the c2 side and goes on into c1.
enum class TwoMediaScheme {
    Continuous,  // the three-level scheme
    StepMode,    // the first-order system
};

// Something of each bar, c1 and c2, and of each side of the junction: the
// side the pulse starts on and the far side beyond.
template <class T>
struct TwoBars {
    T c1;
    T c2;
};
template <class T>
struct TwoSides {
    T driveSide;
    T farSide;
};

// Which bar sets which side in `scheme`, said once: the sides' speeds from
// the bars', and the bars' from the sides' (or the bars' names, "c1" and
// "c2", for the sides).
template <class T>
constexpr TwoSides<T> sidesOf(TwoMediaScheme scheme, TwoBars<T> bars) {
    if (scheme == TwoMediaScheme::StepMode) {
        return {.driveSide = bars.c2, .farSide = bars.c1};
    }
    return {.driveSide = bars.c1, .farSide = bars.c2};
}
template <class T>
constexpr TwoBars<T> barsOf(TwoMediaScheme scheme, TwoSides<T> sides) {
    // Each scheme's mapping is a swap or none: its own inverse.
    const TwoSides<T> back =
        sidesOf(scheme, TwoBars<T>{.c1 = sides.driveSide, .c2 = sides.farSide});
    return {.c1 = back.driveSide, .c2 = back.farSide};
}
// The bars' speeds that gave `settings`' sides.
constexpr TwoBars<double> barsOf(TwoMediaScheme scheme, const RunSettings& settings) {
    return barsOf(scheme, TwoSides<double>{.driveSide = settings.driveSideSpeed,
                                           .farSide = settings.farSideSpeed});
}

class Run {
  public:
    // A run that plays levels 0 to `lastLevel` of its tables.
    explicit Run(int lastLevel) : lastLevel_(lastLevel) {}
    // The windows keep references to their run's playback, and the run's
    // listeners to the run.
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    // Whether a preparation has filled the tables yet.
    bool filled() const { return filled_; }
    // What the last preparation filled them with.
    const RunSettings& settings() const { return settings_; }
    // The level the window shows now: 0 (the string at rest) once filled.
    int levelShown() const { return levelShown_; }

    // The window shows `level` now.
    void showLevel(int level) {
        levelShown_ = level;
        onLevelShown(level);
    }

    // The level the next tick shows: 0 at program start, 0 again at each
    // START. The windows know it by their own names for it (timeIndex,
    // twoMediaTimeIndex, stepLevel), which refer to this one.
    std::int16_t nextLevel = 0;
    // How many levels each tick of the run's timer moves on: the interval
    // START gives the timer, taken as START sets it (0 before the first).
    int levelsPerTick = 0;

    // One tick of the playback, once the window has drawn `nextLevel`: that
    // level is the one shown now, the next lies `levelsPerTick` on (16-bit
    // arithmetic, whose overflow is the run-time error). Returns whether the
    // next level lies past the last one the run plays, where the window
    // stops its timer.
    bool advance() {
        showLevel(nextLevel);
        nextLevel = checkedAdd16(nextLevel, levelsPerTick);
        return playedOut();
    }
    // Whether the playback has gone past the last level the run plays.
    bool playedOut() const { return nextLevel > lastLevel_; }

    Notification<RunSettings> onFilled;
    Notification<int> onLevelShown;

  protected:
    // A run is owned as what it is (the session's members), never deleted
    // through a pointer to its base.
    ~Run() = default;

    // The tables now hold the motion for `settings`, shown from level 0.
    void markFilled(const RunSettings& settings) {
        settings_ = settings;
        filled_ = true;
        levelShown_ = 0;
        onFilled(settings_);
    }

  private:
    int lastLevel_;
    RunSettings settings_{};
    bool filled_ = false;
    int levelShown_ = 0;
};

}  // namespace palmos
