#include "instruments/plot.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPolygonF>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace palmos {

double tickStep(double span, int most, double least) {
    if (!(span > 0.0) || most < 1) {
        return std::max(least, 1.0);
    }
    // The power of ten just below a step that would give `most` steps, then
    // up through 1, 2, 5 and 10 times it.
    double power = std::pow(10.0, std::floor(std::log10(span / most)));
    for (;; power *= 10.0) {
        for (const double factor : {1.0, 2.0, 5.0}) {
            const double step = factor * power;
            if (step >= least && span / step < most) {
                return step;
            }
        }
    }
}

QString tickLabel(double value, int decimals) {
    const double half = 0.5 * std::pow(10.0, -decimals);
    return QString::number(std::fabs(value) < half ? 0.0 : value, 'f', decimals);
}

void drawFrame(QPainter& painter, const QRect& plot) {
    painter.drawRect(plot.adjusted(0, 0, -1, -1));
}

namespace {

// Every `stride`-th label from the first, the smallest stride of 1, 2 or 5
// times a power of ten whose labels keep apart from one another (by
// `apart`, along the axis) and off `avoid`.
QList<int> spacedLabels(const QList<QRect>& boxes, bool across, int apart,
                        const QList<QRect>& avoid) {
    const auto inTheWay = [&avoid](const QRect& box) {
        return std::any_of(avoid.begin(), avoid.end(),
                           [&box](const QRect& other) { return other.intersects(box); });
    };
    const auto keptApart = [&](qsizetype stride) {
        for (qsizetype k = 0; k < boxes.size(); k += stride) {
            if (inTheWay(boxes[k])) {
                continue;
            }
            const qsizetype next = k + stride;
            if (next < boxes.size()) {
                const QRect& a = boxes[k];
                const QRect& b = boxes[next];
                const int gap = across ? std::max(b.left() - a.right(), a.left() - b.right())
                                       : std::max(b.top() - a.bottom(), a.top() - b.bottom());
                if (gap <= apart) {
                    return false;
                }
            }
        }
        return true;
    };
    const qsizetype stride = [&]() -> qsizetype {
        for (qsizetype power = 1; power <= boxes.size(); power *= 10) {
            for (const qsizetype factor : {1, 2, 5}) {
                if (keptApart(factor * power)) {
                    return factor * power;
                }
            }
        }
        return std::max<qsizetype>(1, boxes.size());  // the first label alone
    }();
    QList<int> kept;
    for (qsizetype k = 0; k < boxes.size(); k += stride) {
        if (!inTheWay(boxes[k])) {
            kept.append(static_cast<int>(k));
        }
    }
    return kept;
}

QList<QRect> drawLabels(QPainter& painter, const QList<QRect>& boxes, const QList<Tick>& ticks,
                        bool across, const QList<QRect>& avoid) {
    QList<QRect> drawn;
    const int apart = across ? painter.fontMetrics().horizontalAdvance(QLatin1Char(' ')) : 1;
    for (const int k : spacedLabels(boxes, across, apart, avoid)) {
        painter.drawText(boxes[k], Qt::AlignCenter, ticks[k].label);
        drawn.append(boxes[k]);
    }
    return drawn;
}

}  // namespace

QList<QRect> drawTicksBelow(QPainter& painter, const QRect& plot, const QList<Tick>& ticks,
                            const QList<QRect>& avoid) {
    const QFontMetrics metrics = painter.fontMetrics();
    const int line = metrics.height();
    QList<QRect> boxes;
    for (const Tick& tick : ticks) {
        painter.drawLine(tick.at, plot.bottom(), tick.at, plot.bottom() + 4);
        const int width = metrics.horizontalAdvance(tick.label);
        boxes.append(QRect(tick.at - width / 2, plot.bottom() + 5, width, line));
    }
    return drawLabels(painter, boxes, ticks, true, avoid);
}

QList<QRect> drawTicksLeft(QPainter& painter, const QRect& plot, const QList<Tick>& ticks,
                           int labelsFrom, const QList<QRect>& avoid) {
    const QFontMetrics metrics = painter.fontMetrics();
    const int line = metrics.height();
    QList<QRect> boxes;
    for (const Tick& tick : ticks) {
        painter.drawLine(plot.left() - 4, tick.at, plot.left(), tick.at);
        const int width =
            std::min(metrics.horizontalAdvance(tick.label), plot.left() - 6 - labelsFrom);
        boxes.append(QRect(plot.left() - 6 - width, tick.at - line / 2, width, line));
    }
    return drawLabels(painter, boxes, ticks, false, avoid);
}

