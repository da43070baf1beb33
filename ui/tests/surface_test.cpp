// The drawing surface skips a line that would change no pixel. Whatever the
// order of dots and lines, the surface must end up as if every one of them
// had been drawn.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <variant>
#include <vector>

#include "ui/form.h"

namespace ui {
namespace {

struct LineOp {
    QPointF from;
    QPointF to;
    QColor colour;
    int width = 1;
};
struct DotOp {
    QPointF at;
    QColor colour;
    int width = 1;
};
using Op = std::variant<LineOp, DotOp>;

struct Drawing {
    const char* name;
    std::vector<Op> ops;
};

void PrintTo(const Drawing& drawing, std::ostream* out) {
    *out << drawing.name;
}

// Every operation drawn, none skipped, on a plain image.
QImage drawnInFull(const Drawing& drawing, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    for (const Op& op : drawing.ops) {
        if (const auto* line = std::get_if<LineOp>(&op)) {
            painter.setPen(QPen(line->colour, line->width));
            painter.drawLine(line->from, line->to);
        } else {
            const auto& dot = std::get<DotOp>(op);
            const double half = dot.width / 2.0;
            painter.fillRect(QRectF(dot.at.x() - half, dot.at.y() - half, dot.width, dot.width),
                             dot.colour);
        }
    }
    return image;
}

class Surface : public ::testing::TestWithParam<Drawing> {};

TEST_P(Surface, EndsAsIfEveryDotAndLineWereDrawn) {
    Form form(QStringLiteral("surface"), Font{}, 3000, 3000);
    // One scale unit per pixel.
    form.Scale(0, 0, form.width(), form.height());
    for (const Op& op : GetParam().ops) {
        if (const auto* line = std::get_if<LineOp>(&op)) {
            form.setDrawWidth(line->width);
            form.Line(line->from.x(), line->from.y(), line->to.x(), line->to.y(), line->colour);
        } else {
            const auto& dot = std::get<DotOp>(op);
            form.setDrawWidth(dot.width);
            form.PSet(dot.at.x(), dot.at.y(), dot.colour);
        }
    }
    const QImage expected = drawnInFull(GetParam(), form.surface().size());
    EXPECT_TRUE(form.surface() == expected);
}

const QPointF a(10, 20), b(180, 20), c(100, 5), d(100, 150), e(15, 190), f(170, 30.5);
const QColor black(Qt::black), red(255, 0, 0), halfBlue(0, 0, 255, 128);

INSTANTIATE_TEST_SUITE_P(
    Orders, Surface,
    ::testing::Values(
        Drawing{"SameLineTwice", {LineOp{a, b, black}, LineOp{a, b, black}}},
        Drawing{"GridOfOneInkRuledThreeTimes",
                {LineOp{a, b, black}, LineOp{c, d, black}, LineOp{e, f, black}, LineOp{a, b, black},
                 LineOp{c, d, black}, LineOp{e, f, black}, LineOp{e, f, black}, LineOp{c, d, black},
                 LineOp{a, b, black}}},
        Drawing{"LineAgainOverAnotherColour",
                {LineOp{a, b, black}, LineOp{c, d, red}, LineOp{a, b, black}}},
        Drawing{"LineAgainOverAWiderLine",
                {LineOp{c, d, red}, LineOp{c, d, black, 5}, LineOp{c, d, red}}},
        Drawing{"LineAgainOverADot",
                {LineOp{a, b, black}, DotOp{QPointF(100, 20), red, 3}, LineOp{a, b, black}}},
        Drawing{"TranslucentLineTwiceDarkens", {LineOp{a, b, halfBlue}, LineOp{a, b, halfBlue}}},
        Drawing{"OpaqueAgainAfterATranslucentOne",
                {LineOp{e, f, black}, LineOp{a, f, halfBlue}, LineOp{e, f, black}}},
        Drawing{"DotsOfEveryColour",
                {DotOp{QPointF(50, 50), red, 3}, DotOp{QPointF(51, 50), black, 3},
                 DotOp{QPointF(50, 50), red, 3}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace ui
