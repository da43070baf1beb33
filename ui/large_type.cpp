#include "ui/large_type.h"

#include <QCache>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>
#include <cmath>

namespace ui {

namespace {

// Qt's own limit on the glyphs it caches, in device pixels.
constexpr double kLargestCachedGlyph = 64;

// Every caption of every window at the largest zoom on a 4K screen, in both
// languages and in each colour they are drawn in, takes a few megabytes.
constexpr qsizetype kGlyphCacheBytes = 16 * 1024 * 1024;

struct GlyphKey {
    int font;
    quint32 glyph;
    QRgb colour;
    friend bool operator==(const GlyphKey&, const GlyphKey&) = default;
};

size_t qHash(const GlyphKey& key, size_t seed = 0) {
    return qHashMulti(seed, key.font, key.glyph, key.colour);
}

// A glyph's picture in its colour, and where its top left corner stands from
// the pen's place on the baseline, in device pixels.
struct Glyph {
    QImage picture;
    QPoint offset;
};

class GlyphCache {
  public:
    // A number for the font of `font` at its size, the same for every run
    // of it.
    int fontNumber(const QRawFont& font) {
        const QString name = QStringLiteral("%1|%2|%3|%4|%5")
                                 .arg(font.familyName(), font.styleName())
                                 .arg(font.pixelSize())
                                 .arg(font.weight())
                                 .arg(int(font.style()));
        const auto kept = fonts_.constFind(name);
        return kept != fonts_.cend() ? *kept : *fonts_.insert(name, int(fonts_.size()));
    }

    Glyph glyph(const QRawFont& font, int number, quint32 index, QRgb colour) {
        const GlyphKey key{number, index, colour};
        if (const Glyph* kept = glyphs_.object(key)) {
            return *kept;
        }
        Glyph made = render(font, index, colour);
        const qsizetype cost = std::max<qsizetype>(1, made.picture.sizeInBytes());
        if (cost <= glyphs_.maxCost()) {
            glyphs_.insert(key, new Glyph(made), cost);
        }
        return made;
    }

  private:
    // The rasteriser's coverage of the glyph, turned into the colour's
    // premultiplied pixels.
    static Glyph render(const QRawFont& font, quint32 index, QRgb colour) {
        const QImage coverage = font.alphaMapForGlyph(index, QRawFont::PixelAntialiasing);
        if (coverage.isNull() || coverage.width() == 0 || coverage.height() == 0) {
            return {};
        }
        QImage picture(coverage.size(), QImage::Format_ARGB32_Premultiplied);
        const bool indexed = coverage.format() == QImage::Format_Indexed8;
        const QList<QRgb> table = coverage.colorTable();
        for (int y = 0; y < coverage.height(); ++y) {
            const uchar* from = coverage.constScanLine(y);
            auto* to = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < coverage.width(); ++x) {
                int alpha = from[x];
                if (indexed && alpha < table.size()) {
                    alpha =
                        qAlpha(table[alpha]) == 255 ? qGray(table[alpha]) : qAlpha(table[alpha]);
                }
                alpha = alpha * qAlpha(colour) / 255;
                to[x] = qPremultiply(qRgba(qRed(colour), qGreen(colour), qBlue(colour), alpha));
            }
        }
        const QRectF box = font.boundingRect(index);
        return {picture, QPoint(int(std::floor(box.x() + 0.5)), int(std::floor(box.y() + 0.5)))};
    }

    QHash<QString, int> fonts_;
    QCache<GlyphKey, Glyph> glyphs_{kGlyphCacheBytes};
};

GlyphCache& glyphCache() {
    static GlyphCache cache;
    return cache;
}

// The lines of `text` laid out in `box` as QPainter::drawText lays them
// out: wrapped at the box's width when `flags` ask for it, each line aligned
// across the box, the whole block aligned down it.
void layOut(QTextLayout& layout, const QRect& box, int flags, const QFontMetricsF& metrics) {
    const bool wrap = (flags & (Qt::TextWordWrap | Qt::TextWrapAnywhere)) != 0;
    QTextOption option;
    option.setWrapMode(!wrap                                 ? QTextOption::ManualWrap
                       : (flags & Qt::TextWrapAnywhere) != 0 ? QTextOption::WrapAnywhere
                                                             : QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    double height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(wrap ? std::max(0, box.width()) : 0x01000000);
        height = std::ceil(height + metrics.leading());
        double x = 0;
        if ((flags & Qt::AlignRight) != 0) {
            x = box.width() - line.naturalTextWidth();
        } else if ((flags & Qt::AlignHCenter) != 0) {
            x = (box.width() - line.naturalTextWidth()) / 2;
        }
        line.setPosition(QPointF(x, height));
        height += line.height();
    }
    layout.endLayout();
    double y = 0;
    if ((flags & Qt::AlignBottom) != 0) {
        y = box.height() - height;
    } else if ((flags & Qt::AlignVCenter) != 0) {
        y = (box.height() - height) / 2;
    }
    layout.setPosition(QPointF(box.left(), box.top() + y));
}

}  // namespace

bool isLargeType(const QFont& font, double devicePixelRatio) {
    return QFontInfo(font).pixelSize() * devicePixelRatio >= kLargestCachedGlyph;
}

void drawGlyphRuns(QPainter& painter, const QList<QGlyphRun>& runs, QPointF origin,
                   const QColor& colour) {
    const double ratio = painter.device()->devicePixelRatioF();
    GlyphCache& cache = glyphCache();
    for (const QGlyphRun& run : runs) {
        QRawFont font = run.rawFont();
        if (ratio != 1) {
            font.setPixelSize(font.pixelSize() * ratio);
        }
        const int number = cache.fontNumber(font);
        const QList<quint32> indexes = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < indexes.size() && i < positions.size(); ++i) {
            const Glyph glyph = cache.glyph(font, number, indexes[i], colour.rgba());
            if (glyph.picture.isNull()) {
                continue;
            }
            // Placed on whole device pixels, as Qt places its cached glyphs.
            const QPointF pen = (origin + positions[i]) * ratio;
            const QPointF corner(std::round(pen.x()) + glyph.offset.x(),
                                 std::round(pen.y()) + glyph.offset.y());
            painter.drawImage(QRectF(corner / ratio, QSizeF(glyph.picture.size()) / ratio),
                              glyph.picture);
        }
    }
}

void drawText(QPainter& painter, const QRect& box, int flags, const QString& text,
              const QColor& colour) {
    const bool onlyMoved = painter.transform().type() <= QTransform::TxTranslate;
    if (!onlyMoved || !isLargeType(painter.font(), painter.device()->devicePixelRatioF())) {
        painter.save();
        painter.setPen(colour);
        painter.drawText(box, flags, text);
        painter.restore();
        return;
    }
    painter.save();
    if ((flags & Qt::TextDontClip) == 0) {
        painter.setClipRect(box, Qt::IntersectClip);
    }
    QString shown = text;
    shown.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(shown, painter.font(), painter.device());
    layOut(layout, box, flags, QFontMetricsF(painter.font(), painter.device()));
    drawGlyphRuns(painter, layout.glyphRuns(), layout.position(), colour);
    painter.restore();
}

}  // namespace ui
