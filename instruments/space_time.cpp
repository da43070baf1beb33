#include "instruments/space_time.h"

#include <QLineF>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "core/format.h"
#include "instruments/captions.h"
#include "instruments/plot.h"
#include "instruments/previous_run.h"

namespace palmos {

namespace {

// Whole points or levels, ticked every 1, 2 or 5 times a power of ten.
int wholeStep(int span, int most) {
    return static_cast<int>(tickStep(span, most, 1.0));
}

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

constexpr QRgb kLevelLine = qRgb(0, 0, 0);
constexpr QRgb kPreviousOutline = qRgb(80, 80, 80);

// The previous run's outline is drawn through a fine checkerboard of this
// grey and nothing: along any line it comes out dashed, however the line is
// cut into segments, and the stripes below show between the dashes.
QBrush dashedBrush() {
    constexpr int kDash = 4;
    QImage pattern(2 * kDash, 2 * kDash, QImage::Format_ARGB32);
    for (int y = 0; y < pattern.height(); ++y) {
        for (int x = 0; x < pattern.width(); ++x) {
            const bool on = (x / kDash + y / kDash) % 2 == 0;
            pattern.setPixel(x, y, on ? kPreviousOutline : qRgba(0, 0, 0, 0));
        }
    }
    return QBrush(pattern);
}

}  // namespace

QRgb divergingColour(double value, double scale) {
    if (!(scale > 0.0)) {
        return qRgb(255, 255, 255);
    }
    const double t = std::clamp(value / scale, -1.0, 1.0);
    const int fade = static_cast<int>(std::lround(255.0 * (1.0 - std::fabs(t))));
    return t >= 0.0 ? qRgb(255, fade, fade) : qRgb(fade, fade, 255);
}

double largestDisplacement(const RunView& run, int lastShown) {
    double largest = 0.0;
    for (int n = 0; n <= std::min(lastShown, run.lastLevel); ++n) {
        const double* row = run.table->row(n, run.lastPoint + 1);
        for (int i = 0; i <= run.lastPoint; ++i) {
            largest = std::max(largest, std::fabs(row[i]));
        }
    }
    return largest;
}

QImage spaceTimeImage(const RunView& run, int lastShown) {
    if (!run.prepared()) {
        return {};
    }
    const double scale = largestDisplacement(run, lastShown);
    QImage image(run.lastPoint + 1, run.lastLevel + 1, QImage::Format_RGB32);
    image.fill(kNotShownYet);
    for (int n = 0; n <= std::min(lastShown, run.lastLevel); ++n) {
        const double* row = run.table->row(n, run.lastPoint + 1);
        auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(run.lastLevel - n));
        for (int i = 0; i <= run.lastPoint; ++i) {
            const int x = run.driveOnRight ? i : run.lastPoint - i;
            pixels[x] = divergingColour(row[i], scale);
        }
    }
    return image;
}

Outline halfHeightOutline(const RunView& run) {
    Outline outline;
    if (!run.prepared()) {
        return outline;
    }
    const double half = 0.5 * largestDisplacement(run);
    outline.firstOfLevel.assign(static_cast<std::size_t>(run.lastLevel) + 1, 0);
    if (!(half > 0.0)) {
        return outline;
    }
    const int points = run.lastPoint + 1;
    // Each square of four neighbouring cells, points i and i + 1 of levels n
    // and n + 1: the outline crosses each side whose ends lie on either side
    // of the half, where |u| - half is 0 on the line between them.
    for (int n = 0; n < run.lastLevel; ++n) {
        outline.firstOfLevel[static_cast<std::size_t>(n)] =
            static_cast<int>(outline.segments.size());
        const double* low = run.table->row(n, points);
        const double* high = run.table->row(n + 1, points);
        for (int i = 0; i + 1 < points; ++i) {
            // The corners counterclockwise from (i, n), and where the sides
            // between them are crossed.
            const double corner[4] = {std::fabs(low[i]) - half, std::fabs(low[i + 1]) - half,
                                      std::fabs(high[i + 1]) - half, std::fabs(high[i]) - half};
            const QPointF at[4] = {{static_cast<double>(i), static_cast<double>(n)},
                                   {i + 1.0, static_cast<double>(n)},
                                   {i + 1.0, n + 1.0},
                                   {static_cast<double>(i), n + 1.0}};
            QPointF crossed[4];
            int count = 0;
            for (int side = 0; side < 4; ++side) {
                const double a = corner[side];
                const double b = corner[(side + 1) % 4];
                if ((a < 0.0) != (b < 0.0)) {
                    const double t = a / (a - b);
                    crossed[count++] = at[side] + t * (at[(side + 1) % 4] - at[side]);
                }
            }
            if (count == 2) {
                outline.segments.emplace_back(crossed[0], crossed[1]);
            } else if (count == 4) {
                // A saddle: the middle, as the mean of the corners, decides
                // which corners the outline cuts off.
                const double middle = (corner[0] + corner[1] + corner[2] + corner[3]) / 4;
                const bool cutOddCorners = (middle < 0.0) == (corner[0] < 0.0);
                outline.segments.emplace_back(crossed[0], crossed[cutOddCorners ? 1 : 3]);
                outline.segments.emplace_back(crossed[2], crossed[cutOddCorners ? 3 : 1]);
            }
        }
    }
    outline.firstOfLevel.back() = static_cast<int>(outline.segments.size());
    return outline;
}

