// The design's unit of length, the twip: 1/1440 of an inch, so 15 to a
// logical pixel at 96 dots per inch. The zoom (ui/zoom.h) makes each twip
// more pixels: at zoom z, a design of 15 twips is z logical pixels.
#pragma once

namespace ui {

// Twips per logical pixel of the screen: 15 at 96 dots per inch, divided by
// the zoom in use.
double twipsPerPixel();
// A length in twips as whole logical pixels, at the zoom in use.
int twipsToPixels(double twips);
// The screen's size in twips, at the zoom in use.
double screenWidth();
double screenHeight();

}  // namespace ui
