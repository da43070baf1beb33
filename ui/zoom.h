// The program's zoom: one design pixel (15 twips at 96 dots per inch) is z
// logical pixels on the screen. At start z fits a design screen of 800 x 600
// pixels into the real one; Ctrl+Plus (or Ctrl+=), Ctrl+Minus and Ctrl+0
// change it while the program runs. Everything the windows give in twips or
// in design pixels follows z; scale units do not. A zoom change re-lays out
// every window and touches no program state. Nothing about it is stored.
#pragma once

#include <QObject>
#include <QSizeF>
#include <functional>

namespace ui {

// A desktop's screen is never smaller than the design's; a phone's is, and
// there the web edition shrinks the windows below their design size.
#ifdef Q_OS_WASM
inline constexpr double kMinZoom = 0.4;
#else
inline constexpr double kMinZoom = 1.0;
#endif
inline constexpr double kMaxZoom = 4.0;
// Each Ctrl+Plus or Ctrl+Minus changes z by this share of the fitted zoom.
inline constexpr double kZoomStepShare = 0.25;

// The zoom that fits an 800 x 600 design screen into a screen of this logical
// size, never below 1.
double fittedZoom(QSizeF logicalScreen);
// The same for the primary screen.
double fittedZoom();

// The zoom in use; the fitted zoom until a key or setZoom changes it.
double zoom();
// Sets z (clamped to 1..4) and re-lays out every window at once.
void setZoom(double z);
void zoomIn();
void zoomOut();
void resetZoom();
// Forgets the zoom in use, so that the fitted zoom applies again, with the
// desktop's fonts at it; windows already laid out are not touched (a new
// program calls it before it has any).
void startAtFittedZoom();

// A length the design gives in pixels (a line width, a dot), at the zoom in
// use: rounded, at least 1.
int zoomedPixels(int designPixels);

// Runs `relayout` after every zoom change, for as long as `owner` lives, in
// the order the owners asked. Windows that are not built from a design
// table (the instruments) use it to follow the program's zoom; the windows
// use the second form, whose `before` runs ahead of the change.
void onZoomChanged(QObject* owner, std::function<void()> relayout);
void onZoomChanged(QObject* owner, std::function<void()> before, std::function<void()> relayout);

// Lets the zoom keys reach the program from any of its windows, and gives
// every top-level the program opens that is not one of its windows (Qt's
// menus, message boxes, dialogs and tooltips, the instruments) the desktop's
// type at the zoom in use, through the application's fonts. Safe to call more
// than once; the windows call it when they are built.
void installZoomKeys();

}  // namespace ui
