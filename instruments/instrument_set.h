// The instruments of one simulation window: its context menu and the
// instrument windows opened from it, kept following the run the window shows.
// They only read: whoever owns the runs tells the set which run the window
// shows and which level (showRun, showLevel), and the set never calls
// anything that changes program state.
#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <functional>
#include <optional>

#include "instruments/captions.h"
#include "instruments/measured_ratios_window.h"
#include "instruments/point_probe.h"
#include "instruments/previous_run.h"
#include "instruments/run_view.h"
#include "instruments/save_picture.h"
#include "instruments/space_time.h"

class QWidget;

namespace ui {
class ShapeArray;
}  // namespace ui

namespace palmos {

class InstrumentDock;
class InstrumentMenu;

// What a simulation window gives its instruments, each asked when needed.
struct RunSource {
    // The window's circles, one per point: a click picks one, and the probed
    // ones are ringed.
    ui::ShapeArray* circles;
    // The measured and printed ratios of a run; empty for a window without
    // them (the single string).
    std::function<RatiosView(const RunView&)> ratios = {};
    // Whether the captions are in English.
    std::function<bool()> english;
    // What a picture of the window is called in its file's name.
    const char* pictureName = "window";
    // The box of the window (logical pixels) that the string's circles can
    // reach with the run shown (`swing`), or that they cover as they stand;
    // the instruments dock outside it.
    std::function<QRect(bool swing)> stringReach = {};
};

class InstrumentSet : public QObject {
  public:
    InstrumentSet(QWidget* window, RunSource source);
    ~InstrumentSet() override;

    // The window shows `run` now (a run just filled: from level 0), or no
    // run yet when it is not prepared. A copy of it is kept, to be drawn
    // behind the next run of its table.
    void showRun(const RunView& run);
    // The previous run of the table shown now, from the set's copy; not
    // prepared when there is none.
    RunView previousRun() const { return previous_.view(); }
    // The animation shows `level` of the run now. Cheap when it did already.
    void showLevel(int level);
    // Titles and texts in the language of the moment.
    void retitle();

    // What the menu's items do.
    void openSpaceTimeDiagram();
    void openPointProbe();
    void openMeasuredRatios();
    void savePicture();
    void copyData();
    // Docks `instrument`, a window of another owner's, with the others, and
    // shows it: the zoom, Escape and its own menu as every instrument has
    // (its Copy data does `copy`).
    void openInstrument(QWidget* instrument, std::function<void()> copy);

    InstrumentMenu* menu() const;
    // Where the instruments stand: docked in the window's free band, or
    // detached.
    InstrumentDock& dock() const;
    SpaceTimeWindow* spaceTimeWindow() const { return spaceTime_; }
    PointProbeWindow* pointProbeWindow() const { return probe_; }
    MeasuredRatiosWindow* measuredRatiosWindow() const { return ratios_; }
    // Whether the next click on a circle adds a probe there.
    bool pickingCircle() const { return picking_; }
    // The dialogs Save picture... asks through, the desktop's unless a test
    // answers them.
    void setSaveDialogs(SavePictureDialogs dialogs) { saveDialogs_ = std::move(dialogs); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Gives an instrument window what every one of them has: the program's
    // zoom, Escape to close, and its own menu to save or copy.
    void adopt(QWidget* instrument, std::function<void()> copy);
    void show(QWidget* instrument);
    // Gives the open instruments the run and the level shown.
    void tellRun();
    void tellLevel();
    void refont(QWidget* instrument);
    QString caption(Caption which) const;
    void markProbes(bool shown);
    QString pictureName(const QWidget* instrument) const;

    QWidget* window_;
    RunSource source_;
    QPointer<InstrumentMenu> menu_;
    QPointer<InstrumentDock> dock_;
    QPointer<SpaceTimeWindow> spaceTime_;
    QPointer<PointProbeWindow> probe_;
    QPointer<MeasuredRatiosWindow> ratios_;
    const QObject* probeWatched_ = nullptr;  // the probe window whose Show and Hide the set watches
    RunView run_;
    PreviousRun previous_;
    int level_ = 0;
    bool picking_ = false;
    SavePictureDialogs saveDialogs_ = desktopSaveDialogs();
};

}  // namespace palmos
