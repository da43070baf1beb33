#include "instruments/instrument_set.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMouseEvent>
#include <QShortcut>
#include <QWidget>
#include <algorithm>

#include "instruments/context_menu.h"
#include "instruments/copy_data.h"
#include "instruments/dock.h"
#include "instruments/point_probe.h"
#include "instruments/save_picture.h"
#include "instruments/space_time.h"
#include "ui/form.h"
#include "ui/shapes.h"
#include "ui/timer.h"
#include "ui/zoom.h"

namespace palmos {

namespace {

std::vector<InstrumentSet*>& sets() {
    static std::vector<InstrumentSet*> all;
    return all;
}

// Two views show the same run when the same filling of the same table is
// read over the same levels.
bool sameRun(const RunView& a, const RunView& b) {
    return a.table == b.table && a.filling == b.filling && a.lastLevel == b.lastLevel;
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
    // Runs are prepared and stepped by buttons, this window's or another's
    // (TWO MEDIA on the introduction prepares the two-media run): after each
    // click of any window's button the set looks again, a cheap comparison
    // when nothing changed. Connected after the buttons' own handlers, it runs
    // after them. Ticks are followed through follow().
    for (const ui::Form* form : ui::Form::windows()) {
        for (const QAbstractButton* button : form->findChildren<QAbstractButton*>()) {
            connect(button, &QAbstractButton::clicked, this, [this] { update(); });
        }
    }
    // A click on a circle after choosing the probe picks its point.
    window->installEventFilter(this);
    sets().push_back(this);
}

InstrumentSet::~InstrumentSet() {
    std::erase(sets(), this);
}

void InstrumentSet::retitleAll() {
    for (InstrumentSet* set : sets()) {
        set->retitle();
    }
}

void InstrumentSet::follow(ui::Timer& timer) {
    timer.afterTimer([this] { update(); });
}

QString InstrumentSet::caption(InstrumentCaption which) const {
    return instrumentCaption(which, source_.english());
}

void InstrumentSet::update() {
    if (spaceTime_.isNull() && probe_.isNull() && ratios_.isNull()) {
        return;
    }
    const RunView run = source_.run();
    if (!sameRun(run, run_)) {
        run_ = run;
        level_ = -1;
        if (spaceTime_) {
            spaceTime_->setRun(run);
        }
        if (probe_) {
            probe_->setRun(run);
        }
        if (ratios_) {
            ratios_->setRatios(run.prepared() ? std::optional(source_.ratios(run)) : std::nullopt);
        }
        // Another run may swing further: the dock makes room for it.
        dock_->layOut();
    }
    const int level = std::clamp(source_.levelShown(), 0, std::max(0, run.lastLevel));
    if (level != level_) {
        level_ = level;
        if (spaceTime_) {
            spaceTime_->setCurrentLevel(level);
        }
        if (probe_) {
            probe_->setCurrentLevel(level);
        }
    }
}

void InstrumentSet::retitle() {
    const bool english = source_.english();
    const QString notPrepared = caption(InstrumentCaption::PressStartFirst);
    if (spaceTime_) {
        spaceTime_->setTexts(caption(InstrumentCaption::SpaceTimeDiagram), notPrepared, english);
    }
    if (probe_) {
        probe_->setTexts(caption(InstrumentCaption::PointProbe), notPrepared, english);
    }
    if (ratios_) {
        ratios_->setTexts(caption(InstrumentCaption::MeasuredRatios), notPrepared, english);
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
    dock_->add(instrument);
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
    run_ = {};  // read the run afresh for the window just opened
    update();
    instrument->show();
    instrument->raise();
    instrument->activateWindow();
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
    const RunView run = source_.run();
    if (run.prepared()) {
        copyToClipboard(tabSeparatedTable(run, source_.english()));
    }
}

bool InstrumentSet::eventFilter(QObject* watched, QEvent* event) {
    if (watched == probe_ && (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
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
