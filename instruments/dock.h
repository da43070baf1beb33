// Where a simulation window's instruments go: docked side by side in the free
// band of the window, the largest part of it that neither a control nor the
// string's swing reaches; where that band cannot give each of them the room
// it is readable in, as the tabs of one docked frame in the part of the
// window that best holds the largest of them; or detached into a window of
// their own anywhere on the screen. The free functions are plain geometry in
// logical pixels; the dock places the windows with them.
#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTabWidget>
#include <functional>
#include <map>
#include <vector>

class QWidget;

namespace palmos {

// The largest rectangle of `window` (its own coordinates) above or below
// `string`, the box the string's circles can reach, that meets no visible
// control of the window and is at least `least` in both directions; an empty
// rectangle when none is.
QRect freeBand(const QWidget& window, const QRect& string, QSize least);
// Every rectangle freeBand chooses among, each clear of the controls and of
// `string`, none of them empty.
std::vector<QRect> freeBands(const QWidget& window, const QRect& string);

// Of `bands`, the one that best holds `least`: the first that holds it whole,
// the largest such; else the one that comes nearest in its shorter share.
// An empty rectangle when there are no bands.
QRect bestFit(const std::vector<QRect>& bands, QSize least);

// `count` equal cells of `band`, side by side or one above the other, with
// `gap` pixels between them and around them.
std::vector<QRect> sideBySide(const QRect& band, int count, int gap);

// The frame `frame` (a window's outer geometry) made to fit `screen`: no
// larger than it, and moved onto it as little as needed.
QRect keptOnScreen(const QRect& frame, const QRect& screen);

// The instruments of one simulation window and where they stand. Each is a
// window of its own (a tool window of the simulation window, so that a window
// manager keeps it in front of it); docked, it is placed in the free band,
// beside the other docked ones; detached, it keeps its own size and place,
// always whole on its screen.
class InstrumentDock : public QObject {
  public:
    // `string(true)` gives the box (in `window`'s coordinates) that the
    // string's circles can reach with the run shown, `string(false)` the box
    // of the circles as they stand.
    InstrumentDock(QWidget* window, std::function<QRect(bool swing)> string);

    // Takes `instrument` in, docked, in the order of the calls; its size now
    // is its own size at zoom 1. `least` gives the least size (logical
    // pixels, at the zoom in use) it can be read at; the instrument's
    // minimum size hint when there is none.
    void add(QWidget* instrument, std::function<QSize()> least = {});
    void detach(QWidget* instrument);
    void dock(QWidget* instrument);
    bool detached(const QWidget* instrument) const;
    // Shows `instrument` in front: its tab, when it is one.
    void bringToFront(QWidget* instrument);
    // What the instrument's tab says, a word where its title is long; the
    // tab's tooltip and the frame's title give the whole title.
    void setTabTitle(QWidget* instrument, const QString& title);

    // Places every open instrument again: the docked ones in the band, side
    // by side where each has its least size there and as tabs of one frame
    // where not, the detached ones kept on their screen. A docked instrument
    // that finds no band large enough stands, at its own size, at the foot of
    // the screen.
    void layOut();
    // The band the docked instruments share now (the window's coordinates),
    // and whether it is clear of every place the string's swing reaches.
    QRect band() const;
    bool clearOfSwing() const;

    // Whether `instrument` is open: shown, or a tab of the frame.
    bool isOpen(const QWidget* instrument) const;
    // Whether it is a tab of the frame now, and the frame's tabs (null until
    // the instruments first need it).
    bool tabbed(const QWidget* instrument) const;
    QTabWidget* tabs() const { return tabs_; }
    // The least size `instrument` is readable at, now.
    QSize leastSize(const QWidget* instrument) const;
    // The window that shows `instrument` on the screen: its own, or the
    // frame.
    QWidget* shownIn(QWidget* instrument) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void place(QWidget* instrument, const QRect& frame);
    void keepOnScreen(QWidget* instrument);
    bool fitsSideBySide(const std::vector<QWidget*>& docked, const QRect& band) const;
    void layOutTabs(const std::vector<QWidget*>& docked);
    void makeFrame();
    void intoTabs(QWidget* instrument);
    // Out of the frame, a window of its own again; shown unless `closing`.
    void outOfTabs(QWidget* instrument, bool closing);
    void retitleFrame();

    QWidget* window_;
    std::function<QRect(bool)> string_;
    std::vector<QPointer<QWidget>> instruments_;
    std::map<const QObject*, std::function<QSize()>> least_;
    QPointer<QWidget> frame_;
    QPointer<QTabWidget> tabs_;
    bool placing_ = false;
    bool layingOut_ = false;
    // Each instrument's turn in front: the one shown last is the newest.
    int turns_ = 0;
};

}  // namespace palmos
