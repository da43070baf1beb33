// What the web edition's page may ask of the program, for its check: where
// each window and each of its controls stands, in the page's CSS pixels, as
// JSON, to tap them as a student would; how many frames the windows have
// drawn; and a run-time error as a handler would meet one (no input a
// student can give reaches one). Also the page's filter (web_page.h).
#include "app/web_page.h"

#include <emscripten/bind.h>

#include <QAbstractButton>
#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QScrollBar>
#include <QTimer>
#include <QWidget>
#include <string>

#include "core/runtime_error.h"
#include "ui/events.h"

namespace {

QJsonObject box(const QWidget& widget) {
    const QPoint at = widget.mapToGlobal(QPoint(0, 0));
    return {{"x", at.x()}, {"y", at.y()}, {"width", widget.width()}, {"height", widget.height()}};
}

// Each visible window with its title and kind (a menu is a QMenu) and its
// visible controls' texts, kinds and, for buttons, whether they are checked.
std::string shownWidgets() {
    QJsonArray windows;
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible()) {
            continue;
        }
        QJsonObject entry = box(*window);
        entry.insert("title", window->windowTitle());
        entry.insert("kind", QString::fromLatin1(window->metaObject()->className()));
        QJsonArray controls;
        for (const QWidget* control : window->findChildren<QWidget*>()) {
            if (!control->isVisible()) {
                continue;
            }
            QString text = control->accessibleName();
            bool checked = false;
            if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
                text = button->text();
                checked = button->isChecked();
            } else if (const auto* label = qobject_cast<const QLabel*>(control)) {
                text = label->text();
            }
            QJsonObject item = box(*control);
            item.insert("text", text);
            item.insert("kind", QString::fromLatin1(control->metaObject()->className()));
            item.insert("checked", checked);
            controls.append(item);
        }
        entry.insert("controls", controls);
        windows.append(entry);
    }
    return QJsonDocument(windows).toJson(QJsonDocument::Compact).toStdString();
}

// An overflow, raised in a handler of the next turn of the event loop.
void raiseRunTimeError() {
    QTimer::singleShot(0, [] { ui::dispatch([] { palmos::raiseOverflow(); }); });
}

int framesDrawn = 0;

int drawnFrames() {
    return framesDrawn;
}

class PageFilter : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            ++framesDrawn;
        }
        return event->type() == QEvent::ContextMenu && qobject_cast<QScrollBar*>(watched);
    }
};

}  // namespace

void palmos::installPageFilter() {
    QCoreApplication::instance()->installEventFilter(new PageFilter(qApp));
}

EMSCRIPTEN_BINDINGS(palmos_page) {
    emscripten::function("palmosShownWidgets", &shownWidgets);
    emscripten::function("palmosRaiseRunTimeError", &raiseRunTimeError);
    emscripten::function("palmosFramesDrawn", &drawnFrames);
}
