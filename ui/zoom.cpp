#include "ui/zoom.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "ui/events.h"
#include "ui/form.h"

namespace ui {

namespace {

// The screen the design was laid out for, in pixels.
constexpr double kDesignScreenWidth = 800;
constexpr double kDesignScreenHeight = 600;

std::optional<double> zoomInUse;

struct Listener {
    QPointer<QObject> owner;
    std::function<void()> relayout;
};

std::vector<Listener>& listeners() {
    static std::vector<Listener> all;
    return all;
}

// Ctrl with Plus, Equals, Minus or 0, from the main keys or the keypad; Shift
// is allowed, since Plus is Shift+Equals on many keyboards.
class ZoomKeys : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return QObject::eventFilter(watched, event);
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers others =
            key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
        if (others != Qt::ControlModifier) {
            return false;
        }
        switch (key->key()) {
            case Qt::Key_Plus:
            case Qt::Key_Equal:
                dispatch(zoomIn);
                return true;
            case Qt::Key_Minus:
                dispatch(zoomOut);
                return true;
            case Qt::Key_0:
                dispatch(resetZoom);
                return true;
            default:
                return false;
        }
    }
};

}  // namespace

double fittedZoom(QSizeF logicalScreen) {
    const double fit = std::min(logicalScreen.width() / kDesignScreenWidth,
                                logicalScreen.height() / kDesignScreenHeight);
    return std::clamp(fit, kMinZoom, kMaxZoom);
}

double fittedZoom() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? fittedZoom(screen->geometry().size()) : kMinZoom;
}

double zoom() {
    if (!zoomInUse && QGuiApplication::primaryScreen() != nullptr) {
        zoomInUse = fittedZoom();
    }
    return zoomInUse.value_or(kMinZoom);
}

// Every window is told where its circles are before the zoom changes, so that
// each circle keeps its centre at the new size.
void setZoom(double z) {
    z = std::clamp(z, kMinZoom, kMaxZoom);
    if (z == zoom()) {
        return;
    }
    std::vector<std::pair<Form*, Form::ShapeCentres>> windows;
    for (Form* form : Form::windows()) {
        windows.emplace_back(form, form->shapeCentres());
    }
    zoomInUse = z;
    for (auto& [form, centres] : windows) {
        form->relayout(centres);
    }
    auto& all = listeners();
    std::erase_if(all, [](const Listener& listener) { return listener.owner.isNull(); });
    for (const Listener& listener : std::vector<Listener>(all)) {
        if (!listener.owner.isNull()) {
            listener.relayout();
        }
    }
}

void zoomIn() {
    setZoom(zoom() + kZoomStepShare * fittedZoom());
}

void zoomOut() {
    setZoom(zoom() - kZoomStepShare * fittedZoom());
}

void resetZoom() {
    setZoom(fittedZoom());
}

int zoomedPixels(int designPixels) {
    return std::max(1, static_cast<int>(std::lround(designPixels * zoom())));
}

void onZoomChanged(QObject* owner, std::function<void()> relayout) {
    listeners().push_back({owner, std::move(relayout)});
}

// Qt caches the rendered glyphs of type up to 64 pixels high and draws
// larger ones as outlines, afresh every time. Zoomed for a 4K projector, the
// readouts' type is 76 pixels high: drawn as outlines, a two-media window
// took four times as long to paint. The glyph cache is read when text is
// first drawn, so this must run before any window is painted.
void cacheLargeGlyphs() {
    if (!qEnvironmentVariableIsSet("QT_MAX_CACHED_GLYPH_SIZE")) {
        qputenv("QT_MAX_CACHED_GLYPH_SIZE", "256");
    }
}

void installZoomKeys() {
    static QPointer<ZoomKeys> keys;
    if (keys.isNull() && QCoreApplication::instance() != nullptr) {
        keys = new ZoomKeys(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(keys);
    }
}

}  // namespace ui
