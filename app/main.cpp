// Palmos: pulses on a string, their reflection at a free and a fixed end, and
// their splitting at the junction of two media.

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <cstdio>
#include <cstdlib>

#include "app/program.h"
#include "ui/events.h"
#include "ui/memory.h"
#include "ui/touch_targets.h"

#ifdef Q_OS_WASM
#include "app/web_page.h"
#endif

namespace {

// Without a display Qt would stop with a platform-plugin error; say plainly
// what is missing instead. A Windows desktop and a browser always have one.
bool displayAvailable() {
#if defined(Q_OS_WIN) || defined(Q_OS_WASM)
    return true;
#endif
    return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr ||
           std::getenv("QT_QPA_PLATFORM") != nullptr;
}

}  // namespace

int main(int argc, char* argv[]) {
    ui::returnLargeBlocksToTheSystem();
    if (!displayAvailable()) {
        std::fputs(
            "palmos: no display is available (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
            "Start it from a desktop session, or under a virtual display with:\n"
            "    xvfb-run -a palmos\n",
            stderr);
        return 2;
    }
    QApplication application(argc, argv);
#ifdef Q_OS_WIN
    // The windows ask for the Liberation fonts, Debian's stand-ins for the
    // design's Times New Roman and Arial; Windows has the design's own.
    QFont::insertSubstitution(QStringLiteral("Liberation Serif"),
                              QStringLiteral("Times New Roman"));
    QFont::insertSubstitution(QStringLiteral("Liberation Sans"), QStringLiteral("Arial"));
#endif
#ifdef Q_OS_WASM
    // The browser lends the page none of its fonts: the program brings them.
    for (const char* font : {"LiberationSans-Regular", "LiberationSans-Bold",
                             "LiberationSerif-Regular", "LiberationSerif-Bold"}) {
        QFontDatabase::addApplicationFont(
            QStringLiteral(":/fonts/%1.ttf").arg(QLatin1String(font)));
    }
#endif
    QApplication::setApplicationName(QStringLiteral("palmos"));
    QApplication::setApplicationDisplayName(QStringLiteral("Palmos"));
    // Hidden windows keep running; only the END buttons and the introduction
    // window's close box end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    ui::installTouchTargets();
#ifdef Q_OS_WASM
    palmos::installPageFilter();
#endif

    palmos::Program program;
    ui::dispatch([&program] { program.applyLanguage(); });
    if (ui::programEnded()) {
        return ui::exitCode();
    }
    return QApplication::exec();
}
