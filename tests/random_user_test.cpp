// A random user: a seeded sequence of everything a student can do on the real
// windows (and the handlers of the hidden controls), with the program's
// invariants checked after every action. A failure prints the seed and the
// shortest action list found that still reproduces it.
//
//   PALMOS_SEED=<n>      another seed (default 20261208)
//   PALMOS_ACTIONS=<n>   another number of actions (default 20000)
//   PALMOS_REPLAY=<list> replays a printed action list (RandomUser.Replay)
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "app/instruments.h"
#include "app/introduction.h"
#include "app/language.h"
#include "elliptic/window.h"
#include "single_string/simple_solution.h"
#include "single_string/window.h"
#include "tests/support/gui_testing.h"
#include "two_media/procedures.h"
#include "two_media/window.h"
#include "ui/events.h"

namespace palmos {
namespace {

void click(QAbstractButton& button) {
    // A student can only click what is on the screen.
    if (button.isVisible()) {
        QTest::mouseClick(&button, Qt::LeftButton);
    }
}

// A bar to its minimum, its maximum, or anywhere in between.
void moveBar(ui::ScrollBar& bar, unsigned value) {
    const int span = bar.Max() - bar.Min() + 1;
    const int target = value % 4 == 0   ? bar.Min()
                       : value % 4 == 1 ? bar.Max()
                                        : bar.Min() + static_cast<int>((value / 4) % span);
    ui::dispatch([&] { bar.setValue(target); });
}

void tick(ui::Timer& timer, unsigned count) {
    for (unsigned k = 0; k < count && timer.isTicking(); ++k) {
        timer.fire();
    }
}

void showOrHide(ui::Form& window, unsigned value) {
    if (value % 2 == 0) {
        window.close();  // through the title bar: only hides it
    } else {
        ui::dispatch([&] { window.Show(); });
    }
}

// Opens, uses or closes an instrument of either simulation window: everything
// but saving a picture, whose dialog waits for an answer.
void useInstruments(unsigned value) {
    InstrumentSet& instruments =
        value % 2 == 0 ? simpleSolutionInstruments() : twoMediaInstruments();
    QWidget& window = value % 2 == 0 ? static_cast<QWidget&>(ypervola()) : dyomessa();
    switch ((value / 2) % 6) {
        case 0:
            instruments.openSpaceTimeDiagram();
            break;
        case 1:
            instruments.openPointProbe();
            instruments.pointProbeWindow()->addProbe(static_cast<int>(value / 12 % 62));
            break;
        case 2:
            if (&instruments == &twoMediaInstruments()) {
                instruments.openMeasuredRatios();
            }
            break;
        case 3:
            instruments.copyData();
            break;
        case 4:
            // A click on the window, which picks a circle after the probe's item.
            QTest::mouseClick(
                &window, Qt::LeftButton, {},
                QPoint(static_cast<int>(value / 12 % 1900), static_cast<int>(value / 12 % 1000)));
            break;
        default:
            for (QWidget* instrument : std::initializer_list<QWidget*>{
                     instruments.spaceTimeWindow(), instruments.pointProbeWindow(),
                     instruments.measuredRatiosWindow()}) {
                if (instrument != nullptr) {
                    instrument->close();
                }
            }
    }
}

// The tables an action can recompute.
enum Tables : unsigned { kNone = 0, kSimple = 1, kTwoMedia = 2, kStep = 4 };

struct ActionKind {
    const char* name;
    unsigned prepares;
    std::function<void(unsigned)> run;
};

const std::vector<ActionKind>& actionKinds() {
    static const std::vector<ActionKind> kinds = {
        {"APLO", kSimple, [](unsigned) { click(eisagogi1().APLO); }},
        {"MESADYO", kTwoMedia, [](unsigned) { click(eisagogi1().MESADYO); }},
        {"ENGLISH", kNone, [](unsigned) { click(eisagogi1().Option1); }},
        {"GREEK", kNone, [](unsigned) { click(eisagogi1().Option2); }},
        {"ypervola.START", kSimple, [](unsigned) { click(ypervola().Command1); }},
        {"ypervola.elliptic", kNone, [](unsigned) { click(ypervola().Command2); }},
        {"ypervola.TWO_MEDIA", kTwoMedia, [](unsigned) { click(ypervola().Command4); }},
        {"ypervola.INTRODUCTION", kNone, [](unsigned) { click(ypervola().Command5); }},
        {"ypervola.FREE_END", kNone, [](unsigned) { click(ypervola().elefthero); }},
        {"ypervola.FIXED_END", kNone, [](unsigned) { click(ypervola().stathero); }},
        {"ypervola.lamdaval", kNone, [](unsigned v) { moveBar(ypervola().lamdaval, v); }},
        {"elliptikh.SOLVE", kNone, [](unsigned) { click(elliptikh().Command1); }},
        {"dyomessa.Command1", kTwoMedia,
         [](unsigned) { ui::dispatch([] { dyomessa().Command1_Click(); }); }},
        {"dyomessa.START", kStep, [](unsigned) { click(dyomessa().Command2); }},
        {"dyomessa.STOP", kNone, [](unsigned) { click(dyomessa().Command3); }},
        {"dyomessa.INTRODUCTION", kNone, [](unsigned) { click(dyomessa().Command4); }},
        {"dyomessa.CONTINUE", kNone, [](unsigned) { click(dyomessa().Command5); }},
        {"dyomessa.STEP", kNone, [](unsigned) { click(dyomessa().Command7); }},
        {"dyomessa.FREE_END", kNone, [](unsigned) { click(dyomessa().elefthero1); }},
        {"dyomessa.FIXED_END", kNone, [](unsigned) { click(dyomessa().stathero1); }},
        {"dyomessa.cmeso1", kNone, [](unsigned v) { moveBar(dyomessa().cmeso1, v); }},
        {"dyomessa.cmesso2", kNone, [](unsigned v) { moveBar(dyomessa().cmesso2, v); }},
        {"dyomessa.platos", kNone, [](unsigned v) { moveBar(dyomessa().platos, v); }},
        {"dyomessa.evros", kNone, [](unsigned v) { moveBar(dyomessa().evros, v); }},
        {"dyomessa.rythmisidt", kNone, [](unsigned v) { moveBar(dyomessa().rythmisidt, v); }},
        {"ticks", kNone,
         [](unsigned v) {
             tick(ypervola().Timer1, v % 60 + 1);
             tick(dyomessa().Timer1, v % 60 + 1);
             tick(dyomessa().Timer2, v % 60 + 1);
         }},
        {"ypervola.window", kNone, [](unsigned v) { showOrHide(ypervola(), v); }},
        {"dyomessa.window", kNone, [](unsigned v) { showOrHide(dyomessa(), v); }},
        {"elliptikh.window", kNone, [](unsigned v) { showOrHide(elliptikh(), v); }},
        {"zoom", kNone,
         [](unsigned v) {
             // In, out, back to the fit, or a key held down.
             static constexpr Qt::Key kKeys[] = {Qt::Key_Plus, Qt::Key_Minus, Qt::Key_0};
             const int presses = v % 4 == 3 ? 12 : 1;
             for (int k = 0; k < presses; ++k) {
                 QTest::keyClick(&eisagogi1(), kKeys[v % 4 == 3 ? (v / 4) % 2 : v % 4],
                                 Qt::ControlModifier);
             }
         }},
        {"instruments", kNone, [](unsigned v) { useInstruments(v); }},
        {"paint", kNone,
         [](unsigned) {
             QCoreApplication::processEvents();
             for (ui::Form* window :
                  {static_cast<ui::Form*>(&ypervola()), static_cast<ui::Form*>(&dyomessa())}) {
                 if (window->isVisible()) {
                     (void)window->grab();
                 }
             }
         }},
    };
    return kinds;
}

struct Action {
    int kind = 0;
    unsigned value = 0;
};

std::string describe(const std::vector<Action>& actions) {
    std::string text;
    for (const Action& action : actions) {
        text += (text.empty() ? "" : ",") + std::string(actionKinds()[action.kind].name) + ":" +
                std::to_string(action.value);
    }
    return text;
}

std::vector<Action> parse(const std::string& text) {
    std::vector<Action> actions;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find(',', start), text.size());
        const std::string item = text.substr(start, end - start);
        const std::size_t colon = item.find(':');
        for (std::size_t k = 0; k < actionKinds().size(); ++k) {
            if (item.substr(0, colon) == actionKinds()[k].name) {
                actions.push_back({static_cast<int>(k),
                                   static_cast<unsigned>(std::stoul(item.substr(colon + 1)))});
            }
        }
        start = end + 1;
    }
    return actions;
}

