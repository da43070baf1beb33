// A random user: a seeded sequence of everything a student can do on the real
// windows (and the handlers of the hidden controls), with the program's
// invariants checked after every action. A failure prints the seed and the
// shortest action list found that still reproduces it.
//
//   PALMOS_SEED=<n>      another seed (default 20261208)
//   PALMOS_ACTIONS=<n>   another number of actions (default 20000)
//   PALMOS_SHARD=<k>/<n> shard k of n, which share the actions between them:
//                        this one plays its share with the seed plus k
//   PALMOS_REPLAY=<list> replays a printed action list (RandomUser.Replay)
#include <gtest/gtest.h>
#include <malloc.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/introduction.h"
#include "app/language.h"
#include "app/program.h"
#include "single_string/simple_solution.h"
#include "single_string/window.h"
#include "tests/support/gui_testing.h"
#include "tools/random_user/actions.h"
#include "two_media/procedures.h"
#include "two_media/window.h"
#include "ui/events.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's runtime counts what is allocated and not yet freed; GCC
// ships no header that declares it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace palmos {
namespace {

using random_user::Action;
using random_user::actionKinds;
using random_user::describe;
using random_user::parse;

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
std::string brokenInvariant(Program& program, unsigned recomputed, qsizetype shownBefore) {
    const SimpleRun& simpleRun = program.session().simpleRun;
    const TwoMediaRun& twoMediaRun = program.session().twoMediaRun;
    const StepRun& stepRun = program.session().stepRun;
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
        ((recomputed & random_user::kSimple) == 0 || finite(simpleRun.simpleTable, 56, 2502)) &&
        ((recomputed & random_user::kTwoMedia) == 0 ||
         finite(twoMediaRun.twoMediaTable, 61, 2502)) &&
        ((recomputed & random_user::kStep) == 0 ||
         (finite(stepRun.stepDisplacement, kStepPoints, kStepLevels) &&
          finite(stepRun.stepVelocity, kStepPoints, kStepLevels) &&
          finite(stepRun.stepSlope, kStepPoints, kStepLevels)));
    if (!finiteTables) {
        return "a table holds a value that is not finite";
    }
    Eisagogi1& introduction = program.eisagogi1();
    Ypervola& ypervola = program.ypervola();
    Dyomessa& dyomessa = program.dyomessa();
    if (!circlesFinite(ypervola.Shape1) || !circlesFinite(dyomessa.Shape1)) {
        return "a circle stands at a position that is not finite";
    }
    const auto exclusive = [](const ui::OptionButton& a, const ui::OptionButton& b) {
        return a.Value() != b.Value();
    };
    if (!exclusive(introduction.Option1, introduction.Option2) ||
        !exclusive(ypervola.stathero, ypervola.elefthero) ||
        !exclusive(dyomessa.stathero1, dyomessa.elefthero1)) {
        return "an option pair is not exclusive";
    }
    const bool english = introduction.Option1.Value();
    for (const CaptionRow& row : captionTable()) {
        if (row.target(program.windows()).Caption() !=
            QString::fromUtf8(english ? row.english : row.greek)) {
            return std::string("caption of ") + row.window + "." + row.control +
                   " is not in the selected language";
        }
    }
    return {};
}

// The bytes the program holds on its heap now. Resident memory would also
// count what the allocator keeps of freed blocks, and under the sanitizer
// its quarantine.
std::size_t heapInUse() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

// The heap in use after the first thousand actions, when every window and
// instrument has been opened and drawn at some zoom.
constexpr std::size_t kSettled = 1000;

// Runs the actions on a freshly started program; returns the index of the
// action after which an invariant broke and what broke, or -1. `settled`
// gets the heap in use after the first thousand actions.
std::pair<int, std::string> play(const std::vector<Action>& actions,
                                 std::size_t* settled = nullptr) {
    Program program;
    ui::dispatch([&program] { program.applyLanguage(); });
    for (std::size_t k = 0; k < actions.size(); ++k) {
        if (k == kSettled && settled != nullptr) {
            *settled = heapInUse();
        }
        const random_user::ActionKind& kind = actionKinds()[actions[k].kind];
        const qsizetype shownBefore = testing_support::messageBoxes().size();
        random_user::play(program, actions[k]);
        const std::string broken = brokenInvariant(program, kind.prepares, shownBefore);
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
    unsigned long seed = environmentNumber("PALMOS_SEED", 20261208);
    unsigned long count = environmentNumber("PALMOS_ACTIONS", 20000);
    if (const char* shard = std::getenv("PALMOS_SHARD")) {
        unsigned long index = 0;
        unsigned long shards = 0;
        ASSERT_EQ(std::sscanf(shard, "%lu/%lu", &index, &shards), 2) << shard;
        ASSERT_LT(index, shards) << shard;
        seed += index;
        // The first shards take what does not divide evenly.
        count = count / shards + (index < count % shards ? 1 : 0);
    }
    std::cout << "random user: seed " << seed << ", " << count << " actions" << std::endl;
    const std::vector<Action> actions = random_user::randomActions(seed, count);
    std::size_t settled = 0;
    const auto [failedAt, broken] = play(actions, &settled);
    if (failedAt < 0) {
        // What the session holds may grow with what it has open, never with
        // the number of actions.
        if (settled > 0) {
            std::cout << "heap in use: " << settled / 1024 / 1024 << " MB after " << kSettled
                      << " actions, " << heapInUse() / 1024 / 1024 << " MB at the end" << std::endl;
            EXPECT_LE(heapInUse(), 2 * settled) << "seed " << seed;
        }
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
