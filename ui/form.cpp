#include "ui/form.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "ui/shapes.h"

namespace ui {

namespace {

QStringList history;

QScreen* screen() {
    return QGuiApplication::primaryScreen();
}

int twipsToPixels(double twips) {
    return static_cast<int>(std::lround(twips / twipsPerPixel()));
}

}  // namespace

double twipsPerPixel() {
    const double dpi = screen() != nullptr ? screen()->logicalDotsPerInchX() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

double screenWidth() {
    return screen()->geometry().width() * twipsPerPixel();
}
double screenHeight() {
    return screen()->geometry().height() * twipsPerPixel();
}

Form::Form(const QString& caption, const Font& font, int clientWidth, int clientHeight) {
    setWindowTitle(caption);
    setFont(makeFont(font));
    resize(twipsToPixels(clientWidth), twipsToPixels(clientHeight));
}

const QStringList& windowHistory() {
    return history;
}

void Form::Show() {
    history.append(QStringLiteral("show ") + windowTitle());
    show();
    raise();
    activateWindow();
}

void Form::Hide() {
    hide();
}

double Form::Left() const {
    return frameGeometry().x() * twipsPerPixel();
}
double Form::Top() const {
    return frameGeometry().y() * twipsPerPixel();
}
double Form::Width() const {
    return frameGeometry().width() * twipsPerPixel();
}
double Form::Height() const {
    return frameGeometry().height() * twipsPerPixel();
}

void Form::setLeft(double twips) {
    move(twipsToPixels(twips), frameGeometry().y());
}
void Form::setTop(double twips) {
    move(frameGeometry().x(), twipsToPixels(twips));
}

// The platform window is created first so that its frame is known: Width and
// Height are the outer size of the window, title bar and borders included.
void Form::setWidth(double twips) {
    winId();
    const int frame = frameGeometry().width() - width();
    resize(std::max(1, twipsToPixels(twips) - frame), height());
}

void Form::setHeight(double twips) {
    winId();
    const int frame = frameGeometry().height() - height();
    resize(width(), std::max(1, twipsToPixels(twips) - frame));
}

void Form::Scale(double x1, double y1, double x2, double y2) {
    userScale_ = true;
    scaleLeft_ = x1;
    scaleTop_ = y1;
    scaleWidth_ = x2 - x1;
    scaleHeight_ = y2 - y1;
    update();
}

double Form::ScaleLeft() const {
    return userScale_ ? scaleLeft_ : 0.0;
}
double Form::ScaleTop() const {
    return userScale_ ? scaleTop_ : 0.0;
}
double Form::ScaleWidth() const {
    return userScale_ ? scaleWidth_ : width() * twipsPerPixel();
}
double Form::ScaleHeight() const {
    return userScale_ ? scaleHeight_ : height() * twipsPerPixel();
}

QPointF Form::toPixels(double x, double y) const {
    return {(x - ScaleLeft()) * width() / ScaleWidth(),
            (y - ScaleTop()) * height() / ScaleHeight()};
}

void Form::prepareSurface() {
    const qreal ratio = devicePixelRatioF();
    const QSize needed = size() * ratio;
    if (surface_.width() >= needed.width() && surface_.height() >= needed.height() &&
        surface_.devicePixelRatio() == ratio) {
        return;
    }
    QImage grown(needed.expandedTo(surface_.size()), QImage::Format_ARGB32_Premultiplied);
    grown.setDevicePixelRatio(ratio);
    grown.fill(Qt::transparent);
    if (!surface_.isNull()) {
        QPainter painter(&grown);
        painter.drawImage(QPointF(0, 0), surface_);
    }
    surface_ = std::move(grown);
}

void Form::PSet(double x, double y, const QColor& colour) {
    prepareSurface();
    QPainter painter(&surface_);
    const QPointF centre = toPixels(x, y);
    const double half = drawWidth_ / 2.0;
    painter.fillRect(QRectF(centre.x() - half, centre.y() - half, drawWidth_, drawWidth_), colour);
    update();
}

void Form::Line(double x1, double y1, double x2, double y2, const QColor& colour) {
    prepareSurface();
    QPainter painter(&surface_);
    painter.setPen(QPen(colour, drawWidth_));
    painter.drawLine(toPixels(x1, y1), toPixels(x2, y2));
    update();
}

void Form::setBackColor(const QColor& colour) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colour);
    setPalette(palette);
    setAutoFillBackground(true);
}

void Form::place(QWidget* control, const Design& design) {
    control->setGeometry(twipsToPixels(design.left), twipsToPixels(design.top),
                         twipsToPixels(design.width), twipsToPixels(design.height));
    if (design.font.face != Face::Inherit || design.font.points > 0.0) {
        control->setFont(makeFont(design.font));
    }
    if (!design.caption.isEmpty()) {
        control->setAccessibleName(design.caption);
    }
    control->setVisible(design.visible);
    if (design.tabIndex >= 0) {
        tabOrder_.emplace_back(design.tabIndex, control);
    }
}

void Form::finishLoading() {
    std::stable_sort(tabOrder_.begin(), tabOrder_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabOrder_.size(); ++i) {
        setTabOrder(tabOrder_[i - 1].second, tabOrder_[i].second);
    }
    history.append(QStringLiteral("load ") + windowTitle());
    Form_Load();
}

void Form::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!surface_.isNull()) {
        painter.drawImage(QPointF(0, 0), surface_);
    }
    painter.setRenderHint(QPainter::Antialiasing);
    for (const ShapeArray* shapes : shapes_) {
        for (int i = 0; i < shapes->count(); ++i) {
            const Shape& shape = (*shapes)(i);
            const QPointF corner = toPixels(shape.Left(), shape.Top());
            const QRectF box(corner, shape.pixelSize());
            painter.setPen(QPen(shape.BorderColor(), 1));
            painter.setBrush(shape.FillStyle() == 0 ? QBrush(shape.FillColor()) : Qt::NoBrush);
            painter.drawEllipse(box.adjusted(0.5, 0.5, -0.5, -0.5));
        }
    }
}

void Form::closeEvent(QCloseEvent* event) {
    // Closing a window from its title bar only hides it.
    event->ignore();
    hide();
}

}  // namespace ui
