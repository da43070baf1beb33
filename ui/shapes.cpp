#include "ui/shapes.h"

#include <cmath>

#include "core/runtime_error.h"
#include "ui/form.h"

namespace ui {

template <class Change>
void Shape::moveOrRedraw(Change change) {
    const QRectF before = paintedBox();
    change();
    form_->updateBox(before.united(paintedBox()));
}

void Shape::setLeft(float left) {
    if (left != left_) {
        moveOrRedraw([&] { left_ = left; });
    }
}

void Shape::setTop(float top) {
    if (top != top_) {
        moveOrRedraw([&] { top_ = top; });
    }
}

QSizeF Shape::pixelSize() const {
    return {widthTwips_ / twipsPerPixel(), heightTwips_ / twipsPerPixel()};
}

QRectF Shape::pixelBox() const {
    return {form_->toPixels(left_, top_), pixelSize()};
}

QRectF Shape::paintedBox() const {
    return ring_.isValid() ? ringBox(pixelBox()) : pixelBox();
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
    if (colour != border_) {
        moveOrRedraw([&] { border_ = colour; });
    }
}

void Shape::setFillColor(const QColor& colour) {
    if (colour != fill_) {
        moveOrRedraw([&] { fill_ = colour; });
    }
}

void Shape::setFillStyle(int style) {
    if (style != fillStyle_) {
        moveOrRedraw([&] { fillStyle_ = style; });
    }
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

int ShapeArray::indexAt(QPointF pixels) const {
    for (int i = 0; i < count(); ++i) {
        if (shapes_[static_cast<std::size_t>(i)].pixelBox().contains(pixels)) {
            return i;
        }
    }
    return -1;
}

void ShapeArray::setRings(const std::vector<std::pair<int, QColor>>& rings) {
    for (int i = 0; i < count(); ++i) {
        QColor colour;
        for (const auto& [index, ring] : rings) {
            if (index == i) {
                colour = ring;
            }
        }
        Shape& shape = shapes_[static_cast<std::size_t>(i)];
        if (colour != shape.ring_) {
            shape.moveOrRedraw([&] { shape.ring_ = colour; });
        }
    }
}

}  // namespace ui
