#include "instruments/copy_data.h"

#include <QClipboard>
#include <QGuiApplication>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "instruments/captions.h"

namespace palmos {

// The shortest decimal that reads back as the value stored: 0.6, not
// 0.59999999999999998.
QString dataNumber(double value) {
    char digits[32];
#if defined(__cpp_lib_to_chars)
    const auto written = std::to_chars(std::begin(digits), std::end(digits), value);
    return QString::fromLatin1(digits, written.ptr - digits);
#else
    // The web edition's library has no to_chars for doubles: the fewest
    // significant digits that read back the same, as to_chars finds them.
    for (int precision = 1;; ++precision) {
        std::snprintf(digits, sizeof digits, "%.*g", precision, value);
        if (precision == 17 || std::strtod(digits, nullptr) == value) {
            return QString::fromLatin1(digits);
        }
    }
#endif
}

QString tabSeparated(const RunView& run, const std::vector<int>& points, bool english) {
    if (!run.prepared()) {
        return {};
    }
    QString text = instrumentCaption(Caption::DataHeading, english);
    const QString point = instrumentCaption(Caption::DataPointColumn, english);
    for (int i : points) {
        text += point.arg(i);
    }
    text += QLatin1Char('\n');
    for (int n = 0; n <= run.lastLevel; ++n) {
        text += QString::number(n);
        text += QLatin1Char('\t');
        text += dataNumber(n * run.timeStep);
        for (int i : points) {
            text += QLatin1Char('\t');
            text += dataNumber(run.table->at(i, n));
        }
        text += QLatin1Char('\n');
    }
    return text;
}

QString tabSeparatedTable(const RunView& run, bool english) {
    std::vector<int> points;
    for (int i = 0; i <= run.lastPoint; ++i) {
        points.push_back(i);
    }
    return tabSeparated(run, points, english);
}

void copyToClipboard(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

}  // namespace palmos
