#include "ui/circles.h"

#include <QPainter>
#include <QRegion>

#include "ui/repaint.h"
#include "ui/shapes.h"
#include "ui/user_scale.h"

namespace ui {

std::vector<QPointF> Circles::centres() const {
    std::vector<QPointF> centres;
    for (const ShapeArray* shapes : shapes_) {
        for (int i = 0; i < shapes->count(); ++i) {
            centres.push_back(scale_.fromPixels((*shapes)(i).pixelBox().center()));
        }
    }
    return centres;
}

void Circles::moveTo(const std::vector<QPointF>& centres) {
    std::size_t next = 0;
    for (ShapeArray* shapes : shapes_) {
        for (int i = 0; i < shapes->count() && next < centres.size(); ++i, ++next) {
            Shape& shape = (*shapes)(i);
            const QSizeF size = shape.pixelSize();
            const QPointF corner =
                scale_.toPixels(centres[next]) - QPointF(size.width() / 2, size.height() / 2);
            const QPointF place = scale_.fromPixels(corner);
            shape.setLeft(static_cast<float>(place.x()));
            shape.setTop(static_cast<float>(place.y()));
        }
    }
}

void Circles::paint(QPainter& painter, const QRegion& region) const {
    painter.setRenderHint(QPainter::Antialiasing);
    for (const ShapeArray* shapes : shapes_) {
        for (int i = 0; i < shapes->count(); ++i) {
            const Shape& shape = (*shapes)(i);
            const QRectF box = shape.pixelBox();
            if (!region.intersects(touchedPixels(box))) {
                continue;
            }
            painter.setPen(QPen(shape.BorderColor(), 1));
            painter.setBrush(shape.FillStyle() == 0 ? QBrush(shape.FillColor()) : Qt::NoBrush);
            painter.drawEllipse(box.adjusted(0.5, 0.5, -0.5, -0.5));
        }
    }
    // The rings, over every circle.
    painter.setBrush(Qt::NoBrush);
    const double middle = ringGap() + ringPen() / 2.0;
    for (const ShapeArray* shapes : shapes_) {
        for (int i = 0; i < shapes->count(); ++i) {
            const Shape& shape = (*shapes)(i);
            if (!shape.ringColour().isValid()) {
                continue;
            }
            const QRectF box = shape.pixelBox();
            if (!region.intersects(touchedPixels(ringBox(box)))) {
                continue;
            }
            painter.setPen(QPen(shape.ringColour(), ringPen()));
            painter.drawEllipse(box.adjusted(-middle, -middle, middle, middle));
        }
    }
}

}  // namespace ui
