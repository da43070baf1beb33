// The point probe: a chart of chosen points' displacement against level over
// the run, with a cursor at the level shown now. Up to four probes at once,
// each in its own colour with a legend. Displacements are given in the run's
// unit of height (its driven pulse is 1.00), and only as far as the student
// has been let see the run (RunView::shown): nothing before its START, the
// levels up to the one shown while predict mode waits.
#pragma once

#include <QList>
#include <QPointF>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "instruments/run_view.h"

class QLabel;
class QPushButton;
class QSpinBox;
class QStackedLayout;
class QToolButton;

namespace palmos {

class Plot;

// Point `point`'s displacement at levels 0..lastShown (at most the run's
// last level): (level, u), u in the unit of height of `unit`.
QList<QPointF> probeSeries(const RunView& run, int point, const RunView& unit,
                           int lastShown = kTableLevels);
// The same in the run's own unit, over the whole run.
inline QList<QPointF> probeSeries(const RunView& run, int point) {
    return probeSeries(run, point, run);
}

inline constexpr int kMostProbes = 4;

class PointProbeWindow : public QWidget {
  public:
    PointProbeWindow(const QString& title, const QString& notPrepared, bool english,
                     QWidget* parent = nullptr);
    ~PointProbeWindow() override;

    // A new run (or none): every probe reads it afresh. Each probe's curve of
    // the previous run, when there is one, is drawn dashed behind its curve.
    void setRun(const RunView& run, const RunView& previous = {});
    // Adds a probe on point `point` (a point already probed is left as it
    // is; a fifth probe replaces the oldest). Returns whether the point is a
    // point of the run.
    bool addProbe(int point);
    // Removes the probe on point `point`, if there is one; its button in the
    // chooser row does it.
    void removeProbe(int point);
    // Called after every change of the probes or of their colours.
    void onProbesChanged(std::function<void()> changed) { probesChanged_ = std::move(changed); }
    // Moves the cursor to the level the animation shows now.
    void setCurrentLevel(int level);
    // Draws again what the run lets be seen, when that may have changed.
    void showPart();
    RunShown shown() const { return shown_; }
    void setTexts(const QString& title, const QString& notPrepared, bool english);

    const std::vector<int>& probes() const { return probes_; }
    // The colour of the i-th probe: its curve, its button, its ring.
    QColor probeColour(int i) const;
    // The curve of the i-th probe, as the chart shows it: (level, u).
    const QList<QPointF>& probeCurve(int i) const;
    // Its curve of the previous run, dashed in a lighter colour; empty when
    // there is no previous run.
    const QList<QPointF>& previousCurve(int i) const;
    QColor previousColour(int i) const;
    int currentLevel() const { return level_; }
    // Where the cursor stands across the chart (pixels), or -1 for none.
    int cursorColumn() const;
    // The chart, as drawn and as a screen reader reads it.
    Plot& chart() const { return *chart_; }

  private:
    void rebuild();
    // The last level drawn: -1 for none.
    int lastShown() const;
    void describe();
    QString pointName(int point) const;
    void moveCursor();
    void setAxes();

    RunView run_;
    RunView previous_;
    std::vector<int> probes_;
    std::vector<int> colours_;  // each probe's colour, an index of the palette
    std::function<void()> probesChanged_;
    int level_ = 0;
    RunShown shown_ = RunShown::Nothing;
    bool english_ = true;
    double lowest_ = -1.0;
    double highest_ = 1.0;

    QStackedLayout* stack_ = nullptr;
    QLabel* message_ = nullptr;
    Plot* chart_ = nullptr;
    QSpinBox* pointBox_ = nullptr;
    QLabel* pointLabel_ = nullptr;
    QPushButton* add_ = nullptr;
    std::vector<QToolButton*> removers_;
};

}  // namespace palmos