QString spaceTimeDescription(const RunView& run, bool english) {
    if (!run.prepared()) {
        return {};
    }
    const QString side = instrumentCaption(
        run.driveOnRight ? Caption::SpaceTimeRight : Caption::SpaceTimeLeft, english);
    QString about = instrumentCaption(Caption::SpaceTimeLayout, english)
                        .arg(run.lastPoint)
                        .arg(side)
                        .arg(run.lastLevel)
                        .arg(run.lastLevel * run.timeStep, 0, 'f', 1);
    const QString drive = text(std::string(run.driveName) + " = " + formatNumber(run.driveSpeed));
    const QString far = text(std::string(run.farName) + " = " + formatNumber(run.farSpeed));
    if (run.junction >= 0) {
        about += instrumentCaption(Caption::SpaceTimeTwoSpeeds, english)
                     .arg(drive)
                     .arg(run.junction)
                     .arg(far);
    } else {
        about += instrumentCaption(Caption::SpaceTimeOneSpeed, english).arg(drive);
    }
    const bool fixed = run.farEnd == EndMode::Fixed;
    about += instrumentCaption(Caption::SpaceTimeFarEnd, english)
                 .arg(instrumentCaption(fixed ? Caption::SpaceTimeFixed : Caption::SpaceTimeFree,
                                        english));
    return about;
}

SpaceTimeWindow::SpaceTimeWindow(const QString& title, const QString& notPrepared, bool english,
                                 QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setTexts(title, notPrepared, english);
    resize(720, 540);
}

void SpaceTimeWindow::setTexts(const QString& title, const QString& notPrepared, bool english) {
    setWindowTitle(title);
    notPrepared_ = notPrepared;
    english_ = english;
    describeRun();
    update();
}

QString SpaceTimeWindow::previousText() const {
    if (!previous_.prepared()) {
        return {};
    }
    return instrumentCaption(Caption::SpaceTimePrevious, english_)
        .arg(runSettingsText(previous_, run_, english_));
}

// What the window says of its run and of the previous one; the line below
// the picture may be cut short, its tooltip gives it whole.
void SpaceTimeWindow::describeRun() {
    about_ = spaceTimeDescription(run_, english_);
    // What the colour bar's numbers count in.
    const QString unit = run_.heightUnit > 0.0 ? heightTitle(run_, english_) : QString();
    if (!unit.isEmpty()) {
        about_ += QLatin1Char(' ') + unit + QLatin1Char('.');
    }
    if (previous_.prepared()) {
        about_ += QLatin1Char(' ') + previousText();
    }
    setToolTip(previous_.prepared() ? unit + QLatin1Char('\n') + previousText() : unit);
    describeLevel();
}

// A tick changes only the last sentence: the rest was put together when the
// run or the language changed.
void SpaceTimeWindow::describeLevel() {
    if (!run_.prepared() || shown_ == RunShown::Nothing) {
        setAccessibleDescription(notPrepared_);
        return;
    }
    setAccessibleDescription(about_ + instrumentCaption(Caption::SpaceTimeLevelLine, english_)
                                          .arg(level_)
                                          .arg(level_ * run_.timeStep, 0, 'f', 1));
}

void SpaceTimeWindow::setRun(const RunView& run, const RunView& previous) {
    run_ = run;
    previous_ = run.prepared() ? previous : RunView{};
    outline_ = halfHeightOutline(previous_);
    level_ = std::clamp(level_, 0, run.lastLevel);
    shown_ = run.shownNow();
    colourShown();
    describeRun();
    layOut();
    update();
}

