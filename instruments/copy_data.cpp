#include "instruments/copy_data.h"

#include <QClipboard>
#include <QGuiApplication>

#include "instruments/captions.h"

namespace palmos {

namespace {

// Enough digits that the value reads back as stored.
QString number(double value) {
    return QString::number(value, 'g', 17);
}

}  // namespace

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
        text += number(n * run.timeStep);
        for (int i : points) {
            text += QLatin1Char('\t');
            text += number(run.table->at(i, n));
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
