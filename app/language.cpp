#include "app/language.h"

#include <array>
#include <cstddef>

#include "app/qt_translation.h"
#include "app/windows.h"
#include "core/captions.h"

namespace palmos {

namespace {

// A control the switch writes: its caption, its window's and its own name
// for messages, and where it is.
struct ControlCaption {
    Caption id;
    const char* window;
    const char* control;
    ui::Captioned& (*target)(ProgramWindows&);
};

// The rows in the order the English branch writes them.
// clang-format off
constexpr std::array kControls = {
    ControlCaption{Caption::TwoMediaStart, "dyomessa", "Command1", [](ProgramWindows& w) -> ui::Captioned& { return w.dyomessa().Command1; }},
    ControlCaption{Caption::TwoMediaStepStart, "dyomessa", "Command2", [](ProgramWindows& w) -> ui::Captioned& { return w.dyomessa().Command2; }},
    ControlCaption{Caption::TwoMediaStop, "dyomessa", "Command3", [](ProgramWindows& w) -> ui::Captioned& { return w.dyomessa().Command3; }},
    ControlCaption{Caption::TwoMediaIntroduction, "dyomessa", "Command4", [](ProgramWindows& w) -> ui::Captioned& { return w.dyomessa().Command4; }},
    ControlCaption{Caption::TwoMediaContinue, "dyomessa", "Command5", [](ProgramWindows& w) -> ui::Captioned& { return w.dyomessa().Command5; }},
    ControlCaption{Caption::TwoMediaEnd, "dyomessa", "Command6", [](ProgramWindows& w) -> ui::Captioned& { return w.dyomessa().Command6; }},
    ControlCaption{Caption::TwoMediaStep, "dyomessa", "Command7", [](ProgramWindows& w) -> ui::Captioned& { return w.dyomessa().Command7; }},
    ControlCaption{Caption::TwoMediaFreeEnd, "dyomessa", "elefthero1", [](ProgramWindows& w) -> ui::Captioned& { return w.dyomessa().elefthero1; }},
    ControlCaption{Caption::TwoMediaFixedEnd, "dyomessa", "stathero1", [](ProgramWindows& w) -> ui::Captioned& { return w.dyomessa().stathero1; }},
    ControlCaption{Caption::SimpleSolutionStart, "ypervola", "Command1", [](ProgramWindows& w) -> ui::Captioned& { return w.ypervola().Command1; }},
    ControlCaption{Caption::SimpleSolutionElliptic, "ypervola", "Command2", [](ProgramWindows& w) -> ui::Captioned& { return w.ypervola().Command2; }},
    ControlCaption{Caption::SimpleSolutionEnd, "ypervola", "Command3", [](ProgramWindows& w) -> ui::Captioned& { return w.ypervola().Command3; }},
    ControlCaption{Caption::SimpleSolutionTwoMedia, "ypervola", "Command4", [](ProgramWindows& w) -> ui::Captioned& { return w.ypervola().Command4; }},
    ControlCaption{Caption::SimpleSolutionIntroduction, "ypervola", "Command5", [](ProgramWindows& w) -> ui::Captioned& { return w.ypervola().Command5; }},
    ControlCaption{Caption::SimpleSolutionFreeEnd, "ypervola", "elefthero", [](ProgramWindows& w) -> ui::Captioned& { return w.ypervola().elefthero; }},
    ControlCaption{Caption::SimpleSolutionFixedEnd, "ypervola", "stathero", [](ProgramWindows& w) -> ui::Captioned& { return w.ypervola().stathero; }},
    ControlCaption{Caption::IntroductionNote, "eisagogi1", "Label2", [](ProgramWindows& w) -> ui::Captioned& { return w.eisagogi1().Label2; }},
    ControlCaption{Caption::IntroductionTwoMedia, "eisagogi1", "MESADYO", [](ProgramWindows& w) -> ui::Captioned& { return w.eisagogi1().MESADYO; }},
    ControlCaption{Caption::IntroductionEnd, "eisagogi1", "Command1", [](ProgramWindows& w) -> ui::Captioned& { return w.eisagogi1().Command1; }},
    ControlCaption{Caption::IntroductionSimpleSolution, "eisagogi1", "APLO", [](ProgramWindows& w) -> ui::Captioned& { return w.eisagogi1().APLO; }},
    ControlCaption{Caption::IntroductionEnglish, "eisagogi1", "Option1", [](ProgramWindows& w) -> ui::Captioned& { return w.eisagogi1().Option1; }},
    ControlCaption{Caption::IntroductionGreek, "eisagogi1", "Option2", [](ProgramWindows& w) -> ui::Captioned& { return w.eisagogi1().Option2; }},
    ControlCaption{Caption::IntroductionAbout, "eisagogi1", "Label1", [](ProgramWindows& w) -> ui::Captioned& { return w.eisagogi1().Label1; }},
};
// clang-format on

// The Greek branch writes each window's controls in an order of its own.
constexpr std::array kGreekOrder = {
    Caption::TwoMediaStop,           Caption::TwoMediaStart,
    Caption::TwoMediaStepStart,      Caption::TwoMediaIntroduction,
    Caption::TwoMediaContinue,       Caption::TwoMediaEnd,
    Caption::TwoMediaStep,           Caption::TwoMediaFreeEnd,
    Caption::TwoMediaFixedEnd,       Caption::SimpleSolutionIntroduction,
    Caption::SimpleSolutionTwoMedia, Caption::SimpleSolutionEnd,
    Caption::SimpleSolutionStart,    Caption::SimpleSolutionElliptic,
    Caption::SimpleSolutionFreeEnd,  Caption::SimpleSolutionFixedEnd,
    Caption::IntroductionNote,       Caption::IntroductionTwoMedia,
    Caption::IntroductionEnd,        Caption::IntroductionEnglish,
    Caption::IntroductionGreek,      Caption::IntroductionSimpleSolution,
    Caption::IntroductionAbout};
static_assert(kGreekOrder.size() == kControls.size(), "the Greek order names every control once");

// Where each caption of the Greek order stands among the rows, found while
// compiling: a caption with no row, or a row named twice, stops the build.
consteval std::array<std::size_t, kControls.size()> greekRows() {
    std::array<std::size_t, kControls.size()> rows{};
    std::array<bool, kControls.size()> named{};
    for (std::size_t k = 0; k < kGreekOrder.size(); ++k) {
        std::size_t row = 0;
        while (row < kControls.size() && kControls[row].id != kGreekOrder[k]) {
            ++row;
        }
        if (row == kControls.size() || named[row]) {
            throw "a caption of the Greek order has no row of its own";
        }
        named[row] = true;
        rows[k] = row;
    }
    return rows;
}
constexpr std::array kGreekRows = greekRows();

// The readout boxes have no caption; a screen reader calls them by what they
// show, in the language in use.
struct ReadoutName {
    Caption id;
    ui::TextBox& (*target)(ProgramWindows&);
};

const std::array kReadoutNames = {
    ReadoutName{Caption::TwoMediaReadoutName,
                [](ProgramWindows& w) -> ui::TextBox& { return w.dyomessa().Text1; }},
    ReadoutName{Caption::SimpleSolutionReadoutName,
                [](ProgramWindows& w) -> ui::TextBox& { return w.ypervola().Text1; }},
};

void write(ProgramWindows& windows, const ControlCaption& row, bool english) {
    row.target(windows).setCaption(caption(row.id, english));
}

void nameReadouts(ProgramWindows& windows, bool english) {
    for (const ReadoutName& readout : kReadoutNames) {
        readout.target(windows).setAccessibleName(QString::fromUtf8(caption(readout.id, english)));
    }
}

}  // namespace

std::span<const CaptionRow> captionTable() {
    static const std::array<CaptionRow, kControls.size()> rows = [] {
        std::array<CaptionRow, kControls.size()> texts{};
        for (std::size_t k = 0; k < kControls.size(); ++k) {
            const ControlCaption& row = kControls[k];
            texts[k] = {row.window, row.control, row.target, caption(row.id, true),
                        caption(row.id, false)};
        }
        return texts;
    }();
    return rows;
}

void writeCaptions(ProgramWindows& windows) {
    Eisagogi1& introduction = windows.eisagogi1();
    if (introduction.Option1.Value()) {
        for (const ControlCaption& row : kControls) {
            write(windows, row, true);
        }
        nameReadouts(windows, true);
        translateQtDialogs(introduction, false);
    } else if (introduction.Option2.Value()) {
        for (const std::size_t row : kGreekRows) {
            write(windows, kControls[row], false);
        }
        nameReadouts(windows, false);
        translateQtDialogs(introduction, true);
    }
}

}  // namespace palmos
