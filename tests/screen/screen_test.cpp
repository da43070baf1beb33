// The program on a real X display (Xvfb, Qt's xcb platform), read back from
// the screen's own pixels: what the student sees, not what the widgets
// believe they drew. scripts/run-on-xvfb starts the display, at the size a test's
// CTest entry names, without a window manager or under openbox.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <vector>

#include "app/introduction.h"
#include "app/language.h"
#include "elliptic/window.h"
#include "instruments/dock.h"
#include "instruments/plot.h"
#include "instruments/point_probe.h"
#include "instruments/predict_window.h"
#include "instruments/space_time.h"
#include "single_string/window.h"
#include "tests/support/contrast.h"
#include "tests/support/program_test.h"
#include "two_media/window.h"
#include "ui/events.h"
#include "ui/zoom.h"

namespace palmos {
namespace {

using namespace testing_support::current;

// Lets the X server and the program settle: exposes, paints, the window
// manager's frames.
void settle() {
    QTest::qWait(300);
    QCoreApplication::processEvents();
}

void click(QAbstractButton& button) {
    QTest::mouseClick(&button, Qt::LeftButton);
    settle();
}

QImage screenPixels() {
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
        QImage::Format_RGB32);
}

// The part of a box on the screen.
QRect onScreen(const QRect& box) {
    return box & QGuiApplication::primaryScreen()->geometry();
}

// How many pixels of each colour the part of a box on the screen has.
std::map<QRgb, int> coloursIn(const QImage& screen, const QRect& whole) {
    const QRect box = onScreen(whole);
    std::map<QRgb, int> counts;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            ++counts[screen.pixel(x, y)];
        }
    }
    return counts;
}

QRgb commonest(const std::map<QRgb, int>& counts) {
    return std::max_element(counts.begin(), counts.end(),
                            [](auto& a, auto& b) { return a.second < b.second; })
        ->first;
}

// Pixels of a box that stand out from its most common colour by more than a
// third of the scale in some channel: the ink of its text.
int inkIn(const QImage& screen, const QRect& whole) {
    const std::map<QRgb, int> counts = coloursIn(screen, whole);
    if (counts.empty()) {
        return 0;
    }
    const QRgb ground = commonest(counts);
    int ink = 0;
    for (const auto& [colour, count] : counts) {
        const int apart = std::max({std::abs(qRed(colour) - qRed(ground)),
                                    std::abs(qGreen(colour) - qGreen(ground)),
                                    std::abs(qBlue(colour) - qBlue(ground))});
        ink += apart > 85 ? count : 0;
    }
    return ink;
}

// Where a control's text stands, on the screen.
QRect textBox(const QWidget& control) {
    QRect local;
    if (const auto* button = dynamic_cast<const ui::CommandButton*>(&control)) {
        local = button->captionPlace().box;
    } else if (const auto* option = dynamic_cast<const ui::OptionButton*>(&control)) {
        local = option->captionPlace().box;
    } else if (const auto* box = dynamic_cast<const ui::TextBox*>(&control)) {
        local = box->viewport()->geometry();
    } else {
        local = control.contentsRect();
    }
    return {control.mapToGlobal(local.topLeft()), local.size()};
}

QString textOf(const QWidget& control) {
    if (const auto* box = dynamic_cast<const ui::TextBox*>(&control)) {
        return box->Text();
    }
    if (const auto* captioned = dynamic_cast<const ui::Captioned*>(&control)) {
        return captioned->Caption();
    }
    return {};
}

// Every caption, label and readout of a window that lies on the screen shows
// ink: at least a few pixels for each letter. Returns how many were looked
// at.
int expectInkInEveryText(const ui::Form& window) {
    const QImage screen = screenPixels();
    int looked = 0;
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        const QString text = textOf(*control).simplified();
        const QRect box = textBox(*control);
        // A text partly off the screen shows its share of the ink.
        const double shown = static_cast<double>(onScreen(box).width() * onScreen(box).height()) /
                             std::max(1, box.width() * box.height());
        if (!control->isVisible() || text.isEmpty() || shown < 0.25) {
            continue;
        }
        const auto blanks = static_cast<int>(text.count(QChar(' ')));
        const int wanted = static_cast<int>(3 * shown * (static_cast<int>(text.size()) - blanks));
        EXPECT_GE(inkIn(screen, box), wanted)
            << window.windowTitle().toStdString() << ": \"" << text.toStdString() << "\" at "
            << box.x() << "," << box.y() << " " << box.width() << "x" << box.height();
        ++looked;
    }
    return looked;
}

