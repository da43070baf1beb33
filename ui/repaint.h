// What of a window must be painted again, in logical pixels: the box that the
// circles and the drawing surface asked to repaint since the last paint, and
// the part of the surface drawn on so far (a paint copies no more of it).
//
// Everything to repaint since the last paint is gathered into one rectangle.
// A region of many small boxes would be cheaper to fill but far dearer to
// draw into: every antialiased circle edge is clipped against all of it.
#pragma once

#include <QRect>
#include <QRectF>

namespace ui {

// The pixels a box may touch, its antialiased edge included.
QRect touchedPixels(const QRectF& box);

class RepaintArea {
  public:
    // Adds the pixels this box may touch; returns all there is to repaint.
    const QRect& add(const QRectF& box);
    // A paint has begun: it paints all there was to repaint.
    void painted() { pending_ = QRect(); }

    void surfaceDrawn(const QRectF& box);
    void surfaceCleared() { surfaceDrawn_ = QRect(); }
    // The part of this area where the surface was drawn on.
    QRect surfaceIn(const QRect& area) const { return area & surfaceDrawn_; }

  private:
    QRect pending_;
    QRect surfaceDrawn_;
};

}  // namespace ui
