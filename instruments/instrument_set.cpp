#include "instruments/instrument_set.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QLayout>
#include <QMouseEvent>
#include <QShortcut>
#include <QStyle>
#include <QWidget>
#include <algorithm>

#include "instruments/context_menu.h"
#include "instruments/copy_data.h"
#include "instruments/dock.h"
#include "instruments/plot.h"
#include "instruments/point_probe.h"
#include "instruments/predict_window.h"
#include "instruments/save_picture.h"
#include "instruments/space_time.h"
#include "ui/shapes.h"
#include "ui/zoom.h"

namespace palmos {

namespace {

// The least height, at the zoom in use, of a plot's area a class reads from
// the back of the room: 160 pixels on a full-HD screen at its fitted zoom.
int leastPlotHeight() {
    return ui::zoomedPixels(89);
}

int lineOf(const QWidget* instrument) {
    return QFontMetrics(instrument->font()).height();
}

// What a window's layout puts around its contents, and between two rows.
int layoutChrome(const QWidget* instrument) {
    const QLayout* layout = instrument->layout();
    if (layout == nullptr) {
        return 0;
    }
    const QMargins margins = layout->contentsMargins();
    return margins.top() + margins.bottom() + std::max(0, layout->spacing());
}

// The least size each instrument is read at, from the room its own window
// lays out around what it shows: the diagram's margins for its axes, the
// colour bar and the line on the previous run; the probe's row of points
// above its chart; the ratios' first lines; the predict window's question
// with its answers, or the worksheet's heading, four rows and buttons.
QSize spaceTimeLeast(const SpaceTimeWindow* diagram) {
    const int plot = leastPlotHeight();
    const QMargins around = diagram->plotMargins();
    return {around.left() + around.right() + plot * 3 / 2, around.top() + around.bottom() + plot};
}

QSize probeLeast(const PointProbeWindow* probe) {
    int row = 0;
    for (const QWidget* control : probe->findChildren<QWidget*>()) {
        if (qobject_cast<const QAbstractButton*>(control) != nullptr ||
            qobject_cast<const QAbstractSpinBox*>(control) != nullptr) {
            row = std::max(row, control->sizeHint().height());
        }
    }
    const int plot = leastPlotHeight();
    const int width = std::max(probe->minimumSizeHint().width(), 4 * plot);
    const int chrome = layoutChrome(probe) + row;
    return {width, chrome + probe->chart().leastHeight(width - 2 * layoutChrome(probe) / 3, plot)};
}

QSize ratiosLeast(const QWidget* ratios) {
    const QFontMetrics metrics(ratios->font());
    const int line = metrics.height();
    return {
        metrics.horizontalAdvance(QStringLiteral("    A1/A0 = 0.00    B1/A0 = 0.00")) + 4 * line,
        8 * line};
}

QSize predictLeast(const PredictWindow* predict) {
    const int line = lineOf(predict);
    const int button = QFontMetrics(predict->font()).height() + 12;
    const int asking = 3 * line + 3 * (button + 6);
    const int worksheet = line + 5 * (line + 8) + 18 + button + 12;
    return QSize(20 * line, layoutChrome(predict) + std::max(asking, worksheet))
        .expandedTo(predict->minimumSizeHint());
}

}  // namespace

InstrumentSet::InstrumentSet(QWidget* window, RunSource source)
    : QObject(window), window_(window), source_(std::move(source)) {
    InstrumentActions actions{.spaceTimeDiagram = [this] { openSpaceTimeDiagram(); },
                              .pointProbe = [this] { openPointProbe(); },
                              .savePicture = [this] { savePicture(); },
                              .copyData = [this] { copyData(); }};
    if (source_.ratios) {
        actions.measuredRatios = [this] { openMeasuredRatios(); };
    }
    menu_ = installInstrumentMenu(window, source_.english, std::move(actions));
    dock_ = new InstrumentDock(window, [this](bool swing) {
        return source_.stringReach ? source_.stringReach(swing) : QRect();
    });
    // A click on a circle after choosing the probe picks its point.
    window->installEventFilter(this);
}

InstrumentMenu* InstrumentSet::menu() const {
    return menu_;
}

InstrumentDock& InstrumentSet::dock() const {
    return *dock_;
}

// The instruments go with their set: their windows, the menu and the dock,
// whose functions read the set. (When the window goes first, they are gone
// already.)
InstrumentSet::~InstrumentSet() {
    // Nothing of the instruments on their way out reaches the set.
    window_->removeEventFilter(this);
    if (probe_) {
        probe_->removeEventFilter(this);
    }
    delete spaceTime_;
    delete probe_;
    delete ratios_;
    delete dock_;
    delete menu_;
}

QString InstrumentSet::caption(Caption which) const {
    return instrumentCaption(which, source_.english());
}

void InstrumentSet::showRun(const RunView& run) {
    // Copied now, while the run's table still holds it; also with no
    // instrument open, since one opened later compares too.
    previous_.follow(run);
    run_ = run;
    level_ = 0;
    tellRun();
}

void InstrumentSet::showLevel(int level) {
    level = std::clamp(level, 0, std::max(0, run_.lastLevel));
    if (level != level_) {
        level_ = level;
        tellLevel();
    }
}

void InstrumentSet::tellRun() {
    if (spaceTime_.isNull() && probe_.isNull() && ratios_.isNull()) {
        return;
    }
    const RunView previous = previous_.view();
    if (spaceTime_) {
        spaceTime_->setRun(run_, previous);
    }
    if (probe_) {
        probe_->setRun(run_, previous);
    }
    if (ratios_) {
        ratios_->setRatios(run_.prepared() ? std::optional(source_.ratios(run_)) : std::nullopt);
    }
    // Another run may swing further: the dock makes room for it.
    dock_->layOut();
    tellLevel();
}

void InstrumentSet::tellLevel() {
    if (spaceTime_) {
        spaceTime_->setCurrentLevel(level_);
    }
    if (probe_) {
        probe_->setCurrentLevel(level_);
    }
}

void InstrumentSet::retitle() {
    const bool english = source_.english();
    const QString notPrepared = caption(Caption::PressStartFirst);
    if (spaceTime_) {
        spaceTime_->setTexts(caption(Caption::SpaceTimeDiagram), notPrepared, english);
        dock_->setTabTitle(spaceTime_, caption(Caption::TabSpaceTime));
    }
    if (probe_) {
        probe_->setTexts(caption(Caption::PointProbe), notPrepared, english);
        dock_->setTabTitle(probe_, caption(Caption::TabPointProbe));
    }
    if (ratios_) {
        ratios_->setTexts(caption(Caption::MeasuredRatios), notPrepared, english);
        dock_->setTabTitle(ratios_, caption(Caption::TabMeasuredRatios));
    }
}

// An instrument's type and size follow the program's zoom, from the size it
// was opened at.
void InstrumentSet::refont(QWidget* instrument) {
    const char* const kZoomShown = "palmosZoom";
    const double shown = instrument->property(kZoomShown).toDouble();
    const double now = ui::zoom();
    // The application's font is the desktop's at the zoom in use.
    instrument->setFont(QApplication::font());
    instrument->resize(instrument->size() * (now / (shown > 0 ? shown : 1.0)));
    instrument->setProperty(kZoomShown, now);
}

void InstrumentSet::adopt(QWidget* instrument, std::function<void()> copy) {
    std::function<QSize()> least;
    if (auto* probe = dynamic_cast<PointProbeWindow*>(instrument)) {
        least = [probe] { return probeLeast(probe); };
    } else if (auto* predict = dynamic_cast<PredictWindow*>(instrument)) {
        least = [predict] { return predictLeast(predict); };
    } else if (auto* diagram = dynamic_cast<SpaceTimeWindow*>(instrument)) {
        least = [diagram] { return spaceTimeLeast(diagram); };
    } else if (dynamic_cast<MeasuredRatiosWindow*>(instrument) != nullptr) {
        least = [instrument] { return ratiosLeast(instrument); };
    }
    dock_->add(instrument, std::move(least));
    refont(instrument);
    ui::onZoomChanged(instrument, [this, instrument] {
        refont(instrument);
        dock_->layOut();
    });
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), instrument);
    // The keyboard goes back to the window the instrument belongs to, with or
    // without a window manager to give it back.
    connect(close, &QShortcut::activated, instrument, [this, instrument] {
        instrument->close();
        dock_->layOut();
        if (window_->isVisible()) {
            window_->activateWindow();
        }
    });
    installInstrumentMenu(instrument, source_.english,
                          {.savePicture =
                               [this, instrument] {
                                   palmos::savePicture(instrument, pictureName(instrument),
                                                       source_.english(), saveDialogs_);
                               },
                           .copyData = std::move(copy),
                           .detach = [this, instrument] { dock_->detach(instrument); },
                           .dock = [this, instrument] { dock_->dock(instrument); },
                           .detached = [this, instrument] { return dock_->detached(instrument); }});
}

