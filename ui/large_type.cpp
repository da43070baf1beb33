#include "ui/large_type.h"

#include <QFontInfo>
#include <QPaintDevice>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>

namespace ui {

namespace {

// Qt's own limit on the glyphs it caches, in device pixels.
constexpr double kLargestCachedGlyph = 64;

}  // namespace

bool isLargeType(const QFont& font, double devicePixelRatio) {
    return QFontInfo(font).pixelSize() * devicePixelRatio > kLargestCachedGlyph;
}

void drawTextLayer(QPainter& painter, QSize size, const QString& key,
                   const std::function<void(QPainter&)>& draw) {
    const double ratio = painter.device()->devicePixelRatioF();
    const bool onlyMoved = painter.transform().type() <= QTransform::TxTranslate;
    if (size.isEmpty() || !onlyMoved || !isLargeType(painter.font(), ratio)) {
        draw(painter);
        return;
    }
    const QString name = QStringLiteral("palmos-text %1 %2x%3 %4 ")
                             .arg(painter.font().key())
                             .arg(size.width())
                             .arg(size.height())
                             .arg(ratio) +
                         key;
    QPixmap picture;
    if (!QPixmapCache::find(name, &picture)) {
        picture = QPixmap((QSizeF(size) * ratio).toSize());
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::transparent);
        QPainter onPicture(&picture);
        onPicture.setFont(painter.font());
        onPicture.setPen(painter.pen());
        draw(onPicture);
        onPicture.end();
        QPixmapCache::insert(name, picture);
    }
    painter.drawPixmap(0, 0, picture);
}

void drawText(QPainter& painter, const QRect& box, int flags, const QString& text,
              const QColor& colour) {
    painter.save();
    painter.translate(box.topLeft());
    painter.setPen(colour);
    const QRect local(QPoint(0, 0), box.size());
    drawTextLayer(painter, box.size(),
                  QStringLiteral("%1 %2 ").arg(flags).arg(colour.rgba(), 0, 16) + text,
                  [&](QPainter& on) { on.drawText(local, flags, text); });
    painter.restore();
}

}  // namespace ui