// The colour that covers most of a box.
QRgb faceOf(const QImage& screen, const QRect& whole) {
    return commonest(coloursIn(screen, whole));
}

void expectSelectedEndStandsOut(Dyomessa& window) {
    const QImage screen = screenPixels();
    const auto face = [&](const ui::OptionButton& option) {
        return faceOf(screen, QRect(option.mapToGlobal(QPoint(0, 0)), option.size()));
    };
    const bool fixedChosen = window.stathero1.Value();
    EXPECT_GE(testing_support::contrast(face(window.stathero1), face(window.elefthero1)), 3.0)
        << (fixedChosen ? "FIXED END" : "FREE END") << " chosen";
}

class RealScreen : public testing_support::ProgramTest {
  protected:
    void SetUp() override {
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
        ui::dispatch([this] { ApplyLanguage(); });
        settle();
        // PALMOS_ZOOM_IN presses of Ctrl+Plus, as a teacher does on a
        // projector.
        for (int press = 0; press < qEnvironmentVariableIntValue("PALMOS_ZOOM_IN"); ++press) {
            QTest::keyClick(&eisagogi1(), Qt::Key_Plus, Qt::ControlModifier);
        }
        settle();
    }
};

TEST_F(RealScreen, EveryTextOfTheIntroductionAndTwoMediaWindowsHasInk) {
    Eisagogi1& introduction = eisagogi1();
    EXPECT_GE(expectInkInEveryText(introduction), 6) << "English introduction";
    click(introduction.Option2);
    EXPECT_GE(expectInkInEveryText(introduction), 6) << "Greek introduction";

    click(introduction.MESADYO);
    Dyomessa& twoMedia = dyomessa();
    click(twoMedia.Command2);  // START: the readouts are written again
    EXPECT_GE(expectInkInEveryText(twoMedia), 8) << "Greek two-media window";
    expectSelectedEndStandsOut(twoMedia);
    click(twoMedia.elefthero1);
    expectSelectedEndStandsOut(twoMedia);

    introduction.Show();
    click(introduction.Option1);
    click(introduction.MESADYO);
    EXPECT_GE(expectInkInEveryText(twoMedia), 8) << "English two-media window";
}

// Qt's own windows take the program's zoom: the instruments' menu and a
// message box have the desktop's type enlarged as much as the windows'.
TEST_F(RealScreen, MenusAndMessageBoxesFollowTheZoom) {
    click(eisagogi1().MESADYO);
    QMenu menu;
    menu.addAction(QStringLiteral("Space-time diagram"));
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Palmos"), QStringLiteral("157"));
    const double points = QApplication::font().pointSizeF();
    for (const QWidget* window : {static_cast<QWidget*>(&menu), static_cast<QWidget*>(&box)}) {
        EXPECT_DOUBLE_EQ(window->font().pointSizeF(), points);
    }
    const double before = QFontInfo(menu.font()).pixelSize();
    QTest::keyClick(&dyomessa(), Qt::Key_Plus, Qt::ControlModifier);
    settle();
    EXPECT_GT(QFontInfo(menu.font()).pixelSize(), before);
    EXPECT_NEAR(QApplication::font().pointSizeF() / points,
                ui::zoom() / (ui::zoom() - 0.25 * ui::fittedZoom()), 1e-9);
}