void InstrumentSet::show(QWidget* instrument) {
    // The menu that opened it closes first: a tool window that takes the
    // keyboard does not close it the way another window does.
    if (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
    }
    retitle();
    tellRun();
    // The newest in front, in its own window or as the frame's tab in front.
    dock_->bringToFront(instrument);
    if (!dock_->tabbed(instrument)) {
        instrument->show();
        dock_->layOut();
    }
    QWidget* shown = dock_->shownIn(instrument);
    shown->raise();
    shown->activateWindow();
}

void InstrumentSet::openSpaceTimeDiagram() {
    if (spaceTime_.isNull()) {
        spaceTime_ = new SpaceTimeWindow({}, {}, source_.english(), window_);
        adopt(spaceTime_, [this] { copyData(); });
    }
    show(spaceTime_);
}

// The probe window opens, and the next click on a circle of the window adds
// a probe there; a point can also be typed in the probe window.
void InstrumentSet::openPointProbe() {
    if (probe_.isNull()) {
        probe_ = new PointProbeWindow({}, {}, source_.english(), window_);
        adopt(probe_,
              [this] { copyToClipboard(tabSeparated(run_, probe_->probes(), source_.english())); });
        probe_->onProbesChanged([this] { markProbes(probe_->isVisible()); });
        probe_->installEventFilter(this);
        probeWatched_ = probe_;
    }
    show(probe_);
    picking_ = true;
    window_->setCursor(Qt::CrossCursor);
}

