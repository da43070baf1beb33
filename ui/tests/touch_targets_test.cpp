// A touch beside a small control reaches it; one on the window away from
// every control, on a control, and every mouse keep to what they hit.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QPushButton>
#include <QRadioButton>

#include "tests/support/rows.h"
#include "ui/touch_targets.h"

namespace ui {
namespace {

using palmos::kRowName;
using palmos::PrintTo;

// A 16-pixel button above a 20-pixel option button, 14 pixels apart, and a
// label beside them, as a phone shows the two-media window's controls.
struct Window {
    Window() {
        window.resize(400, 300);
        button.setGeometry(100, 100, 40, 16);
        option.setGeometry(100, 130, 80, 20);
        label.setGeometry(200, 100, 80, 20);
        hidden.setGeometry(300, 200, 40, 16);
        hidden.hide();
        window.show();
    }
    QWidget window;
    QPushButton button{QStringLiteral("START"), &window};
    QRadioButton option{QStringLiteral("FREE END"), &window};
    QLabel label{QStringLiteral("c1= 0.30"), &window};
    QPushButton hidden{QStringLiteral("STEP"), &window};
};

struct TargetRow {
    const char* name;
    QPoint at;
    // "button", "option" or "" for none.
    const char* target;
};

class TouchTarget : public ::testing::TestWithParam<TargetRow> {};

TEST_P(TouchTarget, IsTheControlHitOrTheNearestWithinFortyFourPixels) {
    Window w;
    const QWidget* found = touchTarget(w.window, GetParam().at);
    const std::string name = found == &w.button ? "button" : found == &w.option ? "option" : "";
    EXPECT_EQ(name, GetParam().target);
}

INSTANTIATE_TEST_SUITE_P(
    Points, TouchTarget,
    ::testing::Values(TargetRow{"OnTheButton", {120, 108}, "button"},
                      TargetRow{"FivePixelsAboveTheButton", {120, 95}, "button"},
                      TargetRow{"FifteenPixelsAboveIsTooFar", {120, 85}, ""},
                      TargetRow{"BetweenNearerTheButton", {120, 120}, "button"},
                      TargetRow{"BetweenNearerTheOption", {120, 126}, "option"},
                      TargetRow{"WideEnoughAlreadyNoWider", {185, 140}, ""},
                      TargetRow{"OnTheLabel", {240, 110}, ""},
                      TargetRow{"WhereAHiddenButtonIs", {320, 195}, ""}),
    kRowName);

struct TapRow {
    const char* name;
    QPoint at;
    bool byFinger;
    int clicks;
};

class Tap : public ::testing::TestWithParam<TapRow> {};

TEST_P(Tap, BesideTheButtonClicksItOnlyForAFinger) {
    installTouchTargets();
    Window w;
    int clicks = 0;
    QObject::connect(&w.button, &QPushButton::clicked, [&] { ++clicks; });
    // Made and gone within the test: a device outliving the application
    // crashes the process at its end.
    const QPointingDevice finger(QStringLiteral("finger"), 1, QInputDevice::DeviceType::TouchScreen,
                                 QPointingDevice::PointerType::Finger,
                                 QInputDevice::Capability::Position, 1, 0);
    const QPointingDevice* device =
        GetParam().byFinger ? &finger : QPointingDevice::primaryPointingDevice();
    const QPoint at = GetParam().at;
    for (const auto& [type, buttons] : {std::pair{QEvent::MouseButtonPress, Qt::LeftButton},
                                        std::pair{QEvent::MouseButtonRelease, Qt::NoButton}}) {
        QMouseEvent event(type, at, w.window.mapToGlobal(at), Qt::LeftButton, buttons,
                          Qt::NoModifier, device);
        QApplication::sendEvent(&w.window, &event);
    }
    EXPECT_EQ(clicks, GetParam().clicks);
    EXPECT_FALSE(w.button.isDown());
}

INSTANTIATE_TEST_SUITE_P(Presses, Tap,
                         ::testing::Values(TapRow{"FingerJustBelow", {120, 121}, true, 1},
                                           TapRow{"FingerTooFar", {120, 80}, true, 0},
                                           TapRow{"MouseJustBelow", {120, 121}, false, 0}),
                         kRowName);

}  // namespace
}  // namespace ui
