#include "ui/touch_targets.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <limits>

namespace ui {

namespace {

bool takesTouch(const QWidget& widget) {
    return (qobject_cast<const QAbstractButton*>(&widget) != nullptr ||
            qobject_cast<const QAbstractSlider*>(&widget) != nullptr) &&
           widget.isVisible() && widget.isEnabled();
}

// The control's box in the window, grown to the touch target's size where
// it is smaller.
QRect widened(const QWidget& control, const QWidget& window) {
    const QRect box(control.mapTo(&window, QPoint(0, 0)), control.size());
    const int dx = std::max(0, kTouchTarget - box.width() + 1) / 2;
    const int dy = std::max(0, kTouchTarget - box.height() + 1) / 2;
    return box.adjusted(-dx, -dy, dx, dy);
}

// How far `at` is from the box, 0 inside.
int distance(const QRect& box, QPoint at) {
    const int dx = std::max({box.left() - at.x(), 0, at.x() - box.right()});
    const int dy = std::max({box.top() - at.y(), 0, at.y() - box.bottom()});
    return dx + dy;
}

QPoint clampedInto(const QRect& box, QPoint at) {
    return {std::clamp(at.x(), box.left(), box.right()),
            std::clamp(at.y(), box.top(), box.bottom())};
}

// Follows a touch from its press to its release: a press that hit no
// control but lies in one's widened target is sent to that control, at the
// point of the control nearest to it, and so is the rest of the touch.
class TouchTargets : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
            type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick) {
            return false;
        }
        auto* widget = qobject_cast<QWidget*>(watched);
        auto* mouse = static_cast<QMouseEvent*>(event);
        // What this filter sends on goes where it is sent.
        if (widget == nullptr || redirecting_ || !fromTouch(*mouse)) {
            return false;
        }
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
            target_ = nullptr;
            QWidget* window = widget->window();
            QWidget* hit = touchTarget(*window, widget->mapTo(window, mouse->position().toPoint()));
            // A touch on a control, or on a part of one, keeps to it.
            if (hit == nullptr || hit == widget || hit->isAncestorOf(widget)) {
                return false;
            }
            target_ = hit;
        }
        if (target_.isNull() || target_ == widget) {
            return false;
        }
        QWidget& control = *target_;
        const QPoint global = mouse->globalPosition().toPoint();
        const QPoint local = clampedInto(control.rect(), control.mapFromGlobal(global));
        QMouseEvent redirected(type, local, control.mapToGlobal(local), mouse->button(),
                               mouse->buttons(), mouse->modifiers(), mouse->pointingDevice());
        redirecting_ = true;
        QApplication::sendEvent(&control, &redirected);
        redirecting_ = false;
        if (type == QEvent::MouseButtonRelease) {
            target_ = nullptr;
        }
        return true;
    }

  private:
    QPointer<QWidget> target_;
    bool redirecting_ = false;
};

}  // namespace

bool fromTouch(const QMouseEvent& mouse) {
    const QPointingDevice* device = mouse.pointingDevice();
    return mouse.source() != Qt::MouseEventNotSynthesized ||
           (device != nullptr && device->type() == QInputDevice::DeviceType::TouchScreen);
}

QWidget* touchTarget(QWidget& window, QPoint at) {
    QWidget* nearest = nullptr;
    int nearestDistance = std::numeric_limits<int>::max();
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (!takesTouch(*control) || control->window() != &window) {
            continue;
        }
        const QRect box(control->mapTo(&window, QPoint(0, 0)), control->size());
        if (box.contains(at)) {
            return control;
        }
        if (widened(*control, window).contains(at) && distance(box, at) < nearestDistance) {
            nearest = control;
            nearestDistance = distance(box, at);
        }
    }
    return nearest;
}

void installTouchTargets() {
    static QPointer<TouchTargets> targets;
    if (targets.isNull() && QCoreApplication::instance() != nullptr) {
        targets = new TouchTargets(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(targets);
    }
}

}  // namespace ui
