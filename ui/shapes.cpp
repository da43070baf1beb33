#include "ui/shapes.h"

#include <cmath>

#include "core/runtime_error.h"
#include "ui/twips.h"
#include "ui/zoom.h"

namespace ui {

int ringGap() {
    return zoomedPixels(2);
}
int ringPen() {
    return zoomedPixels(2);
}

QRectF ringBox(const QRectF& circleBox) {
    const double reach = ringGap() + ringPen();
    return circleBox.adjusted(-reach, -reach, reach, reach);
}

template <class Change>
void Shape::moveOrRedraw(Change change) {
    const QRectF before = paintedBox();
    change();
    host_->updateBox(before.united(paintedBox()));
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
    return {host_->toPixels(left_, top_), pixelSize()};
}

QRectF Shape::paintedBox() const {
    return ring_.isValid() ? ringBox(pixelBox()) : pixelBox();
}

float Shape::Width() const {
    return static_cast<float>(pixelSize().width() * std::fabs(host_->ScaleWidth()) /
                              host_->clientSize().width());
}

float Shape::Height() const {
    return static_cast<float>(pixelSize().height() * std::fabs(host_->ScaleHeight()) /
                              host_->clientSize().height());
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

ShapeArray::ShapeArray(ShapeHost* host, int count, int widthTwips, int heightTwips, int firstLeft,
                       int firstTop)
    : shapes_(static_cast<std::size_t>(count)) {
    for (Shape& shape : shapes_) {
        shape.host_ = host;
        shape.widthTwips_ = widthTwips;
        shape.heightTwips_ = heightTwips;
    }
    if (!shapes_.empty()) {
        shapes_.front().left_ = static_cast<float>(firstLeft);
        shapes_.front().top_ = static_cast<float>(firstTop);
    }
    host->addShapes(this);
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
