#include "instruments/measured_ratios_window.h"

#include <QEvent>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>
#include <cmath>

#include "core/format.h"
#include "instruments/captions.h"
#include "instruments/named_scroll_area.h"

namespace palmos {

namespace {

QString number(double value) {
    return QString::fromStdString(formatNumber(value));
}

QString reading(const RatioReading& reading, bool english) {
    return reading.ratio ? number(*reading.ratio)
                         : QString::fromStdString(noCleanWindowText(reading.reason, english));
}

QString speed(const std::optional<double>& value, bool english) {
    return value ? number(*value) : instrumentCaption(Caption::SpeedNotMeasured, english);
}

QString perUnitOfTime(const std::optional<double>& value, double timeStep, bool english) {
    return value ? number(*value / timeStep)
                 : instrumentCaption(Caption::SpeedNotMeasured, english);
}

// The speeds measured, then how the bars' c gives them.
QString speedsText(const SpeedsView& view, double c1, double c2, bool english) {
    const QString drive = QString::fromLatin1(view.driveName);
    const QString far = QString::fromLatin1(view.farName);
    const auto sides = [&](Caption which, const SideSpeeds& speeds) {
        return instrumentCaption(which, english)
            .arg(drive, speed(speeds.drive, english), far, speed(speeds.far, english));
    };
    const QString fronts =
        sides(Caption::SpeedsFromFronts, view.measured.fronts)
            .arg(perUnitOfTime(view.measured.fronts.drive, view.timeStep, english),
                 perUnitOfTime(view.measured.fronts.far, view.timeStep, english));
    const QString other = instrumentCaption(Caption::SpeedsOtherPulse, english)
                              .arg(QString::number(view.otherPulseWidth), drive,
                                   speed(view.otherPulse.fronts.drive, english), far,
                                   speed(view.otherPulse.fronts.far, english));
    const QString relation = view.scheme == TwoMediaScheme::StepMode
                                 ? instrumentCaption(Caption::SpeedRelationStep, english)
                                       .arg(number(std::sqrt(c1)), number(std::sqrt(c2)))
                                 : instrumentCaption(Caption::SpeedRelationContinuous, english);
    return fronts + QLatin1Char('\n') + sides(Caption::SpeedsFromStripes, view.measured.stripes) +
           QLatin1Char('\n') + other + QStringLiteral("\n\n") + relation;
}

}  // namespace

QString ratiosText(const RatiosView& view, bool english) {
    const MeasuredRatios& r = view.ratios;
    const QString printed = instrumentCaption(Caption::RatiosFromFormula, english)
                                .arg(number(view.c1), number(view.c2));
    const QString measured = instrumentCaption(Caption::RatiosMeasured, english);
    const QString text =
        QStringLiteral(
            "%1\n    A1/A0 = %2    B1/A0 = %3\n\n%4\n    A1/A0 = %5\n    B1/A0 = %6\n\n%7")
            .arg(printed, number(r.printedReflected), number(r.printedTransmitted), measured,
                 reading(r.reflected, english), reading(r.transmitted, english),
                 QString::fromStdString(measuredRatiosDescription(r, english)));
    if (!view.speeds) {
        return text;
    }
    return text + QStringLiteral("\n\n") + speedsText(*view.speeds, view.c1, view.c2, english);
}

MeasuredRatiosWindow::MeasuredRatiosWindow(const QString& title, const QString& notPrepared,
                                           bool english, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    // The paragraphs scroll where the window is docked in a narrow band.
    scroll_ = new QScrollArea(this);
    QScrollArea* scroll = scroll_;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* page = new QWidget(scroll);
    scroll->setWidget(page);
    (new QVBoxLayout(this))->addWidget(scroll);
    auto* layout = new QVBoxLayout(page);
    paragraphsLayout_ = layout;
    // The printed ratios, the measured ones, how they were measured, the
    // speeds and what the bars' c has to do with them.
    for (int i = 0; i < 5; ++i) {
        auto* label = new QLabel(page);
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        layout->addWidget(label);
        labels_.push_back(label);
    }
    layout->addStretch();
    setTexts(title, notPrepared, english);
    resize(600, 560);
}

void MeasuredRatiosWindow::setRatios(const std::optional<RatiosView>& view) {
    view_ = view;
    refresh();
}

void MeasuredRatiosWindow::setTexts(const QString& title, const QString& notPrepared,
                                    bool english) {
    setWindowTitle(title);
    nameScrollArea(*scroll_, title);
    notPrepared_ = notPrepared;
    english_ = english;
    refresh();
}

QString MeasuredRatiosWindow::text() const {
    return text_;
}

void MeasuredRatiosWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        paragraphsLayout_->setSpacing(QFontMetrics(font()).height());
    }
    QWidget::changeEvent(event);
}

// A label without an accessible name of its own is read by its text.
void MeasuredRatiosWindow::refresh() {
    text_ = view_ ? ratiosText(*view_, english_) : notPrepared_;
    const QString gap = QStringLiteral("\n\n");
    QStringList paragraphs = text_.split(gap);
    const auto last = static_cast<qsizetype>(labels_.size()) - 1;
    if (paragraphs.size() > last + 1) {
        paragraphs = paragraphs.mid(0, last) << paragraphs.mid(last).join(gap);
    }
    for (qsizetype i = 0; i <= last; ++i) {
        QLabel* label = labels_[static_cast<std::size_t>(i)];
        label->setText(i < paragraphs.size() ? paragraphs[i] : QString());
        label->setVisible(i < paragraphs.size());
    }
}

}  // namespace palmos
