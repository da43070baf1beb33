// The program: one session (the runs and the elliptic solution), the four
// windows that play it, and the instruments that follow its runs. main()
// makes one; every window test makes its own. It is also the way from one
// window to another (Navigation), since it owns them all.
#pragma once

#include <memory>

#include "app/instruments.h"
#include "app/predict.h"
#include "app/run_announcer.h"
#include "app/windows.h"
#include "navigation/navigation.h"
#include "session/session.h"

namespace palmos {

class Program final : public Navigation {
  public:
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    Session& session() { return session_; }
    ProgramWindows& windows() { return windows_; }
    Eisagogi1& eisagogi1() { return windows_.eisagogi1(); }
    Ypervola& ypervola() { return windows_.ypervola(); }
    Dyomessa& dyomessa() { return windows_.dyomessa(); }
    Elliptikh& elliptikh() { return windows_.elliptikh(); }

    // The instruments of each window, installed by the first applyLanguage.
    InstrumentSet& simpleSolutionInstruments() { return instruments_->simpleSolution(); }
    InstrumentSet& twoMediaInstruments() { return instruments_->twoMedia(); }
    // Predict mode on each simulation window, made with the instruments.
    PredictMode& simpleSolutionPredict() { return *simplePredict_; }
    PredictMode& twoMediaPredict() { return *twoMediaPredict_; }
    const Worksheet& worksheet() const { return worksheet_; }

    // What happened to the windows so far ("load <title>", "show <title>").
    const QStringList& windowHistory() const { return windows_.history(); }

    // ApplyLanguage, the program's entry procedure and the handler of both
    // language options: the captions of the selected language, the
    // instruments' titles in it, then the introduction shown. The first also
    // sets up the instruments and what a screen reader hears of the runs.
    void applyLanguage() override;

    void showIntroduction() override;
    void openSimpleSolution() override;
    void openTwoMedia() override;
    void showEllipticEquation() override;
    bool englishSelected() override;

  private:
    void makePredictModes();

    // Declared in the order they are made; predict mode, the announcer and
    // the instruments, which hold lines and sets in the windows, go first, the
    // session last.
    Session session_;
    ProgramWindows windows_;
    std::unique_ptr<RunInstruments> instruments_;
    Worksheet worksheet_;
    std::unique_ptr<PredictMode> simplePredict_;
    std::unique_ptr<PredictMode> twoMediaPredict_;
    std::unique_ptr<RunAnnouncer> announcer_;
};

}  // namespace palmos