QList<QRect> drawTicksRight(QPainter& painter, const QRect& plot, const QList<Tick>& ticks,
                            int labelsWidth) {
    const QFontMetrics metrics = painter.fontMetrics();
    const int line = metrics.height();
    QList<QRect> boxes;
    for (const Tick& tick : ticks) {
        painter.drawLine(plot.right(), tick.at, plot.right() + 4, tick.at);
        const int width = std::min(metrics.horizontalAdvance(tick.label), labelsWidth);
        boxes.append(QRect(plot.right() + 6, tick.at - line / 2, width, line));
    }
    return drawLabels(painter, boxes, ticks, false, {});
}

namespace {

// A legend entry: a short stroke of the curve's colour, then its name.
int legendEntryWidth(const QFontMetrics& metrics, const QString& name) {
    const int line = metrics.height();
    return 2 * line + metrics.horizontalAdvance(name) + line;
}

QFont titleFont(QFont font) {
    font.setBold(true);
    return font;
}

int curveWidth(const QFontMetrics& metrics) {
    return std::max(2, static_cast<int>(std::lround(metrics.height() / 10.0)));
}

}  // namespace

Plot::Plot(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    layOut();
}

void Plot::setAxes(const PlotAxis& x, const PlotAxis& y) {
    x_ = x;
    y_ = y;
    changed();
}

void Plot::setCurves(std::vector<PlotCurve> curves) {
    if (curves.size() > static_cast<std::size_t>(kMostCurves)) {
        curves.resize(kMostCurves);
    }
    curves_ = std::move(curves);
    changed();
}

void Plot::setDashedCurves(std::vector<PlotCurve> curves) {
    if (curves.size() > static_cast<std::size_t>(kMostCurves)) {
        curves.resize(kMostCurves);
    }
    dashed_ = std::move(curves);
    changed();
}

// The note takes one line, cut short where the plot is narrow; its tooltip
// gives it whole.
void Plot::setDashedNote(const QString& note) {
    if (note != note_) {
        note_ = note;
        setToolTip(note);
        changed();
    }
}

void Plot::setCursor(double x) {
    hasCursor_ = true;
    cursor_ = x;
    placeCursor();
}

void Plot::clearCursor() {
    hasCursor_ = false;
    placeCursor();
}

double Plot::columnOf(double x) const {
    const double span = x_.max - x_.min;
    return plot_.left() + (span > 0.0 ? (x - x_.min) / span * plot_.width() : 0.0);
}

double Plot::rowOf(double y) const {
    const double span = y_.max - y_.min;
    return plot_.top() + (span > 0.0 ? (y_.max - y) / span * plot_.height() : 0.0);
}

void Plot::changed() {
    layOut();
    pictureDue_ = true;
    update();
}

void Plot::resizeEvent(QResizeEvent*) {
    changed();
}

// A closed plot keeps no picture: it is drawn again when next shown.
void Plot::hideEvent(QHideEvent*) {
    picture_ = QPixmap();
    pictureDue_ = true;
}

void Plot::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
        changed();
    }
    QWidget::changeEvent(event);
}

QList<Tick> Plot::ticks(const PlotAxis& axis, bool across) const {
    QList<Tick> ticks;
    if (!(axis.step > 0.0) || !(axis.max > axis.min)) {
        return ticks;
    }
    const double slack = 1e-9 * (axis.max - axis.min);
    for (double k = std::ceil((axis.min - axis.anchor - slack) / axis.step);; ++k) {
        const double value = axis.anchor + k * axis.step;
        if (value > axis.max + slack) {
            break;
        }
        const double at = across ? columnOf(value) : rowOf(value);
        ticks.append({static_cast<int>(std::lround(at)), tickLabel(value, axis.decimals)});
    }
    return ticks;
}

// Room outside the plot for the labels and titles, the legend below it. A
// plot that would come out less than two fifths as tall as it is wide takes
// the legend into a column beside it and the horizontal axis's title onto
// its labels' row, leaving the curves the height.
Plot::Geometry Plot::geometryFor(QSize size) const {
    const QFontMetrics metrics(font());
    const int line = metrics.height();
    // Labels of the vertical axis, measured on a plot of any height.
    int labels = 0;
    for (const Tick& tick : ticks(y_, false)) {
        labels = std::max(labels, metrics.horizontalAdvance(tick.label));
    }
    const int left = line / 2 + labels + 10;
    const int right =
        std::max(line, metrics.horizontalAdvance(tickLabel(x_.max, x_.decimals)) / 2 + 4);
    const int top = line + line / 2;
    const int width = std::max(1, size.width() - left - right);

    // The legend's rows: its entries side by side, as many as fit.
    int rows = curves_.empty() ? 0 : 1;
    int used = 0;
    int widest = 0;
    for (const PlotCurve& curve : curves_) {
        const int entry = legendEntryWidth(metrics, curve.name);
        widest = std::max(widest, entry);
        if (used > 0 && used + entry > width) {
            ++rows;
            used = 0;
        }
        used += entry;
    }
    const int legend = (rows + (note_.isEmpty() ? 0 : 1)) * line;
    const int bottom = 5 + 2 * line + line / 2 + legend + (legend > 0 ? line / 2 : 0);
    Geometry below;
    below.plot = QRect(left, top, width, std::max(1, size.height() - top - bottom));
    below.legend = QRect(left, size.height() - legend - line / 2, width, legend);
    const int column = std::max(widest, note_.isEmpty() ? 0 : 6 * line);
    const int besideWidth = width - column - line;
    if (legend == 0 || 5 * below.plot.height() >= 2 * width || 3 * column > size.width() ||
        besideWidth < 1) {
        return below;
    }
    Geometry beside;
    beside.beside = true;
    const int lowest = 5 + line + line / 2;
    beside.plot = QRect(left, top, besideWidth, std::max(1, size.height() - top - lowest));
    beside.legend =
        QRect(left + besideWidth + line, top, column, std::max(line, beside.plot.height()));
    return beside;
}

