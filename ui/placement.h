// Where the program placed a window, in logical pixels: each part it set
// (left, top, width, height), of the whole window, title bar and borders
// included. The program sets sizes only relative to the screen, so a window
// it sized keeps its size on the screen when the zoom changes. A window
// manager tells the frame's size only once the window is on the screen, so
// the placement is made again at the first paint after the frame changed.
#pragma once

#include <QMargins>
#include <array>
#include <optional>

class QWidget;

namespace ui {

class Placement {
  public:
    explicit Placement(QWidget& window) : window_(window) {}

    enum Part { Left, Top, Width, Height };
    // Moves or sizes the window at once.
    void set(Part part, int pixels);
    // Whether the program set the window's width or height.
    bool sized() const { return parts_[Width] || parts_[Height]; }

    // At each paint: if the frame is not the one the placement was made
    // with, makes it again once the paint is over.
    void checkFrame();

  private:
    void apply();
    QMargins frameMargins() const;

    QWidget& window_;
    std::array<std::optional<int>, 4> parts_;
    // The frame's margins the placement was made with.
    QMargins placedWith_;
};

}  // namespace ui
