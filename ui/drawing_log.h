// What was drawn on a window's drawing surface, oldest first, as the program
// drew it: each dot and line in the window's scale, with its colour and
// DrawWidth. The surface draws the log again, sharp, when the zoom or the
// window's size changes. An opaque dot or line covers the same pixels each
// time it is drawn, so when it is drawn again its earlier copy, which can no
// longer show anywhere, is dropped: the log stays as long as the number of
// different dots and lines drawn (the step mode rules the same grid on every
// tick). Translucent ones blend, and are all kept.
#pragma once

#include <QRgb>
#include <cstddef>
#include <unordered_map>
#include <vector>

namespace ui {

// A dot or a line as the program drew it. A dot is at (x1, y1), and x2, y2
// repeat it.
struct SurfaceOp {
    enum class Kind { Dot, Line };
    Kind kind;
    double x1, y1, x2, y2;
    QRgb colour;
    int drawWidth;
    bool operator==(const SurfaceOp&) const = default;
};

class DrawingLog {
  public:
    void add(const SurfaceOp& op);
    bool empty() const { return ops_.empty(); }

    // Calls draw(op) for each dot and line that can still show, oldest first.
    template <class Draw>
    void forEach(Draw draw) const {
        for (std::size_t i = 0; i < ops_.size(); ++i) {
            if (live_[i]) {
                draw(ops_[i]);
            }
        }
    }

  private:
    struct Hash {
        std::size_t operator()(const SurfaceOp& op) const;
    };
    void dropDead();

    std::vector<SurfaceOp> ops_;
    // Whether ops_[i] can still show: false once an opaque copy was drawn
    // after it.
    std::vector<bool> live_;
    // Where the latest copy of each opaque dot and line is in ops_.
    std::unordered_map<SurfaceOp, std::size_t, Hash> latest_;
    std::size_t dead_ = 0;
};

}  // namespace ui
