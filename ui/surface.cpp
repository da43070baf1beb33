#include "ui/surface.h"

#include <QPainter>
#include <QWidget>
#include <cstdlib>
#include <utility>

#include "core/zeroed_allocator.h"
#include "ui/user_scale.h"
#include "ui/zoom.h"

namespace ui {

namespace {

// A transparent image for the drawing surface. Zeroed memory is transparent
// in this format, and calloc hands out zeroed pages without writing them: a
// full-screen surface costs nothing until it is drawn on, and the first line
// of the step mode's grid does not wait for 8 MB to be cleared.
QImage transparentImage(QSize size) {
    const auto pixels = static_cast<std::size_t>(size.width()) * size.height();
    if (pixels == 0) {
        return {};
    }
    QRgb* memory = palmos::ZeroedAllocator<QRgb>().allocate(pixels);
    return {reinterpret_cast<uchar*>(memory),
            size.width(),
            size.height(),
            static_cast<qsizetype>(size.width() * sizeof(QRgb)),
            QImage::Format_ARGB32_Premultiplied,
            [](void* block) { std::free(block); },
            memory};
}

}  // namespace

Surface::Surface(const QWidget& window, const UserScale& scale,
                 std::function<void(const QRectF&)> drawn)
    : window_(window), scale_(scale), drawn_(std::move(drawn)) {}

void Surface::prepare() {
    const qreal ratio = window_.devicePixelRatioF();
    const QSize needed = window_.size() * ratio;
    if (image_.width() >= needed.width() && image_.height() >= needed.height() &&
        image_.devicePixelRatio() == ratio) {
        return;
    }
    // A line drawn before may have run off the smaller image, or been drawn
    // at another pixel ratio: none is taken as drawn any more.
    sameInk_.clear();
    QImage grown = transparentImage(needed.expandedTo(image_.size()));
    grown.setDevicePixelRatio(ratio);
    if (!image_.isNull()) {
        QPainter painter(&grown);
        painter.drawImage(QPointF(0, 0), image_);
    }
    image_ = std::move(grown);
}

void Surface::dot(double x, double y, const QColor& colour) {
    const SurfaceOp dot{SurfaceOp::Kind::Dot, x, y, x, y, colour.rgba(), drawWidth_};
    sameInk_.clear();
    log_.add(dot);
    paintDot(dot);
}

void Surface::paintDot(const SurfaceOp& dot) {
    prepare();
    QPainter painter(&image_);
    const QPointF centre = scale_.toPixels(QPointF(dot.x1, dot.y1));
    const int side = zoomedPixels(dot.drawWidth);
    const double half = side / 2.0;
    const QRectF box(centre.x() - half, centre.y() - half, side, side);
    painter.fillRect(box, QColor::fromRgba(dot.colour));
    drawn_(box);
}

void Surface::line(double x1, double y1, double x2, double y2, const QColor& colour) {
    const SurfaceOp line{SurfaceOp::Kind::Line, x1, y1, x2, y2, colour.rgba(), drawWidth_};
    const DrawnLine drawn{scale_.toPixels(QPointF(x1, y1)), scale_.toPixels(QPointF(x2, y2)),
                          line.colour, drawWidth_};
    const bool sameInk = sameInk_.sameInk(drawn);
    if (!sameInk) {
        sameInk_.clear();
    } else if (sameInk_.contains(drawn)) {
        return;
    }
    log_.add(line);
    paintLine(line);
    if (sameInk) {
        sameInk_.add(drawn);
    }
}

void Surface::paintLine(const SurfaceOp& line) {
    prepare();
    const QPointF from = scale_.toPixels(QPointF(line.x1, line.y1));
    const QPointF to = scale_.toPixels(QPointF(line.x2, line.y2));
    const int width = zoomedPixels(line.drawWidth);
    QPainter painter(&image_);
    painter.setPen(QPen(QColor::fromRgba(line.colour), width));
    painter.drawLine(from, to);
    const double reach = width;
    drawn_(QRectF(from, to).normalized().adjusted(-reach, -reach, reach, reach));
}

void Surface::redraw() {
    image_ = QImage();
    sameInk_.clear();
    log_.forEach([this](const SurfaceOp& op) {
        if (op.kind == SurfaceOp::Kind::Dot) {
            paintDot(op);
        } else {
            paintLine(op);
        }
    });
}

void Surface::paint(QPainter& painter, const QRect& area) const {
    if (image_.isNull() || area.isEmpty()) {
        return;
    }
    const qreal ratio = image_.devicePixelRatio();
    painter.drawImage(QRectF(area), image_,
                      QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio));
}

}  // namespace ui
