// The space-time diagram: a run's whole table as one picture, points across
// (the drive end on the right, as on the string) and levels going up, each
// cell coloured by its displacement on a diverging map.
#pragma once

#include <QImage>
#include <QLineF>
#include <QMargins>
#include <QPointF>
#include <QRect>
#include <QString>
#include <QWidget>
#include <vector>

#include "instruments/run_view.h"

namespace palmos {

// Blue below zero, white at zero, red above, symmetric about zero and at full
// strength at +-scale. A scale of 0 leaves everything white.
QRgb divergingColour(double value, double scale);

// The grey of the levels not shown yet.
inline constexpr QRgb kNotShownYet = qRgb(225, 225, 225);

// The largest |u| over points 0..lastPoint and levels 0..lastShown (at most
// lastLevel).
double largestDisplacement(const RunView& run, int lastShown = kTableLevels);

// One pixel per cell: pixel (x, y) shows level lastLevel - y of point x, or of
// point lastPoint - x when the drive end is on the left. Scaled to the largest
// |u| of the levels shown, 0..lastShown; the levels after it are grey. A null
// image before the first preparation.
QImage spaceTimeImage(const RunView& run, int lastShown = kTableLevels);

// The line where |u| crosses half the run's largest |u|, in the run's cells
// (x a point, y a level, both with fractions), as short segments through the
// squares of four neighbouring cells, placed by linear interpolation along
// their sides. It outlines the stripes of the run; a run with the same speeds
// and a pulse of another height has the same outline.
struct Outline {
    std::vector<QLineF> segments;
    // Segments firstOfLevel[n] to firstOfLevel[n + 1] - 1 lie between levels
    // n and n + 1; the last entry is the number of segments.
    std::vector<int> firstOfLevel;
};
Outline halfHeightOutline(const RunView& run);

// What the diagram shows, in words for a screen reader: the axes, the colours,
// the media with their speeds and the far end. Empty before a run.
QString spaceTimeDescription(const RunView& run, bool english);

// The diagram's window: the picture with a colour bar, axes with ticks
// (point; level and time), the junction, the media named by their speeds and
// a line at the level shown now. It shows only what the student has been let
// see of the run (RunView::shown): before its START, an empty frame that
// says so; while predict mode waits, the levels up to the one shown. Its
// accessible description says the same in words, the level shown included.
class SpaceTimeWindow : public QWidget {
  public:
    // `notPrepared` is what it says before a run has been prepared.
    SpaceTimeWindow(const QString& title, const QString& notPrepared, bool english,
                    QWidget* parent = nullptr);

    // A new run (or none); redraws everything. The previous run, when there
    // is one, is drawn over it as the dotted outline of its stripes.
    void setRun(const RunView& run, const RunView& previous = {});
    // The level the animation shows now; repaints only the line's old and
    // new place, unless the levels shown end there.
    void setCurrentLevel(int level);
    // Draws again what the run lets be seen, when that may have changed.
    void showPart();
    RunShown shown() const { return shown_; }
    // The colour bar's labels, top and bottom: the largest |u| shown, in the
    // run's unit of height.
    QString scaleLabel(bool top) const;
    // Title, the line said before a run, and the axes' language.
    void setTexts(const QString& title, const QString& notPrepared, bool english);

    int currentLevel() const { return level_; }
    const QString& notPreparedText() const { return notPrepared_; }
    // Where the picture is drawn, and the band the level line covers.
    QRect plotRect() const { return plot_; }
    // The room around the picture: axes, colour bar and the lines below.
    QMargins plotMargins() const;
    QRect levelLineRect(int level) const;
    // The vertical middle of `level` in the picture.
    int levelY(int level) const;
    // The horizontal middle of point `point` in the picture.
    int pointX(int point) const;
    // The previous run's outline, as halfHeightOutline gives it (empty when
    // there is no previous run), where a cell of it is drawn, and what is
    // written of it below the picture.
    const Outline& previousOutline() const { return outline_; }
    QPointF outlinePixel(const QPointF& cell) const;
    QString previousText() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void layOut();
    void drawAxes(class QPainter& painter) const;
    void drawColourBar(class QPainter& painter) const;
    void drawPreviousOutline(class QPainter& painter, const QRect& area) const;
    void describeRun();
    void describeLevel();
    // The picture and its scale for the levels shown now.
    void colourShown();
    // The last level drawn: -1 for none.
    int lastShown() const;

    RunView run_;
    RunView previous_;
    Outline outline_;  // of the previous run
    QImage image_;     // one pixel per cell
    double scale_ = 0.0;
    RunShown shown_ = RunShown::Nothing;
    int level_ = 0;
    QString notPrepared_;
    QString about_;  // spaceTimeDescription of the run, in the language in use
    bool english_ = true;
    QRect plot_;
    QRect bar_;
};

}  // namespace palmos
