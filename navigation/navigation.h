// The way from one window to another: what a button may call to prepare or
// show another window. Declared here, below the windows, and defined once at
// the top (app/navigation.cpp), so that no window folder includes another.
#pragma once

namespace palmos::navigation {

// Shows the introduction window.
void showIntroduction();

// Prepares the simple-solution window (PrepareSimpleSolution), which also
// shows it.
void openSimpleSolution();

// Prepares the two-media window (PrepareTwoMediaSolution) and shows it.
void openTwoMedia();

// Shows the elliptic-equation window.
void showEllipticEquation();

}  // namespace palmos::navigation
