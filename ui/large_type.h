// Large type drawn from pictures. Qt keeps the rendered glyphs of type up to
// 64 device pixels high; larger ones it draws as outlines on every paint,
// which at the zoom of a 4K projector (the readouts' type is 76 pixels high)
// made a window four times as slow to paint. The controls draw such text
// once into a picture, kept in Qt's pixmap cache (a cache of bounded size),
// and copy the picture after that. Smaller type is drawn directly.
#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <functional>

class QFont;
class QPainter;

namespace ui {

// Whether `font`, painted at `devicePixelRatio`, is larger than Qt's glyph
// cache keeps.
bool isLargeType(const QFont& font, double devicePixelRatio);

// Draws `text` in `box` with QPainter::drawText's alignment and wrapping
// `flags`, in the painter's font and in `colour`.
void drawText(QPainter& painter, const QRect& box, int flags, const QString& text,
              const QColor& colour);

// Draws a layer of text of `size` at the painter's origin: `draw` paints it
// (on a transparent picture, when the type is large); `key` must name all it
// depends on but the size, the font and the device pixel ratio.
void drawTextLayer(QPainter& painter, QSize size, const QString& key,
                   const std::function<void(QPainter&)>& draw);

}  // namespace ui
