// A window's circles: the shape arrays its design gives it (ui/shapes.h).
// Paints them where a repaint reaches, then the rings around the marked ones
// over them all; and, across a zoom change, keeps each circle's centre where
// it was in the window's scale.
#pragma once

#include <QPointF>
#include <QRectF>
#include <vector>

class QPainter;
class QRegion;

namespace ui {

class ShapeArray;
class UserScale;

class Circles {
  public:
    explicit Circles(const UserScale& scale) : scale_(scale) {}

    void add(ShapeArray* shapes) { shapes_.push_back(shapes); }
    // Each circle's centre in the window's scale, array by array.
    std::vector<QPointF> centres() const;
    // Puts each circle's centre at these, at the circles' size now.
    void moveTo(const std::vector<QPointF>& centres);
    // Paints the circles and rings that reach into the region.
    void paint(QPainter& painter, const QRegion& region) const;

  private:
    const UserScale& scale_;
    std::vector<ShapeArray*> shapes_;
};

}  // namespace ui
