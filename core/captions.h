// Every text the language switch writes, in English and in Greek: the
// windows' captions, the readouts' names, the instruments' titles, menus and
// texts, and the words of the two-media readouts. A text is UTF-8; %1, %2...
// mark what the instruments fill in.
#pragma once

#include <initializer_list>
#include <string>

namespace palmos {

enum class Caption {
    // The window controls, in the order the English branch writes them: the
    // two-media window...
    TwoMediaStart,
    TwoMediaStepStart,
    TwoMediaStop,
    TwoMediaIntroduction,
    TwoMediaContinue,
    TwoMediaEnd,
    TwoMediaStep,
    TwoMediaFreeEnd,
    TwoMediaFixedEnd,
    // ...the simple-solution window...
    SimpleSolutionStart,
    SimpleSolutionElliptic,
    SimpleSolutionEnd,
    SimpleSolutionTwoMedia,
    SimpleSolutionIntroduction,
    SimpleSolutionFreeEnd,
    SimpleSolutionFixedEnd,
    // ...and the introduction window.
    IntroductionNote,  // empty in both languages
    IntroductionTwoMedia,
    IntroductionEnd,
    IntroductionSimpleSolution,
    IntroductionEnglish,
    IntroductionGreek,
    IntroductionAbout,

    // The readout boxes' accessible names.
    TwoMediaReadoutName,
    SimpleSolutionReadoutName,

    // The instruments' titles and menu items.
    SpaceTimeDiagram,
    PointProbe,
    MeasuredRatios,
    SavePicture,
    CopyData,
    PressStartFirst,
    Detach,
    Dock,

    // What the instruments write.
    PictureNotSaved,
    DataHeading,
    DataPointColumn,
    PointAxis,
    LevelAxis,
    SpaceTimeRight,
    SpaceTimeLeft,
    SpaceTimeLayout,
    SpaceTimeTwoSpeeds,
    SpaceTimeOneSpeed,
    SpaceTimeFarEnd,
    SpaceTimeFixed,
    SpaceTimeFree,
    SpaceTimeLevelLine,
    ProbePointLabel,
    ProbeAdd,
    ProbeChart,
    ProbeRemove,
    ProbePointName,
    ProbeLevelShown,
    ProbeNone,
    ProbeBlue,
    ProbeRed,
    ProbeGreen,
    ProbePurple,
    ProbeSeparator,
    DisplacementAxis,
    RatiosFromFormula,
    RatiosMeasured,

    // The measured ratios' account, around the two points it names, and why
    // a ratio could not be measured.
    RatiosHowReflected,
    RatiosHowTransmitted,
    RatiosHowDivided,
    PulseTooShort,
    EchoesOverlap,
    BeyondRun,

    // The measured speeds beside the ratios, and how the bars' c gives them
    // in each scheme.
    SpeedsFromFronts,
    SpeedsFromStripes,
    SpeedsOtherPulse,
    SpeedNotMeasured,
    SpeedRelationStep,
    SpeedRelationContinuous,

    // The events of a run as a screen reader announces them; %1 is "upright"
    // or "upside down", %2 the measured height over the incoming pulse's.
    EventLeaves,
    EventReachesJunction,
    EventReflectedBack,
    EventReflectedBackUnmeasured,
    EventNothingReflected,
    EventTransmittedOn,
    EventTransmittedOnUnmeasured,
    EventReachesFixedEnd,
    EventReachesFreeEnd,
    EventComesBack,
    EventComesBackUnmeasured,
    EventUpright,
    EventUpsideDown,
    // What a screen reader hears of the two-media window's STOP, STEP and
    // CONTINUE and of the end of a run; %1 is the level shown.
    RunPaused,
    RunStep,
    RunContinues,
    RunEnded,

    // Predict mode: its menu item and window, the questions with their
    // answers, what the run did and the worksheet.
    Predict,
    PredictTitle,
    PredictTwoMedia,
    PredictSimpleSolution,
    QuestionReflectedWay,
    QuestionTransmittedHeight,
    QuestionTransmittedWidth,
    QuestionArrivesFirst,
    QuestionEndWay,
    QuestionEndHeight,
    QuestionReflectedWayShort,
    QuestionTransmittedHeightShort,
    QuestionTransmittedWidthShort,
    QuestionArrivesFirstShort,
    QuestionEndWayShort,
    QuestionEndHeightShort,
    AnswerUpright,
    AnswerUpsideDown,
    AnswerNothingReflected,
    AnswerHigher,
    AnswerLower,
    AnswerAsHigh,
    AnswerWider,
    AnswerNarrower,
    AnswerAsWide,
    AnswerReflectedFirst,
    AnswerTransmittedFirst,
    AnswerTogether,
    PredictYourAnswer,
    PredictNotAnswered,
    PredictWatch,
    PredictRunDid,
    PredictAgrees,
    PredictDiffers,
    PredictBeyondRun,
    PredictNeverArrives,
    PredictUnit,
    PredictFormulaWidth,
    PredictFormulaArrivals,
    PredictFormulaOnlyTransmitted,
    PredictFormulaEnd,
    PredictMeasuredReflected,
    PredictMeasuredTransmitted,
    PredictMeasuredEnd,
    PredictMeasuredArrivals,
    PredictLevelsAfter,
    PredictGridLoses,
    PredictGridAdds,
    PredictGridWidth,
    PredictRough,
    PredictNext,
    TabSpaceTime,
    TabPointProbe,
    TabMeasuredRatios,
    PredictWorksheet,
    PredictCopy,
    PredictSave,
    PredictCopyShown,
    PredictSaveShown,
    PredictWorksheetHeader,
    PredictSheetName,
    PredictSheetDate,
    PredictSheetNotSaved,

    // The previous run of a window, drawn behind the one shown: its settings
    // and what the point probe and the space-time diagram say of it.
    PreviousHeight,
    PreviousWidth,
    PreviousFixedEnd,
    PreviousFreeEnd,
    ProbePreviousLegend,
    ProbePrevious,
    SpaceTimePrevious,
    // What the instruments' 1.00 of height stands for.
    HeightUnitPrinted,
    HeightUnitDriven,

    // The words of the two-media readouts; the English reflected label has a
    // blank before the equals sign when the c1 bar moves.
    ReflectedLabel,
    ReflectedLabelAfterC1,
    TransmittedLabel,
    PulseHeightLabel,
    PulseWidthLabel,

    Count  // not a caption: how many there are
};

// The text of `id` in English or in Greek.
const char* caption(Caption id, bool english);

// The same with %1, %2... replaced by `args` in their order.
std::string captionWith(Caption id, bool english, std::initializer_list<std::string> args);

}  // namespace palmos
