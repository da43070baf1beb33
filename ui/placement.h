// Where the program placed a window, in logical pixels: each part it set
// (left, top, width, height), of the whole window, title bar and borders
// included. The program sets sizes only relative to the screen, so a window
// it sized keeps its size on the screen when the zoom changes. A window
// manager tells the frame's size only once the window is on the screen, so
// the placement is made again at the first paint after the frame changed.
#pragma once

#include <QMargins>
#include <optional>

class QWidget;

namespace ui {

class Placement {
  public:
    explicit Placement(QWidget& window) : window_(window) {}

    // Each moves or sizes the window at once.
    void setLeft(int pixels);
    void setTop(int pixels);
    void setWidth(int pixels);
    void setHeight(int pixels);
    // Whether the program set the window's width or height.
    bool sized() const { return width_ || height_; }

    // At each paint: if the frame is not the one the placement was made
    // with, makes it again once the paint is over.
    void checkFrame();

  private:
    void apply();
    QMargins frameMargins() const;

    QWidget& window_;
    std::optional<int> left_, top_, width_, height_;
    // The frame's margins the placement was made with.
    QMargins placedWith_;
};

}  // namespace ui