bool finite(const LevelTable& table, int points, int levels) {
    for (int n = 0; n < levels; ++n) {
        for (int i = 0; i < points; ++i) {
            if (!std::isfinite(table.at(i, n))) {
                return false;
            }
        }
    }
    return true;
}

bool circlesFinite(const ui::ShapeArray& shapes) {
    for (int i = 0; i < shapes.count(); ++i) {
        if (!std::isfinite(shapes(i).Left()) || !std::isfinite(shapes(i).Top())) {
            return false;
        }
    }
    return true;
}

// The first invariant that does not hold after an action, or an empty text.
// `shownBefore` is the number of message boxes shown before the action: only
// the ones it showed are read.
std::string brokenInvariant(unsigned recomputed, qsizetype shownBefore) {
    const QStringList& shown = testing_support::messageBoxes();
    for (qsizetype k = shownBefore; k < shown.size(); ++k) {
        if (shown[k].startsWith("Run-time error")) {
            return shown[k].toStdString();
        }
    }
    if (ui::programEnded()) {
        return "the program ended";
    }
    if (simpleRun.timeIndex < 0 || simpleRun.timeIndex > 500 || twoMediaRun.twoMediaTimeIndex < 0 ||
        twoMediaRun.twoMediaTimeIndex > 1000 || stepRun.stepLevel < 0 ||
        stepRun.stepLevel > kLastStepLevel + 10) {
        return "a level index left its table";
    }
    const bool finiteTables =
        ((recomputed & kSimple) == 0 || finite(simpleRun.simpleTable, 56, 2502)) &&
        ((recomputed & kTwoMedia) == 0 || finite(twoMediaRun.twoMediaTable, 61, 2502)) &&
        ((recomputed & kStep) == 0 || (finite(stepRun.stepDisplacement, kStepPoints, kStepLevels) &&
                                       finite(stepRun.stepVelocity, kStepPoints, kStepLevels) &&
                                       finite(stepRun.stepSlope, kStepPoints, kStepLevels)));
    if (!finiteTables) {
        return "a table holds a value that is not finite";
    }
    if (!circlesFinite(ypervola().Shape1) || !circlesFinite(dyomessa().Shape1)) {
        return "a circle stands at a position that is not finite";
    }
    const auto exclusive = [](const ui::OptionButton& a, const ui::OptionButton& b) {
        return a.Value() != b.Value();
    };
    if (!exclusive(eisagogi1().Option1, eisagogi1().Option2) ||
        !exclusive(ypervola().stathero, ypervola().elefthero) ||
        !exclusive(dyomessa().stathero1, dyomessa().elefthero1)) {
        return "an option pair is not exclusive";
    }
    const bool english = eisagogi1().Option1.Value();
    for (const CaptionRow& row : captionTable()) {
        if (row.target().Caption() != QString::fromUtf8(english ? row.english : row.greek)) {
            return std::string("caption of ") + row.window + "." + row.control +
                   " is not in the selected language";
        }
    }
    return {};
}