int Plot::leastHeight(int width, int plotHeight) const {
    int height = plotHeight;
    while (geometryFor(QSize(width, height)).plot.height() < plotHeight && height < 100000) {
        height += 1 + (plotHeight - geometryFor(QSize(width, height)).plot.height()) / 2;
    }
    return height;
}

void Plot::layOut() {
    const Geometry geometry = geometryFor(size());
    plot_ = geometry.plot;
    legend_ = geometry.legend;
    beside_ = geometry.beside;
    placeCursor();
}

void Plot::placeCursor() {
    const int column =
        hasCursor_ && x_.max > x_.min ? static_cast<int>(std::lround(columnOf(cursor_))) : -1;
    if (column == cursorColumn_) {
        return;
    }
    update(strip(cursorColumn_));
    cursorColumn_ = column;
    update(strip(cursorColumn_));
}

QRect Plot::strip(int x) const {
    return x < 0 ? QRect() : QRect(x - 1, plot_.top(), 3, plot_.height() + 1);
}

void Plot::drawPicture() {
    pictureDue_ = false;
    const qreal ratio = devicePixelRatioF();
    picture_ = QPixmap((QSizeF(size()) * ratio).toSize());
    picture_.setDevicePixelRatio(ratio);
    picture_.fill(palette().window().color());

    QPainter painter(&picture_);
    painter.setFont(font());
    const QFontMetrics metrics = painter.fontMetrics();
    const int line = metrics.height();
    const QList<Tick> across = ticks(x_, true);
    const QList<Tick> up = ticks(y_, false);

    // The plot's face with a light grid at the ticks.
    painter.fillRect(plot_, Qt::white);
    painter.setPen(QColor(225, 225, 225));
    for (const Tick& tick : across) {
        painter.drawLine(tick.at, plot_.top(), tick.at, plot_.bottom());
    }
    for (const Tick& tick : up) {
        painter.drawLine(plot_.left(), tick.at, plot_.right(), tick.at);
    }

    // The curves, clipped to the plot: the dashed ones behind.
    painter.save();
    painter.setClipRect(plot_);
    painter.setRenderHint(QPainter::Antialiasing);
    drawCurves(painter, dashed_, Qt::DashLine);
    drawCurves(painter, curves_, Qt::SolidLine);
    painter.restore();

    // The frame, the ticks and the axes' titles: the vertical axis's above
    // it, the horizontal axis's below its labels (at the end of their row
    // beside a legend in a column).
    painter.setPen(palette().windowText().color());
    drawFrame(painter, plot_);
    texts_.clear();
    painter.setFont(titleFont(font()));
    const QFontMetrics bold = painter.fontMetrics();
    const QRect yTitle(line / 4, plot_.top() - line - line / 4,
                       std::min(bold.horizontalAdvance(y_.title), width() - line / 4), line);
    const int xWidth = std::min(bold.horizontalAdvance(x_.title), plot_.width());
    const QRect xTitle =
        beside_ ? QRect(plot_.right() + 1 - xWidth, plot_.bottom() + 5, xWidth, line)
                : QRect(plot_.center().x() - xWidth / 2, plot_.bottom() + 5 + line, xWidth, line);
    // A title too long for the bold type (the unit of height in a narrow
    // probe) is written in the plain one, and cut short only if even that is
    // too wide.
    const QFontMetrics plain(font());
    for (const auto& [box, title] : {std::pair(yTitle, y_.title), std::pair(xTitle, x_.title)}) {
        if (title.isEmpty()) {
            continue;
        }
        if (bold.horizontalAdvance(title) <= box.width()) {
            painter.drawText(box, Qt::AlignLeft, title);
        } else {
            painter.setFont(font());
            painter.drawText(box, Qt::AlignLeft,
                             plain.elidedText(title, Qt::ElideRight, box.width()));
            painter.setFont(titleFont(font()));
        }
        texts_.append(box);
    }
    painter.setFont(font());
    // The labels keep off the titles, and the vertical axis's lowest label
    // off the first one below the plot.
    texts_ += drawTicksBelow(painter, plot_, across, texts_);
    texts_ += drawTicksLeft(painter, plot_, up, 0, texts_);
    drawLegend(painter);
}

