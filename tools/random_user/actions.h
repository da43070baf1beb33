// What a student can do on the real windows (and the handlers of the hidden
// controls), as a table of action kinds that a seeded random user draws
// from: the random user test checks the program's invariants after each,
// the memory benchmark measures what a long session of them keeps.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace palmos {
class Program;
}

namespace palmos::random_user {

// The tables an action can recompute.
enum Tables : unsigned { kNone = 0, kSimple = 1, kTwoMedia = 2, kStep = 4 };

struct ActionKind {
    const char* name;
    unsigned prepares;
    std::function<void(Program&, unsigned)> run;
};

const std::vector<ActionKind>& actionKinds();
// The number of the kind called `name`, or -1.
int kindNamed(const std::string& name);

struct Action {
    int kind = 0;
    unsigned value = 0;
};

// `count` actions drawn with `seed`, of every kind or only of the kinds
// `allowed` names (by number).
std::vector<Action> randomActions(unsigned long seed, unsigned long count,
                                  const std::vector<int>& allowed = {});

// Runs one action on `program`'s windows, then deletes what it left to be deleted later, as the
// event loop does after every event it delivers (Qt's own widgets hand some
// of their parts over that way).
void play(Program& program, const Action& action);

// An action list as "kind:value,kind:value", and back.
std::string describe(const std::vector<Action>& actions);
std::vector<Action> parse(const std::string& text);

}  // namespace palmos::random_user
