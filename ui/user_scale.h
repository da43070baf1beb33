// A window's user scale: the coordinates its program places circles and
// draws in. Scale(x1, y1, x2, y2) puts (x1, y1) at the top-left corner of the
// client area and (x2, y2) at its bottom-right corner, whatever size the
// client area has at the time; until a Scale, the scale is twips from the
// top-left corner. Pixels here are the client area's logical pixels.
#pragma once

#include <QPointF>

class QWidget;

namespace ui {

class UserScale {
  public:
    explicit UserScale(const QWidget& client) : client_(client) {}

    void set(double x1, double y1, double x2, double y2);
    double left() const;
    double top() const;
    double width() const;
    double height() const;
    QPointF toPixels(QPointF units) const;
    QPointF fromPixels(QPointF pixels) const;

  private:
    const QWidget& client_;
    bool set_ = false;
    double left_ = 0, top_ = 0, width_ = 1, height_ = 1;
};

}  // namespace ui
