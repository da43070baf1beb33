#include "ui/repaint.h"

namespace ui {

QRect touchedPixels(const QRectF& box) {
    return box.toAlignedRect().adjusted(-1, -1, 1, 1);
}

const QRect& RepaintArea::add(const QRectF& box) {
    pending_ |= touchedPixels(box);
    return pending_;
}

void RepaintArea::surfaceDrawn(const QRectF& box) {
    surfaceDrawn_ |= touchedPixels(box);
}

}  // namespace ui
