#include "instruments/point_probe.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedLayout>
#include <QStringList>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "instruments/captions.h"
#include "instruments/plot.h"
#include "instruments/previous_run.h"

namespace palmos {

namespace {

// One colour per probe, told apart also in grey, with its name.
struct ProbeColour {
    QColor colour;
    Caption name;
};
const ProbeColour kProbeColours[kMostProbes] = {{QColor(0, 90, 200), Caption::ProbeBlue},
                                                {QColor(210, 40, 30), Caption::ProbeRed},
                                                {QColor(20, 140, 60), Caption::ProbeGreen},
                                                {QColor(140, 60, 170), Caption::ProbePurple}};

// Heights with two decimals, as the chart's axis gives them.
constexpr int kDecimals = 2;

}  // namespace

QList<QPointF> probeSeries(const RunView& run, int point, const RunView& unit, int lastShown) {
    QList<QPointF> series;
    if (!run.prepared()) {
        return series;
    }
    const int last = std::min(lastShown, run.lastLevel);
    series.reserve(std::max(0, last + 1));
    for (int n = 0; n <= last; ++n) {
        series.append(QPointF(n, unit.inUnits(run.table->at(point, n))));
    }
    return series;
}

PointProbeWindow::PointProbeWindow(const QString& title, const QString& notPrepared, bool english,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window) {
    auto* layout = new QVBoxLayout(this);
    // Narrow margins: the chart has the height a docked probe can spare.
    const int margin = style()->pixelMetric(QStyle::PM_LayoutTopMargin) / 3;
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(margin);
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
    chart_ = new Plot(this);
    stack_->addWidget(message_);
    stack_->addWidget(chart_);
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
    pointLabel_->setText(instrumentCaption(Caption::ProbePointLabel, english));
    add_->setAccessibleName(instrumentCaption(Caption::ProbeAdd, english));
    chart_->setAccessibleName(instrumentCaption(Caption::ProbeChart, english));
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
        const QString name = instrumentCaption(Caption::ProbeRemove, english).arg(probes_[i]);
        remove->setAccessibleName(name);
        remove->setToolTip(name);
    }
    chart_->setDashedNote(chart_->dashedCurves().empty()
                              ? QString()
                              : instrumentCaption(Caption::ProbePreviousLegend, english)
                                    .arg(runSettingsText(previous_, run_, english)));
    describe();
    setAxes();
}

QString PointProbeWindow::pointName(int point) const {
    return instrumentCaption(Caption::ProbePointName, english_).arg(point);
}

QColor PointProbeWindow::probeColour(int i) const {
    return kProbeColours[colours_.at(static_cast<std::size_t>(i))].colour;
}

// Nearer white than the probe's colour, told apart from it also in grey.
QColor PointProbeWindow::previousColour(int i) const {
    const QColor colour = probeColour(i);
    const auto lighter = [](int c) { return c + (255 - c) * 11 / 20; };
    return QColor(lighter(colour.red()), lighter(colour.green()), lighter(colour.blue()));
}

// What a screen reader says of the chart: its probes, each with its colour
// and its displacement at the level shown.
void PointProbeWindow::describe() {
    if (lastShown() < 0) {
        chart_->setAccessibleDescription(message_->text());
        return;
    }
    QStringList parts{instrumentCaption(Caption::ProbeLevelShown, english_).arg(level_)};
    if (probes_.empty()) {
        parts << instrumentCaption(Caption::ProbeNone, english_);
    }
    for (std::size_t i = 0; i < probes_.size(); ++i) {
        const ProbeColour& colour = kProbeColours[colours_[i]];
        parts << QStringLiteral("%1 (%2): %3")
                     .arg(pointName(probes_[i]), instrumentCaption(colour.name, english_),
                          tickLabel(run_.inUnits(run_.table->at(probes_[i], level_)), kDecimals));
    }
    QString text =
        parts.join(instrumentCaption(Caption::ProbeSeparator, english_)) + QLatin1Char('.');
    // The previous run: its settings and each probe's displacement in it.
    if (previous_.prepared() && !probes_.empty()) {
        QStringList before;
        for (const int point : probes_) {
            if (point <= previous_.lastPoint && level_ <= previous_.lastLevel) {
                before << QStringLiteral("%1: %2").arg(
                    pointName(point),
                    tickLabel(run_.inUnits(previous_.table->at(point, level_)), kDecimals));
            }
        }
        text += instrumentCaption(Caption::ProbePrevious, english_)
                    .arg(runSettingsText(previous_, run_, english_),
                         before.join(instrumentCaption(Caption::ProbeSeparator, english_)));
    }
    chart_->setAccessibleDescription(text);
}

