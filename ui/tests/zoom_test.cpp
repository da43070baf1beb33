// The zoom fits the design screen into the real one, and what was drawn is
// drawn again at the new size.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QScreen>

#include "tests/support/rows.h"
#include "ui/form.h"
#include "ui/placement.h"
#include "ui/zoom.h"

namespace ui {
namespace {

using palmos::kRowName;
using palmos::PrintTo;

struct ScreenRow {
    const char* name;
    QSizeF screen;
    double zoom;
};

class FittedZoom : public ::testing::TestWithParam<ScreenRow> {};

TEST_P(FittedZoom, FitsAnEightHundredBySixHundredScreen) {
    EXPECT_DOUBLE_EQ(fittedZoom(GetParam().screen), GetParam().zoom);
}

INSTANTIATE_TEST_SUITE_P(Screens, FittedZoom,
                         ::testing::Values(ScreenRow{"DesignScreen", {800, 600}, 1.0},
                                           ScreenRow{"SmallerNeverShrinks", {640, 480}, 1.0},
                                           ScreenRow{"Laptop720p", {1280, 720}, 1.2},
                                           ScreenRow{"Square1024", {1024, 768}, 1.28},
                                           ScreenRow{"FullHd", {1920, 1080}, 1.8},
                                           ScreenRow{"FullHdAt200Percent", {960, 540}, 1.0},
                                           ScreenRow{"Projector4K", {3840, 2160}, 3.6},
                                           ScreenRow{"Wall8KStopsAtFour", {7680, 4320}, 4.0}),
                         [](const auto& info) { return std::string(info.param.name); });

// A dot's side and a line's width are design pixels: at zoom 2 a 3-pixel dot
// covers 6 x 6 pixels and a 1-pixel line 2 rows. Back at zoom 1 the surface
// is what it was, though the grid was ruled twice and the dot set twice.
TEST(Zoom, RedrawsTheSurfaceAtTheNewSize) {
    setZoom(1.0);
    Form form(QStringLiteral("zoom"), Font{}, 3000, 3000);
    form.Scale(0, 0, 100, 100);
    for (int twice = 0; twice < 2; ++twice) {
        form.setDrawWidth(1);
        form.Line(0, 50, 100, 50, Qt::black);
        form.setDrawWidth(3);
        form.PSet(25, 25, Qt::red);
    }
    const QImage atOne = form.surface().copy(form.rect());

    setZoom(2.0);
    const QImage atTwo = form.surface();
    const QPoint dot = form.toPixels(25, 25).toPoint();
    int red = 0;
    for (int y = dot.y() - 4; y <= dot.y() + 4; ++y) {
        for (int x = dot.x() - 4; x <= dot.x() + 4; ++x) {
            red += atTwo.pixel(x, y) == qRgb(255, 0, 0) ? 1 : 0;
        }
    }
    EXPECT_EQ(red, 36);
    const int lineX = form.toPixels(75, 50).toPoint().x();
    int black = 0;
    for (int y = 0; y < atTwo.height(); ++y) {
        black += atTwo.pixel(lineX, y) == qRgb(0, 0, 0) ? 1 : 0;
    }
    EXPECT_EQ(black, 2);

    setZoom(1.0);
    EXPECT_EQ(form.surface().copy(form.rect()), atOne);
}

// A phone turned, a browser window resized: what the program placed keeps
// its share of the screen, so a window stretched over it still is.
TEST(Placement, KeepsItsShareOfAScreenThatChangesSize) {
    QWidget window;
    Placement placement(window);
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    placement.set(Placement::Left, screen.width() / 4);
    placement.set(Placement::Width, screen.width() / 2);
    placement.set(Placement::Height, screen.height());

    placement.followScreen(QSize(screen.width() * 2, screen.height() / 2));
    EXPECT_EQ(window.frameGeometry().x(), screen.width() / 2);
    EXPECT_EQ(window.frameGeometry().width(), screen.width());
    EXPECT_EQ(window.frameGeometry().height(), screen.height() / 2);

    placement.followScreen(screen);
    EXPECT_EQ(window.frameGeometry().x(), screen.width() / 4);
    EXPECT_EQ(window.frameGeometry().width(), screen.width() / 2);
}

}  // namespace
}  // namespace ui
