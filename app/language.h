// The language switch: every caption of the caption table in the language
// selected on the introduction window.
#pragma once

#include <span>

#include "ui/controls.h"

namespace palmos {

struct CaptionRow {
    const char* window;
    const char* control;
    ui::Captioned& (*target)();
    const char* english;
    const char* greek;
};

// The rows in the order the English branch writes them.
std::span<const CaptionRow> captionTable();

// The program's entry procedure, and the handler of both language options:
// writes the captions of the selected language, then shows the introduction.
void ApplyLanguage();

}  // namespace palmos
