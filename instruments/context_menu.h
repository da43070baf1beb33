// The instruments' context menu on a simulation window: right-click anywhere
// that is not a control, a finger held still there (a touch screen has no
// right button), Shift+F10 or the Menu key. The window gives what
// each item does; an item without an action is left out (the single-string
// window has no measured ratios).
#pragma once

#include <QObject>
#include <QPoint>
#include <QTimer>
#include <functional>

class QMenu;
class QWidget;

namespace palmos {

struct InstrumentActions {
    std::function<void()> spaceTimeDiagram = {};
    std::function<void()> pointProbe = {};
    std::function<void()> measuredRatios = {};
    std::function<void()> savePicture = {};
    std::function<void()> copyData = {};
    // An instrument's own menu: into a window of its own, or back into the
    // dock; `detached` tells which of the two the menu offers.
    std::function<void()> detach = {};
    std::function<void()> dock = {};
    std::function<bool()> detached = {};
    // Predict mode, a checked item of a simulation window's menu: whether it
    // is on, and what switches it.
    std::function<bool()> predicting = {};
    std::function<void()> predict = {};
};

class InstrumentMenu : public QObject {
  public:
    // Installs the menu on `window`, which owns it. `english` is asked each
    // time the menu opens, so its items follow the language switch.
    InstrumentMenu(QWidget* window, std::function<bool()> english, InstrumentActions actions);

    // The menu, filled in the language of the moment and opened at `global`
    // (a screen position) without waiting for a choice.
    void popup(const QPoint& global);
    QMenu* menu() const { return menu_; }
    // Adds the predict item (`predicting` tells whether it is on).
    void setPredict(std::function<bool()> predicting, std::function<void()> predict);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void fill();
    void popupForFinger(const QPoint& global);
    // A touch press on the window, not on a control, held without moving.
    void followHold(const QEvent& event);

    QWidget* window_;
    std::function<bool()> english_;
    InstrumentActions actions_;
    QMenu* menu_;
    QTimer hold_;
    QPoint heldAt_;
};

// How long a finger is held still before the menu opens, and how far it may
// wander meanwhile (logical pixels).
inline constexpr int kHoldMilliseconds = 600;
inline constexpr int kHoldSlack = 12;

// Installs the menu on `window`; the window owns what is returned.
InstrumentMenu* installInstrumentMenu(QWidget* window, std::function<bool()> english,
                                      InstrumentActions actions);

// Whether `widget` is a control the user works with (a button, a bar, a text
// box and the like), where a right-click keeps its own meaning.
bool isControl(const QWidget* widget);

}  // namespace palmos
