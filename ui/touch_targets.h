// A finger is broader than the design's buttons, option buttons and bars,
// which a phone's screen shows smaller still: a touch that lands beside a
// control, on the window around it, goes to the control, as if every
// control were at least kTouchTarget logical pixels (CSS pixels in a
// browser) high and wide. A touch on a control, and every mouse, keep to
// what they hit.
#pragma once

#include <QPoint>

class QMouseEvent;
class QWidget;

namespace ui {

inline constexpr int kTouchTarget = 44;

// Whether a mouse event comes from a finger: Qt makes one from each touch
// a widget does not take as a touch.
bool fromTouch(const QMouseEvent& mouse);

// The control of `window` a touch at `at` (in the window's coordinates) is
// meant for: the one it hits, else the nearest whose widened target holds
// it; nullptr where none does.
QWidget* touchTarget(QWidget& window, QPoint at);

// Lets every touch of the program's windows reach its target. Safe to call
// more than once.
void installTouchTargets();

}  // namespace ui
