#include "ui/timer.h"

#include <algorithm>

#include "ui/events.h"

namespace ui {

Timer::Timer(QObject* parent) : QObject(parent), clock_(this) {
    clock_.setObjectName(QString::fromLatin1(timerClockName()));
    clock_.setTimerType(Qt::PreciseTimer);
    connect(&clock_, &QTimer::timeout, this, [this] { fire(); });
}

Timer::~Timer() = default;

void Timer::setInterval(int milliseconds) {
    interval_ = milliseconds;
    update();
}

void Timer::setEnabled(bool enabled) {
    enabled_ = enabled;
    update();
}

void Timer::fire() {
    if (handler_) {
        dispatch(handler_);
    }
}

void Timer::update() {
    // Setting either property starts the period anew, as on the desktop.
    clock_.stop();
    if (enabled_ && interval_ > 0 && !programEnded()) {
        clock_.start(std::max(interval_, kFloorMilliseconds));
    }
}

}  // namespace ui