int SpaceTimeWindow::lastShown() const {
    return run_.lastShown(shown_, level_);
}

void SpaceTimeWindow::colourShown() {
    const int last = lastShown();
    image_ = last < 0 ? QImage() : spaceTimeImage(run_, last);
    scale_ = last < 0 ? 0.0 : largestDisplacement(run_, last);
}

void SpaceTimeWindow::showPart() {
    const RunShown now = run_.shownNow();
    if (now == shown_ && now != RunShown::UpToLevelShown) {
        return;
    }
    shown_ = now;
    colourShown();
    describeLevel();
    update();
}

void SpaceTimeWindow::setCurrentLevel(int level) {
    level = std::clamp(level, 0, run_.lastLevel);
    if (level == level_) {
        return;
    }
    const RunShown now = run_.shownNow();
    if (now != shown_ || now == RunShown::UpToLevelShown) {
        // The levels shown change with the level: the whole picture anew.
        level_ = level;
        shown_ = now;
        colourShown();
        update();
    } else if (lastShown() >= 0) {
        update(levelLineRect(level_));
        update(levelLineRect(level));
    }
    level_ = level;
    describeLevel();
}

int SpaceTimeWindow::levelY(int level) const {
    const double cell = static_cast<double>(plot_.height()) / (run_.lastLevel + 1);
    return plot_.top() + static_cast<int>((run_.lastLevel - level + 0.5) * cell);
}

int SpaceTimeWindow::pointX(int point) const {
    const int column = run_.driveOnRight ? point : run_.lastPoint - point;
    const double cell = static_cast<double>(plot_.width()) / (run_.lastPoint + 1);
    return plot_.left() + static_cast<int>((column + 0.5) * cell);
}

QPointF SpaceTimeWindow::outlinePixel(const QPointF& cell) const {
    const double column = run_.driveOnRight ? cell.x() : run_.lastPoint - cell.x();
    const double width = static_cast<double>(plot_.width()) / (run_.lastPoint + 1);
    const double height = static_cast<double>(plot_.height()) / (run_.lastLevel + 1);
    return {plot_.left() + (column + 0.5) * width,
            plot_.top() + (run_.lastLevel - cell.y() + 0.5) * height};
}

QRect SpaceTimeWindow::levelLineRect(int level) const {
    return {plot_.left(), levelY(level) - 2, plot_.width(), 5};
}

void SpaceTimeWindow::resizeEvent(QResizeEvent*) {
    layOut();
}

QMargins SpaceTimeWindow::plotMargins() const {
    const QFontMetrics metrics(font());
    const int line = metrics.height();
    const int left = metrics.horizontalAdvance(QStringLiteral("00000")) + line + 8;
    const int right = metrics.horizontalAdvance(QStringLiteral("t = 0000.0")) + 8 + 16 +
                      metrics.horizontalAdvance(QStringLiteral("-0.00")) + 16;
    // Below the plot: the points' numbers with the axis's name, the unit of
    // the colour bar, and what is written of the previous run.
    const int below = (previous_.prepared() ? 3 : 2) * line + 8;
    return {left, 2 * line, right, below};
}

void SpaceTimeWindow::layOut() {
    const QFontMetrics metrics(font());
    const QMargins margins = plotMargins();
    plot_ = QRect(margins.left(), margins.top(),
                  std::max(1, width() - margins.left() - margins.right()),
                  std::max(1, height() - margins.top() - margins.bottom()));
    const int timeLabels = metrics.horizontalAdvance(QStringLiteral("t = 0000.0")) + 8;
    bar_ = QRect(plot_.right() + timeLabels, plot_.top(), 16, plot_.height());
}

void SpaceTimeWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().window());
    if (lastShown() < 0) {
        // An empty frame: nothing of the run before its START.
        painter.setPen(palette().windowText().color());
        drawFrame(painter, plot_);
        painter.drawText(plot_, Qt::AlignCenter | Qt::TextWordWrap, notPrepared_);
        return;
    }
    // Scaled as it is painted, and only where it is painted: a picture at the
    // plot's size would cost megabytes at a large zoom.
    painter.drawImage(plot_, image_);
    if (run_.junction >= 0) {
        painter.setPen(QPen(Qt::darkGreen, 2));
        const int x = pointX(run_.junction);
        painter.drawLine(x, plot_.top(), x, plot_.bottom());
    }
    drawPreviousOutline(painter, event->rect());
    painter.setPen(QPen(QColor(kLevelLine), 2));
    const int y = levelY(level_);
    painter.drawLine(plot_.left(), y, plot_.right(), y);
    drawAxes(painter);
    drawColourBar(painter);
}

