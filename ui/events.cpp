#include "ui/events.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>
#include <exception>

#include "core/runtime_error.h"
#include "ui/timer.h"

namespace ui {

namespace {

bool ended = false;
int endStatus = 0;
int handlerDepth = 0;
std::function<void(const QString&)> messageBoxHook;

void reportRuntimeError(const char* what) {
    MsgBox(QStringLiteral("Run-time error: %1").arg(QString::fromUtf8(what)));
    End(1);
}

}  // namespace

void dispatch(const std::function<void()>& handler) {
    if (ended) {
        return;
    }
    struct Depth {
        Depth() { ++handlerDepth; }
        ~Depth() { --handlerDepth; }
    } depth;
    if (handlerDepth > 1) {
        // A handler raised by another one: the outer dispatch reports failures.
        handler();
        return;
    }
    try {
        handler();
    } catch (const palmos::RuntimeError& error) {
        reportRuntimeError(error.what());
    } catch (const std::bad_alloc&) {
        reportRuntimeError("Out of memory");
    }
}

void End(int exitCode) {
    if (ended) {
        return;
    }
    ended = true;
    endStatus = exitCode;
    Timer::stopAll();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        window->hide();
    }
    QCoreApplication::exit(exitCode);
}

bool programEnded() {
    return ended;
}
int exitCode() {
    return endStatus;
}

void MsgBox(const QString& text) {
    if (messageBoxHook) {
        messageBoxHook(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text,
                    QMessageBox::Ok);
    box.exec();
}

void setMessageBoxHook(std::function<void(const QString&)> hook) {
    messageBoxHook = std::move(hook);
}

}  // namespace ui
