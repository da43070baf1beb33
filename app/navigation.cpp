// What navigation/ declares, defined here at the top, where every window is
// known.
#include "navigation/navigation.h"

#include "app/introduction.h"
#include "elliptic/window.h"
#include "navigation/language_choice.h"
#include "single_string/simple_solution.h"
#include "two_media/procedures.h"
#include "two_media/window.h"

namespace palmos {

namespace navigation {

void showIntroduction() {
    eisagogi1().Show();
}

void openSimpleSolution() {
    PrepareSimpleSolution();
}

void openTwoMedia() {
    PrepareTwoMediaSolution();
    dyomessa().Show();
}

void showEllipticEquation() {
    elliptikh().Show();
}

}  // namespace navigation

bool englishSelected() {
    return eisagogi1().Option1.Value();
}

}  // namespace palmos
