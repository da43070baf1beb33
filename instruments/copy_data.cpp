#include "instruments/copy_data.h"

#include <QClipboard>
#include <QGuiApplication>
#include <charconv>
#include <iterator>

#include "instruments/captions.h"

namespace palmos {

// The shortest decimal that reads back as the value stored: 0.6, not
// 0.59999999999999998.
QString dataNumber(double value) {
    char digits[32];
    const auto written = std::to_chars(std::begin(digits), std::end(digits), value);
    return QString::fromLatin1(digits, written.ptr - digits);
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
