#include "ui/placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace ui {

void Placement::set(Part part, int pixels) {
    if (const QScreen* screen = QGuiApplication::primaryScreen(); screen != nullptr) {
        placedOn_ = screen->geometry().size();
    }
    parts_[part] = pixels;
    apply();
}

void Placement::followScreen(QSize screen) {
    if (placedOn_.isEmpty() || screen.isEmpty() || screen == placedOn_) {
        return;
    }
    const auto scale = [](std::optional<int>& part, int now, int before) {
        if (part) {
            part = static_cast<int>(std::lround(*part * static_cast<double>(now) / before));
        }
    };
    scale(parts_[Left], screen.width(), placedOn_.width());
    scale(parts_[Width], screen.width(), placedOn_.width());
    scale(parts_[Top], screen.height(), placedOn_.height());
    scale(parts_[Height], screen.height(), placedOn_.height());
    placedOn_ = screen;
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
    const auto& [left, top, width, height] = parts_;
    if (width) {
        client.setWidth(std::max(1, *width - frame.left() - frame.right()));
    }
    if (height) {
        client.setHeight(std::max(1, *height - frame.top() - frame.bottom()));
    }
    if (left) {
        client.moveLeft(*left + frame.left());
    }
    if (top) {
        client.moveTop(*top + frame.top());
    }
    window_.setGeometry(client);
    placedWith_ = frame;
}

void Placement::checkFrame() {
    const bool placed = std::any_of(parts_.begin(), parts_.end(),
                                    [](const auto& part) { return part.has_value(); });
    const QMargins frame = placed ? frameMargins() : QMargins();
    if (frame != placedWith_) {
        placedWith_ = frame;
        QTimer::singleShot(0, &window_, [this] { apply(); });
    }
}

}  // namespace ui
