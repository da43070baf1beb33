// A window's user scale maps its client area's corners to the corners the
// program gave; without one it is twips from the top-left corner.
#include <gtest/gtest.h>

#include <QWidget>

#include "ui/twips.h"
#include "ui/user_scale.h"

namespace ui {
namespace {

TEST(UserScale, WithoutAScaleIsTwipsFromTheCorner) {
    QWidget client;
    client.resize(200, 100);
    const UserScale scale(client);
    EXPECT_DOUBLE_EQ(scale.width(), 200 * twipsPerPixel());
    EXPECT_NEAR(scale.toPixels(QPointF(15 * twipsPerPixel(), 0)).x(), 15, 1e-9);
}

// The pulse windows run the vertical axis upwards: Scale(0, 1, 10, -1).
TEST(UserScale, MapsTheCornersWhateverTheClientsSize) {
    QWidget client;
    client.resize(200, 100);
    UserScale scale(client);
    scale.set(0, 1, 10, -1);
    EXPECT_EQ(scale.toPixels(QPointF(0, 1)), QPointF(0, 0));
    EXPECT_EQ(scale.toPixels(QPointF(10, -1)), QPointF(200, 100));
    client.resize(400, 50);
    EXPECT_EQ(scale.toPixels(QPointF(5, 0)), QPointF(200, 25));
    EXPECT_EQ(scale.fromPixels(QPointF(400, 50)), QPointF(10, -1));
}

}  // namespace
}  // namespace ui
