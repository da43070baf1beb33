// The measured ratios beside the printed ones: what the formula gives for the
// speeds the run used, what the run's own table shows, and one sentence on
// how they were measured.
#pragma once

#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

#include "physics/two_media/measured_ratios.h"

class QLabel;
class QScrollArea;
class QVBoxLayout;

namespace palmos {

// The pulse's speeds measured in one run, and in the same run with another
// pulse, with what they are compared with.
struct SpeedsView {
    MeasuredSpeeds measured;
    MeasuredSpeeds otherPulse;
    int otherPulseWidth = 0;
    TwoMediaScheme scheme = TwoMediaScheme::StepMode;
    double timeStep = 0.0;
    // The bars' names of the drive side and of the far side.
    const char* driveName = "c";
    const char* farName = "c";
};

// The ratios of one run, with the speeds of the two bars it used.
struct RatiosView {
    MeasuredRatios ratios;
    double c1 = 0.0;
    double c2 = 0.0;
    std::optional<SpeedsView> speeds = std::nullopt;
};

// The window's text: the printed line, the measured line and the sentence,
// in paragraphs apart by a blank line.
QString ratiosText(const RatiosView& view, bool english);

class MeasuredRatiosWindow : public QWidget {
  public:
    MeasuredRatiosWindow(const QString& title, const QString& notPrepared, bool english,
                         QWidget* parent = nullptr);

    // The ratios of a new run, or none before the first preparation.
    void setRatios(const std::optional<RatiosView>& view);
    void setTexts(const QString& title, const QString& notPrepared, bool english);
    QString text() const;
    // One label per paragraph, each read by a screen reader as it shows.
    const std::vector<QLabel*>& paragraphs() const { return labels_; }

  protected:
    // The paragraphs stand a line apart at any zoom.
    void changeEvent(QEvent* event) override;

  private:
    void refresh();

    std::optional<RatiosView> view_;
    QString notPrepared_;
    bool english_ = true;
    QString text_;
    std::vector<QLabel*> labels_;
    QVBoxLayout* paragraphsLayout_ = nullptr;
    QScrollArea* scroll_ = nullptr;
};

}  // namespace palmos