// Under a window manager, every window the program places shows its whole
// frame, title bar included.
TEST_F(RealScreen, WindowsTheProgramPlacesKeepTheirFramesOnTheScreen) {
    if (qgetenv("PALMOS_WINDOW_MANAGER") != "openbox") {
        GTEST_SKIP() << "needs a window manager";
    }
    click(eisagogi1().APLO);
    click(ypervola().Command2);  // the elliptic equation
    click(eisagogi1().MESADYO);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const auto expectFramed = [&screen](const ui::Form* window) {
        ASSERT_TRUE(window->isVisible()) << window->windowTitle().toStdString();
        EXPECT_TRUE(QTest::qWaitFor([&] {
            return window->windowHandle()->frameMargins().top() > 0;
        })) << window->windowTitle().toStdString()
            << " has no title bar";
        // The program places the window again once its frame is known.
        EXPECT_TRUE(QTest::qWaitFor([&] { return screen.contains(window->frameGeometry()); }))
            << window->windowTitle().toStdString() << " framed at " << window->frameGeometry().x()
            << "," << window->frameGeometry().y() << " " << window->frameGeometry().width() << "x"
            << window->frameGeometry().height();
    };
    for (const ui::Form* window :
         {static_cast<ui::Form*>(&eisagogi1()), static_cast<ui::Form*>(&ypervola()),
          static_cast<ui::Form*>(&elliptikh()), static_cast<ui::Form*>(&dyomessa())}) {
        expectFramed(window);
    }
    // Closed through its title bar, a window lets go of its native window;
    // opened again, it is framed and placed anew.
    elliptikh().close();
    settle();
    ASSERT_EQ(elliptikh().windowHandle(), nullptr);
    click(ypervola().Command2);
    expectFramed(&elliptikh());
}

// The docked instruments, each in front in turn as a click on its tab brings
// it, at the fitted zoom: whole on the screen, drawn there, and clear of the
// string's circles and of the window's controls, which show on the screen as
// their window draws them.
struct DockedRow {
    const char* name;
    ui::Form& (*window)();
    InstrumentSet& (*instruments)();
    PredictMode& (*predict)();
    const ui::ShapeArray& (*circles)();
    void (*play)();  // a run played and at rest
};

const DockedRow kDocked[] = {
    {"TwoMediaAllFour", []() -> ui::Form& { return dyomessa(); }, twoMediaInstruments,
     []() -> PredictMode& { return program().twoMediaPredict(); },
     []() -> const ui::ShapeArray& { return dyomessa().Shape1; },
     [] {
         click(eisagogi1().MESADYO);
         click(dyomessa().Command2);  // START of the step mode
         click(dyomessa().Command3);  // STOP
     }},
    {"SimpleSolutionThree", []() -> ui::Form& { return ypervola(); }, simpleSolutionInstruments,
     []() -> PredictMode& { return program().simpleSolutionPredict(); },
     []() -> const ui::ShapeArray& { return ypervola().Shape1; },
     [] {
         click(eisagogi1().APLO);
         click(ypervola().Command1);
         ASSERT_TRUE(QTest::qWaitFor([] { return !ypervola().Timer1.Enabled(); }, 20000));
     }},
};

QRect global(const QWidget& widget) {
    return {widget.mapToGlobal(QPoint(0, 0)), widget.size()};
}

// The share of the pixels of a row or column of the screen in `colour`.
double shareIn(const QImage& screen, const QRect& line, QRgb colour) {
    const std::map<QRgb, int> counts = coloursIn(screen, line);
    const auto found = counts.find(colour);
    return found == counts.end()
               ? 0.0
               : static_cast<double>(found->second) / (line.width() * line.height());
}

// The share of the pixels of `box` on the screen that show as they do in
// `drawn`, a window's own picture, whose top left stands at `origin`.
double sameIn(const QImage& screen, const QImage& drawn, const QRect& box, QPoint origin) {
    const QRect part = onScreen(box);
    int same = 0;
    for (int y = part.top(); y <= part.bottom(); ++y) {
        for (int x = part.left(); x <= part.right(); ++x) {
            const QPoint own = QPoint(x, y) - origin;
            same += drawn.valid(own) && drawn.pixel(own) == screen.pixel(x, y) ? 1 : 0;
        }
    }
    return static_cast<double>(same) / std::max(1, box.width() * box.height());
}

class DockedOnScreen : public RealScreen, public ::testing::WithParamInterface<DockedRow> {};

