#include "ui/placement.h"

#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace ui {

void Placement::setLeft(int pixels) {
    left_ = pixels;
    apply();
}
void Placement::setTop(int pixels) {
    top_ = pixels;
    apply();
}
void Placement::setWidth(int pixels) {
    width_ = pixels;
    apply();
}
void Placement::setHeight(int pixels) {
    height_ = pixels;
    apply();
}

// A window manager frames the program's windows alike: a window not yet on
// the screen, whose frame the platform cannot tell yet, is placed with the
// frame the last window on the screen was given.
QMargins Placement::frameMargins() const {
    static QMargins lastShown;
    const QWindow* window = window_.windowHandle();
    const QMargins told = window != nullptr ? window->frameMargins() : QMargins();
    if (window != nullptr && window->isExposed()) {
        lastShown = told;
    }
    return told.isNull() ? lastShown : told;
}

// The client is the placed size less the frame, and the frame's corner goes
// where the program put it.
void Placement::apply() {
    window_.winId();
    const QMargins frame = frameMargins();
    QRect client = window_.geometry();
    if (width_) {
        client.setWidth(std::max(1, *width_ - frame.left() - frame.right()));
    }
    if (height_) {
        client.setHeight(std::max(1, *height_ - frame.top() - frame.bottom()));
    }
    if (left_) {
        client.moveLeft(*left_ + frame.left());
    }
    if (top_) {
        client.moveTop(*top_ + frame.top());
    }
    window_.setGeometry(client);
    placedWith_ = frame;
}

void Placement::checkFrame() {
    const bool placed = left_ || top_ || width_ || height_;
    const QMargins frame = placed ? frameMargins() : QMargins();
    if (frame != placedWith_) {
        placedWith_ = frame;
        QTimer::singleShot(0, &window_, [this] { apply(); });
    }
}

}  // namespace ui