// Runs the actions on a freshly started program; returns the index of the
// action after which an invariant broke and what broke, or -1.
std::pair<int, std::string> play(const std::vector<Action>& actions) {
    ui::dispatch(ApplyLanguage);
    for (std::size_t k = 0; k < actions.size(); ++k) {
        const ActionKind& kind = actionKinds()[actions[k].kind];
        const qsizetype shownBefore = testing_support::messageBoxes().size();
        kind.run(actions[k].value);
        const std::string broken = brokenInvariant(kind.prepares, shownBefore);
        if (!broken.empty()) {
            return {static_cast<int>(k), broken};
        }
    }
    return {-1, {}};
}

// Whether the actions still fail, played in a fresh process.
bool failsInFreshProcess(const std::vector<Action>& actions) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("PALMOS_REPLAY", QString::fromStdString(describe(actions)));
    process.setProcessEnvironment(environment);
    process.start(QCoreApplication::applicationFilePath(),
                  {QStringLiteral("--gtest_filter=RandomUser.Replay")});
    process.waitForFinished(120000);
    return process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0;
}

// Removes chunks of actions while the failure persists, for up to two
// minutes.
std::vector<Action> shrink(std::vector<Action> actions) {
    QElapsedTimer clock;
    clock.start();
    std::size_t chunk = actions.size() / 2;
    while (chunk >= 1 && clock.elapsed() < 120000) {
        bool removed = false;
        for (std::size_t start = 0; start < actions.size() && clock.elapsed() < 120000;) {
            std::vector<Action> candidate(actions.begin(), actions.begin() + start);
            candidate.insert(candidate.end(),
                             actions.begin() + std::min(actions.size(), start + chunk),
                             actions.end());
            if (!candidate.empty() && failsInFreshProcess(candidate)) {
                actions = candidate;
                removed = true;
            } else {
                start += chunk;
            }
        }
        if (!removed) {
            chunk /= 2;
        }
    }
    return actions;
}