// The previous run's outline where it falls in `area`: a level line's
// repaint draws only the few levels it covers.
void SpaceTimeWindow::drawPreviousOutline(QPainter& painter, const QRect& area) const {
    if (outline_.segments.empty()) {
        return;
    }
    const int pen = std::max(2, QFontMetrics(font()).height() / 10);
    const double height = static_cast<double>(plot_.height()) / (run_.lastLevel + 1);
    const auto levelAt = [this, height](int y) {
        return run_.lastLevel + 0.5 - (y - plot_.top()) / height;
    };
    const int last = static_cast<int>(outline_.firstOfLevel.size()) - 1;
    const int lowest = std::clamp(static_cast<int>(levelAt(area.bottom() + pen)) - 1, 0, last);
    const int highest = std::clamp(static_cast<int>(levelAt(area.top() - pen)) + 1, 0, last);
    QList<QLineF> lines;
    const int first = outline_.firstOfLevel[static_cast<std::size_t>(lowest)];
    const int end = outline_.firstOfLevel[static_cast<std::size_t>(highest)];
    lines.reserve(end - first);
    for (int k = first; k < end; ++k) {
        const QLineF& segment = outline_.segments[static_cast<std::size_t>(k)];
        lines.append(QLineF(outlinePixel(segment.p1()), outlinePixel(segment.p2())));
    }
    painter.save();
    painter.setClipRect(plot_ & area);
    painter.setPen(QPen(dashedBrush(), pen, Qt::SolidLine, Qt::FlatCap));
    painter.drawLines(lines);
    painter.restore();
}

