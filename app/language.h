// The language switch: every caption of the caption table in the language
// selected on the introduction window.
#pragma once

#include <span>

#include "ui/controls.h"

namespace palmos {

class ProgramWindows;

// A control the switch writes, with its two texts from the caption table
// (core/captions.h); the window's and the control's names are for messages.
struct CaptionRow {
    const char* window;
    const char* control;
    ui::Captioned& (*target)(ProgramWindows&);
    const char* english;
    const char* greek;
};

// The rows in the order the English branch writes them.
std::span<const CaptionRow> captionTable();

// Writes every caption of the table, and the readouts' names, in the
// language selected on the introduction window (the first part of
// ApplyLanguage, the program's entry procedure); then Qt's own dialogs take
// that language.
void writeCaptions(ProgramWindows& windows);

}  // namespace palmos
