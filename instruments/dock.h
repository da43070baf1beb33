// Where a simulation window's instruments go: docked side by side in the free
// band of the window, the largest part of it that neither a control nor the
// string's swing reaches, or detached into a window of their own anywhere on
// the screen. The free functions are plain geometry in logical pixels; the
// dock places the windows with them.
#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <functional>
#include <vector>

class QWidget;

namespace palmos {

// The largest rectangle of `window` (its own coordinates) above or below
// `string`, the box the string's circles can reach, that meets no visible
// control of the window and is at least `least` in both directions; an empty
// rectangle when none is.
QRect freeBand(const QWidget& window, const QRect& string, QSize least);

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
    // is its own size at zoom 1.
    void add(QWidget* instrument);
    void detach(QWidget* instrument);
    void dock(QWidget* instrument);
    bool detached(const QWidget* instrument) const;

    // Places every open instrument again: the docked ones in the band, the
    // detached ones kept on their screen. A docked instrument that finds no
    // band large enough stands, at its own size, at the foot of the screen.
    void layOut();
    // The band the docked instruments share now (the window's coordinates),
    // and whether it is clear of every place the string's swing reaches.
    QRect band() const;
    bool clearOfSwing() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void place(QWidget* instrument, const QRect& frame);
    void keepOnScreen(QWidget* instrument);

    QWidget* window_;
    std::function<QRect(bool)> string_;
    std::vector<QPointer<QWidget>> instruments_;
    bool placing_ = false;
};

}  // namespace palmos
