#include "instruments/instrument_set.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QApplication>
#include <QMouseEvent>
#include <QShortcut>
#include <QWidget>
#include <algorithm>

#include "instruments/context_menu.h"
#include "instruments/copy_data.h"
#include "instruments/point_probe.h"
#include "instruments/save_picture.h"
#include "instruments/space_time.h"
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

// A screen reader knows a window by its frame role and reads its title from
// it; an instrument, a plain widget, would come out as a filler.
QAccessibleInterface* instrumentAccessible(const QString&, QObject* object) {
    auto* widget = dynamic_cast<QWidget*>(object);
    const bool instrument = dynamic_cast<SpaceTimeWindow*>(widget) != nullptr ||
                            dynamic_cast<PointProbeWindow*>(widget) != nullptr ||
                            dynamic_cast<MeasuredRatiosWindow*>(widget) != nullptr;
    return instrument ? new QAccessibleWidget(widget, QAccessible::Window) : nullptr;
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
    // Each paint of the window and each click of its buttons (a START, a
    // single STEP) is a moment to look again: a cheap comparison when nothing
    // changed. Connected after the buttons' own handlers, it runs after them.
    window->installEventFilter(this);
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        connect(button, &QAbstractButton::clicked, this, [this] { update(); });
    }
    sets().push_back(this);
    static const bool accessible = (QAccessible::installFactory(instrumentAccessible), true);
    Q_UNUSED(accessible);
}

InstrumentSet::~InstrumentSet() {
    std::erase(sets(), this);
}

const std::vector<InstrumentSet*>& InstrumentSet::all() {
    return sets();
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
    QFont font = QApplication::font();
    font.setPointSizeF(font.pointSizeF() * now);
    instrument->setFont(font);
    instrument->resize(instrument->size() * (now / (shown > 0 ? shown : 1.0)));
    instrument->setProperty(kZoomShown, now);
}

void InstrumentSet::adopt(QWidget* instrument, std::function<void()> copy) {
    refont(instrument);
    ui::onZoomChanged(instrument, [this, instrument] { refont(instrument); });
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
                                   palmos::savePicture(instrument, source_.english(),
                                                       desktopSaveDialogs());
                               },
                           .copyData = std::move(copy)});
}

void InstrumentSet::show(QWidget* instrument) {
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
    palmos::savePicture(window_, source_.english(), desktopSaveDialogs());
}

void InstrumentSet::copyData() {
    const RunView run = source_.run();
    if (run.prepared()) {
        copyToClipboard(tabSeparatedTable(run, source_.english()));
    }
}

bool InstrumentSet::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_) {
        return false;
    }
    if (event->type() == QEvent::Paint) {
        update();
    } else if (picking_ && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        picking_ = false;
        window_->unsetCursor();
        const int circle = source_.circleAt(press->position().toPoint());
        if (circle >= 0 && probe_) {
            probe_->addProbe(circle);
            show(probe_);
        }
        return circle >= 0;
    }
    return false;
}

}  // namespace palmos
