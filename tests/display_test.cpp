// The program on a classroom's full-HD screen: zoomed to fit, re-laid out by
// the zoom keys without losing a thing, captions whole in both languages,
// labels clear of the step mode's grid, and the string smooth at every timer
// interval.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <cmath>

#include "app/introduction.h"
#include "app/language.h"
#include "single_string/window.h"
#include "tests/support/contrast.h"
#include "tests/support/program_test.h"
#include "tests/support/rows.h"
#include "two_media/procedures.h"
#include "two_media/window.h"
#include "ui/events.h"
#include "ui/zoom.h"

namespace palmos {
namespace {

using namespace testing_support::current;

using palmos::PrintTo;

void click(QAbstractButton& button) {
    QTest::mouseClick(&button, Qt::LeftButton);
}

void press(Qt::Key key) {
    QTest::keyClick(&dyomessa(), key, Qt::ControlModifier);
}

class Display : public testing_support::ProgramTest {
  protected:
    void SetUp() override {
        ASSERT_EQ(QGuiApplication::primaryScreen()->geometry().size(), QSize(1920, 1080));
        ui::dispatch([this] { ApplyLanguage(); });
        click(eisagogi1().APLO);
        click(eisagogi1().MESADYO);
    }
};

// Everything a zoom change must leave as it was.
struct Snapshot {
    int stepLevel;
    bool timerOn;
    int interval;
    std::vector<int> bars;
    QStringList texts;
    std::vector<QPointF> centres;
    double cells;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot() {
    Dyomessa& window = dyomessa();
    Snapshot shot{session().stepRun.stepLevel,
                  window.Timer2.Enabled(),
                  window.Timer2.Interval(),
                  {},
                  {},
                  {},
                  0};
    for (const ui::ScrollBar* bar :
         {&window.cmeso1, &window.cmesso2, &window.platos, &window.evros, &window.rythmisidt}) {
        shot.bars.push_back(bar->Value());
    }
    for (const CaptionRow& row : captionTable()) {
        shot.texts.append(row.target(windows()).Caption());
    }
    for (const ui::Label* label :
         {&window.Label1, &window.Label2, &window.Label3, &window.Label4, &window.Label5}) {
        shot.texts.append(label->Caption());
    }
    shot.texts.append(window.Text1.Text());
    // Centres to a thousandth of the vertical scale, far finer than a pixel.
    for (int i = 0; i < window.Shape1.count(); ++i) {
        const QPointF centre = window.fromPixels(window.Shape1(i).pixelBox().center());
        shot.centres.emplace_back(std::round(centre.x() * 1000), std::round(centre.y() * 1000));
    }
    for (int level = 0; level < kStepLevels; ++level) {
        shot.cells += session().stepRun.stepDisplacement.at(kStepPoints - 1, level);
    }
    return shot;
}

TEST_F(Display, ZoomKeysRelayoutEveryWindowAndTouchNothingElse) {
    Dyomessa& window = dyomessa();
    const double fit = ui::fittedZoom();
    ASSERT_DOUBLE_EQ(fit, 1.8);
    click(window.Command2);
    for (int k = 0; k < 40; ++k) {
        window.Timer2.fire();
    }
    const Snapshot before = snapshot();

    press(Qt::Key_Plus);
    EXPECT_DOUBLE_EQ(ui::zoom(), 1.25 * fit);
    press(Qt::Key_Equal);
    EXPECT_DOUBLE_EQ(ui::zoom(), 1.5 * fit);
    EXPECT_EQ(snapshot(), before);
    // Controls, fonts and windows at the new zoom: a button is its design
    // twips at 15 / z twips per pixel; stretched windows still fill the screen.
    EXPECT_NEAR(window.Command2.width(), 1095 / 15.0 * ui::zoom(), 1.0);
    EXPECT_NEAR(window.Command2.font().pointSizeF(), 8.25 * ui::zoom(), 0.01);
    for (const ui::Form* stretched :
         {static_cast<ui::Form*>(&eisagogi1()), static_cast<ui::Form*>(&ypervola()),
          static_cast<ui::Form*>(&window)}) {
        EXPECT_EQ(stretched->frameGeometry().size(), QSize(1920, 1080));
    }

    for (int held = 0; held < 30; ++held) {
        press(Qt::Key_Minus);
    }
    EXPECT_DOUBLE_EQ(ui::zoom(), ui::kMinZoom);
    for (int held = 0; held < 30; ++held) {
        press(Qt::Key_Plus);
    }
    EXPECT_DOUBLE_EQ(ui::zoom(), ui::kMaxZoom);
    press(Qt::Key_0);
    EXPECT_DOUBLE_EQ(ui::zoom(), fit);
    EXPECT_EQ(snapshot(), before);

    // The run goes on.
    window.Timer2.fire();
    EXPECT_EQ(stepRun.stepLevel, before.stepLevel + before.interval);
}

struct CaptionRowOfTest {
    const char* name;
    bool greek;
    double zoom;  // 0: the fitted zoom
};

class Captions : public Display, public ::testing::WithParamInterface<CaptionRowOfTest> {};

// Every button's and option's caption, wrapped where it has a blank, fits
// the face its design gives it.
TEST_P(Captions, AreDrawnWhole) {
    click(GetParam().greek ? eisagogi1().Option2 : eisagogi1().Option1);
    ui::setZoom(GetParam().zoom > 0 ? GetParam().zoom : ui::fittedZoom());
    int checked = 0;
    for (const CaptionRow& row : captionTable()) {
        auto* control = dynamic_cast<QWidget*>(&row.target(windows()));
        ui::CaptionPlace place{};
        if (const auto* button = dynamic_cast<const ui::CommandButton*>(control)) {
            place = button->captionPlace();
        } else if (const auto* option = dynamic_cast<const ui::OptionButton*>(control)) {
            place = option->captionPlace();
        } else {
            continue;
        }
        const QString caption = row.target(windows()).Caption();
        const QRect needed =
            QFontMetrics(control->font()).boundingRect(place.box, place.flags, caption);
        EXPECT_LE(needed.width(), place.box.width()) << row.window << "." << row.control;
        EXPECT_LE(needed.height(), place.box.height()) << row.window << "." << row.control;
        ++checked;
    }
    EXPECT_EQ(checked, 21);
}

INSTANTIATE_TEST_SUITE_P(Languages, Captions,
                         ::testing::Values(CaptionRowOfTest{"EnglishAtOne", false, 1.0},
                                           CaptionRowOfTest{"GreekAtOne", true, 1.0},
                                           CaptionRowOfTest{"EnglishFitted", false, 0.0},
                                           CaptionRowOfTest{"GreekFitted", true, 0.0},
                                           CaptionRowOfTest{"EnglishLargest", false, 4.0},
                                           CaptionRowOfTest{"GreekLargest", true, 4.0}),
                         kRowName);

// The grid is ruled behind the labels: the red "c1" label keeps its own
// background, with not one black pixel of a grid line across it.
TEST_F(Display, GridPassesBeneathTheLabels) {
    Dyomessa& window = dyomessa();
    click(window.Command2);
    window.Timer2.fire();
    const QImage picture = window.grab().toImage();
    const qreal ratio = picture.devicePixelRatio();
    const QRect label = window.Label1.geometry();
    int black = 0;
    for (int y = label.top(); y <= label.bottom(); ++y) {
        for (int x = label.left(); x <= label.right(); ++x) {
            black += picture.pixel(QPoint(x, y) * ratio) == qRgb(0, 0, 0) ? 1 : 0;
        }
    }
    EXPECT_EQ(black, 0);
    // A grid line does run at the label's height, just beside it.
    int lineBeside = 0;
    for (int y = label.top(); y <= label.bottom(); ++y) {
        lineBeside += picture.pixel(QPoint(label.right() + 3, y) * ratio) == qRgb(0, 0, 0);
    }
    EXPECT_GT(lineBeside, 0);
}

using testing_support::contrast;

struct FocusRow {
    const char* name;
    QWidget* (*control)();
};

class Focus : public Display, public ::testing::WithParamInterface<FocusRow> {};

// The focused control is framed by a ring at least 2 pixels thick that
// stands out at least 3:1 from the face inside it and the window outside.
TEST_P(Focus, RingIsThickAndContrasting) {
    QWidget* control = GetParam().control();
    control->window()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(control->window()));
    control->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(control->hasFocus());
    const QImage picture = control->window()->grab().toImage();
    const qreal ratio = picture.devicePixelRatio();
    const QPoint top = control->mapTo(control->window(), QPoint(control->width() / 2, 0));
    const auto at = [&](int dy) { return picture.pixel(QPoint(top.x(), top.y() + dy) * ratio); };
    EXPECT_EQ(at(0), ui::kFocusRingColour);
    EXPECT_EQ(at(1), ui::kFocusRingColour);
    EXPECT_GE(contrast(at(0), at(ui::focusRingWidth() + 1)), 3.0);
    EXPECT_GE(contrast(at(0), at(-1)), 3.0);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, Focus,
    ::testing::Values(FocusRow{"Button", []() -> QWidget* { return &dyomessa().Command2; }},
                      FocusRow{"SelectedGraphicalOption",
                               []() -> QWidget* { return &dyomessa().stathero1; }},
                      FocusRow{"Option", []() -> QWidget* { return &eisagogi1().Option2; }},
                      FocusRow{"Bar", []() -> QWidget* { return &dyomessa().evros; }}),
    kRowName);

struct IntervalRow {
    const char* name;
    int interval;
};

class StepString : public Display, public ::testing::WithParamInterface<IntervalRow> {};

// Whatever the interval, every circle is drawn within the move threshold of
// the level shown.
TEST_P(StepString, FollowsTheTableAtEveryInterval) {
    Dyomessa& window = dyomessa();
    ui::dispatch([&] {
        window.cmeso1.setValue(150);
        window.rythmisidt.setValue(GetParam().interval);
    });
    click(window.Command2);
    while (stepRun.stepLevel + window.Timer2.Interval() <= 1200) {
        window.Timer2.fire();
        const int shown = stepRun.stepLevel - window.Timer2.Interval();
        for (int i = 0; i < window.Shape1.count(); ++i) {
            const ui::Shape& circle = window.Shape1(i);
            ASSERT_LT(std::fabs(circle.Top() - circle.Height() / 2 -
                                stepRun.stepDisplacement.at(i, shown)),
                      kStepMoveThreshold)
                << "circle " << i << " at level " << shown;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Intervals, StepString,
                         ::testing::Values(IntervalRow{"One", 1}, IntervalRow{"Four", 4},
                                           IntervalRow{"Ten", 10}),
                         kRowName);

}  // namespace
}  // namespace palmos