unsigned long environmentNumber(const char* name, unsigned long fallback) {
    const char* text = std::getenv(name);
    return text != nullptr ? std::strtoul(text, nullptr, 10) : fallback;
}

TEST(RandomUser, Exercise) {
    const unsigned long seed = environmentNumber("PALMOS_SEED", 20261208);
    const unsigned long count = environmentNumber("PALMOS_ACTIONS", 20000);
    std::cout << "random user: seed " << seed << ", " << count << " actions" << std::endl;
    std::mt19937_64 random(seed);
    std::uniform_int_distribution<int> kinds(0, static_cast<int>(actionKinds().size()) - 1);
    std::vector<Action> actions;
    actions.reserve(count);
    for (unsigned long k = 0; k < count; ++k) {
        actions.push_back({kinds(random), static_cast<unsigned>(random() % 100000)});
    }
    const auto [failedAt, broken] = play(actions);
    if (failedAt < 0) {
        return;
    }
    std::vector<Action> prefix(actions.begin(), actions.begin() + failedAt + 1);
    ADD_FAILURE() << "seed " << seed << ": after action " << failedAt << " ("
                  << actionKinds()[actions[failedAt].kind].name << "): " << broken;
    const std::vector<Action> shortest = shrink(prefix);
    std::cout << "shortest reproduction (" << shortest.size()
              << " actions): PALMOS_REPLAY=" << describe(shortest) << std::endl;
}

TEST(RandomUser, Replay) {
    const char* replay = std::getenv("PALMOS_REPLAY");
    if (replay == nullptr) {
        GTEST_SKIP() << "set PALMOS_REPLAY to an action list to replay it";
    }
    const auto [failedAt, broken] = play(parse(replay));
    EXPECT_EQ(failedAt, -1) << broken;
}

}  // namespace
}  // namespace palmos
