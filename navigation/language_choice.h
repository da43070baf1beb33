// The language chosen on the introduction window, for every window that
// writes language-dependent text. There is no variable of its own: the
// answer is read from the introduction window's options at the moment it is
// asked for. Defined at the top, in app/navigation.cpp.
#pragma once

namespace palmos {

// Whether the introduction window's language option is English.
bool englishSelected();

}  // namespace palmos
