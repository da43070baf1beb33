// What the web edition's page may ask of the program, for its check (built
// into the program only there): where each window and each of its controls
// stands, in the page's CSS pixels, as JSON, to tap them as a student
// would, and a run-time error as a handler would meet one (no input a
// student can give reaches one).
#include <emscripten/bind.h>

#include <QAbstractButton>
#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
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

// Each visible window with its title and its visible controls' texts.
std::string shownWidgets() {
    QJsonArray windows;
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible()) {
            continue;
        }
        QJsonObject entry = box(*window);
        entry.insert("title", window->windowTitle());
        QJsonArray controls;
        for (const QWidget* control : window->findChildren<QWidget*>()) {
            if (!control->isVisible()) {
                continue;
            }
            QString text = control->accessibleName();
            if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
                text = button->text();
            } else if (const auto* label = qobject_cast<const QLabel*>(control)) {
                text = label->text();
            }
            QJsonObject item = box(*control);
            item.insert("text", text);
            item.insert("kind", QString::fromLatin1(control->metaObject()->className()));
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

}  // namespace

EMSCRIPTEN_BINDINGS(palmos_page) {
    emscripten::function("palmosShownWidgets", &shownWidgets);
    emscripten::function("palmosRaiseRunTimeError", &raiseRunTimeError);
}