void SpaceTimeWindow::drawAxes(QPainter& painter) const {
    const QFontMetrics metrics(font());
    const int line = metrics.height();
    painter.setPen(palette().windowText().color());
    drawFrame(painter, plot_);

    // Points along the bottom.
    QList<Tick> points;
    const int pointStep = wholeStep(run_.lastPoint, 10);
    for (int i = 0; i <= run_.lastPoint; i += pointStep) {
        points.append({pointX(i), QString::number(i)});
    }
    drawTicksBelow(painter, plot_, points);
    // The axis's name at the start of its numbers' row, below the levels'
    // numbers, clear of the first point's number.
    const QRect pointName(
        0, plot_.bottom() + 5,
        std::max(0, plot_.left() - metrics.horizontalAdvance(QStringLiteral("00"))), line);
    const QString pointAxis = instrumentCaption(Caption::PointAxis, english_);
    painter.drawText(pointName, Qt::AlignRight,
                     metrics.elidedText(pointAxis, Qt::ElideRight, pointName.width()));
    // What the colour bar's numbers count in.
    const QRect unit(line, plot_.bottom() + 5 + line, width() - 2 * line, line);
    painter.drawText(unit, Qt::AlignRight,
                     metrics.elidedText(heightTitle(run_, english_), Qt::ElideRight, unit.width()));
    if (previous_.prepared()) {
        const QRect below(line, plot_.bottom() + 5 + 2 * line, width() - 2 * line, line);
        painter.drawText(below, Qt::AlignHCenter,
                         metrics.elidedText(previousText(), Qt::ElideRight, below.width()));
    }

    // Levels on the left, their times on the right.
    QList<Tick> levels;
    QList<Tick> times;
    const int levelStep = wholeStep(run_.lastLevel, std::max(2, plot_.height() / (3 * line)));
    for (int n = 0; n <= run_.lastLevel; n += levelStep) {
        levels.append({levelY(n), QString::number(n)});
        times.append({levelY(n), QStringLiteral("t = %1").arg(n * run_.timeStep, 0, 'f', 1)});
    }
    drawTicksLeft(painter, plot_, levels);
    drawTicksRight(painter, plot_, times, bar_.left() - plot_.right());
    painter.drawText(QRect(0, plot_.top() - line - 2, plot_.left() + 60, line), Qt::AlignLeft,
                     instrumentCaption(Caption::LevelAxis, english_));

    // The media, named by their speeds, above their halves.
    const int top = plot_.top() - line - 2;
    if (run_.junction >= 0) {
        const int x = pointX(run_.junction);
        const QString drive =
            text(std::string(run_.driveName) + " = " + formatNumber(run_.driveSpeed));
        const QString far = text(std::string(run_.farName) + " = " + formatNumber(run_.farSpeed));
        const QString& left = run_.driveOnRight ? far : drive;
        const QString& right = run_.driveOnRight ? drive : far;
        const QRect leftHalf(plot_.left(), top, x - plot_.left(), line);
        const QRect rightHalf(x, top, plot_.right() - x, line);
        const int leftWidth = metrics.horizontalAdvance(left);
        const int rightWidth = metrics.horizontalAdvance(right);
        if (leftWidth <= leftHalf.width() && rightWidth <= rightHalf.width()) {
            painter.drawText(leftHalf, Qt::AlignHCenter, left);
            painter.drawText(rightHalf, Qt::AlignHCenter, right);
        } else {
            // A junction near an edge: the name too wide for its half stands
            // against the plot's outer edge, the other centred where that
            // leaves it room, else against its own edge; where the two would
            // still run together, they share the plot's width, each cut
            // short to its share.
            const int gap = metrics.horizontalAdvance(QStringLiteral("  "));
            const auto centred = [top, line](const QRect& half, int width) {
                return QRect(half.center().x() - width / 2, top, width, line);
            };
            QRect leftBox = leftWidth <= leftHalf.width()
                                ? centred(leftHalf, leftWidth)
                                : QRect(plot_.left(), top, leftWidth, line);
            QRect rightBox = rightWidth <= rightHalf.width()
                                 ? centred(rightHalf, rightWidth)
                                 : QRect(plot_.right() - rightWidth, top, rightWidth, line);
            if (leftBox.right() + gap >= rightBox.left()) {
                const int room = std::max(0, plot_.width() - gap);
                const int half = room / 2;
                const int leftShare = rightWidth <= half  ? std::min(leftWidth, room - rightWidth)
                                      : leftWidth <= half ? leftWidth
                                                          : half;
                const int rightShare = std::min(rightWidth, room - leftShare);
                leftBox = QRect(plot_.left(), top, leftShare, line);
                rightBox = QRect(plot_.right() - rightShare, top, rightShare, line);
            }
            painter.drawText(leftBox, Qt::AlignLeft,
                             metrics.elidedText(left, Qt::ElideRight, leftBox.width()));
            painter.drawText(rightBox, Qt::AlignRight,
                             metrics.elidedText(right, Qt::ElideRight, rightBox.width()));
        }
    } else {
        painter.drawText(QRect(plot_.left(), top, plot_.width(), line), Qt::AlignHCenter,
                         text(std::string(run_.driveName) + " = " + formatNumber(run_.driveSpeed)));
    }
}

void SpaceTimeWindow::drawColourBar(QPainter& painter) const {
    const int h = bar_.height();
    for (int y = 0; y < h; ++y) {
        const double value = scale_ * (1.0 - 2.0 * (y + 0.5) / h);
        painter.setPen(QColor(divergingColour(value, scale_)));
        painter.drawLine(bar_.left(), bar_.top() + y, bar_.right(), bar_.top() + y);
    }
    painter.setPen(palette().windowText().color());
    painter.drawRect(bar_.adjusted(0, 0, -1, -1));
    const int line = QFontMetrics(font()).height();
    const int x = bar_.right() + 4;
    // On a bar too short for three lines the 0 gives way, on one too short
    // for two the bottom: no label is printed over another.
    const QRect top(x, bar_.top(), 80, line);
    const QRect zero(x, bar_.center().y() - line / 2, 80, line);
    const QRect bottom(x, bar_.bottom() - line, 80, line);
    painter.drawText(top, Qt::AlignLeft, scaleLabel(true));
    if (!zero.intersects(top) && !zero.intersects(bottom)) {
        painter.drawText(zero, Qt::AlignLeft, QStringLiteral("0"));
    }
    if (!bottom.intersects(top)) {
        painter.drawText(bottom, Qt::AlignLeft, scaleLabel(false));
    }
}

QString SpaceTimeWindow::scaleLabel(bool top) const {
    const double largest = run_.inUnits(scale_);
    return text(formatNumber(top ? largest : -largest));
}

}  // namespace palmos
