#include "instruments/captions.h"

namespace palmos {

namespace {

struct CaptionRow {
    InstrumentCaption caption;
    const char* english;
    const char* greek;
};

// English | Greek.
constexpr CaptionRow kCaptions[] = {
    {InstrumentCaption::SpaceTimeDiagram, "Space-time diagram", "Διάγραμμα χώρου-χρόνου"},
    {InstrumentCaption::PointProbe, "Point probe", "Ανιχνευτής σημείου"},
    {InstrumentCaption::MeasuredRatios, "Measured ratios", "Μετρημένοι λόγοι"},
    {InstrumentCaption::SavePicture, "Save picture...", "Αποθήκευση εικόνας..."},
    {InstrumentCaption::CopyData, "Copy data", "Αντιγραφή δεδομένων"},
    {InstrumentCaption::PressStartFirst, "Press START first.", "Πατήστε πρώτα ΞΕΚΙΝΑ."},
    {InstrumentCaption::Detach, "Open in a window of its own", "Άνοιγμα σε δικό του παράθυρο"},
    {InstrumentCaption::Dock, "Dock beside the string", "Επιστροφή δίπλα στη χορδή"},
};

}  // namespace

QString instrumentCaption(InstrumentCaption caption, bool english) {
    for (const CaptionRow& row : kCaptions) {
        if (row.caption == caption) {
            return QString::fromUtf8(english ? row.english : row.greek);
        }
    }
    return {};
}

}  // namespace palmos
