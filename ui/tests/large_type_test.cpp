// Large type drawn from the glyph cache must look as Qt draws it: the same
// ink in the same places, for every alignment and wrapping the controls use,
// in Latin and Greek, and in the colour asked for.
#include <gtest/gtest.h>

#include <QFont>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "ui/large_type.h"

namespace ui {
namespace {

struct TextRow {
    const char* name;
    const char* text;
    int flags;
    QSize box;
};

void PrintTo(const TextRow& row, std::ostream* out) {
    *out << row.name;
}

const TextRow kTexts[] = {
    {"CentredCaption", "FIXED END", Qt::AlignCenter, {700, 160}},
    {"GreekCaption", "ΕΛΕΥΘΕΡΟ ΑΚΡΟ", Qt::AlignCenter, {900, 160}},
    {"WrappedDescription",
     "Ένας παλμός διαδίδεται σε χορδή και ανακλάται στο άκρο της.",
     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
     {900, 420}},
    {"RightAlignedLines",
     "A1/A0 = 0.33\nA2/A0 = 1.33",
     Qt::AlignRight | Qt::AlignBottom,
     {760, 300}},
    {"HalfOutside", "c1 = 1.20", Qt::AlignHCenter | Qt::AlignVCenter, {200, 60}},
};

constexpr QRgb kInk = 0xff2d5da8;

QImage drawn(const TextRow& row, bool fromCache) {
    QImage image(row.box + QSize(400, 200), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(80);
    painter.setFont(font);
    const QRect box(QPoint(200, 100), row.box);
    if (fromCache) {
        drawText(painter, box, row.flags, QString::fromUtf8(row.text), QColor::fromRgba(kInk));
    } else {
        painter.setPen(QColor::fromRgba(kInk));
        painter.drawText(box, row.flags, QString::fromUtf8(row.text));
    }
    return image;
}

class LargeType : public ::testing::TestWithParam<TextRow> {};

TEST_P(LargeType, LooksAsQtDrawsIt) {
    const QImage qt = drawn(GetParam(), false);
    const QImage cached = drawn(GetParam(), true);
    double ink = 0;
    double cachedInkTotal = 0;
    double differs = 0;
    QRect qtInk;
    QRect cachedInk;
    for (int y = 0; y < qt.height(); ++y) {
        for (int x = 0; x < qt.width(); ++x) {
            const QRgb a = qt.pixel(x, y);
            const QRgb b = cached.pixel(x, y);
            ink += qAlpha(a);
            cachedInkTotal += qAlpha(b);
            differs += std::abs(qAlpha(a) - qAlpha(b));
            if (qAlpha(a) > 128) {
                qtInk |= QRect(x, y, 1, 1);
            }
            if (qAlpha(b) > 128) {
                cachedInk |= QRect(x, y, 1, 1);
            }
            if (qAlpha(b) == 255) {
                EXPECT_EQ(b, kInk);
            }
        }
    }
    // The rasteriser's pixels and Qt's filled outlines differ in their
    // antialiased edges, not in where the strokes lie.
    ASSERT_GT(ink, 0);
    EXPECT_NEAR(cachedInkTotal / ink, 1.0, 0.05);
    EXPECT_LT(differs / ink, 0.3);
    EXPECT_LE((qtInk.topLeft() - cachedInk.topLeft()).manhattanLength(), 3);
    EXPECT_LE((qtInk.bottomRight() - cachedInk.bottomRight()).manhattanLength(), 3);
}

INSTANTIATE_TEST_SUITE_P(Texts, LargeType, ::testing::ValuesIn(kTexts),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace ui
