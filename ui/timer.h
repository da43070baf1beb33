// A timer with an Interval in milliseconds and an Enabled switch. It fires
// only while enabled with a non-zero interval, and at most once every 16 ms
// (the resolution of the desktop timers the program's animations were paced
// for, and of a 60 Hz display).
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

namespace ui {

class Timer : public QObject {
  public:
    static constexpr int kFloorMilliseconds = 16;

    explicit Timer(QObject* parent);
    ~Timer() override;

    int Interval() const { return interval_; }
    void setInterval(int milliseconds);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    // The Timer event.
    void onTimer(std::function<void()> handler) { handler_ = std::move(handler); }
    // Delivers one Timer event now, as the platform does when the period ends.
    void fire();
    // Whether the platform would deliver Timer events now.
    bool isTicking() const { return clock_.isActive(); }

  private:
    void update();

    int interval_ = 0;
    bool enabled_ = true;
    std::function<void()> handler_;
    QTimer clock_;
};

}  // namespace ui
