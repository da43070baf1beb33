#include "ui/zoom.h"

#include <QApplication>
#include <QFont>
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

namespace ui {

namespace {

// The screen the design was laid out for, in pixels.
constexpr double kDesignScreenWidth = 800;
constexpr double kDesignScreenHeight = 600;

std::optional<double> zoomInUse;

struct Listener {
    QPointer<QObject> owner;
    std::function<void()> before;
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

// The desktop's fonts as the program found them: the application's, and those
// the desktop's theme gives to some kinds of widget (menus, message boxes,
// tooltips) when they differ from it.
struct DesktopFonts {
    QFont application;
    std::vector<std::pair<QByteArray, QFont>> kinds;
};

const DesktopFonts& desktopFonts() {
    static const DesktopFonts fonts = [] {
        DesktopFonts found{QApplication::font(), {}};
        for (const char* kind :
             {"QMenu", "QMenuBar", "QMessageBoxLabel", "QTipLabel", "QStatusBar", "QHeaderView",
              "QDockWidgetTitle", "QAbstractItemView", "QComboMenuItem", "QTabBar", "QLabel"}) {
            const QFont font = QApplication::font(kind);
            if (font != found.application) {
                found.kinds.emplace_back(kind, font);
            }
        }
        return found;
    }();
    return fonts;
}

QFont zoomed(QFont font) {
    font.setPointSizeF(font.pointSizeF() * zoom());
    return font;
}

// Qt's own windows and the instruments take their type from the
// application's fonts, so these follow the zoom as the program's windows do.
// (The program's windows set their fonts from their design, which stays.)
void zoomDesktopFonts() {
    const DesktopFonts& desktop = desktopFonts();
    QApplication::setFont(zoomed(desktop.application));
    for (const auto& [kind, font] : desktop.kinds) {
        QApplication::setFont(zoomed(font), kind.constData());
    }
}

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

// Every window is told before the zoom changes (it notes where its circles
// are, so that each keeps its centre at the new size), then the windows and
// the instruments lay themselves out again, in the order they were made.
void setZoom(double z) {
    z = std::clamp(z, kMinZoom, kMaxZoom);
    if (z == zoom()) {
        return;
    }
    auto& all = listeners();
    std::erase_if(all, [](const Listener& listener) { return listener.owner.isNull(); });
    const std::vector<Listener> told(all);
    for (const Listener& listener : told) {
        if (listener.before) {
            listener.before();
        }
    }
    zoomInUse = z;
    zoomDesktopFonts();
    for (const Listener& listener : told) {
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

void startAtFittedZoom() {
    zoomInUse.reset();
    if (QCoreApplication::instance() != nullptr) {
        zoomDesktopFonts();
    }
}

int zoomedPixels(int designPixels) {
    return std::max(1, static_cast<int>(std::lround(designPixels * zoom())));
}

void onZoomChanged(QObject* owner, std::function<void()> relayout) {
    listeners().push_back({owner, {}, std::move(relayout)});
}

void onZoomChanged(QObject* owner, std::function<void()> before, std::function<void()> relayout) {
    listeners().push_back({owner, std::move(before), std::move(relayout)});
}

namespace {

// When the screen changes size (a browser window resized, a phone turned),
// a zoom that was fitted to it is fitted again; one the keys chose stays.
void followScreenSize(QObject& keys) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    QObject::connect(screen, &QScreen::geometryChanged, &keys,
                     [seen = QSizeF(screen->geometry().size())](const QRect& now) mutable {
                         const bool fitted = zoom() == fittedZoom(seen);
                         seen = now.size();
                         if (fitted) {
                             setZoom(fittedZoom(seen));
                         }
                     });
}

}  // namespace

void installZoomKeys() {
    static QPointer<ZoomKeys> keys;
    if (keys.isNull() && QCoreApplication::instance() != nullptr) {
        keys = new ZoomKeys(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(keys);
        followScreenSize(*keys);
        zoomDesktopFonts();
    }
}

}  // namespace ui
