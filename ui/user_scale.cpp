#include "ui/user_scale.h"

#include <QWidget>

#include "ui/twips.h"

namespace ui {

void UserScale::set(double x1, double y1, double x2, double y2) {
    set_ = true;
    left_ = x1;
    top_ = y1;
    width_ = x2 - x1;
    height_ = y2 - y1;
}

double UserScale::left() const {
    return set_ ? left_ : 0.0;
}
double UserScale::top() const {
    return set_ ? top_ : 0.0;
}
double UserScale::width() const {
    return set_ ? width_ : client_.width() * twipsPerPixel();
}
double UserScale::height() const {
    return set_ ? height_ : client_.height() * twipsPerPixel();
}

QPointF UserScale::toPixels(QPointF units) const {
    return {(units.x() - left()) * client_.width() / width(),
            (units.y() - top()) * client_.height() / height()};
}

QPointF UserScale::fromPixels(QPointF pixels) const {
    return {left() + pixels.x() * width() / client_.width(),
            top() + pixels.y() * height() / client_.height()};
}

}  // namespace ui
