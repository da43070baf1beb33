// Where the program placed a window, in logical pixels: each part it set
// (left, top, width, height), of the whole window, title bar and borders
// included. The program sets sizes only relative to the screen, so a window
// it sized keeps its size on the screen when the zoom changes. A window
// manager tells the frame's size only once the window is on the screen, so
// the placement is made again at the first paint after the frame changed.
#pragma once

#include <QMargins>
#include <QSize>
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

    // The screen is now `screen` large: what the program placed keeps its
    // share of the screen (a window stretched over it still is).
    void followScreen(QSize screen);

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
    // The screen's size the parts were set for.
    QSize placedOn_;
};

}  // namespace ui
