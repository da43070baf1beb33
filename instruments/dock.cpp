#include "instruments/dock.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionTab>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QVariant>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "ui/memory.h"
#include "ui/zoom.h"

namespace palmos {

namespace {

// The widest stretch of [left, right) that no box of `blocked` covers.
std::pair<int, int> widestGap(int left, int right, std::vector<std::pair<int, int>> blocked) {
    std::sort(blocked.begin(), blocked.end());
    std::pair<int, int> widest{left, left};
    int from = left;
    for (const auto& [start, end] : blocked) {
        if (start > from && start - from > widest.second - widest.first) {
            widest = {from, std::min(start, right)};
        }
        from = std::max(from, end);
    }
    if (right - from > widest.second - widest.first) {
        widest = {from, right};
    }
    return widest;
}

// The widest rectangle over rows [top, bottom) of `window` between its
// controls.
QRect widestRows(const std::vector<QRect>& controls, int width, int top, int bottom) {
    std::vector<std::pair<int, int>> blocked;
    for (const QRect& control : controls) {
        if (control.top() < bottom && control.bottom() + 1 > top) {
            blocked.emplace_back(control.left(), control.right() + 1);
        }
    }
    const auto [left, right] = widestGap(0, width, blocked);
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

}  // namespace

// The band above the string is cut at every control's lower edge, the band
// below at every control's upper edge: each cut gives the widest rectangle
// over the rows left.
std::vector<QRect> freeBands(const QWidget& window, const QRect& string) {
    std::vector<QRect> controls;
    for (const QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isVisible() && !child->isWindow()) {
            controls.push_back(child->geometry());
        }
    }
    const int height = window.height();
    const int above = std::clamp(string.top(), 0, height);
    const int below = std::clamp(string.bottom() + 1, 0, height);
    std::vector<QRect> candidates;
    const auto keep = [&candidates](const QRect& candidate) {
        if (!candidate.isEmpty() &&
            std::find(candidates.begin(), candidates.end(), candidate) == candidates.end()) {
            candidates.push_back(candidate);
        }
    };
    keep(widestRows(controls, window.width(), 0, above));
    keep(widestRows(controls, window.width(), below, height));
    for (const QRect& control : controls) {
        const int lower = control.bottom() + 1;
        if (lower > 0 && lower < above) {
            keep(widestRows(controls, window.width(), lower, above));
        }
        if (control.top() > below && control.top() < height) {
            keep(widestRows(controls, window.width(), below, control.top()));
        }
    }
    return candidates;
}

namespace {

qint64 area(const QRect& r) {
    return qint64(r.width()) * r.height();
}

// How much of `least` a band gives in the direction it gives least of: 1 when
// it holds it whole.
double share(const QRect& band, QSize least) {
    return std::min({1.0, band.width() / std::max(1.0, double(least.width())),
                     band.height() / std::max(1.0, double(least.height()))});
}

}  // namespace

// The one with the largest area wins.
QRect freeBand(const QWidget& window, const QRect& string, QSize least) {
    QRect best;
    for (const QRect& candidate : freeBands(window, string)) {
        if (candidate.width() >= least.width() && candidate.height() >= least.height() &&
            area(candidate) > area(best)) {
            best = candidate;
        }
    }
    return best;
}

QRect bestFit(const std::vector<QRect>& bands, QSize least) {
    QRect best;
    double bestShare = -1.0;
    for (const QRect& band : bands) {
        const double given = share(band, least);
        if (given > bestShare || (given == bestShare && area(band) > area(best))) {
            best = band;
            bestShare = given;
        }
    }
    return best;
}

// Columns side by side across a wide band, rows one above the other down a
// tall one: whichever leaves each instrument the larger shorter side.
std::vector<QRect> sideBySide(const QRect& band, int count, int gap) {
    std::vector<QRect> cells;
    if (count <= 0 || band.isEmpty()) {
        return cells;
    }
    const bool columns = std::min(band.width() / count, band.height()) >=
                         std::min(band.width(), band.height() / count);
    const int length = columns ? band.width() : band.height();
    const int inner = length - gap * (count + 1);
    for (int k = 0; k < count; ++k) {
        const int from = gap + (k * inner) / count + k * gap;
        const int to = gap + ((k + 1) * inner) / count + k * gap;
        cells.push_back(
            columns
                ? QRect(band.left() + from, band.top() + gap, to - from, band.height() - 2 * gap)
                : QRect(band.left() + gap, band.top() + from, band.width() - 2 * gap, to - from));
    }
    return cells;
}

QRect keptOnScreen(const QRect& frame, const QRect& screen) {
    QRect kept(frame.topLeft(), frame.size().boundedTo(screen.size()));
    kept.moveLeft(std::clamp(kept.left(), screen.left(), screen.right() + 1 - kept.width()));
    kept.moveTop(std::clamp(kept.top(), screen.top(), screen.bottom() + 1 - kept.height()));
    return kept;
}

namespace {

const char* const kDetached = "palmosDetached";
const char* const kOwnSize = "palmosOwnSize";
// Its turn in front: the larger, the later it was shown.
const char* const kTurn = "palmosTurn";
const char* const kTabTitle = "palmosTabTitle";
// The frame last seen around an instrument.
const char* const kMargins = "palmosFrameMargins";

// The least band worth docking in, and the room left around each instrument
// (logical pixels).
constexpr QSize kLeastBand{240, 120};
constexpr int kGap = 4;

// What the window manager adds around a window: its title bar and borders.
QMargins frameMargins(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect inside = window->geometry();
    return {inside.left() - frame.left(), inside.top() - frame.top(),
            frame.right() - inside.right(), frame.bottom() - inside.bottom()};
}

QRect availableGeometry(const QWidget* widget) {
    const QScreen* screen = widget->screen();
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

}  // namespace

InstrumentDock::InstrumentDock(QWidget* window, std::function<QRect(bool)> string)
    : QObject(window), window_(window), string_(std::move(string)) {
    window->installEventFilter(this);
}

void InstrumentDock::add(QWidget* instrument, std::function<QSize()> least) {
    // A tool window of the simulation window: in front of it whenever it is
    // clicked, under any window manager.
    instrument->setParent(window_, Qt::Tool);
    instrument->setProperty(kOwnSize, instrument->size());
    // Its layout may ask for more room than a band has at a large zoom: the
    // band wins.
    instrument->setMinimumSize(1, 1);
    instrument->installEventFilter(this);
    // A window manager frames the window once it is shown, and tells its
    // frame by the time the window is first exposed.
    instrument->createWinId();
    instrument->windowHandle()->installEventFilter(this);
    // Closed, it lets go of its native window; shown again, it has a new one.
    ui::releaseWhenClosed(instrument);
    if (least) {
        least_[instrument] = std::move(least);
    }
    instruments_.emplace_back(instrument);
}

bool InstrumentDock::detached(const QWidget* instrument) const {
    return instrument->property(kDetached).toBool();
}

bool InstrumentDock::tabbed(const QWidget* instrument) const {
    return tabs_ != nullptr && tabs_->indexOf(const_cast<QWidget*>(instrument)) >= 0;
}

bool InstrumentDock::isOpen(const QWidget* instrument) const {
    return tabbed(instrument) || instrument->isVisible();
}

QWidget* InstrumentDock::shownIn(QWidget* instrument) const {
    return tabbed(instrument) ? frame_.data() : instrument;
}

QSize InstrumentDock::leastSize(const QWidget* instrument) const {
    const auto least = least_.find(instrument);
    return (least != least_.end() ? least->second() : instrument->minimumSizeHint())
        .expandedTo(QSize(0, 0));
}

// A detached instrument takes its own size again, where it stood.
void InstrumentDock::detach(QWidget* instrument) {
    instrument->setProperty(kDetached, true);
    if (tabbed(instrument)) {
        outOfTabs(instrument, false);
    }
    instrument->resize(instrument->property(kOwnSize).toSize() * ui::zoom());
    keepOnScreen(instrument);
    layOut();
}

void InstrumentDock::dock(QWidget* instrument) {
    instrument->setProperty(kDetached, false);
    layOut();
}

void InstrumentDock::setTabTitle(QWidget* instrument, const QString& title) {
    instrument->setProperty(kTabTitle, title);
    retitleFrame();
}

void InstrumentDock::bringToFront(QWidget* instrument) {
    instrument->setProperty(kTurn, ++turns_);
    if (tabbed(instrument)) {
        tabs_->setCurrentWidget(instrument);
    }
}

// Where no band is clear of the string's swing (a zoom so large that the
// controls reach down into it), the band clear of the string as it stands.
QRect InstrumentDock::band() const {
    const QRect clear = freeBand(*window_, string_(true), kLeastBand);
    return clear.isEmpty() ? freeBand(*window_, string_(false), kLeastBand) : clear;
}

bool InstrumentDock::clearOfSwing() const {
    return !freeBand(*window_, string_(true), kLeastBand).isEmpty();
}

// Until a window manager has told an instrument's frame, the frame of one it
// has already framed stands in for it: they are framed alike.
void InstrumentDock::place(QWidget* instrument, const QRect& frame) {
    QMargins margins = frameMargins(instrument);
    for (const QWidget* other : instruments_) {
        if (margins.isNull() && other != nullptr && other->isVisible() && other->isWindow()) {
            margins = frameMargins(other);
        }
    }
    const QRect inside = frame.marginsRemoved(margins);
    placing_ = true;
    instrument->setGeometry(inside);
    placing_ = false;
}

void InstrumentDock::keepOnScreen(QWidget* instrument) {
    const QRect screen = availableGeometry(instrument);
    if (!screen.isEmpty()) {
        const QMargins margins = frameMargins(instrument);
        place(instrument, keptOnScreen(instrument->geometry().marginsAdded(margins), screen));
    }
}

// Each cell, less the window manager's frame, holds its instrument's least
// size.
bool InstrumentDock::fitsSideBySide(const std::vector<QWidget*>& docked, const QRect& band) const {
    const std::vector<QRect> cells = sideBySide(band, static_cast<int>(docked.size()), kGap);
    if (cells.size() != docked.size()) {
        return false;
    }
    for (std::size_t k = 0; k < docked.size(); ++k) {
        QMargins margins = frameMargins(docked[k]);
        if (margins.isNull() && frame_ != nullptr) {
            margins = frameMargins(frame_);
        }
        const QSize inside = cells[k].marginsRemoved(margins).size();
        const QSize least = leastSize(docked[k]);
        if (inside.width() < least.width() || inside.height() < least.height()) {
            return false;
        }
    }
    return true;
}

void InstrumentDock::layOut() {
    if (layingOut_) {
        return;
    }
    layingOut_ = true;
    std::vector<QWidget*> docked;
    for (QWidget* instrument : instruments_) {
        if (instrument == nullptr || !isOpen(instrument)) {
            continue;
        }
        if (detached(instrument)) {
            keepOnScreen(instrument);
        } else {
            docked.push_back(instrument);
        }
    }
    const QRect free = band();
    if (docked.size() > 1 && !fitsSideBySide(docked, free)) {
        layOutTabs(docked);
        layingOut_ = false;
        return;
    }
    // Room for each beside the others: the frame is not needed.
    for (QWidget* instrument : docked) {
        if (tabbed(instrument)) {
            outOfTabs(instrument, false);
        }
    }
    if (frame_ != nullptr && frame_->isVisible()) {
        placing_ = true;
        frame_->hide();
        placing_ = false;
    }
    // One instrument alone goes where it is read best, which need not be the
    // largest band.
    const QRect cell =
        docked.size() == 1 && !fitsSideBySide(docked, free)
            ? bestFit(freeBands(*window_, string_(clearOfSwing())), leastSize(docked.front()))
            : free;
    const std::vector<QRect> columns =
        sideBySide(QRect(window_->mapToGlobal(cell.topLeft()), cell.size()),
                   static_cast<int>(docked.size()), kGap);
    for (std::size_t k = 0; k < docked.size(); ++k) {
        if (k < columns.size()) {
            place(docked[k], columns[k]);
        } else {
            // No room in the window: the instrument's own size, at the foot
            // of the screen.
            docked[k]->resize(docked[k]->property(kOwnSize).toSize() * ui::zoom());
            const QRect screen = availableGeometry(docked[k]);
            QRect frame = docked[k]->geometry().marginsAdded(frameMargins(docked[k]));
            frame.moveBottomRight(screen.bottomRight());
            place(docked[k], keptOnScreen(frame, screen));
        }
    }
    layingOut_ = false;
}

// The frame goes to the band that best holds the largest of its
// instruments with the tabs above them, or beside them where that gives the
// instruments more of the room they need (a wide band that is not tall
// enough).
void InstrumentDock::layOutTabs(const std::vector<QWidget*>& docked) {
    makeFrame();
    QWidget* newest = docked.front();
    QSize least;
    for (QWidget* instrument : docked) {
        if (!tabbed(instrument)) {
            intoTabs(instrument);
        }
        least = least.expandedTo(leastSize(instrument));
        if (instrument->property(kTurn).toInt() > newest->property(kTurn).toInt()) {
            newest = instrument;
        }
    }
    QMargins margins = frameMargins(frame_);
    for (const QWidget* other : instruments_) {
        if (margins.isNull() && other != nullptr && other->isVisible() && other->isWindow()) {
            margins = frameMargins(other);
        }
    }
    // The tabs' thickness across their row, the same on either side: a row
    // of text as the style frames a tab, worked out afresh (the bar's own
    // size hint lags behind a hidden frame and the tabs it was just given).
    // The frame's type is the desktop's at the zoom in use, as each
    // instrument's is.
    frame_->setFont(QApplication::font());
    QTabBar* tabBar = tabs_->tabBar();
    QStyleOptionTab tab;
    tab.initFrom(tabBar);
    tab.shape = QTabBar::RoundedNorth;
    const QSize text(tabBar->fontMetrics().horizontalAdvance(QStringLiteral("Tab")),
                     tabBar->fontMetrics().height() +
                         tabBar->style()->pixelMetric(QStyle::PM_TabBarTabVSpace, &tab, tabBar));
    const int bar =
        tabBar->style()->sizeFromContents(QStyle::CT_TabBarTab, &tab, text, tabBar).height() +
        2 * kGap;
    const QSize framed(least.width() + margins.left() + margins.right(),
                       least.height() + margins.top() + margins.bottom());
    const QSize above = framed + QSize(0, bar);
    const QSize beside = framed + QSize(bar, 0);
    const std::vector<QRect> bands = freeBands(*window_, string_(clearOfSwing()));
    const QRect north = bestFit(bands, above);
    const QRect west = bestFit(bands, beside);
    const bool tabsBeside = share(west, beside) > share(north, above);
    const QRect chosen = tabsBeside ? west : north;
    tabs_->setTabPosition(tabsBeside ? QTabWidget::West : QTabWidget::North);
    if (chosen.isEmpty()) {
        return;
    }
    const QRect global(window_->mapToGlobal(chosen.topLeft()), chosen.size());
    place(frame_, global);
    tabs_->setCurrentWidget(newest);
    if (!frame_->isVisible()) {
        frame_->show();
    }
    retitleFrame();
}

// A tool window of the simulation window, as every instrument is, holding a
// tab for each: the keyboard reaches the tabs with Tab, and Ctrl+Tab goes
// from one instrument to the next.
void InstrumentDock::makeFrame() {
    if (frame_ != nullptr) {
        return;
    }
    // No title bar of its own: it stands in its window's free part, and the
    // tabs and their tooltips name what it shows.
    frame_ = new QWidget(window_, Qt::Tool | Qt::FramelessWindowHint);
    frame_->setMinimumSize(1, 1);
    auto* layout = new QVBoxLayout(frame_);
    layout->setContentsMargins(0, 0, 0, 0);
    tabs_ = new QTabWidget(frame_);
    tabs_->setMinimumSize(1, 1);
    // Every tab in sight, its title cut short where they are many; its
    // tooltip and a screen reader give it whole.
    tabs_->setElideMode(Qt::ElideRight);
    tabs_->setUsesScrollButtons(false);
    layout->addWidget(tabs_);
    connect(tabs_, &QTabWidget::currentChanged, this, [this] { retitleFrame(); });
    frame_->installEventFilter(this);
    frame_->createWinId();
    frame_->windowHandle()->installEventFilter(this);
}

void InstrumentDock::intoTabs(QWidget* instrument) {
    placing_ = true;
    tabs_->addTab(instrument, instrument->windowTitle());
    placing_ = false;
}

void InstrumentDock::outOfTabs(QWidget* instrument, bool closing) {
    placing_ = true;
    // The frame would keep pointing at a widget of the instrument as its
    // focus, and reach for it after that widget is gone.
    if (QWidget* focus = frame_->focusWidget();
        focus != nullptr && (focus == instrument || instrument->isAncestorOf(focus))) {
        focus->clearFocus();
    }
    tabs_->removeTab(tabs_->indexOf(instrument));
    instrument->setParent(window_, Qt::Tool);
    instrument->setMinimumSize(1, 1);
    placing_ = false;
    if (!closing) {
        instrument->show();
    }
    if (tabs_->count() == 0 && frame_->isVisible()) {
        placing_ = true;
        frame_->hide();
        placing_ = false;
    }
}

// The frame is called by the instrument in front, as a screen reader and a
// window manager's title bar say it.
void InstrumentDock::retitleFrame() {
    if (frame_ == nullptr) {
        return;
    }
    for (int k = 0; k < tabs_->count(); ++k) {
        const QWidget* page = tabs_->widget(k);
        const QString shortTitle = page->property(kTabTitle).toString();
        tabs_->setTabText(k, shortTitle.isEmpty() ? page->windowTitle() : shortTitle);
        tabs_->setTabToolTip(k, page->windowTitle());
    }
    if (QWidget* front = tabs_->currentWidget()) {
        frame_->setWindowTitle(front->windowTitle());
    }
}

// The window's size or place, an instrument shown or hidden, and the frame a
// window manager puts around an instrument once it is shown: each calls for
// the places again. An instrument moved by hand stays where it was put until
// then. A tab closed (Escape, or the frame closed through its title bar)
// leaves the frame.
bool InstrumentDock::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Resize:
        case QEvent::Move:
        case QEvent::Expose:
        case QEvent::WindowActivate:
        case QEvent::WindowDeactivate: {
            if (placing_ || layingOut_) {
                break;
            }
            if (watched == window_) {
                layOut();
                break;
            }
            std::vector<QWidget*> windows(instruments_.begin(), instruments_.end());
            windows.push_back(frame_);
            for (QWidget* instrument : windows) {
                if (instrument != nullptr && instrument->isWindow() &&
                    (watched == instrument || watched == instrument->windowHandle())) {
                    const QMargins margins = frameMargins(instrument);
                    if (instrument->property(kMargins).value<QMargins>() != margins) {
                        instrument->setProperty(kMargins, QVariant::fromValue(margins));
                        layOut();
                    }
                    break;
                }
            }
            break;
        }
        case QEvent::Show:
        case QEvent::Hide:
            if (watched != window_ && watched->isWidgetType()) {
                auto* widget = static_cast<QWidget*>(watched);
                if (QWindow* handle = widget->isWindow() ? widget->windowHandle() : nullptr) {
                    handle->installEventFilter(this);  // once: Qt drops an earlier one
                }
                if (!placing_ && !layingOut_ && widget != frame_ && !tabbed(widget)) {
                    layOut();
                }
            }
            break;
        case QEvent::Close:
            if (watched == frame_) {
                std::vector<QWidget*> pages;
                for (int k = 0; k < tabs_->count(); ++k) {
                    pages.push_back(tabs_->widget(k));
                }
                for (QWidget* page : pages) {
                    page->close();
                }
            } else if (watched->isWidgetType() && tabbed(static_cast<QWidget*>(watched))) {
                outOfTabs(static_cast<QWidget*>(watched), true);
                layOut();
            }
            break;
        case QEvent::WindowTitleChange:
            if (watched->isWidgetType() && tabbed(static_cast<QWidget*>(watched))) {
                retitleFrame();
            }
            break;
        default:
            break;
    }
    return false;
}

}  // namespace palmos
