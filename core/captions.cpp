#include "core/captions.h"

#include <array>
#include <cstddef>
#include <string>

namespace palmos {

namespace {

struct CaptionText {
    Caption id;
    const char* english;
    const char* greek;
};

constexpr std::size_t kCount = static_cast<std::size_t>(Caption::Count);

// Row k holds caption k, one row a line. The array has a row for every
// caption: a row left out leaves an empty one, which fails the checks below.
// clang-format off
constexpr std::array<CaptionText, kCount> kCaptions = {{
    {Caption::TwoMediaStart, "START", "ΞΕΚΙΝΑ"},
    {Caption::TwoMediaStepStart, "START", "ΞΕΚΙΝΑ"},
    {Caption::TwoMediaStop, "STOP", "ΣΤΑΜΑΤΑ"},
    {Caption::TwoMediaIntroduction, "INTRODUCTION", "ΕΙΣΑΓΩΓΗ"},
    {Caption::TwoMediaContinue, "CONTINUE", "ΣΥΝΕΧΙΣΕ"},
    {Caption::TwoMediaEnd, "END", "ΤΕΡΜΑ"},
    {Caption::TwoMediaStep, "STEP", "ΒΗΜΑ ΒΗΜΑ"},
    {Caption::TwoMediaFreeEnd, "FREE END", "ΕΛΕΥΘΕΡΟ ΑΚΡΟ"},
    {Caption::TwoMediaFixedEnd, "FIXED END", "ΣΤΑΘΕΡΟ ΑΚΡΟ"},
    {Caption::SimpleSolutionStart, "start", "ΞΕΚΙΝΑ"},
    {Caption::SimpleSolutionElliptic, "elliptic equation", "Ελλειπτική Εξίσωση"},
    {Caption::SimpleSolutionEnd, "END", "ΤΕΡΜΑΤΙΣΜΟΣ"},
    {Caption::SimpleSolutionTwoMedia, "TWO MEDIA", "ΔΥΟ ΜΕΣΑ"},
    {Caption::SimpleSolutionIntroduction, "INTRODUCTION", "EΙΣΑΓΩΓΗ"},
    {Caption::SimpleSolutionFreeEnd, "FREE END", "ΕΛΕΥΘΕΡΟ ΑΚΡΟ"},
    {Caption::SimpleSolutionFixedEnd, "FIXED END", "ΣΤΑΘΕΡΟ ΑΚΡΟ"},
    {Caption::IntroductionNote, "", ""},
    {Caption::IntroductionTwoMedia, "TWO MEDIA", "ΔΥΟ ΜΕΣΑ"},
    {Caption::IntroductionEnd, "END", "ΤΕΡΜΑ"},
    {Caption::IntroductionSimpleSolution, "SIMPLE SOLUTION", "ΑΠΛΗ ΛΥΣΗ"},
    {Caption::IntroductionEnglish, "ENGLISH", "ΑΓΓΛΙΚΑ"},
    {Caption::IntroductionGreek, "GREEK", "ΕΛΛΗΝΙΚΑ"},
    {Caption::IntroductionAbout, "IN THIS SOFTWARE ARE EXAMINED THE PROPERTIES OF PUSLES. THE CONDITIONS IN THE LIMITS ARE EXAMINED. THE DIFFERENT WAY OF REFLECTION IN THE FREE END VS THE REFLECTION IN FIXED END.FOR THE SIMPLE SOLUTION THERE IS NOT A POSSIBILITY OF CHANGE IN THE WIDTH AND HEIGHT OF THE PULSE. IN THE SCREEN IT CAN BE OBSERVED THE INFLUENCE OF THE VALUE OF SPEED IN THE BEHAVIOR OF THE REFLECTED AND TRANSMITTED PULSE. THERE IS ALSO THE POSSIBILITY OF CHANGE IN WIDTH OF PULSE AND THE INTERVAL OF THE TIMER.", "ΣΤΟ ΠΡΟΓΡΑΜΜΑ ΑΥΤΟ ΕΞΕΤΑΖΟΝΤΑΙ ΟΙ ΙΔΙΟΤΗΤΕΣ ΤΩΝ ΠΑΛΜΩΝ . ΕΞΕΤΑΖΟΝΤΑΙ ΟΙ ΟΡΙΑΚΕΣ ΣΥΝΘΗΚΕΣ. ΜΠΟΡΟΥΝ ΝΑ ΠΑΡΑΤΗΡΗΘΕΙ Η ΔΙΑΦΟΡΑ ΣΤΗΝ ΑΝΑΚΛΑΣΗ ΤΟΥ ΠΑΛΜΟΥ ΣΤΟ ΕΛΕΥΘΕΡΟ ΚΑΙ ΣΤΟ ΣΤΑΘΕΡΟ ΑΚΡΟ. ΣΤΗΝ ΑΠΛΗ ΛΥΣΗ ΔΕΝ ΥΠΑΡΧΕΙ Η ΔΥΝΑΤΟΤΗΤΑ ΓΙΑ ΑΛΛΑΓΗ ΤΟΥ ΕΥΡΟΥΣ ΤΟΥ ΠΑΛΜΟΥ Ή ΤΟΥ ΠΛΑΤΟΥΣ ΤΟΥ ΠΑΛΜΟΥ.  ΣΤΗΝ ΟΘΟΝΗ ΔΥΟ ΜΕΣΑ ΜΠΟΡΕΙ ΝΑ ΠΑΡΑΤΗΡΗΘΕΙ Η  ΕΠΙΔΡΑΣΗ ΤΗΣ ΔΙΑΦΟΡΑΣ ΤΗΣ ΤΑΧΥΤΗΤΑΣ ΣΤΗ ΣΥΜΠΕΡΙΦΟΡΑ ΤΟΥ ΑΝΑΚΛΩΜΕΝΟΥ ΚΑΙ ΔΙΑΔΙΔΟΜΕΝΟΥ ΠΑΛΜΟΥ. ΜΠΟΡΕΙ ΝΑ ΜΕΤΑΒΛΗΘΕΙ ΕΠΙΣΗΣ ΤΟ ΠΛΑΤΟΣ ΚΑΙ ΤΟ ΕΥΡΟΣ ΤΟΥ ΠΑΛΜΟΥ ΚΑΘΩΣ ΚΑΙ ΤΟ ΔΙΑΣΤΗΜΑ ΤΟΥ TIMER."},
    {Caption::TwoMediaReadoutName, "Ratios", "Λόγοι"},
    {Caption::SimpleSolutionReadoutName, "Readout", "Ένδειξη"},
    {Caption::SpaceTimeDiagram, "Space-time diagram", "Διάγραμμα χώρου-χρόνου"},
    {Caption::PointProbe, "Point probe", "Ανιχνευτής σημείου"},
    {Caption::MeasuredRatios, "Measured ratios", "Μετρημένοι λόγοι"},
    {Caption::SavePicture, "Save picture...", "Αποθήκευση εικόνας..."},
    {Caption::CopyData, "Copy data", "Αντιγραφή δεδομένων"},
    {Caption::PressStartFirst, "Press START first.", "Πατήστε πρώτα ΞΕΚΙΝΑ."},
    {Caption::Detach, "Open in a window of its own", "Άνοιγμα σε δικό του παράθυρο"},
    {Caption::Dock, "Dock beside the string", "Επιστροφή δίπλα στη χορδή"},
    {Caption::PictureNotSaved, "The picture could not be saved to %1: %2.", "Η εικόνα δεν αποθηκεύτηκε στο %1: %2."},
    {Caption::DataHeading, "level\ttime", "επίπεδο\tχρόνος"},
    {Caption::DataPointColumn, "\tpoint %1", "\tσημείο %1"},
    {Caption::PointAxis, "point", "σημείο"},
    {Caption::LevelAxis, "level", "επίπεδο"},
    {Caption::SpaceTimeRight, "right", "δεξιά"},
    {Caption::SpaceTimeLeft, "left", "αριστερά"},
    {Caption::SpaceTimeLayout, "Points 0 to %1 run across, the driven end (point %1) on the %2; " "levels 0 to %3 go up, t from 0.0 to %4. Red is upward " "displacement, blue downward, white the string at rest. ", "Τα σημεία 0 έως %1 απλώνονται οριζόντια, με το άκρο που κινείται " "(σημείο %1) %2· τα επίπεδα 0 έως %3 ανεβαίνουν, t από 0.0 έως %4. " "Το κόκκινο είναι απομάκρυνση προς τα πάνω, το μπλε προς τα κάτω, " "το λευκό η χορδή σε ηρεμία. "},
    {Caption::SpaceTimeTwoSpeeds, "%1 from the junction (point %2, the green line) to the " "driven end, %3 from the junction to the far end, ", "%1 από το σημείο ένωσης (σημείο %2, η πράσινη γραμμή) " "ως το άκρο που κινείται, %3 από το σημείο ένωσης ως " "το άλλο άκρο, "},
    {Caption::SpaceTimeOneSpeed, "%1 along the whole string to the far end, ", "%1 σε όλη τη χορδή ως το άλλο άκρο, "},
    {Caption::SpaceTimeFarEnd, "point 0, which is %1.", "το σημείο 0, που είναι %1."},
    {Caption::SpaceTimeFixed, "fixed", "σταθερό"},
    {Caption::SpaceTimeFree, "free", "ελεύθερο"},
    {Caption::SpaceTimeLevelLine, " The black line: level %1, t = %2.", " Η μαύρη γραμμή: επίπεδο %1, t = %2."},
    {Caption::ProbePointLabel, "Point:", "Σημείο:"},
    {Caption::ProbeAdd, "add probe", "προσθήκη ανιχνευτή"},
    {Caption::ProbeChart, "chart of the probed points", "διάγραμμα των σημείων του ανιχνευτή"},
    {Caption::ProbeRemove, "remove the probe on point %1", "αφαίρεση του ανιχνευτή στο σημείο %1"},
    {Caption::ProbePointName, "point %1", "σημείο %1"},
    {Caption::ProbeLevelShown, "Displacement against level. Level shown: %1", "Απομάκρυνση ως προς το επίπεδο. Επίπεδο τώρα: %1"},
    {Caption::ProbeNone, "no point probed yet", "κανένα σημείο ακόμη"},
    {Caption::ProbeBlue, "blue", "μπλε"},
    {Caption::ProbeRed, "red", "κόκκινο"},
    {Caption::ProbeGreen, "green", "πράσινο"},
    {Caption::ProbePurple, "purple", "μωβ"},
    {Caption::ProbeSeparator, "; ", "· "},
    {Caption::DisplacementAxis, "displacement", "απομάκρυνση"},
    {Caption::RatiosFromFormula, "From the formula, for c1 = %1 and c2 = %2:", "Από τον τύπο, για c1 = %1 και c2 = %2:"},
    {Caption::RatiosMeasured, "Measured in the run's table:", "Μετρημένοι στον πίνακα της κίνησης:"},
    {Caption::RatiosHowReflected, "Measured in the run's own table: the reflected pulse is the run minus the same " "run with both media at the drive side's speed, read at point ", "Μετρήθηκαν στον πίνακα της ίδιας της κίνησης: ο ανακλώμενος παλμός είναι η κίνηση " "μείον την ίδια κίνηση με και τα δύο μέσα στην ταχύτητα της πλευράς της πηγής, στο " "σημείο "},
    {Caption::RatiosHowTransmitted, ", the transmitted pulse is the run's peak at point ", ", ο διαδιδόμενος είναι η κορυφή της κίνησης στο σημείο "},
    {Caption::RatiosHowDivided, " before the far end's echo, and each is divided by that equal-speed run's peak " "at the same point.", " πριν γυρίσει η ηχώ του άκρου, και ο καθένας διαιρείται με την κορυφή εκείνης της " "κίνησης ίσων ταχυτήτων στο ίδιο σημείο."},
    {Caption::PulseTooShort, "No clean window: the pulse is too short on the grid to keep its height.", "Κανένα καθαρό παράθυρο: ο παλμός είναι πολύ στενός στο πλέγμα για να " "κρατήσει το ύψος του."},
    {Caption::EchoesOverlap, "No clean window: the echoes overlap.", "Κανένα καθαρό παράθυρο: οι ηχώ επικαλύπτονται."},
    {Caption::BeyondRun, "No clean window: the pulse does not pass the point within the run.", "Κανένα καθαρό παράθυρο: ο παλμός δεν περνά το σημείο μέσα στην κίνηση."},
    {Caption::SpeedsFromFronts, "Speed of the pulse, from the moments its front passes two points of each medium: %2 points per level on the %1 side and %4 on the %3 side (%5 and %6 per unit of time).", "Ταχύτητα του παλμού, από τις στιγμές που το μέτωπό του περνά από δύο σημεία κάθε μέσου: %2 σημεία ανά επίπεδο στην πλευρά του %1 και %4 στην πλευρά του %3 (%5 και %6 ανά μονάδα χρόνου)."},
    {Caption::SpeedsFromStripes, "From the slope of the space-time diagram's stripes: %2 on the %1 side and %4 on the %3 side.", "Από την κλίση των λωρίδων του διαγράμματος χώρου-χρόνου: %2 στην πλευρά του %1 και %4 στην πλευρά του %3."},
    {Caption::SpeedsOtherPulse, "The same run with a pulse half as high and %1 levels wide: %3 on the %2 side and %5 on the %4 side. The height and the width of a pulse do not change its speed.", "Η ίδια κίνηση με παλμό μισού ύψους και εύρους %1 επιπέδων: %3 στην πλευρά του %2 και %5 στην πλευρά του %4. Το ύψος και το εύρος του παλμού δεν αλλάζουν την ταχύτητά του."},
    {Caption::SpeedNotMeasured, "not measured", "δεν μετρήθηκε"},
    {Caption::SpeedRelationStep, "In the step mode the bars set c, and the pulse moves √c points per unit of time (√c·Δt points per level): here √c1 = %1 and √c2 = %2. The printed ratios are (√c1 − √c2)/(√c1 + √c2), not (c1 − c2)/(c1 + c2).", "Στη λειτουργία βήμα βήμα οι μπάρες δίνουν το c, και ο παλμός κινείται √c σημεία ανά μονάδα χρόνου (√c·Δt σημεία ανά επίπεδο): εδώ √c1 = %1 και √c2 = %2. Οι τυπωμένοι λόγοι είναι (√c1 − √c2)/(√c1 + √c2), όχι (c1 − c2)/(c1 + c2)."},
    {Caption::SpeedRelationContinuous, "In this run the bars' c is the pulse's speed itself: c points per level (c/Δt per unit of time).", "Σε αυτή την κίνηση το c των μπαρών είναι η ίδια η ταχύτητα του παλμού: c σημεία ανά επίπεδο (c/Δt ανά μονάδα χρόνου)."},
    {Caption::EventLeaves, "The pulse leaves the driven end.", "Ο παλμός ξεκινά από το άκρο που ταλαντώνεται."},
    {Caption::EventReachesJunction, "The pulse reaches the junction.", "Ο παλμός φτάνει στο σημείο ένωσης των δύο χορδών."},
    {Caption::EventReflectedBack, "The reflected part comes back %1, about %2 of the incoming height.", "Ο ανακλώμενος παλμός επιστρέφει %1, περίπου %2 του ύψους του προσπίπτοντος."},
    {Caption::EventReflectedBackUnmeasured, "The reflected part comes back %1.", "Ο ανακλώμενος παλμός επιστρέφει %1."},
    {Caption::EventNothingReflected, "Nothing is reflected at the junction.", "Στο σημείο ένωσης δεν ανακλάται τίποτα."},
    {Caption::EventTransmittedOn, "The transmitted part goes on %1, about %2 of the incoming height.", "Ο διαδιδόμενος παλμός συνεχίζει %1, περίπου %2 του ύψους του προσπίπτοντος."},
    {Caption::EventTransmittedOnUnmeasured, "The transmitted part goes on %1.", "Ο διαδιδόμενος παλμός συνεχίζει %1."},
    {Caption::EventReachesFixedEnd, "The pulse reaches the fixed end.", "Ο παλμός φτάνει στο σταθερό άκρο."},
    {Caption::EventReachesFreeEnd, "The pulse reaches the free end.", "Ο παλμός φτάνει στο ελεύθερο άκρο."},
    {Caption::EventComesBack, "The pulse reflected at the end comes back %1, about %2 of the incoming height.", "Ο παλμός που ανακλάστηκε στο άκρο επιστρέφει %1, περίπου %2 του ύψους του προσπίπτοντος."},
    {Caption::EventComesBackUnmeasured, "The pulse reflected at the end comes back %1.", "Ο παλμός που ανακλάστηκε στο άκρο επιστρέφει %1."},
    {Caption::EventUpright, "upright", "όρθιος"},
    {Caption::EventUpsideDown, "upside down", "ανεστραμμένος"},
    {Caption::RunPaused, "Paused at level %1.", "Παύση στο επίπεδο %1."},
    {Caption::RunStep, "Step: level %1.", "Βήμα: επίπεδο %1."},
    {Caption::RunContinues, "The run goes on from level %1.", "Η κίνηση συνεχίζεται από το επίπεδο %1."},
    {Caption::RunEnded, "End of the run, at level %1.", "Τέλος της κίνησης, στο επίπεδο %1."},
    {Caption::Predict, "Predict", "Πρόβλεψη"},
    {Caption::PredictTitle, "Predict, observe, explain", "Πρόβλεψη, παρατήρηση, εξήγηση"},
    {Caption::PredictTwoMedia, "Two media", "Δύο μέσα"},
    {Caption::PredictSimpleSolution, "Simple solution", "Απλή λύση"},
    {Caption::QuestionReflectedWay, "The pulse is about to reach the junction. How will the part reflected there come back?", "Ο παλμός πλησιάζει το σημείο ένωσης. Πώς θα επιστρέψει ο παλμός που ανακλάται εκεί;"},
    {Caption::QuestionTransmittedHeight, "The pulse is about to reach the junction. How high will the part that goes on be, against the incoming pulse?", "Ο παλμός πλησιάζει το σημείο ένωσης. Τι ύψος θα έχει το μέρος που συνεχίζει, σε σχέση με τον προσπίπτοντα παλμό;"},
    {Caption::QuestionTransmittedWidth, "The pulse is about to reach the junction. How wide will the part that goes on be, against the incoming pulse?", "Ο παλμός πλησιάζει το σημείο ένωσης. Τι εύρος θα έχει το μέρος που συνεχίζει, σε σχέση με τον προσπίπτοντα παλμό;"},
    {Caption::QuestionArrivesFirst, "The pulse is about to reach the junction. Which will arrive first: the reflected part back at the driven end, or the transmitted part at the far end?", "Ο παλμός πλησιάζει το σημείο ένωσης. Ποιος θα φτάσει πρώτος: ο ανακλώμενος πίσω στο άκρο που ταλαντώνεται ή ο διαδιδόμενος στο άλλο άκρο;"},
    {Caption::QuestionEndWay, "The pulse is about to reach the %1 end. How will it come back?", "Ο παλμός πλησιάζει το %1 άκρο. Πώς θα επιστρέψει;"},
    {Caption::QuestionEndHeight, "The pulse is about to reach the %1 end. How high will it come back, against the pulse that arrives?", "Ο παλμός πλησιάζει το %1 άκρο. Τι ύψος θα έχει όταν επιστρέψει, σε σχέση με τον παλμό που φτάνει;"},
    {Caption::QuestionReflectedWayShort, "Reflected at the junction", "Ανάκλαση στο σημείο ένωσης"},
    {Caption::QuestionTransmittedHeightShort, "Height after the junction", "Ύψος μετά το σημείο ένωσης"},
    {Caption::QuestionTransmittedWidthShort, "Width after the junction", "Εύρος μετά το σημείο ένωσης"},
    {Caption::QuestionArrivesFirstShort, "First to arrive", "Ποιος φτάνει πρώτος"},
    {Caption::QuestionEndWayShort, "Back from the %1 end", "Επιστροφή από το %1 άκρο"},
    {Caption::QuestionEndHeightShort, "Height back from the %1 end", "Ύψος μετά το %1 άκρο"},
    {Caption::AnswerUpright, "Upright", "Όρθιος"},
    {Caption::AnswerUpsideDown, "Upside down", "Ανεστραμμένος"},
    {Caption::AnswerNothingReflected, "Nothing is reflected", "Δεν ανακλάται τίποτα"},
    {Caption::AnswerHigher, "Higher", "Μεγαλύτερο ύψος"},
    {Caption::AnswerLower, "Lower", "Μικρότερο ύψος"},
    {Caption::AnswerAsHigh, "As high", "Ίδιο ύψος"},
    {Caption::AnswerWider, "Wider", "Μεγαλύτερο εύρος"},
    {Caption::AnswerNarrower, "Narrower", "Μικρότερο εύρος"},
    {Caption::AnswerAsWide, "As wide", "Ίδιο εύρος"},
    {Caption::AnswerReflectedFirst, "The reflected part", "Ο ανακλώμενος"},
    {Caption::AnswerTransmittedFirst, "The transmitted part", "Ο διαδιδόμενος"},
    {Caption::AnswerTogether, "Both together", "Και οι δύο μαζί"},
    {Caption::PredictYourAnswer, "Your answer: %1.", "Η απάντησή σας: %1."},
    {Caption::PredictNotAnswered, "not answered", "χωρίς απάντηση"},
    {Caption::PredictWatch, "Watch the run.", "Παρακολουθήστε την κίνηση."},
    {Caption::PredictRunDid, "The physics: %1 (%2). Measured in the run: %3.", "Σύμφωνα με τη φυσική: %1 (%2). Μέτρηση στην κίνηση: %3."},
    {Caption::PredictAgrees, "As you predicted.", "Όπως το προβλέψατε."},
    {Caption::PredictDiffers, "Not as you predicted: explain why.", "Όχι όπως το προβλέψατε: εξηγήστε γιατί."},
    {Caption::PredictBeyondRun, "The run ends before this shows.", "Η κίνηση τελειώνει πριν φανεί αυτό."},
    {Caption::PredictNeverArrives, "not within the run", "όχι μέσα στην κίνηση"},
    {Caption::PredictUnit, "Heights are given against the incoming pulse's height: A0 = %1 is 1.00 here.", "Τα ύψη δίνονται σε σχέση με το ύψος του προσπίπτοντος παλμού: A0 = %1 αντιστοιχεί σε 1.00 εδώ."},
    {Caption::PredictFormulaWidth, "%1 times the incoming pulse's width", "%1 φορές το εύρος του προσπίπτοντος παλμού"},
    {Caption::PredictFormulaArrivals, "the reflected part back at the driven end %1 levels after the junction, the transmitted part at the far end %2 levels after it", "ο ανακλώμενος πίσω στο άκρο που ταλαντώνεται %1 επίπεδα μετά το σημείο ένωσης, ο διαδιδόμενος στο άλλο άκρο %2 επίπεδα μετά"},
    {Caption::PredictFormulaOnlyTransmitted, "nothing is reflected; the transmitted part at the far end %1 levels after the junction", "δεν ανακλάται τίποτα· ο διαδιδόμενος στο άλλο άκρο %1 επίπεδα μετά το σημείο ένωσης"},
    {Caption::PredictFormulaEnd, "%1 times the height of the pulse that arrives", "%1 φορές το ύψος του παλμού που φτάνει"},
    {Caption::PredictMeasuredReflected, "the reflected part, read at level %1: %2", "ο ανακλώμενος παλμός, στο επίπεδο %1: %2"},
    {Caption::PredictMeasuredTransmitted, "the transmitted part, read at level %1: %2", "ο διαδιδόμενος παλμός, στο επίπεδο %1: %2"},
    {Caption::PredictMeasuredEnd, "the pulse back from the end, read at level %1: %2", "ο παλμός μετά το άκρο, στο επίπεδο %1: %2"},
    {Caption::PredictMeasuredArrivals, "the reflected part back at the driven end %1, the transmitted part at the far end %2", "ο ανακλώμενος πίσω στο άκρο που ταλαντώνεται %1, ο διαδιδόμενος στο άλλο άκρο %2"},
    {Caption::PredictLevelsAfter, "%1 levels after the junction (level %2)", "%1 επίπεδα μετά το σημείο ένωσης (επίπεδο %2)"},
    {Caption::PredictGridLoses, "The grid loses a little of the height on the way: measured %1, ideal %2.", "Το πλέγμα χάνει λίγο από το ύψος στη διαδρομή: μετρήθηκε %1, ιδανικά %2."},
    {Caption::PredictGridAdds, "The grid adds a little to the height on the way: measured %1, ideal %2.", "Το πλέγμα προσθέτει λίγο στο ύψος στη διαδρομή: μετρήθηκε %1, ιδανικά %2."},
    {Caption::PredictGridWidth, "On the grid the width comes out a little different: measured %1, ideal %2.", "Στο πλέγμα το εύρος βγαίνει λίγο διαφορετικό: μετρήθηκε %1, ιδανικά %2."},
    {Caption::PredictRough, "A rough reading: here the pulse never lies whole and alone where it is read.", "Πρόχειρη μέτρηση: εδώ ο παλμός δεν βρίσκεται ποτέ ολόκληρος και μόνος εκεί όπου μετριέται."},
    {Caption::PredictNext, "Next", "Συνέχεια"},
    {Caption::TabSpaceTime, "Diagram", "Διάγραμμα"},
    {Caption::TabPointProbe, "Probe", "Ανιχνευτής"},
    {Caption::TabMeasuredRatios, "Ratios", "Λόγοι"},
    {Caption::PredictWorksheet, "Worksheet", "Φύλλο εργασίας"},
    {Caption::PredictCopy, "Copy worksheet", "Αντιγραφή φύλλου εργασίας"},
    {Caption::PredictSave, "Save worksheet...", "Αποθήκευση φύλλου εργασίας..."},
    {Caption::PredictCopyShown, "Copy", "Αντιγραφή"},
    {Caption::PredictSaveShown, "Save...", "Αποθήκευση..."},
    {Caption::PredictWorksheetHeader, "Run\tc1\tc2\tHeight A0\tWidth\tEnd\tQuestion\tAnswer\tPhysics\tMeasured\tFormula", "Κίνηση\tc1\tc2\tΎψος A0\tΕύρος\tΆκρο\tΕρώτηση\tΑπάντηση\tΦυσική\tΜέτρηση\tΤύπος"},
    {Caption::PredictSheetName, "Name: ______________________________", "Όνομα: ______________________________"},
    {Caption::PredictSheetDate, "Date: %1", "Ημερομηνία: %1"},
    {Caption::PredictSheetNotSaved, "The worksheet could not be saved to %1: %2.", "Το φύλλο εργασίας δεν αποθηκεύτηκε στο %1: %2."},
    {Caption::PreviousHeight, "height %1", "ύψος %1"},
    {Caption::PreviousWidth, "width %1", "εύρος %1"},
    {Caption::PreviousFixedEnd, "fixed end", "σταθερό άκρο"},
    {Caption::PreviousFreeEnd, "free end", "ελεύθερο άκρο"},
    {Caption::ProbePreviousLegend, "previous run: %1", "προηγούμενη κίνηση: %1"},
    {Caption::ProbePrevious, " Dashed, the previous run (%1): %2.", " Διακεκομμένες, η προηγούμενη κίνηση (%1): %2."},
    {Caption::SpaceTimePrevious, "Grey dashes: the previous run (%1), where its |u| was half its largest.", "Γκρι διακεκομμένη γραμμή: η προηγούμενη κίνηση (%1), όπου το |u| της ήταν το μισό της μέγιστης τιμής του."},
    {Caption::HeightUnitPrinted, "A0 = %1 is 1.00 here", "A0 = %1 αντιστοιχεί σε 1.00 εδώ"},
    {Caption::HeightUnitDriven, "the driven pulse's height is 1.00 here", "το ύψος του παλμού διέγερσης είναι 1.00 εδώ"},
    {Caption::ReflectedLabel, "REFLECTED= A0 X", "ΑΝΑΚΛΩΜΕΝΟΣ= A0 X"},
    {Caption::ReflectedLabelAfterC1, "REFLECTED = A0 X", "ΑΝΑΚΛΩΜΕΝΟΣ= A0 X"},
    {Caption::TransmittedLabel, " TRANSMITTED=  A0 X", " ΔΙΑΔΙΔΟΜΕΝΟΣ=  A0 X"},
    {Caption::PulseHeightLabel, "HEIGHT OF 1ST PULSE=", "Πλάτος πρώτου παλμού ="},
    {Caption::PulseWidthLabel, "WIDTH OF PULSE=", "ΕΥΡΟΣ ΠΑΛΜΟΥ="},
}};
// clang-format on

// The first row that does not hold its own caption, or has no text in a
// language; kCount when every row is in its place.
constexpr std::size_t firstMisplacedRow() {
    for (std::size_t k = 0; k < kCount; ++k) {
        const CaptionText& row = kCaptions[k];
        if (row.id != static_cast<Caption>(k) || row.english == nullptr || row.greek == nullptr) {
            return k;
        }
    }
    return kCount;
}
static_assert(firstMisplacedRow() == kCount, "a caption's row is missing or out of place");

// The first row with an empty text other than the introduction's note, which
// is empty on purpose; kCount when there is none.
constexpr std::size_t firstEmptyRow() {
    for (std::size_t k = 0; k < kCount; ++k) {
        const CaptionText& row = kCaptions[k];
        const bool empty = row.english == nullptr || *row.english == '\0' || row.greek == nullptr ||
                           *row.greek == '\0';
        if (empty && row.id != Caption::IntroductionNote) {
            return k;
        }
    }
    return kCount;
}
static_assert(firstEmptyRow() == kCount, "a caption has no text in one of its languages");

}  // namespace

const char* caption(Caption id, bool english) {
    const CaptionText& row = kCaptions[static_cast<std::size_t>(id)];
    return english ? row.english : row.greek;
}

std::string captionWith(Caption id, bool english, std::initializer_list<std::string> args) {
    const std::string text = caption(id, english);
    std::string filled;
    // %1..%9 name the arguments; anything else after a % stays as it is.
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char next = at + 1 < text.size() ? text[at + 1] : '\0';
        const auto k = static_cast<std::size_t>(next - '1');
        if (text[at] == '%' && next >= '1' && next <= '9' && k < args.size()) {
            filled += *(args.begin() + k);
            ++at;
        } else {
            filled += text[at];
        }
    }
    return filled;
}

}  // namespace palmos
