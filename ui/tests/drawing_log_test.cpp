// The drawing log keeps what can still show, oldest first: an opaque dot or
// line drawn again replaces its earlier copy, a translucent one adds to it.
#include <gtest/gtest.h>

#include <vector>

#include "ui/drawing_log.h"

namespace ui {
namespace {

SurfaceOp line(double x, QRgb colour = 0xff000000) {
    return {SurfaceOp::Kind::Line, x, 0, x, 10, colour, 1};
}

std::vector<SurfaceOp> logged(const DrawingLog& log) {
    std::vector<SurfaceOp> ops;
    log.forEach([&ops](const SurfaceOp& op) { ops.push_back(op); });
    return ops;
}

TEST(DrawingLog, AnOpaqueLineDrawnAgainMovesToTheEnd) {
    DrawingLog log;
    log.add(line(1));
    log.add(line(2));
    log.add(line(1));
    EXPECT_EQ(logged(log), (std::vector<SurfaceOp>{line(2), line(1)}));
}

TEST(DrawingLog, TranslucentLinesAreAllKept) {
    const QRgb halfBlue = qRgba(0, 0, 255, 128);
    DrawingLog log;
    log.add(line(1, halfBlue));
    log.add(line(2));
    log.add(line(1, halfBlue));
    EXPECT_EQ(logged(log), (std::vector<SurfaceOp>{line(1, halfBlue), line(2), line(1, halfBlue)}));
}

// The step mode rules the same grid on every tick: however often, the log
// holds the grid once, in the order it was ruled, and still replaces a line
// after its dropped copies were taken out.
TEST(DrawingLog, AGridRuledAThousandTimesIsLoggedOnce) {
    std::vector<SurfaceOp> grid;
    for (int x = 0; x < 10; ++x) {
        grid.push_back(line(x));
    }
    DrawingLog log;
    for (int tick = 0; tick < 1000; ++tick) {
        for (const SurfaceOp& op : grid) {
            log.add(op);
        }
    }
    EXPECT_EQ(logged(log), grid);
    log.add(line(0));
    std::vector<SurfaceOp> moved(grid.begin() + 1, grid.end());
    moved.push_back(line(0));
    EXPECT_EQ(logged(log), moved);
}

}  // namespace
}  // namespace ui
