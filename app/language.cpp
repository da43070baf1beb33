#include "app/language.h"

#include <array>
#include <string_view>

#include "app/windows.h"
#include "core/runtime_error.h"

namespace palmos {

namespace {

// clang-format off
const std::array kCaptions = {
    CaptionRow{"dyomessa", "Command1", [](ProgramWindows& w) -> ui::Captioned& { return w.dyomessa().Command1; }, "START", "ΞΕΚΙΝΑ"},
    CaptionRow{"dyomessa", "Command2", [](ProgramWindows& w) -> ui::Captioned& { return w.dyomessa().Command2; }, "START", "ΞΕΚΙΝΑ"},
    CaptionRow{"dyomessa", "Command3", [](ProgramWindows& w) -> ui::Captioned& { return w.dyomessa().Command3; }, "STOP", "ΣΤΑΜΑΤΑ"},
    CaptionRow{"dyomessa", "Command4", [](ProgramWindows& w) -> ui::Captioned& { return w.dyomessa().Command4; }, "INTRODUCTION", "ΕΙΣΑΓΩΓΗ"},
    CaptionRow{"dyomessa", "Command5", [](ProgramWindows& w) -> ui::Captioned& { return w.dyomessa().Command5; }, "CONTINUE", "ΣΥΝΕΧΙΣΕ"},
    CaptionRow{"dyomessa", "Command6", [](ProgramWindows& w) -> ui::Captioned& { return w.dyomessa().Command6; }, "END", "ΤΕΡΜΑ"},
    CaptionRow{"dyomessa", "Command7", [](ProgramWindows& w) -> ui::Captioned& { return w.dyomessa().Command7; }, "STEP", "ΒΗΜΑ ΒΗΜΑ"},
    CaptionRow{"dyomessa", "elefthero1", [](ProgramWindows& w) -> ui::Captioned& { return w.dyomessa().elefthero1; }, "FREE END", "ΕΛΕΥΘΕΡΟ ΑΚΡΟ"},
    CaptionRow{"dyomessa", "stathero1", [](ProgramWindows& w) -> ui::Captioned& { return w.dyomessa().stathero1; }, "FIXED END", "ΣΤΑΘΕΡΟ ΑΚΡΟ"},
    CaptionRow{"ypervola", "Command1", [](ProgramWindows& w) -> ui::Captioned& { return w.ypervola().Command1; }, "start", "ΞΕΚΙΝΑ"},
    CaptionRow{"ypervola", "Command2", [](ProgramWindows& w) -> ui::Captioned& { return w.ypervola().Command2; }, "elliptic equation", "Ελλειπτική Εξίσωση"},
    CaptionRow{"ypervola", "Command3", [](ProgramWindows& w) -> ui::Captioned& { return w.ypervola().Command3; }, "END", "ΤΕΡΜΑΤΙΣΜΟΣ"},
    CaptionRow{"ypervola", "Command4", [](ProgramWindows& w) -> ui::Captioned& { return w.ypervola().Command4; }, "TWO MEDIA", "ΔΥΟ ΜΕΣΑ"},
    CaptionRow{"ypervola", "Command5", [](ProgramWindows& w) -> ui::Captioned& { return w.ypervola().Command5; }, "INTRODUCTION", "EΙΣΑΓΩΓΗ"},
    CaptionRow{"ypervola", "elefthero", [](ProgramWindows& w) -> ui::Captioned& { return w.ypervola().elefthero; }, "FREE END", "ΕΛΕΥΘΕΡΟ ΑΚΡΟ"},
    CaptionRow{"ypervola", "stathero", [](ProgramWindows& w) -> ui::Captioned& { return w.ypervola().stathero; }, "FIXED END", "ΣΤΑΘΕΡΟ ΑΚΡΟ"},
    CaptionRow{"eisagogi1", "Label2", [](ProgramWindows& w) -> ui::Captioned& { return w.eisagogi1().Label2; }, "", ""},
    CaptionRow{"eisagogi1", "MESADYO", [](ProgramWindows& w) -> ui::Captioned& { return w.eisagogi1().MESADYO; }, "TWO MEDIA", "ΔΥΟ ΜΕΣΑ"},
    CaptionRow{"eisagogi1", "Command1", [](ProgramWindows& w) -> ui::Captioned& { return w.eisagogi1().Command1; }, "END", "ΤΕΡΜΑ"},
    CaptionRow{"eisagogi1", "APLO", [](ProgramWindows& w) -> ui::Captioned& { return w.eisagogi1().APLO; }, "SIMPLE SOLUTION", "ΑΠΛΗ ΛΥΣΗ"},
    CaptionRow{"eisagogi1", "Option1", [](ProgramWindows& w) -> ui::Captioned& { return w.eisagogi1().Option1; }, "ENGLISH", "ΑΓΓΛΙΚΑ"},
    CaptionRow{"eisagogi1", "Option2", [](ProgramWindows& w) -> ui::Captioned& { return w.eisagogi1().Option2; }, "GREEK", "ΕΛΛΗΝΙΚΑ"},
    CaptionRow{"eisagogi1", "Label1", [](ProgramWindows& w) -> ui::Captioned& { return w.eisagogi1().Label1; },
               "IN THIS SOFTWARE ARE EXAMINED THE PROPERTIES OF PUSLES. THE CONDITIONS IN THE LIMITS ARE EXAMINED. THE DIFFERENT WAY OF REFLECTION IN THE FREE END VS THE REFLECTION IN FIXED END.FOR THE SIMPLE SOLUTION THERE IS NOT A POSSIBILITY OF CHANGE IN THE WIDTH AND HEIGHT OF THE PULSE. IN THE SCREEN IT CAN BE OBSERVED THE INFLUENCE OF THE VALUE OF SPEED IN THE BEHAVIOR OF THE REFLECTED AND TRANSMITTED PULSE. THERE IS ALSO THE POSSIBILITY OF CHANGE IN WIDTH OF PULSE AND THE INTERVAL OF THE TIMER.",
               "ΣΤΟ ΠΡΟΓΡΑΜΜΑ ΑΥΤΟ ΕΞΕΤΑΖΟΝΤΑΙ ΟΙ ΙΔΙΟΤΗΤΕΣ ΤΩΝ ΠΑΛΜΩΝ . ΕΞΕΤΑΖΟΝΤΑΙ ΟΙ ΟΡΙΑΚΕΣ ΣΥΝΘΗΚΕΣ. ΜΠΟΡΟΥΝ ΝΑ ΠΑΡΑΤΗΡΗΘΕΙ Η ΔΙΑΦΟΡΑ ΣΤΗΝ ΑΝΑΚΛΑΣΗ ΤΟΥ ΠΑΛΜΟΥ ΣΤΟ ΕΛΕΥΘΕΡΟ ΚΑΙ ΣΤΟ ΣΤΑΘΕΡΟ ΑΚΡΟ. ΣΤΗΝ ΑΠΛΗ ΛΥΣΗ ΔΕΝ ΥΠΑΡΧΕΙ Η ΔΥΝΑΤΟΤΗΤΑ ΓΙΑ ΑΛΛΑΓΗ ΤΟΥ ΕΥΡΟΥΣ ΤΟΥ ΠΑΛΜΟΥ Ή ΤΟΥ ΠΛΑΤΟΥΣ ΤΟΥ ΠΑΛΜΟΥ.  ΣΤΗΝ ΟΘΟΝΗ ΔΥΟ ΜΕΣΑ ΜΠΟΡΕΙ ΝΑ ΠΑΡΑΤΗΡΗΘΕΙ Η  ΕΠΙΔΡΑΣΗ ΤΗΣ ΔΙΑΦΟΡΑΣ ΤΗΣ ΤΑΧΥΤΗΤΑΣ ΣΤΗ ΣΥΜΠΕΡΙΦΟΡΑ ΤΟΥ ΑΝΑΚΛΩΜΕΝΟΥ ΚΑΙ ΔΙΑΔΙΔΟΜΕΝΟΥ ΠΑΛΜΟΥ. ΜΠΟΡΕΙ ΝΑ ΜΕΤΑΒΛΗΘΕΙ ΕΠΙΣΗΣ ΤΟ ΠΛΑΤΟΣ ΚΑΙ ΤΟ ΕΥΡΟΣ ΤΟΥ ΠΑΛΜΟΥ ΚΑΘΩΣ ΚΑΙ ΤΟ ΔΙΑΣΤΗΜΑ ΤΟΥ TIMER."},
};
// clang-format on

// The readout boxes have no caption; a screen reader calls them by what they
// show, in the language in use.
struct ReadoutName {
    ui::TextBox& (*target)(ProgramWindows&);
    const char* english;
    const char* greek;
};

const std::array kReadoutNames = {
    ReadoutName{[](ProgramWindows& w) -> ui::TextBox& { return w.dyomessa().Text1; }, "Ratios",
                "Λόγοι"},
    ReadoutName{[](ProgramWindows& w) -> ui::TextBox& { return w.ypervola().Text1; }, "Readout",
                "Ένδειξη"},
};

// The Greek branch writes each window's controls in an order of its own.
struct ControlName {
    std::string_view window;
    std::string_view control;
};

constexpr std::array<ControlName, kCaptions.size()> kGreekOrder = {{
    {"dyomessa", "Command3"},  {"dyomessa", "Command1"},   {"dyomessa", "Command2"},
    {"dyomessa", "Command4"},  {"dyomessa", "Command5"},   {"dyomessa", "Command6"},
    {"dyomessa", "Command7"},  {"dyomessa", "elefthero1"}, {"dyomessa", "stathero1"},
    {"ypervola", "Command5"},  {"ypervola", "Command4"},   {"ypervola", "Command3"},
    {"ypervola", "Command1"},  {"ypervola", "Command2"},   {"ypervola", "elefthero"},
    {"ypervola", "stathero"},  {"eisagogi1", "Label2"},    {"eisagogi1", "MESADYO"},
    {"eisagogi1", "Command1"}, {"eisagogi1", "Option1"},   {"eisagogi1", "Option2"},
    {"eisagogi1", "APLO"},     {"eisagogi1", "Label1"},
}};

const CaptionRow& row(const ControlName& name) {
    for (const CaptionRow& candidate : kCaptions) {
        if (candidate.window == name.window && candidate.control == name.control) {
            return candidate;
        }
    }
    raiseSubscriptOutOfRange();
}

void write(ProgramWindows& windows, const CaptionRow& row, const char* text) {
    row.target(windows).setCaption(text);
}

void nameReadouts(ProgramWindows& windows, bool english) {
    for (const ReadoutName& readout : kReadoutNames) {
        readout.target(windows).setAccessibleName(
            QString::fromUtf8(english ? readout.english : readout.greek));
    }
}

}  // namespace

std::span<const CaptionRow> captionTable() {
    return kCaptions;
}

void writeCaptions(ProgramWindows& windows) {
    Eisagogi1& introduction = windows.eisagogi1();
    if (introduction.Option1.Value()) {
        for (const CaptionRow& row : kCaptions) {
            write(windows, row, row.english);
        }
        nameReadouts(windows, true);
    } else if (introduction.Option2.Value()) {
        for (const ControlName& name : kGreekOrder) {
            write(windows, row(name), row(name).greek);
        }
        nameReadouts(windows, false);
    }
}

}  // namespace palmos
