// The space-time diagram: a run's whole table as one picture, points across
// (the drive end on the right, as on the string) and levels going up, each
// cell coloured by its displacement on a diverging map.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <QWidget>

#include "instruments/run_view.h"

namespace palmos {

// Blue below zero, white at zero, red above, symmetric about zero and at full
// strength at +-scale. A scale of 0 leaves everything white.
QRgb divergingColour(double value, double scale);

// The largest |u| over points 0..lastPoint and levels 0..lastLevel.
double largestDisplacement(const RunView& run);

// One pixel per cell: pixel (x, y) shows level lastLevel - y of point x, or of
// point lastPoint - x when the drive end is on the left. Scaled to the run's
// largest |u|. A null image before the first preparation.
QImage spaceTimeImage(const RunView& run);

// What the diagram shows, in words for a screen reader: the axes, the colours,
// the media with their speeds and the far end. Empty before a run.
QString spaceTimeDescription(const RunView& run, bool english);

// The diagram's window: the picture with a colour bar, axes with ticks
// (point; level and time), the junction, the media named by their speeds and
// a line at the level shown now. Before a run is prepared it says so in one
// line instead. Its accessible description says the same in words, the
// level shown included.
class SpaceTimeWindow : public QWidget {
  public:
    // `notPrepared` is what it says before a run has been prepared.
    SpaceTimeWindow(const QString& title, const QString& notPrepared, bool english,
                    QWidget* parent = nullptr);

    // A new run (or none); redraws everything.
    void setRun(const RunView& run);
    // The level the animation shows now; repaints only the line's old and
    // new place.
    void setCurrentLevel(int level);
    // Title, the line said before a run, and the axes' language.
    void setTexts(const QString& title, const QString& notPrepared, bool english);

    int currentLevel() const { return level_; }
    const QString& notPreparedText() const { return notPrepared_; }
    // Where the picture is drawn, and the band the level line covers.
    QRect plotRect() const { return plot_; }
    QRect levelLineRect(int level) const;
    // The vertical middle of `level` in the picture.
    int levelY(int level) const;
    // The horizontal middle of point `point` in the picture.
    int pointX(int point) const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void layOut();
    void drawAxes(class QPainter& painter) const;
    void drawColourBar(class QPainter& painter) const;
    void describeLevel();

    RunView run_;
    QImage image_;  // one pixel per cell
    double scale_ = 0.0;
    int level_ = 0;
    QString notPrepared_;
    QString about_;  // spaceTimeDescription of the run, in the language in use
    bool english_ = true;
    QRect plot_;
    QRect bar_;
};

}  // namespace palmos
