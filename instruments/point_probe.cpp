#include "instruments/point_probe.h"

#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedLayout>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

namespace palmos {

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
    cursor_ = new QLineSeries(chart_);
    cursor_->setPen(QPen(Qt::black, 1, Qt::DashLine));
    chart_->addSeries(cursor_);
    cursor_->attachAxis(levelAxis_);
    cursor_->attachAxis(displacementAxis_);
    chart_->legend()->markers(cursor_).first()->setVisible(false);
    chart_->legend()->setAlignment(Qt::AlignBottom);
    view_ = new QChartView(chart_, this);
    view_->setRenderHint(QPainter::Antialiasing);
    stack_->addWidget(message_);
    stack_->addWidget(view_);
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
    stack_->setCurrentWidget(run_.prepared() ? static_cast<QWidget*>(view_) : message_);
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
    moveCursor();
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
    }
    QWidget::changeEvent(event);
}

void PointProbeWindow::moveCursor() {
    cursor_->replace(QList<QPointF>{QPointF(level_, lowest_), QPointF(level_, highest_)});
}

}  // namespace palmos
