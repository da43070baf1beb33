#include "instruments/point_probe.h"

#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedLayout>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <functional>

namespace palmos {

namespace {}  // namespace

// The chart as a picture, with the cursor drawn over it: a tick moves the
// cursor by repainting two thin strips of the picture, where drawing the chart
// would stroke every probe's curve, 1502 points each, again.
class ProbeCanvas : public QWidget {
  public:
    explicit ProbeCanvas(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    void setPicture(const QPixmap& picture, const QRect& plot) {
        picture_ = picture;
        plot_ = plot;
        update();
    }

    // The cursor's column, or -1 for none.
    void setCursorX(int x) {
        if (x == x_) {
            return;
        }
        update(strip(x_));
        x_ = x;
        update(strip(x_));
    }
    int cursorX() const { return x_; }

  protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        const QRect area = event->rect();
        const qreal ratio = picture_.devicePixelRatio();
        painter.fillRect(area, palette().window());
        painter.drawPixmap(QRectF(area), picture_,
                           QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio));
        if (x_ >= 0) {
            painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
            painter.drawLine(x_, plot_.top(), x_, plot_.bottom());
        }
    }

  private:
    QRect strip(int x) const {
        return x < 0 ? QRect() : QRect(x - 1, plot_.top(), 3, plot_.height() + 1);
    }

    QPixmap picture_;
    QRect plot_;
    int x_ = -1;
};

// A chart view that tells its window when its size changed.
class ProbeChartView : public QChartView {
  public:
    ProbeChartView(QChart* chart, QWidget* parent, std::function<void()> resized)
        : QChartView(chart, parent), resized_(std::move(resized)) {}

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QChartView::resizeEvent(event);
        resized_();
    }

  private:
    std::function<void()> resized_;
};

namespace {

// One colour per probe, told apart also in grey.
const QColor kProbeColours[kMostProbes] = {QColor(0, 90, 200), QColor(210, 40, 30),
                                           QColor(20, 140, 60), QColor(140, 60, 170)};

}  // namespace

QList<QPointF> probeSeries(const RunView& run, int point) {
    QList<QPointF> series;
    if (!run.prepared()) {
        return series;
    }
    series.reserve(run.lastLevel + 1);
    for (int n = 0; n <= run.lastLevel; ++n) {
        series.append(QPointF(n, run.table->at(point, n)));
    }
    return series;
}

PointProbeWindow::PointProbeWindow(const QString& title, const QString& notPrepared, bool english,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window) {
    auto* layout = new QVBoxLayout(this);
    auto* chooser = new QHBoxLayout;
    pointLabel_ = new QLabel(this);
    pointBox_ = new QSpinBox(this);
    pointBox_->setRange(0, 0);
    pointLabel_->setBuddy(pointBox_);
    add_ = new QPushButton(QStringLiteral("+"), this);
    chooser->addWidget(pointLabel_);
    chooser->addWidget(pointBox_);
    chooser->addWidget(add_);
    chooser->addStretch();
    layout->addLayout(chooser);

    stack_ = new QStackedLayout;
    message_ = new QLabel(this);
    message_->setAlignment(Qt::AlignCenter);
    chart_ = new QChart;
    levelAxis_ = new QValueAxis(chart_);
    displacementAxis_ = new QValueAxis(chart_);
    chart_->addAxis(levelAxis_, Qt::AlignBottom);
    chart_->addAxis(displacementAxis_, Qt::AlignLeft);
    chart_->legend()->setAlignment(Qt::AlignBottom);
    // The chart page: the chart itself, covered by its picture with the
    // cursor over it.
    chartPage_ = new QWidget(this);
    auto* layers = new QStackedLayout(chartPage_);
    layers->setStackingMode(QStackedLayout::StackAll);
    view_ = new ProbeChartView(chart_, chartPage_, [this] { schedulePicture(); });
    view_->setRenderHint(QPainter::Antialiasing);
    canvas_ = new ProbeCanvas(chartPage_);
    layers->addWidget(view_);
    layers->addWidget(canvas_);
    layers->setCurrentWidget(canvas_);
    stack_->addWidget(message_);
    stack_->addWidget(chartPage_);
    layout->addLayout(stack_);

    connect(add_, &QPushButton::clicked, this, [this] { addProbe(pointBox_->value()); });
    connect(pointBox_, &QSpinBox::editingFinished, this, [this] { addProbe(pointBox_->value()); });
    setTexts(title, notPrepared, english);
    resize(720, 480);
    rebuild();
}

PointProbeWindow::~PointProbeWindow() {
    // Closing the window takes the focus from the spin box, which finishes
    // its editing: no probe is added while the window goes.
    QObject::disconnect(pointBox_, nullptr, this, nullptr);
}

void PointProbeWindow::setTexts(const QString& title, const QString& notPrepared, bool english) {
    setWindowTitle(title);
    message_->setText(notPrepared);
    english_ = english;
    pointLabel_->setText(english ? QStringLiteral("Point:") : QStringLiteral("Σημείο:"));
    add_->setAccessibleName(english ? QStringLiteral("add probe")
                                    : QStringLiteral("προσθήκη ανιχνευτή"));
    levelAxis_->setTitleText(english ? QStringLiteral("level") : QStringLiteral("επίπεδο"));
    displacementAxis_->setTitleText(english ? QStringLiteral("displacement")
                                            : QStringLiteral("απομάκρυνση"));
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        lines_[i]->setName(
            (english ? QStringLiteral("point %1") : QStringLiteral("σημείο %1")).arg(probes_[i]));
    }
    schedulePicture();
}

