#include "instruments/space_time.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "core/format.h"
#include "instruments/captions.h"
#include "instruments/plot.h"

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

}  // namespace

QRgb divergingColour(double value, double scale) {
    if (!(scale > 0.0)) {
        return qRgb(255, 255, 255);
    }
    const double t = std::clamp(value / scale, -1.0, 1.0);
    const int fade = static_cast<int>(std::lround(255.0 * (1.0 - std::fabs(t))));
    return t >= 0.0 ? qRgb(255, fade, fade) : qRgb(fade, fade, 255);
}

double largestDisplacement(const RunView& run) {
    double largest = 0.0;
    for (int n = 0; n <= run.lastLevel; ++n) {
        const double* row = run.table->row(n, run.lastPoint + 1);
        for (int i = 0; i <= run.lastPoint; ++i) {
            largest = std::max(largest, std::fabs(row[i]));
        }
    }
    return largest;
}

QImage spaceTimeImage(const RunView& run) {
    if (!run.prepared()) {
        return {};
    }
    const double scale = largestDisplacement(run);
    QImage image(run.lastPoint + 1, run.lastLevel + 1, QImage::Format_RGB32);
    for (int n = 0; n <= run.lastLevel; ++n) {
        const double* row = run.table->row(n, run.lastPoint + 1);
        auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(run.lastLevel - n));
        for (int i = 0; i <= run.lastPoint; ++i) {
            const int x = run.driveOnRight ? i : run.lastPoint - i;
            pixels[x] = divergingColour(row[i], scale);
        }
    }
    return image;
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
    about_ = spaceTimeDescription(run_, english_);
    describeLevel();
    update();
}

// A tick changes only the last sentence: the rest was put together when the
// run or the language changed.
void SpaceTimeWindow::describeLevel() {
    if (!run_.prepared()) {
        setAccessibleDescription(notPrepared_);
        return;
    }
    setAccessibleDescription(about_ + instrumentCaption(Caption::SpaceTimeLevelLine, english_)
                                          .arg(level_)
                                          .arg(level_ * run_.timeStep, 0, 'f', 1));
}

void SpaceTimeWindow::setRun(const RunView& run) {
    run_ = run;
    image_ = spaceTimeImage(run);
    scale_ = run.prepared() ? largestDisplacement(run) : 0.0;
    level_ = std::clamp(level_, 0, run.lastLevel);
    about_ = spaceTimeDescription(run_, english_);
    describeLevel();
    layOut();
    update();
}

void SpaceTimeWindow::setCurrentLevel(int level) {
    level = std::clamp(level, 0, run_.lastLevel);
    if (level == level_) {
        return;
    }
    if (run_.prepared()) {
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

QRect SpaceTimeWindow::levelLineRect(int level) const {
    return {plot_.left(), levelY(level) - 2, plot_.width(), 5};
}

void SpaceTimeWindow::resizeEvent(QResizeEvent*) {
    layOut();
}

void SpaceTimeWindow::layOut() {
    const QFontMetrics metrics(font());
    const int line = metrics.height();
    const int left = metrics.horizontalAdvance(QStringLiteral("00000")) + line + 8;
    const int right = metrics.horizontalAdvance(QStringLiteral("t = 0000.0")) + 8 + 16 +
                      metrics.horizontalAdvance(QStringLiteral("-0.00")) + 16;
    plot_ = QRect(left, 2 * line, std::max(1, width() - left - right),
                  std::max(1, height() - 2 * line - 3 * line));
    const int timeLabels = metrics.horizontalAdvance(QStringLiteral("t = 0000.0")) + 8;
    bar_ = QRect(plot_.right() + timeLabels, plot_.top(), 16, plot_.height());
}

void SpaceTimeWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().window());
    if (!run_.prepared()) {
        painter.setPen(palette().windowText().color());
        painter.drawText(rect(), Qt::AlignCenter, notPrepared_);
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
    painter.setPen(QPen(QColor(kLevelLine), 2));
    const int y = levelY(level_);
    painter.drawLine(plot_.left(), y, plot_.right(), y);
    drawAxes(painter);
    drawColourBar(painter);
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
    painter.drawText(QRect(plot_.left(), plot_.bottom() + 5 + line, plot_.width(), line),
                     Qt::AlignHCenter, instrumentCaption(Caption::PointAxis, english_));

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
        const QRect leftHalf(plot_.left(), top, x - plot_.left(), line);
        const QRect rightHalf(x, top, plot_.right() - x, line);
        painter.drawText(leftHalf, Qt::AlignHCenter, run_.driveOnRight ? far : drive);
        painter.drawText(rightHalf, Qt::AlignHCenter, run_.driveOnRight ? drive : far);
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
    painter.drawText(QRect(x, bar_.top(), 80, line), Qt::AlignLeft, text(formatNumber(scale_)));
    painter.drawText(QRect(x, bar_.center().y() - line / 2, 80, line), Qt::AlignLeft,
                     QStringLiteral("0"));
    painter.drawText(QRect(x, bar_.bottom() - line, 80, line), Qt::AlignLeft,
                     text(formatNumber(-scale_)));
}

}  // namespace palmos
