// Qt's own warnings (the offscreen platform cannot raise a window or pass on
// size hints) would drown the benchmarks' table; only critical messages are
// shown.
#pragma once

#include <QtGlobal>
#include <cstdio>

namespace bench {

inline void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
    }
}

}  // namespace bench
