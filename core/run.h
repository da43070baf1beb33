// What every run of the program has besides its tables: the settings it was
// filled with, the level its window shows, how many levels a tick advances,
// and the two things it tells its listeners (the instruments): that it was
// filled, and which level is shown now.
#pragma once

#include "core/end_mode.h"
#include "core/notification.h"

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

class Run {
  public:
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

    // How many levels each tick of the run's timer moves on: the timer's
    // Interval, taken when the run starts (0 before the first START).
    int levelsPerTick = 0;

    Notification<RunSettings> onFilled;
    Notification<int> onLevelShown;

  protected:
    // The tables now hold the motion for `settings`, shown from level 0.
    void markFilled(const RunSettings& settings) {
        settings_ = settings;
        filled_ = true;
        levelShown_ = 0;
        onFilled(settings_);
    }

  private:
    RunSettings settings_{};
    bool filled_ = false;
    int levelShown_ = 0;
};

}  // namespace palmos
