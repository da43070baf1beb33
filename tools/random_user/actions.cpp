#include "tools/random_user/actions.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QTest>
#include <random>

#include "app/program.h"
#include "ui/events.h"

namespace palmos::random_user {

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
void useInstruments(Program& p, unsigned value) {
    InstrumentSet& instruments =
        value % 2 == 0 ? p.simpleSolutionInstruments() : p.twoMediaInstruments();
    QWidget& window = value % 2 == 0 ? static_cast<QWidget&>(p.ypervola()) : p.dyomessa();
    switch ((value / 2) % 6) {
        case 0:
            instruments.openSpaceTimeDiagram();
            break;
        case 1:
            instruments.openPointProbe();
            instruments.pointProbeWindow()->addProbe(static_cast<int>(value / 12 % 62));
            break;
        case 2:
            if (&instruments == &p.twoMediaInstruments()) {
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

// Switches predict mode on either simulation window, or answers its open
// question (an answer it does not offer is ignored).
void usePredictMode(Program& p, unsigned value) {
    PredictMode& predict = value % 2 == 0 ? p.simpleSolutionPredict() : p.twoMediaPredict();
    const int choice = static_cast<int>((value / 2) % 4);
    if (choice == 0) {
        predict.setOn(!predict.on());
    } else {
        predict.answer(choice - 1);
    }
}

}  // namespace

const std::vector<ActionKind>& actionKinds() {
    static const std::vector<ActionKind> kinds = {
        {"APLO", kSimple, [](Program& p, unsigned) { click(p.eisagogi1().APLO); }},
        {"MESADYO", kTwoMedia, [](Program& p, unsigned) { click(p.eisagogi1().MESADYO); }},
        {"ENGLISH", kNone, [](Program& p, unsigned) { click(p.eisagogi1().Option1); }},
        {"GREEK", kNone, [](Program& p, unsigned) { click(p.eisagogi1().Option2); }},
        {"ypervola.START", kSimple, [](Program& p, unsigned) { click(p.ypervola().Command1); }},
        {"ypervola.elliptic", kNone, [](Program& p, unsigned) { click(p.ypervola().Command2); }},
        {"ypervola.TWO_MEDIA", kTwoMedia,
         [](Program& p, unsigned) { click(p.ypervola().Command4); }},
        {"ypervola.INTRODUCTION", kNone,
         [](Program& p, unsigned) { click(p.ypervola().Command5); }},
        {"ypervola.FREE_END", kNone, [](Program& p, unsigned) { click(p.ypervola().elefthero); }},
        {"ypervola.FIXED_END", kNone, [](Program& p, unsigned) { click(p.ypervola().stathero); }},
        {"ypervola.lamdaval", kNone,
         [](Program& p, unsigned v) { moveBar(p.ypervola().lamdaval, v); }},
        {"elliptikh.SOLVE", kNone, [](Program& p, unsigned) { click(p.elliptikh().Command1); }},
        {"dyomessa.Command1", kTwoMedia,
         [](Program& p, unsigned) { ui::dispatch([&p] { p.dyomessa().Command1_Click(); }); }},
        {"dyomessa.START", kStep, [](Program& p, unsigned) { click(p.dyomessa().Command2); }},
        {"dyomessa.STOP", kNone, [](Program& p, unsigned) { click(p.dyomessa().Command3); }},
        {"dyomessa.INTRODUCTION", kNone,
         [](Program& p, unsigned) { click(p.dyomessa().Command4); }},
        {"dyomessa.CONTINUE", kNone, [](Program& p, unsigned) { click(p.dyomessa().Command5); }},
        {"dyomessa.STEP", kNone, [](Program& p, unsigned) { click(p.dyomessa().Command7); }},
        {"dyomessa.FREE_END", kNone, [](Program& p, unsigned) { click(p.dyomessa().elefthero1); }},
        {"dyomessa.FIXED_END", kNone, [](Program& p, unsigned) { click(p.dyomessa().stathero1); }},
        {"dyomessa.cmeso1", kNone, [](Program& p, unsigned v) { moveBar(p.dyomessa().cmeso1, v); }},
        {"dyomessa.cmesso2", kNone,
         [](Program& p, unsigned v) { moveBar(p.dyomessa().cmesso2, v); }},
        {"dyomessa.platos", kNone, [](Program& p, unsigned v) { moveBar(p.dyomessa().platos, v); }},
        {"dyomessa.evros", kNone, [](Program& p, unsigned v) { moveBar(p.dyomessa().evros, v); }},
        {"dyomessa.rythmisidt", kNone,
         [](Program& p, unsigned v) { moveBar(p.dyomessa().rythmisidt, v); }},
        {"ticks", kNone,
         [](Program& p, unsigned v) {
             tick(p.ypervola().Timer1, v % 60 + 1);
             tick(p.dyomessa().Timer1, v % 60 + 1);
             tick(p.dyomessa().Timer2, v % 60 + 1);
         }},
        {"ypervola.window", kNone, [](Program& p, unsigned v) { showOrHide(p.ypervola(), v); }},
        {"dyomessa.window", kNone, [](Program& p, unsigned v) { showOrHide(p.dyomessa(), v); }},
        {"elliptikh.window", kNone, [](Program& p, unsigned v) { showOrHide(p.elliptikh(), v); }},
        {"zoom", kNone,
         [](Program& p, unsigned v) {
             // In, out, back to the fit, or a key held down.
             static constexpr Qt::Key kKeys[] = {Qt::Key_Plus, Qt::Key_Minus, Qt::Key_0};
             const int presses = v % 4 == 3 ? 12 : 1;
             for (int k = 0; k < presses; ++k) {
                 QTest::keyClick(&p.eisagogi1(), kKeys[v % 4 == 3 ? (v / 4) % 2 : v % 4],
                                 Qt::ControlModifier);
             }
         }},
        {"instruments", kNone, [](Program& p, unsigned v) { useInstruments(p, v); }},
        {"paint", kNone,
         [](Program& p, unsigned) {
             QCoreApplication::processEvents();
             for (ui::Form* window :
                  {static_cast<ui::Form*>(&p.ypervola()), static_cast<ui::Form*>(&p.dyomessa())}) {
                 if (window->isVisible()) {
                     (void)window->grab();
                 }
             }
         }},
        {"predict", kNone, [](Program& p, unsigned v) { usePredictMode(p, v); }},
    };
    return kinds;
}

std::string describe(const std::vector<Action>& actions) {
    std::string text;
    for (const Action& action : actions) {
        if (!text.empty()) {
            text += ',';
        }
        text += actionKinds()[action.kind].name;
        text += ':';
        text += std::to_string(action.value);
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

int kindNamed(const std::string& name) {
    for (std::size_t k = 0; k < actionKinds().size(); ++k) {
        if (name == actionKinds()[k].name) {
            return static_cast<int>(k);
        }
    }
    return -1;
}

std::vector<Action> randomActions(unsigned long seed, unsigned long count,
                                  const std::vector<int>& allowed) {
    std::mt19937_64 random(seed);
    std::uniform_int_distribution<int> kinds(0, static_cast<int>(actionKinds().size()) - 1);
    std::uniform_int_distribution<std::size_t> among(0, allowed.empty() ? 0 : allowed.size() - 1);
    std::vector<Action> actions;
    actions.reserve(count);
    for (unsigned long k = 0; k < count; ++k) {
        const int kind = allowed.empty() ? kinds(random) : allowed[among(random)];
        actions.push_back({kind, static_cast<unsigned>(random() % 100000)});
    }
    return actions;
}

void play(Program& program, const Action& action) {
    actionKinds()[action.kind].run(program, action.value);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace palmos::random_user
