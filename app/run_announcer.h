// What a screen reader hears of the runs of the simple-solution and the
// two-media windows, in the language in use, as each window shows them: the
// events of a run (the pulse leaves, reaches the junction or the far end, the
// part reflected comes back upright or upside down and about how large, the
// transmitted part goes on), the two-media window's STOP, STEP and CONTINUE,
// and the end of a run. Each window speaks through a notice of its own
// (ui::SpokenNotice).
//
// It hears of the runs through their notifications and of the buttons
// through their clicked signals, after the window's handler has run: it
// changes nothing that a handler does. A run's events are read from its
// table once for each filling, and only while a screen reader listens, so
// that nothing is computed for a sighted student.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/windows.h"
#include "physics/two_media/run_events.h"
#include "ui/spoken_notice.h"

namespace palmos {

class RunAnnouncer {
  public:
    // `listening` says whether an assistive technology listens now (the
    // program asks QAccessible::isActive).
    RunAnnouncer(ProgramWindows& windows, Session& session, Navigation& navigation,
                 std::function<bool()> listening);
    ~RunAnnouncer();
    RunAnnouncer(const RunAnnouncer&) = delete;
    RunAnnouncer& operator=(const RunAnnouncer&) = delete;

    ui::SpokenNotice& simpleSolutionNotice() { return *simple_.notice; }
    ui::SpokenNotice& twoMediaNotice() { return *twoMedia_.notice; }

  private:
    struct Followed;

    // One window's notice, and what it is to say at the end of this turn of
    // the event loop: what a button did, the events the levels shown reached,
    // and the end of a run. All of it is said at once, as one notice: a screen
    // reader speaks a new notice over the one before.
    struct Voice {
        ui::SpokenNotice* notice = nullptr;
        std::string command;
        std::vector<std::string> events;
        std::vector<Followed*> shown;  // the runs that showed a level
        bool due = false;              // the notice is posted
    };

    // A run of a window, and what was said of its present filling.
    struct Followed {
        Run& run;
        Voice& voice;
        std::function<std::vector<RunEvent>()> find;  // its events, from its table
        std::function<bool()> ended;                  // whether it has shown its last level
        std::vector<RunEvent> events = {};
        bool found = false;  // the events of the present filling are read
        int previous = -1;   // the last level shown of the present filling
        bool endSaid = false;
        int filledId = 0;
        int shownId = 0;
    };

    void follow(Run& run, Voice& voice, std::function<std::vector<RunEvent>()> find,
                std::function<bool()> ended);
    void filled(Followed& followed);
    void shown(Followed& followed, int level);
    // After the two-media window's STOP, STEP or CONTINUE: `text` with the
    // level shown, or the end of the run when the run has ended.
    void stepCommand(Caption text);
    void sayAtTurnEnd(Voice& voice);
    void speak(Voice& voice);

    Session& session_;
    Navigation& navigation_;
    std::function<bool()> listening_;
    Voice simple_;
    Voice twoMedia_;
    std::vector<std::unique_ptr<Followed>> followed_;
};

}  // namespace palmos