void PointProbeWindow::setRun(const RunView& run, const RunView& previous) {
    run_ = run;
    previous_ = run.prepared() ? previous : RunView{};
    pointBox_->setRange(0, run.prepared() ? run.lastPoint : 0);
    const std::size_t before = probes_.size();
    for (std::size_t i = probes_.size(); i-- > 0;) {
        if (probes_[i] > run.lastPoint) {
            probes_.erase(probes_.begin() + static_cast<std::ptrdiff_t>(i));
            colours_.erase(colours_.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    level_ = std::clamp(level_, 0, run.lastLevel);
    shown_ = run.shownNow();
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

const QList<QPointF>& PointProbeWindow::probeCurve(int i) const {
    return chart_->curves().at(static_cast<std::size_t>(i)).points;
}

const QList<QPointF>& PointProbeWindow::previousCurve(int i) const {
    static const QList<QPointF> none;
    const std::vector<PlotCurve>& dashed = chart_->dashedCurves();
    return static_cast<std::size_t>(i) < dashed.size() ? dashed[static_cast<std::size_t>(i)].points
                                                       : none;
}

void PointProbeWindow::setCurrentLevel(int level) {
    level = std::clamp(level, 0, run_.lastLevel);
    if (level != level_) {
        level_ = level;
        const RunShown now = run_.shownNow();
        if (now != shown_ || now == RunShown::UpToLevelShown) {
            // The curves end at the level shown: drawn anew.
            shown_ = now;
            rebuild();
            return;
        }
        moveCursor();
        describe();
    }
}

void PointProbeWindow::showPart() {
    const RunShown now = run_.shownNow();
    if (now != shown_ || now == RunShown::UpToLevelShown) {
        shown_ = now;
        rebuild();
    }
}

int PointProbeWindow::lastShown() const {
    return run_.lastShown(shown_, level_);
}

// The probes' curves in their colours, those of the previous run dashed
// behind them, and the range they span with a little room above and below.
void PointProbeWindow::rebuild() {
    const int last = lastShown();
    stack_->setCurrentWidget(last >= 0 ? static_cast<QWidget*>(chart_) : message_);
    std::vector<PlotCurve> curves;
    std::vector<PlotCurve> dashed;
    lowest_ = 0.0;
    highest_ = 0.0;
    const auto span = [this](const PlotCurve& curve) {
        for (const QPointF& p : curve.points) {
            lowest_ = std::min(lowest_, p.y());
            highest_ = std::max(highest_, p.y());
        }
    };
    if (last >= 0) {
        for (std::size_t i = 0; i < probes_.size(); ++i) {
            const int probe = static_cast<int>(i);
            curves.push_back({pointName(probes_[i]), probeColour(probe),
                              probeSeries(run_, probes_[i], run_, last)});
            span(curves.back());
            if (previous_.prepared()) {
                // A point the previous run did not have keeps an empty curve;
                // its heights count in the unit of the run shown.
                dashed.push_back({pointName(probes_[i]), previousColour(probe),
                                  probes_[i] <= previous_.lastPoint
                                      ? probeSeries(previous_, probes_[i], run_)
                                      : QList<QPointF>()});
                span(dashed.back());
            }
        }
    }
    if (highest_ == lowest_) {
        highest_ = lowest_ + 1.0;
    }
    const double room = 0.05 * (highest_ - lowest_);
    lowest_ -= room;
    highest_ += room;
    chart_->setCurves(std::move(curves));
    chart_->setDashedCurves(std::move(dashed));
    setTexts(windowTitle(), message_->text(), english_);
}

// Whole levels, ticked every 50, 100, 200, 250 or 500 levels: at most eight
// ticks across the run; displacements every 1, 2 or 5 times a power of ten.
void PointProbeWindow::setAxes() {
    PlotAxis levels{.min = 0.0,
                    .max = static_cast<double>(std::max(1, run_.lastLevel)),
                    .title = instrumentCaption(Caption::LevelAxis, english_)};
    for (const int interval : {50, 100, 200, 250, 500}) {
        levels.step = interval;
        if (run_.lastLevel / interval <= 8) {
            break;
        }
    }
    const PlotAxis displacements{.min = lowest_,
                                 .max = highest_,
                                 .step = tickStep(highest_ - lowest_, 7, 0.01),
                                 .decimals = kDecimals,
                                 .title = heightTitle(run_, english_)};
    chart_->setAxes(levels, displacements);
    moveCursor();
}

int PointProbeWindow::cursorColumn() const {
    return chart_->cursorColumn();
}

void PointProbeWindow::moveCursor() {
    if (lastShown() >= 0) {
        chart_->setCursor(level_);
    } else {
        chart_->clearCursor();
    }
}

}  // namespace palmos
