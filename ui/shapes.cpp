#include "ui/shapes.h"

#include <cmath>

#include "core/runtime_error.h"
#include "ui/form.h"

namespace ui {

void Shape::setLeft(float left) {
    left_ = left;
    form_->update();
}

void Shape::setTop(float top) {
    top_ = top;
    form_->update();
}

QSizeF Shape::pixelSize() const {
    return {widthTwips_ / twipsPerPixel(), heightTwips_ / twipsPerPixel()};
}

float Shape::Width() const {
    return static_cast<float>(pixelSize().width() * std::fabs(form_->ScaleWidth()) /
                              form_->width());
}

float Shape::Height() const {
    return static_cast<float>(pixelSize().height() * std::fabs(form_->ScaleHeight()) /
                              form_->height());
}

void Shape::setBorderColor(const QColor& colour) {
    border_ = colour;
    form_->update();
}

void Shape::setFillColor(const QColor& colour) {
    fill_ = colour;
    form_->update();
}

void Shape::setFillStyle(int style) {
    fillStyle_ = style;
    form_->update();
}

ShapeArray::ShapeArray(Form* form, int count, int widthTwips, int heightTwips, int firstLeft,
                       int firstTop)
    : shapes_(static_cast<std::size_t>(count)) {
    for (Shape& shape : shapes_) {
        shape.form_ = form;
        shape.widthTwips_ = widthTwips;
        shape.heightTwips_ = heightTwips;
    }
    if (!shapes_.empty()) {
        shapes_.front().left_ = static_cast<float>(firstLeft);
        shapes_.front().top_ = static_cast<float>(firstTop);
    }
    form->addShapes(this);
}

Shape& ShapeArray::operator()(int index) {
    if (index < 0 || index >= count()) {
        palmos::raiseSubscriptOutOfRange();
    }
    return shapes_[static_cast<std::size_t>(index)];
}

const Shape& ShapeArray::operator()(int index) const {
    if (index < 0 || index >= count()) {
        palmos::raiseSubscriptOutOfRange();
    }
    return shapes_[static_cast<std::size_t>(index)];
}

}  // namespace ui
