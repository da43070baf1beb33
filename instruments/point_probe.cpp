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
#include <QStringList>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <functional>

namespace palmos {

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

// One colour per probe, told apart also in grey, with its name.
struct ProbeColour {
    QColor colour;
    const char* english;
    const char* greek;
};
const ProbeColour kProbeColours[kMostProbes] = {{QColor(0, 90, 200), "blue", "μπλε"},
                                                {QColor(210, 40, 30), "red", "κόκκινο"},
                                                {QColor(20, 140, 60), "green", "πράσινο"},
                                                {QColor(140, 60, 170), "purple", "μωβ"}};

// A displacement as the chart's axis gives it, without a minus sign on zero.
QString displacement(double u) {
    return QString::number(std::fabs(u) < 0.0005 ? 0.0 : u, 'f', 3);
}

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
    // One button per probe, in its colour, that removes it.
    for (int i = 0; i < kMostProbes; ++i) {
        auto* remove = new QToolButton(this);
        remove->setFocusPolicy(Qt::StrongFocus);
        remove->hide();
        connect(remove, &QToolButton::clicked, this, [this, i] {
            if (static_cast<std::size_t>(i) < probes_.size()) {
                removeProbe(probes_[static_cast<std::size_t>(i)]);
            }
        });
        chooser->addWidget(remove);
        removers_.push_back(remove);
    }
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
    // The box finishes its editing also when it loses the keyboard (a click
    // on the string, another window): only Enter, with the keyboard still in
    // the box, adds its point.
    connect(pointBox_, &QSpinBox::editingFinished, this, [this] {
        if (pointBox_->hasFocus()) {
            addProbe(pointBox_->value());
        }
    });
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
    canvas_->setAccessibleName(english ? QStringLiteral("chart of the probed points")
                                       : QStringLiteral("διάγραμμα των σημείων του ανιχνευτή"));
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        lines_[i]->setName(pointName(probes_[i]));
    }
    for (std::size_t i = 0; i < removers_.size(); ++i) {
        QToolButton* remove = removers_[i];
        remove->setVisible(i < probes_.size());
        if (i >= probes_.size()) {
            continue;
        }
        remove->setText(pointName(probes_[i]) + QStringLiteral(" ×"));
        QPalette palette = remove->palette();
        palette.setColor(QPalette::ButtonText, probeColour(static_cast<int>(i)));
        remove->setPalette(palette);
        const QString name = (english ? QStringLiteral("remove the probe on point %1")
                                      : QStringLiteral("αφαίρεση του ανιχνευτή στο σημείο %1"))
                                 .arg(probes_[i]);
        remove->setAccessibleName(name);
        remove->setToolTip(name);
    }
    describe();
    schedulePicture();
}

QString PointProbeWindow::pointName(int point) const {
    return (english_ ? QStringLiteral("point %1") : QStringLiteral("σημείο %1")).arg(point);
}

QColor PointProbeWindow::probeColour(int i) const {
    return kProbeColours[colours_.at(static_cast<std::size_t>(i))].colour;
}

// What a screen reader says of the chart: its probes, each with its colour
// and its displacement at the level shown.
void PointProbeWindow::describe() {
    if (!run_.prepared()) {
        canvas_->setAccessibleDescription(message_->text());
        return;
    }
    QStringList parts{(english_
                           ? QStringLiteral("Displacement against level. Level shown: %1")
                           : QStringLiteral("Απομάκρυνση ως προς το επίπεδο. Επίπεδο τώρα: %1"))
                          .arg(level_)};
    if (probes_.empty()) {
        parts << (english_ ? QStringLiteral("no point probed yet")
                           : QStringLiteral("κανένα σημείο ακόμη"));
    }
    for (std::size_t i = 0; i < probes_.size(); ++i) {
        const ProbeColour& colour = kProbeColours[colours_[i]];
        parts << QStringLiteral("%1 (%2): %3")
                     .arg(pointName(probes_[i]),
                          QString::fromUtf8(english_ ? colour.english : colour.greek),
                          displacement(run_.table->at(probes_[i], level_)));
    }
    const QString text =
        parts.join(english_ ? QStringLiteral("; ") : QStringLiteral("· ")) + QLatin1Char('.');
    canvas_->setAccessibleDescription(text);
}

void PointProbeWindow::setRun(const RunView& run) {
    run_ = run;
    pointBox_->setRange(0, run.prepared() ? run.lastPoint : 0);
    const std::size_t before = probes_.size();
    for (std::size_t i = probes_.size(); i-- > 0;) {
        if (probes_[i] > run.lastPoint) {
            probes_.erase(probes_.begin() + static_cast<std::ptrdiff_t>(i));
            colours_.erase(colours_.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    level_ = std::clamp(level_, 0, run.lastLevel);
    rebuild();
    if (probes_.size() != before && probesChanged_) {
        probesChanged_();
    }
}

bool PointProbeWindow::addProbe(int point) {
    if (!run_.prepared() || point < 0 || point > run_.lastPoint) {
        return false;
    }
    if (std::find(probes_.begin(), probes_.end(), point) == probes_.end()) {
        // A probe keeps its colour while it lasts: a new one takes a colour
        // no probe has, the oldest one's when there are four.
        int colour = 0;
        if (static_cast<int>(probes_.size()) == kMostProbes) {
            colour = colours_.front();
            probes_.erase(probes_.begin());
            colours_.erase(colours_.begin());
        } else {
            while (std::find(colours_.begin(), colours_.end(), colour) != colours_.end()) {
                ++colour;
            }
        }
        probes_.push_back(point);
        colours_.push_back(colour);
        rebuild();
        if (probesChanged_) {
            probesChanged_();
        }
    }
    return true;
}

void PointProbeWindow::removeProbe(int point) {
    const auto found = std::find(probes_.begin(), probes_.end(), point);
    if (found == probes_.end()) {
        return;
    }
    colours_.erase(colours_.begin() + (found - probes_.begin()));
    probes_.erase(found);
    rebuild();
    if (probesChanged_) {
        probesChanged_();
    }
}

QLineSeries* PointProbeWindow::probeLine(int i) const {
    return lines_.at(static_cast<std::size_t>(i));
}

void PointProbeWindow::setCurrentLevel(int level) {
    level = std::clamp(level, 0, run_.lastLevel);
    if (level != level_) {
        level_ = level;
        moveCursor();
        describe();
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
        setTexts(windowTitle(), message_->text(), english_);
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
        line->setPen(QPen(probeColour(static_cast<int>(i)), 2));
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
