// What every benchmark of the windows does before it makes its QApplication:
// Google Benchmark's flags, Qt's messages kept quiet, and Qt's offscreen
// platform unless another was chosen.
#pragma once

#include <benchmark/benchmark.h>

#include <QtGlobal>
#include <cstdio>

namespace bench {

// Qt's own warnings (the offscreen platform cannot raise a window or pass on
// size hints) would drown the table; only critical messages are shown.
inline void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
    }
}

inline void prepareWindowBenchmark(int* argc, char** argv) {
    benchmark::Initialize(argc, argv);
    qInstallMessageHandler(quietMessages);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

}  // namespace bench