TEST_P(DockedOnScreen, EachInFrontIsWholeOnTheScreenAndCoversNothing) {
    const DockedRow& row = GetParam();
    row.play();
    InstrumentSet& set = row.instruments();
    set.openSpaceTimeDiagram();
    set.openPointProbe();
    set.pointProbeWindow()->addProbe(20);
    set.pointProbeWindow()->addProbe(40);
    const bool ratios = &set == &twoMediaInstruments();
    if (ratios) {
        set.openMeasuredRatios();
    }
    row.predict().setOn(true);
    PredictWindow& predict = *row.predict().window();
    predict.ask(
        QStringLiteral("Where does the reflected pulse go?"),
        {QStringLiteral("Upward"), QStringLiteral("Downward"), QStringLiteral("There is none")});
    settle();
    ASSERT_DOUBLE_EQ(ui::zoom(), ui::fittedZoom());
    // Each instrument, and the box of its plot's frame on the screen.
    std::vector<std::pair<QWidget*, std::function<QRect()>>> open{
        {set.spaceTimeWindow(),
         [&set] {
             const QRect plot = set.spaceTimeWindow()->plotRect();
             return QRect(set.spaceTimeWindow()->mapToGlobal(plot.topLeft()), plot.size());
         }},
        {set.pointProbeWindow(),
         [&set] {
             const Plot& chart = set.pointProbeWindow()->chart();
             return QRect(chart.mapToGlobal(chart.plotRect().topLeft()), chart.plotRect().size());
         }},
        {&predict, [] { return QRect(); }}};
    if (ratios) {
        open.emplace_back(set.measuredRatiosWindow(), [] { return QRect(); });
    }
    ui::Form& window = row.window();
    const QImage drawn = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect screenBox = QGuiApplication::primaryScreen()->geometry();
    for (const auto& [instrument, plotFrame] : open) {
        const std::string name = instrument->windowTitle().toStdString();
        set.dock().bringToFront(instrument);
        set.dock().layOut();
        settle();
        const QWidget& shown = *set.dock().shownIn(instrument);
        ASSERT_TRUE(instrument->isVisible()) << name;
        EXPECT_TRUE(QTest::qWaitFor([&] { return screenBox.contains(shown.frameGeometry()); }))
            << name << " framed at " << shown.frameGeometry().x() << ","
            << shown.frameGeometry().y() << " " << shown.frameGeometry().width() << "x"
            << shown.frameGeometry().height();
        const QImage screen = screenPixels();
        for (const QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (control->isVisible() && !control->isWindow()) {
                EXPECT_GE(sameIn(screen, drawn, global(*control), window.mapToGlobal(QPoint())),
                          0.95)
                    << name << " in front: " << control->metaObject()->className() << " "
                    << control->accessibleName().toStdString() << " at " << control->x() << ","
                    << control->y();
            }
        }
        const ui::ShapeArray& circles = row.circles();
        for (int i = 0; i < circles.count(); i += 9) {
            const QPoint centre = circles(i).pixelBox().center().toPoint();
            EXPECT_EQ(QColor(screen.pixel(window.mapToGlobal(centre))), QColor(drawn.pixel(centre)))
                << name << " in front: circle " << i;
        }
        // The plot's frame, drawn in the text's colour along its top and left,
        // as tall as a class reads: 160 pixels on full HD, with the zoom.
        if (const QRect plot = plotFrame(); !plot.isNull()) {
            EXPECT_GE(plot.height(), static_cast<int>(160.0 * ui::zoom() / 1.8)) << name;
            const QRgb ink = instrument->palette().windowText().color().rgb();
            EXPECT_GE(shareIn(screen, QRect(plot.left(), plot.top(), plot.width(), 1), ink), 0.9)
                << name;
            EXPECT_GE(shareIn(screen, QRect(plot.left(), plot.top(), 1, plot.height()), ink), 0.9)
                << name;
        }
    }
    // The question's answers, each whole in the predict window on the screen
    // and drawn there.
    set.dock().bringToFront(&predict);
    set.dock().layOut();
    settle();
    const QImage screen = screenPixels();
    ASSERT_EQ(predict.answerButtons().size(), 3u);
    for (const QPushButton* answer : predict.answerButtons()) {
        const QRect box = global(*answer);
        EXPECT_TRUE(screenBox.contains(box) &&
                    set.dock().shownIn(&predict)->geometry().contains(box))
            << answer->text().toStdString() << " at " << box.x() << "," << box.y();
        EXPECT_TRUE(answer->visibleRegion() == QRegion(answer->rect()))
            << answer->text().toStdString();
        EXPECT_GE(inkIn(screen, box), 3 * answer->text().size()) << answer->text().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Instruments, DockedOnScreen, ::testing::ValuesIn(kDocked),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace palmos
