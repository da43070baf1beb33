// How events reach the program's handlers: every handler runs inside
// ui::dispatch, which turns the program's run-time error into a message box that
// names the failure and then ends the program. After End no handler runs.
#pragma once

#include <QString>
#include <functional>

namespace ui {

// Runs a handler. A RuntimeError thrown inside it (or inside a handler that
// it raised) is reported in a message box, and the program ends.
void dispatch(const std::function<void()>& handler);

// A program begins: nothing has ended it. (A test process runs a program per
// test.)
void beginProgram();

// Stops the clock of every timer of the program's windows; their Enabled
// stays as it is. End and the run-time error stop them so.
void stopTimers();
// The object name of a timer's clock (a QTimer, a child of the timer), by
// which stopTimers finds it.
const char* timerClockName();

// Ends the program at once: every timer stops, every window closes, no
// further handler runs, and the event loop returns `exitCode`.
void End(int exitCode = 0);
bool programEnded();
// The status End asked the program to end with.
int exitCode();

// A message box with the text and an OK button, titled with the program's
// name; returns when it is closed. In the web edition, whose page has one
// thread that a waiting box would stop, it returns at once and the box
// stays until it is answered; `afterwards` runs once it is closed, there as
// on the desktop.
void MsgBox(const QString& text, const std::function<void()>& afterwards = {});

// Tests replace the message box with a hook that records the text and returns
// at once. Passing an empty function restores the real message box.
void setMessageBoxHook(std::function<void(const QString&)> hook);

}  // namespace ui