void PointProbeWindow::setRun(const RunView& run) {
    run_ = run;
    pointBox_->setRange(0, run.prepared() ? run.lastPoint : 0);
    std::erase_if(probes_, [&](int point) { return point > run.lastPoint; });
    level_ = std::clamp(level_, 0, run.lastLevel);
    rebuild();
}

bool PointProbeWindow::addProbe(int point) {
    if (!run_.prepared() || point < 0 || point > run_.lastPoint) {
        return false;
    }
    if (std::find(probes_.begin(), probes_.end(), point) == probes_.end()) {
        if (static_cast<int>(probes_.size()) == kMostProbes) {
            probes_.erase(probes_.begin());
        }
        probes_.push_back(point);
        rebuild();
    }
    return true;
}

QLineSeries* PointProbeWindow::probeLine(int i) const {
    return lines_.at(static_cast<std::size_t>(i));
}

void PointProbeWindow::setCurrentLevel(int level) {
    level = std::clamp(level, 0, run_.lastLevel);
    if (level != level_) {
        level_ = level;
        moveCursor();
    }
}

void PointProbeWindow::rebuild() {
    for (QLineSeries* line : lines_) {
        chart_->removeSeries(line);
        delete line;
    }
    lines_.clear();
    stack_->setCurrentWidget(run_.prepared() ? chartPage_ : message_);
    if (!run_.prepared()) {
        return;
    }

    lowest_ = 0.0;
    highest_ = 0.0;
    for (std::size_t i = 0; i < probes_.size(); ++i) {
        auto* line = new QLineSeries(chart_);
        const QList<QPointF> points = probeSeries(run_, probes_[i]);
        for (const QPointF& p : points) {
            lowest_ = std::min(lowest_, p.y());
            highest_ = std::max(highest_, p.y());
        }
        line->replace(points);
        line->setPen(QPen(kProbeColours[i], 2));
        chart_->addSeries(line);
        line->attachAxis(levelAxis_);
        line->attachAxis(displacementAxis_);
        lines_.push_back(line);
    }
    if (highest_ == lowest_) {
        highest_ = lowest_ + 1.0;
    }
    const double room = 0.05 * (highest_ - lowest_);
    lowest_ -= room;
    highest_ += room;
    // Whole levels, ticked every 50, 100, 200, 250 or 500 levels: at most
    // eight ticks across the run.
    levelAxis_->setRange(0, run_.lastLevel);
    levelAxis_->setLabelFormat(QStringLiteral("%d"));
    levelAxis_->setTickType(QValueAxis::TicksDynamic);
    levelAxis_->setTickAnchor(0);
    for (const int interval : {50, 100, 200, 250, 500}) {
        levelAxis_->setTickInterval(interval);
        if (run_.lastLevel / interval <= 8) {
            break;
        }
    }
    displacementAxis_->setRange(lowest_, highest_);
    displacementAxis_->setLabelFormat(QStringLiteral("%.3f"));
    setTexts(windowTitle(), message_->text(), english_);
}

void PointProbeWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    schedulePicture();
}

void PointProbeWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange && chart_ != nullptr) {
        QFont title = font();
        title.setBold(true);
        for (QValueAxis* axis : {levelAxis_, displacementAxis_}) {
            axis->setLabelsFont(font());
            axis->setTitleFont(title);
        }
        chart_->legend()->setFont(font());
        schedulePicture();
    }
    QWidget::changeEvent(event);
}

// Drawing the picture sends the chart events of its own (a resize among
// them), so it is drawn once the present event is done, once for any number
// of changes.
void PointProbeWindow::schedulePicture() {
    if (pictureDue_) {
        return;
    }
    pictureDue_ = true;
    QTimer::singleShot(0, this, [this] {
        pictureDue_ = false;
        refreshPicture();
    });
}

// The chart is laid out at once (it would be at its next paint), drawn into
// the picture, and the cursor placed over its plot.
void PointProbeWindow::refreshPicture() {
    // A closed window draws its picture when it is shown again.
    if (canvas_ == nullptr || !run_.prepared() || !isVisible()) {
        return;
    }
    if (chart_->layout() != nullptr) {
        chart_->layout()->activate();
    }
    const QRectF plot = chart_->mapToScene(chart_->plotArea()).boundingRect();
    plot_ = view_->mapFromScene(plot).boundingRect();
    canvas_->setPicture(view_->grab(), plot_);
    canvas_->setCursorX(-1);
    moveCursor();
}

int PointProbeWindow::cursorColumn() const {
    return canvas_->cursorX();
}

void PointProbeWindow::moveCursor() {
    const double span = levelAxis_->max() - levelAxis_->min();
    if (!run_.prepared() || plot_.isEmpty() || span <= 0) {
        canvas_->setCursorX(-1);
        return;
    }
    const double share = (level_ - levelAxis_->min()) / span;
    canvas_->setCursorX(plot_.left() + static_cast<int>(std::lround(share * plot_.width())));
}

}  // namespace palmos
