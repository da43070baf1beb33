// A window's drawing surface: the dots and lines its program draws (PSet,
// Line) in the window's scale, kept in an image across repaints and painted
// behind the window's labels, circles and controls. DrawWidth is in design
// pixels and follows the zoom.
//
// The surface keeps two records of what was drawn, for two needs:
// - the drawing log (ui/drawing_log.h), in scale units, of everything that can
//   still show: it is drawn again on a fresh image at another zoom or size;
// - the same-ink lines (ui/same_ink_lines.h), in pixels, of the lines drawn
//   since anything else: a line among them is skipped, and not repainted.
// One cannot stand for the other. The log knows that a line was drawn, not
// that nothing of another ink was drawn over it since, nor where its scale
// units fell in pixels at the time; the same-ink lines forget everything at
// the first dot or change of ink, and so cannot redraw the surface.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QRectF>
#include <functional>

#include "ui/drawing_log.h"
#include "ui/same_ink_lines.h"

class QPainter;
class QWidget;

namespace ui {

class UserScale;

class Surface {
  public:
    // A surface over the window's client area, in its scale; `drawn` is told
    // each box (logical pixels) a dot or a line is drawn into.
    Surface(const QWidget& window, const UserScale& scale,
            std::function<void(const QRectF&)> drawn);

    int drawWidth() const { return drawWidth_; }
    void setDrawWidth(int pixels) { drawWidth_ = pixels; }
    void dot(double x, double y, const QColor& colour);
    void line(double x1, double y1, double x2, double y2, const QColor& colour);

    // Whether anything was drawn.
    bool empty() const { return log_.empty(); }
    // Draws everything again on a fresh image, at the window's size and the
    // zoom in use.
    void redraw();

    const QImage& image() const { return image_; }
    // Paints the surface's pixels in this area of the window.
    void paint(QPainter& painter, const QRect& area) const;

  private:
    // An image as large as the window, at its pixel ratio, keeping what was
    // drawn.
    void prepare();
    void paintDot(const SurfaceOp& dot);
    void paintLine(const SurfaceOp& line);

    const QWidget& window_;
    const UserScale& scale_;
    std::function<void(const QRectF&)> drawn_;
    int drawWidth_ = 1;
    QImage image_;
    DrawingLog log_;
    SameInkLines sameInk_;
};

}  // namespace ui
