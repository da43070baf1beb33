#include "ui/events.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <exception>

#include "core/runtime_error.h"

#ifdef Q_OS_WASM
#include <emscripten.h>
#endif

namespace ui {

namespace {

// The name of every ui::Timer's clock: End finds them by it on the windows.
const char* const kClockName = "ui::Timer";

bool ended = false;
bool failing = false;
int endStatus = 0;
std::function<void(const QString&)> messageBoxHook;

// Nothing else runs while the message box names the failure; then the
// program ends.
void reportRuntimeError(const char* what) {
    failing = true;
    stopTimers();
    MsgBox(QStringLiteral("Run-time error: %1").arg(QString::fromUtf8(what)), [] { End(1); });
}

}  // namespace

// Handlers that code raises (a bar's Change when code sets its Value, an
// option's Click when code selects it) run inside the handler that raised
// them, so their failures reach this same dispatch. A dispatch from an event
// loop nested in a handler (a message box's) reports its own.
void dispatch(const std::function<void()>& handler) {
    if (ended || failing) {
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

void beginProgram() {
    ended = false;
    failing = false;
    endStatus = 0;
}

const char* timerClockName() {
    return kClockName;
}

void stopTimers() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        for (QTimer* clock : window->findChildren<QTimer*>(QString::fromLatin1(kClockName))) {
            clock->stop();
        }
    }
}

void End(int exitCode) {
    if (ended) {
        return;
    }
    ended = true;
    endStatus = exitCode;
    stopTimers();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        window->hide();
    }
#ifdef Q_OS_WASM
    // The page shows, in place of the windows, that the program has ended
    // (told before the event loop is, whose exit leaves the program at once
    // in a page).
    EM_ASM(
        {
            if (window.palmosPage && window.palmosPage.ended)
                window.palmosPage.ended($0);
        },
        exitCode);
#endif
    // Only an event loop that runs is told to return: Qt keeps the request
    // otherwise, and every event loop started later (a message box's, the
    // next program's in a test process) would return at once.
    if (QThread::currentThread()->loopLevel() > 0) {
        QCoreApplication::exit(exitCode);
    }
}

bool programEnded() {
    return ended;
}
int exitCode() {
    return endStatus;
}

void MsgBox(const QString& text, const std::function<void()>& afterwards) {
    if (messageBoxHook) {
        messageBoxHook(text);
    } else {
#ifdef Q_OS_WASM
        auto* box = new QMessageBox(QMessageBox::NoIcon, QApplication::applicationDisplayName(),
                                    text, QMessageBox::Ok);
        box->setAttribute(Qt::WA_DeleteOnClose);
        if (afterwards) {
            QObject::connect(box, &QMessageBox::finished, afterwards);
        }
        box->open();
        return;
#else
        QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text,
                        QMessageBox::Ok);
        box.exec();
#endif
    }
    if (afterwards) {
        afterwards();
    }
}

void setMessageBoxHook(std::function<void(const QString&)> hook) {
    messageBoxHook = std::move(hook);
}

}  // namespace ui
