// The lines drawn on a surface since it last received anything else: a dot,
// a line in another colour or width, or a translucent line. Lines are drawn
// without antialiasing, so an opaque line sets each pixel it covers to its
// colour; drawn again after nothing but lines of the same colour and width,
// it would set the same pixels to the same colour, and the surface skips it
// (the step mode rules the same grid on every tick). The lines are kept in
// the surface's logical pixels, as drawn, so a line the program gives in the
// same scale units but that lands elsewhere (the window was resized, or its
// scale changed) is not taken for one drawn before.
#pragma once

#include <QPointF>
#include <QRgb>
#include <cstddef>
#include <vector>

namespace ui {

// A line on the surface, in the surface's logical pixels, with its pen.
struct DrawnLine {
    QPointF from;
    QPointF to;
    QRgb colour;
    int width;
    bool operator==(const DrawnLine&) const = default;
};

class SameInkLines {
  public:
    // Whether the line is opaque and of the ink of the lines kept (any ink
    // while none is kept).
    bool sameInk(const DrawnLine& line) const;
    // Whether the line is one of those kept.
    bool contains(const DrawnLine& line);
    // Keeps a line just drawn in the same ink; past the first 512 lines,
    // later ones are drawn each time.
    void add(const DrawnLine& line);
    // Something else was drawn, or the surface was made anew.
    void clear();

  private:
    std::vector<DrawnLine> lines_;
    // A grid is ruled again in the order it was first ruled, so the search
    // starts just after the line found last.
    std::size_t searchFrom_ = 0;
};

}  // namespace ui