void InstrumentSet::openMeasuredRatios() {
    if (ratios_.isNull()) {
        ratios_ = new MeasuredRatiosWindow({}, {}, source_.english(), window_);
        adopt(ratios_, [this] { copyToClipboard(ratios_->text()); });
    }
    show(ratios_);
}

void InstrumentSet::openInstrument(QWidget* instrument, std::function<void()> copy) {
    const char* const kAdopted = "palmosAdopted";
    if (!instrument->property(kAdopted).toBool()) {
        adopt(instrument, std::move(copy));
        instrument->setProperty(kAdopted, true);
    }
    show(instrument);
}

void InstrumentSet::savePicture() {
    palmos::savePicture(window_, pictureName(window_), source_.english(), saveDialogs_);
}

QString InstrumentSet::pictureName(const QWidget* instrument) const {
    if (instrument == spaceTime_) {
        return QStringLiteral("space-time");
    }
    if (instrument == probe_) {
        return QStringLiteral("point-probe");
    }
    if (instrument == ratios_) {
        return QStringLiteral("measured-ratios");
    }
    return QString::fromLatin1(source_.pictureName);
}

// The probed circles are ringed in their probes' colours while the probe
// window shows; the circles themselves stay as the window draws them.
void InstrumentSet::markProbes(bool shown) {
    std::vector<std::pair<int, QColor>> rings;
    if (shown && probe_) {
        for (int i = 0; i < static_cast<int>(probe_->probes().size()); ++i) {
            rings.emplace_back(probe_->probes()[static_cast<std::size_t>(i)],
                               probe_->probeColour(i));
        }
    }
    source_.circles->setRings(rings);
}

void InstrumentSet::copyData() {
    if (run_.prepared()) {
        copyToClipboard(tabSeparatedTable(run_, source_.english()));
    }
}

bool InstrumentSet::eventFilter(QObject* watched, QEvent* event) {
    // The probe window is told apart by its address alone: while it is being
    // destroyed it is no longer a probe window.
    if (watched == probeWatched_ &&
        (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
        const bool shown = event->type() == QEvent::Show;
        markProbes(shown);
        // Closing the probe window ends the choice of a circle.
        if (!shown && picking_) {
            picking_ = false;
            window_->unsetCursor();
        }
        return false;
    }
    if (watched != window_) {
        return false;
    }
    // The left button's press after choosing the probe: a circle of the run
    // gets a probe; anywhere else the choice ends and nothing is added.
    if (picking_ && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        const auto* press = static_cast<QMouseEvent*>(event);
        picking_ = false;
        window_->unsetCursor();
        const int circle = source_.circles->indexAt(press->position());
        const bool onTheRun = circle >= 0 && circle <= run_.lastPoint && run_.prepared();
        if (onTheRun && probe_) {
            probe_->addProbe(circle);
            show(probe_);
        }
        return onTheRun;
    }
    return false;
}

}  // namespace palmos
