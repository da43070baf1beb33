// What a student sees after each tick, where only the moved circles and the
// new dots and lines are repainted, is exactly the window painted afresh (the
// test runs once per lab screen, at 100 % and at 200 %).
#include <gtest/gtest.h>

#include <QBackingStore>
#include <QImage>
#include <QTest>
#include <functional>

#include "app/introduction.h"
#include "app/language.h"
#include "elliptic/window.h"
#include "single_string/simple_solution.h"
#include "single_string/window.h"
#include "tests/support/program_test.h"
#include "two_media/procedures.h"
#include "two_media/window.h"
#include "ui/events.h"

namespace palmos {
namespace {

using namespace testing_support::current;

void click(QAbstractButton& button) {
    QTest::mouseClick(&button, Qt::LeftButton);
}

// Lets Qt repaint what the last tick left to repaint, as the event loop would.
void repaintPending() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

// The window's backing store: on the offscreen platform, the image the
// repaints go into.
QImage onScreen(const QWidget& window) {
    const auto* image = dynamic_cast<const QImage*>(window.backingStore()->paintDevice());
    if (image == nullptr) {
        ADD_FAILURE() << "the backing store is not an image";
        return {};
    }
    return image->copy(QRect(QPoint(0, 0), window.size() * window.devicePixelRatio()))
        .convertToFormat(QImage::Format_RGB32);
}

QImage paintedAfresh(QWidget& window) {
    return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

struct Run {
    const char* name;
    std::function<ui::Form&()> start;
    std::function<void()> tick;
    int ticks;
};

void PrintTo(const Run& run, std::ostream* out) {
    *out << run.name;
}

class Repaint : public testing_support::ProgramTest, public ::testing::WithParamInterface<Run> {};

TEST_P(Repaint, WhatIsOnScreenAfterEachTickIsTheWindowPaintedAfresh) {
    ui::dispatch([this] { ApplyLanguage(); });
    ui::Form& window = GetParam().start();
    QCoreApplication::processEvents();  // the window is exposed and painted once
    ASSERT_TRUE(window.isVisible());
    int compared = 0;
    for (int k = 1; k <= GetParam().ticks; ++k) {
        GetParam().tick();
        repaintPending();
        if (k % 25 == 0 || k == GetParam().ticks) {
            const QImage seen = onScreen(window);
            const QImage fresh = paintedAfresh(window);
            ASSERT_EQ(seen.size(), fresh.size());
            ASSERT_TRUE(seen == fresh) << "after tick " << k;
            ++compared;
        }
    }
    EXPECT_GT(compared, 0);
    EXPECT_FALSE(ui::programEnded());
}

ui::Form& singleString() {
    click(eisagogi1().APLO);
    click(ypervola().Command1);
    return ypervola();
}

ui::Form& elliptic() {
    click(eisagogi1().APLO);
    click(ypervola().Command2);
    return elliptikh();
}

ui::Form& continuousRun() {
    click(eisagogi1().MESADYO);
    ui::dispatch([] { dyomessa().Command1_Click(); });
    return dyomessa();
}

ui::Form& stepMode() {
    click(eisagogi1().MESADYO);
    click(dyomessa().Command2);
    return dyomessa();
}

INSTANTIATE_TEST_SUITE_P(
    EveryRun, Repaint,
    ::testing::Values(Run{"SingleString", singleString, [] { ypervola().Timer1.fire(); }, 300},
                      Run{"Elliptic", elliptic, [] { click(elliptikh().Command1); }, 2},
                      Run{"TwoMediaContinuous", continuousRun, [] { dyomessa().Timer1.fire(); },
                          200},
                      Run{"StepMode", stepMode, [] { dyomessa().Timer2.fire(); }, 250}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace palmos
