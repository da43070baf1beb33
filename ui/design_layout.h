// A window laid out from its design table: the window's font and client
// size, and each control's box and font, in twips and points. Lays them out
// in logical pixels at the zoom in use: each control as the window is built,
// and everything again after a zoom change. Keeps the controls' tab order.
#pragma once

#include <QWidget>
#include <utility>
#include <vector>

#include "ui/controls.h"

namespace ui {

class DesignLayout {
  public:
    DesignLayout(QWidget& window, const Font& font, int clientWidth, int clientHeight);

    // Lays out a control of the window as designed, names it for a screen
    // reader after its caption, and shows or hides it.
    void place(QWidget* control, const Design& design);
    // The controls that have a tab index, in its order (as placed, for the
    // same index).
    std::vector<QWidget*> inTabOrder() const;
    // Lays the window out again at the zoom in use: its font and controls,
    // and its client size unless the program set the window's size.
    void relayout(bool keepSize);

  private:
    QWidget& window_;
    Font font_;
    int designWidth_;
    int designHeight_;
    std::vector<std::pair<QWidget*, Design>> designs_;
    std::vector<std::pair<int, QWidget*>> tabOrder_;
};

}  // namespace ui
