// A control array of circle shapes drawn by their window. Positions are in the
// window's current scale; Top is the circle's upper edge on the screen, so a
// circle whose Top is its Height / 2 + u is centred on u whichever way the
// vertical axis runs.
#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <utility>
#include <vector>

namespace ui {

class ShapeArray;

// The ring around a marked circle: a gap of a few design pixels, then its
// line, as wide; and where the ring around a circle with this box (logical
// pixels) is drawn, its pen included.
int ringGap();
int ringPen();
QRectF ringBox(const QRectF& circleBox);

// What the circles ask of the window they stand in (the windows' Form):
// where its scale puts a point, the scale's size against the client area's,
// a repaint where a circle was or is now, and a place among its circles.
class ShapeHost {
  public:
    virtual QPointF toPixels(double x, double y) const = 0;
    virtual double ScaleWidth() const = 0;
    virtual double ScaleHeight() const = 0;
    virtual QSize clientSize() const = 0;
    virtual void updateBox(const QRectF& box) = 0;
    virtual void addShapes(ShapeArray* shapes) = 0;

  protected:
    ~ShapeHost() = default;
};

class Shape {
  public:
    float Left() const { return left_; }
    void setLeft(float left);
    float Top() const { return top_; }
    void setTop(float top);
    // Size in the window's scale units, always positive.
    float Width() const;
    float Height() const;
    // Size on the screen, in logical pixels.
    QSizeF pixelSize() const;
    // The circle's box in its window, in logical pixels.
    QRectF pixelBox() const;

    QColor BorderColor() const { return border_; }
    void setBorderColor(const QColor& colour);
    QColor FillColor() const { return fill_; }
    void setFillColor(const QColor& colour);
    // 0 solid, 1 transparent (the design default).
    int FillStyle() const { return fillStyle_; }
    void setFillStyle(int style);

    // A ring drawn around the circle, over the circles, by what watches the
    // window (an invalid colour: none). It is not a property of the circle:
    // the window's code never sets or reads it, and it leaves the circle's
    // own colours as they are.
    QColor ringColour() const { return ring_; }
    // The box the circle and its ring paint, in logical pixels.
    QRectF paintedBox() const;

  private:
    friend class ShapeArray;
    // Repaints where the circle was before `change` and where it is after.
    template <class Change>
    void moveOrRedraw(Change change);

    ShapeHost* host_ = nullptr;
    int widthTwips_ = 0;
    int heightTwips_ = 0;
    float left_ = 0;
    float top_ = 0;
    QColor border_ = Qt::black;
    QColor fill_ = Qt::black;
    int fillStyle_ = 1;
    QColor ring_;
};

class ShapeArray {
  public:
    // `count` circles of the design size; element 0 at its design position
    // (twips), the others at 0, 0.
    ShapeArray(ShapeHost* host, int count, int widthTwips, int heightTwips, int firstLeft = 0,
               int firstTop = 0);

    Shape& operator()(int index);
    const Shape& operator()(int index) const;
    int count() const { return static_cast<int>(shapes_.size()); }
    // The circle drawn at a point of the window (logical pixels), or -1.
    int indexAt(QPointF pixels) const;
    // Rings around these circles (index, colour), none around the others.
    // Only the boxes of the rings that come or go are repainted.
    void setRings(const std::vector<std::pair<int, QColor>>& rings);

  private:
    std::vector<Shape> shapes_;
};

}  // namespace ui
