#include "ui/timer.h"

#include <algorithm>
#include <vector>

#include "ui/events.h"

namespace ui {

namespace {

std::vector<Timer*>& allTimers() {
    static std::vector<Timer*> timers;
    return timers;
}

}  // namespace

Timer::Timer(QObject* parent) : QObject(parent) {
    clock_.setTimerType(Qt::PreciseTimer);
    connect(&clock_, &QTimer::timeout, this, [this] { fire(); });
    allTimers().push_back(this);
}

Timer::~Timer() {
    std::erase(allTimers(), this);
}

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
    for (const auto& observer : observers_) {
        dispatch(observer);
    }
}

void Timer::update() {
    // Setting either property starts the period anew, as on the desktop.
    clock_.stop();
    if (enabled_ && interval_ > 0 && !programEnded()) {
        clock_.start(std::max(interval_, kFloorMilliseconds));
    }
}

void Timer::stopAll() {
    for (Timer* timer : allTimers()) {
        timer->clock_.stop();
    }
}

}  // namespace ui