void Plot::drawCurves(QPainter& painter, const std::vector<PlotCurve>& curves,
                      Qt::PenStyle style) const {
    for (const PlotCurve& curve : curves) {
        QPolygonF polyline;
        polyline.reserve(curve.points.size());
        for (const QPointF& p : curve.points) {
            polyline.append(QPointF(columnOf(p.x()), rowOf(p.y())));
        }
        painter.setPen(QPen(curve.colour, curveWidth(painter.fontMetrics()), style,
                            style == Qt::SolidLine ? Qt::RoundCap : Qt::FlatCap, Qt::RoundJoin));
        painter.drawPolyline(polyline);
    }
}

void Plot::drawLegend(QPainter& painter) {
    const QFontMetrics metrics = painter.fontMetrics();
    const int line = metrics.height();
    int x = legend_.left();
    int y = legend_.top();
    for (const PlotCurve& curve : curves_) {
        const int entry = legendEntryWidth(metrics, curve.name);
        if (x > legend_.left() && x + entry > legend_.right() + 1) {
            x = legend_.left();
            y += line;
        }
        const int middle = y + line / 2;
        painter.setPen(QPen(curve.colour, curveWidth(metrics) + 1));
        painter.drawLine(x + line / 4, middle, x + 2 * line - line / 2, middle);
        painter.setPen(palette().windowText().color());
        const QRect name(x + 2 * line, y, metrics.horizontalAdvance(curve.name), line);
        painter.drawText(name, Qt::AlignLeft, curve.name);
        texts_.append(name);
        // In a column, one entry a row.
        x += beside_ ? legend_.width() + 1 : entry;
    }
    if (note_.isEmpty()) {
        return;
    }
    // The note on the dashed curves, on a line of its own below the entries;
    // in a column, on as many lines as it takes and the column has.
    y = curves_.empty() ? legend_.top() : y + line;
    const int lines = beside_ ? std::max(1, (legend_.bottom() + 1 - y) / line) : 1;
    const QRect note(legend_.left() + 2 * line, y, legend_.width() - 2 * line, lines * line);
    const int middle = y + line / 2;
    // Grey: the note speaks of every dashed curve, whatever its colour.
    painter.setPen(QPen(QColor(140, 140, 140), curveWidth(metrics) + 1, Qt::DashLine, Qt::FlatCap));
    painter.drawLine(legend_.left() + line / 4, middle, legend_.left() + 2 * line - line / 2,
                     middle);
    painter.setPen(palette().windowText().color());
    if (lines == 1) {
        const QString shown = metrics.elidedText(note_, Qt::ElideRight, note.width());
        painter.drawText(note, Qt::AlignLeft, shown);
        texts_.append(QRect(note.topLeft(), QSize(metrics.horizontalAdvance(shown), line)));
        return;
    }
    // Whole lines of it, the last cut short where it does not end there.
    QStringList rows;
    QString rest = note_;
    while (!rest.isEmpty() && rows.size() < lines) {
        int fits = static_cast<int>(rest.size());
        while (fits > 1 && metrics.horizontalAdvance(rest.left(fits)) > note.width()) {
            const qsizetype space = rest.lastIndexOf(QLatin1Char(' '), fits - 1);
            fits = space > 0 ? static_cast<int>(space) : fits - 1;
        }
        rows << (rows.size() + 1 == lines && fits < rest.size()
                     ? metrics.elidedText(rest, Qt::ElideRight, note.width())
                     : rest.left(fits));
        rest = rest.mid(fits).trimmed();
    }
    for (qsizetype k = 0; k < rows.size(); ++k) {
        const QRect row(note.left(), note.top() + static_cast<int>(k) * line,
                        metrics.horizontalAdvance(rows[k]), line);
        painter.drawText(row, Qt::AlignLeft, rows[k]);
        texts_.append(row);
    }
}

void Plot::paintEvent(QPaintEvent* event) {
    if (pictureDue_) {
        drawPicture();
    }
    QPainter painter(this);
    const QRect area = event->rect();
    const qreal ratio = picture_.devicePixelRatio();
    painter.drawPixmap(QRectF(area), picture_,
                       QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio));
    if (cursorColumn_ >= 0) {
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.drawLine(cursorColumn_, plot_.top(), cursorColumn_, plot_.bottom());
    }
}

}  // namespace palmos
