// Large type drawn from a glyph cache of the program's own. Qt keeps the
// rendered glyphs of type up to 64 device pixels high; larger ones it fills
// as outlines on every paint, which at the zoom of a 4K projector (the
// readouts' type is 76 pixels high) made a window four times as slow to
// paint and a zoom change slower still. For such type the controls lay the
// text out with Qt, as it would, and draw each glyph from a picture that the
// font's rasteriser made once for its font, size and colour; the pictures
// are kept in a cache of bounded size. Smaller type is drawn by Qt.
#pragma once

#include <QColor>
#include <QGlyphRun>
#include <QList>
#include <QPointF>
#include <QRect>
#include <QString>

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

// Draws laid-out glyphs, placed from `origin`, in `colour` from the glyph
// cache. The painter may be translated, not scaled or turned.
void drawGlyphRuns(QPainter& painter, const QList<QGlyphRun>& runs, QPointF origin,
                   const QColor& colour);

}  // namespace ui
