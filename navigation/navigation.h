// The way from one window to another: what a button may call to prepare or
// show another window, and the language chosen on the introduction window.
// Declared here, below the windows, and implemented once at the top by the
// program (app/program.h), which owns every window, so that no window folder
// includes another.
#pragma once

namespace palmos {

class Navigation {
  public:
    // Shows the introduction window.
    virtual void showIntroduction() = 0;
    // Prepares the simple-solution window (PrepareSimpleSolution), which
    // also shows it.
    virtual void openSimpleSolution() = 0;
    // Prepares the two-media window (PrepareTwoMediaSolution) and shows it.
    virtual void openTwoMedia() = 0;
    // Shows the elliptic-equation window.
    virtual void showEllipticEquation() = 0;
    // Writes every caption in the language chosen, then shows the
    // introduction (the entry procedure, and both language options).
    virtual void applyLanguage() = 0;
    // Whether the introduction window's language option is English, read
    // from the option at the moment it is asked.
    virtual bool englishSelected() = 0;

  protected:
    ~Navigation() = default;
};

}  // namespace palmos
