// Predict mode on the simple-solution and the two-media windows: an item of
// each window's menu, off until chosen. While it is on, a run pauses itself
// on the last tick before its pulse reaches the junction or the far end and
// asks a question in the predict window; the student's answer lets the run
// go on, and once the run has shown what happens, it pauses again with the
// answer the physics gives, the formula's value and what the table measured
// beside the student's answer, until the student goes on (Next, or the
// window's own CONTINUE). Every question of the session goes into one
// worksheet, which both windows show.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <set>
#include <vector>

#include <QPointer>

#include "core/notification.h"
#include "core/run.h"
#include "instruments/instrument_set.h"
#include "instruments/predict_window.h"
#include "instruments/save_picture.h"
#include "physics/two_media/predictions.h"

namespace palmos {

class Navigation;

// One window's run under predict mode.
struct PredictedRun {
    Caption name;  // the run's name in the worksheet
    QWidget& window;
    Run& run;
    // The events of the run as it is filled now, and the run in the
    // physics' terms (speeds, distances, the far end).
    std::function<std::vector<RunEvent>()> events;
    std::function<EventRun()> eventRun;
    // Pauses the run as its window's own pause does, and lets it go on.
    std::function<void()> pause;
    std::function<void()> resume;
    InstrumentSet& instruments;
};

// The session's worksheet, shared by both windows' predict modes.
struct Worksheet {
    std::vector<Prediction> rows;
    Notification<> changed;
};

class PredictMode {
  public:
    PredictMode(PredictedRun run, Worksheet& worksheet, Navigation& navigation);
    ~PredictMode();
    PredictMode(const PredictMode&) = delete;
    PredictMode& operator=(const PredictMode&) = delete;

    bool on() const { return on_; }
    // Switches predict mode on (the predict window opens beside the run)
    // or off (it closes, and the run pauses no more).
    void setOn(bool on);
    // The student's answer to the open question: its index.
    void answer(int k);
    // Goes on from an outcome held in view: the next question where one
    // waits, or the run.
    void next();
    // Whether the run waits with an outcome in view.
    bool holding() const { return holding_; }
    // The predict window, once predict mode has been on.
    PredictWindow* window() const { return window_; }
    // Texts in the language of the moment.
    void retitle();
    // The dialogs Save worksheet... asks through, the desktop's unless a
    // test answers them.
    void setSaveDialogs(SavePictureDialogs dialogs) { saveDialogs_ = std::move(dialogs); }

  private:
    void filled();
    void shown(int level);
    void ask(const RunEvent& event);
    // Puts what the run did beside the answers whose outcome it has shown.
    void reveal(int level);
    void tellRun();
    void showWorksheet();
    void saveWorksheet();
    bool english() const;

    // A question asked in this run, and the level from which the run shows
    // its outcome (empty when the run ends before).
    struct Asked {
        std::size_t row;
        std::optional<int> shownFrom;
        EndMode end = EndMode::Fixed;  // the far end, which a question may name
    };
    void hold(int level);
    void holdBackInstruments();
    void showQuestion(const Asked& asked);
    QString questionText(Question question, EndMode end, bool inFull) const;

    PredictedRun run_;
    Worksheet& worksheet_;
    Navigation& navigation_;
    QPointer<PredictWindow> window_;
    bool on_ = false;
    std::vector<RunEvent> events_;
    EventRun eventRun_;
    std::set<std::size_t> pausedBefore_;  // the events of this run asked about
    std::vector<Asked> asked_;
    std::optional<std::size_t> open_;  // the row whose answer is awaited
    // An outcome held in view since the level shown then, and the event
    // whose question waits until the student goes on.
    bool holding_ = false;
    int heldAt_ = 0;
    std::set<std::size_t> held_;  // the rows whose outcome is held
    std::optional<std::size_t> waiting_;
    // How many times each pause has asked: the next question in turn.
    int turns_[2] = {0, 0};
    SavePictureDialogs saveDialogs_ = desktopSaveDialogs();
    int filledId_ = 0;
    int shownId_ = 0;
    int worksheetId_ = 0;
};

}  // namespace palmos
