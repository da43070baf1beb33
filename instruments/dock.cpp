#include "instruments/dock.h"

#include <QEvent>
#include <QScreen>
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
// over the rows left, and the one with the largest area wins.
QRect freeBand(const QWidget& window, const QRect& string, QSize least) {
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
    candidates.push_back(widestRows(controls, window.width(), 0, above));
    candidates.push_back(widestRows(controls, window.width(), below, height));
    for (const QRect& control : controls) {
        const int lower = control.bottom() + 1;
        if (lower > 0 && lower < above) {
            candidates.push_back(widestRows(controls, window.width(), lower, above));
        }
        if (control.top() > below && control.top() < height) {
            candidates.push_back(widestRows(controls, window.width(), below, control.top()));
        }
    }
    QRect best;
    for (const QRect& candidate : candidates) {
        const auto area = [](const QRect& r) { return qint64(r.width()) * r.height(); };
        if (candidate.width() >= least.width() && candidate.height() >= least.height() &&
            area(candidate) > area(best)) {
            best = candidate;
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

void InstrumentDock::add(QWidget* instrument) {
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
    instruments_.emplace_back(instrument);
}

bool InstrumentDock::detached(const QWidget* instrument) const {
    return instrument->property(kDetached).toBool();
}

// A detached instrument takes its own size again, where it stood.
void InstrumentDock::detach(QWidget* instrument) {
    instrument->setProperty(kDetached, true);
    instrument->resize(instrument->property(kOwnSize).toSize() * ui::zoom());
    keepOnScreen(instrument);
    layOut();
}

void InstrumentDock::dock(QWidget* instrument) {
    instrument->setProperty(kDetached, false);
    layOut();
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
        if (margins.isNull() && other != nullptr && other->isVisible()) {
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

void InstrumentDock::layOut() {
    std::vector<QWidget*> docked;
    for (QWidget* instrument : instruments_) {
        if (instrument == nullptr || !instrument->isVisible()) {
            continue;
        }
        if (detached(instrument)) {
            keepOnScreen(instrument);
        } else {
            docked.push_back(instrument);
        }
    }
    if (docked.empty()) {
        return;
    }
    const QRect free = band();
    const std::vector<QRect> columns =
        sideBySide(QRect(window_->mapToGlobal(free.topLeft()), free.size()),
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
}

// The window's size or place, an instrument shown or hidden, and the frame a
// window manager puts around an instrument once it is shown: each calls for
// the places again. An instrument moved by hand stays where it was put until
// then.
bool InstrumentDock::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Resize:
        case QEvent::Move:
        case QEvent::Expose:
        case QEvent::WindowActivate:
        case QEvent::WindowDeactivate:
            if (placing_) {
                break;
            }
            if (watched == window_) {
                layOut();
                break;
            }
            for (QWidget* instrument : instruments_) {
                if (instrument != nullptr &&
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
        case QEvent::Show:
        case QEvent::Hide:
            if (watched != window_ && watched->isWidgetType()) {
                if (QWindow* handle = static_cast<QWidget*>(watched)->windowHandle()) {
                    handle->installEventFilter(this);  // once: Qt drops an earlier one
                }
                layOut();
            }
            break;
        default:
            break;
    }
    return false;
}

}  // namespace palmos
