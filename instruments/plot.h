// The instruments' plots, painted with QPainter: a frame with ticks and their
// labels outside it (the space-time diagram draws its axes with these), and a
// small plot of up to four curves with a legend and a cursor.
#pragma once

#include <QColor>
#include <QList>
#include <QPixmap>
#include <QPointF>
#include <QRect>
#include <QString>
#include <QWidget>
#include <vector>

class QPainter;

namespace palmos {

// A tick step of 1, 2 or 5 times a power of ten, the smallest that gives
// fewer than `most` steps over `span`, and never below `least`.
double tickStep(double span, int most, double least = 0.0);

// A value with `decimals` decimals and no minus sign on zero.
QString tickLabel(double value, int decimals);

// A tick on one side of a plot: where it stands across or along the plot
// (pixels), and its label.
struct Tick {
    int at;
    QString label;
};

// The frame of `plot`, in the pen's colour.
void drawFrame(QPainter& painter, const QRect& plot);
// Ticks with their labels outside the frame: centred below the bottom edge;
// right-aligned to the left of the left edge, from x = `labelsFrom`; to the
// right of the right edge, in a column `labelsWidth` wide. Where the labels
// would touch, only every second, fifth, tenth... tick from the first is
// labelled, and no label is drawn over a box of `avoid`. Each returns the
// boxes of the labels' text as drawn.
QList<QRect> drawTicksBelow(QPainter& painter, const QRect& plot, const QList<Tick>& ticks,
                            const QList<QRect>& avoid = {});
QList<QRect> drawTicksLeft(QPainter& painter, const QRect& plot, const QList<Tick>& ticks,
                           int labelsFrom = 0, const QList<QRect>& avoid = {});
QList<QRect> drawTicksRight(QPainter& painter, const QRect& plot, const QList<Tick>& ticks,
                            int labelsWidth);

// One axis of a plot: its range, a tick every `step` from `anchor`, the
// labels' decimals and the axis's title.
struct PlotAxis {
    double min = 0.0;
    double max = 1.0;
    double step = 1.0;
    double anchor = 0.0;
    int decimals = 0;
    QString title;
};

struct PlotCurve {
    QString name;  // in the legend
    QColor colour;
    QList<QPointF> points;
};

inline constexpr int kMostCurves = 4;

// Curves against a horizontal and a vertical axis, a legend below the axes
// (beside the plot, in a column, where the plot is wide and short, with the
// horizontal axis's title at the end of its labels' row) and a dashed cursor
// across the plot at one x. Everything but the cursor is
// kept as a picture, drawn again only when the plot changes (curves, axes,
// size, font): moving the cursor repaints two thin strips of it.
class Plot : public QWidget {
  public:
    explicit Plot(QWidget* parent = nullptr);

    void setAxes(const PlotAxis& x, const PlotAxis& y);
    // At most kMostCurves; more are left out.
    void setCurves(std::vector<PlotCurve> curves);
    // Curves drawn dashed behind the others (at most kMostCurves), and what
    // the legend says of them beside a dashed stroke, on a line of its own
    // (nothing when the note is empty).
    void setDashedCurves(std::vector<PlotCurve> curves);
    void setDashedNote(const QString& note);
    // The cursor at `x` on the horizontal axis.
    void setCursor(double x);
    void clearCursor();

    const PlotAxis& xAxis() const { return x_; }
    const PlotAxis& yAxis() const { return y_; }
    const std::vector<PlotCurve>& curves() const { return curves_; }
    const std::vector<PlotCurve>& dashedCurves() const { return dashed_; }
    const QString& dashedNote() const { return note_; }
    // Where the curves are drawn, and the cursor's column (-1 for none).
    QRect plotRect() const { return plot_; }
    // The boxes of every text drawn in the last picture: the ticks' labels,
    // the axes' titles and the legend's names.
    const QList<QRect>& textRects() const { return texts_; }
    // Whether the legend stands beside the plot now.
    bool legendBeside() const { return beside_; }
    // The least height of a plot `width` wide whose curves get `plotHeight`
    // pixels of it.
    int leastHeight(int width, int plotHeight) const;
    int cursorColumn() const { return cursorColumn_; }
    // The pixel column and row of a point of the axes.
    double columnOf(double x) const;
    double rowOf(double y) const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    struct Geometry {
        QRect plot;
        QRect legend;
        bool beside = false;
    };
    Geometry geometryFor(QSize size) const;
    void changed();
    void layOut();
    void placeCursor();
    void drawPicture();
    void drawLegend(QPainter& painter);
    void drawCurves(QPainter& painter, const std::vector<PlotCurve>& curves,
                    Qt::PenStyle style) const;
    QList<Tick> ticks(const PlotAxis& axis, bool across) const;
    QRect strip(int x) const;

    PlotAxis x_;
    PlotAxis y_;
    std::vector<PlotCurve> curves_;
    std::vector<PlotCurve> dashed_;
    QString note_;
    bool hasCursor_ = false;
    double cursor_ = 0.0;
    int cursorColumn_ = -1;
    QRect plot_;
    QRect legend_;
    bool beside_ = false;
    QList<QRect> texts_;
    QPixmap picture_;
    bool pictureDue_ = true;
};

}  // namespace palmos
