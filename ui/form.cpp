#include "ui/form.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "ui/memory.h"
#include "ui/zoom.h"

namespace ui {

namespace {

// A screen reader knows a window by its frame role, and reads its title bar
// from it; a plain widget would come out as a filler. Every plain window of
// the program is one: the forms, and the instruments' windows. (Qt's own
// window classes, a menu or a message box, have accessible interfaces of
// their own and keep them.)
QAccessibleInterface* windowAccessible(const QString&, QObject* object) {
    auto* window = qobject_cast<QWidget*>(object);
    const bool plainWindow = window != nullptr && window->isWindow() &&
                             window->metaObject() == &QWidget::staticMetaObject;
    return plainWindow ? new QAccessibleWidget(window, QAccessible::Window) : nullptr;
}

}  // namespace

Form::Form(const QString& caption, const Font& font, int clientWidth, int clientHeight)
    : scale_(*this),
      surface_(*this, scale_, [this](const QRectF& box) { surfaceDrawn(box); }),
      placement_(*this),
      layout_(*this, font, clientWidth, clientHeight),
      circles_(scale_) {
    setWindowTitle(caption);
    setFont(makeFont(font));
    resize(twipsToPixels(clientWidth), twipsToPixels(clientHeight));
    releaseWhenClosed(this);
    installZoomKeys();
    // Each circle keeps its centre when the zoom changes.
    onZoomChanged(
        this, [this] { centresBeforeZoom_ = shapeCentres(); },
        [this] { relayout(centresBeforeZoom_); });
    // After the zoom has followed a new screen size (installZoomKeys), the
    // window follows it too.
    if (QScreen* screen = QGuiApplication::primaryScreen(); screen != nullptr) {
        connect(screen, &QScreen::geometryChanged, this,
                [this](const QRect& now) { placement_.followScreen(now.size()); });
    }
    static const bool accessible = (QAccessible::installFactory(windowAccessible), true);
    Q_UNUSED(accessible);
}

Form::~Form() = default;

void Form::Show() {
    if (history_ != nullptr) {
        history_->append(QStringLiteral("show ") + windowTitle());
    }
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
    placement_.set(Placement::Left, twipsToPixels(twips));
}
void Form::setTop(double twips) {
    placement_.set(Placement::Top, twipsToPixels(twips));
}
void Form::setWidth(double twips) {
    placement_.set(Placement::Width, twipsToPixels(twips));
}
void Form::setHeight(double twips) {
    placement_.set(Placement::Height, twipsToPixels(twips));
}

void Form::Scale(double x1, double y1, double x2, double y2) {
    scale_.set(x1, y1, x2, y2);
    update();
}

double Form::ScaleLeft() const {
    return scale_.left();
}
double Form::ScaleTop() const {
    return scale_.top();
}
double Form::ScaleWidth() const {
    return scale_.width();
}
double Form::ScaleHeight() const {
    return scale_.height();
}

QPointF Form::toPixels(double x, double y) const {
    return scale_.toPixels(QPointF(x, y));
}

QPointF Form::fromPixels(QPointF pixels) const {
    return scale_.fromPixels(pixels);
}

void Form::PSet(double x, double y, const QColor& colour) {
    surface_.dot(x, y, colour);
}

void Form::Line(double x1, double y1, double x2, double y2, const QColor& colour) {
    surface_.line(x1, y1, x2, y2, colour);
}

void Form::surfaceDrawn(const QRectF& box) {
    repaint_.surfaceDrawn(box);
    updateBox(box);
}

void Form::redrawSurface() {
    repaint_.surfaceCleared();
    surface_.redraw();
}

void Form::setBackColor(const QColor& colour) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colour);
    setPalette(palette);
    setAutoFillBackground(true);
}

void Form::place(QWidget* control, const Design& design) {
    layout_.place(control, design);
}

void Form::finishLoading() {
    const std::vector<QWidget*> tabs = layout_.inTabOrder();
    for (std::size_t i = 1; i < tabs.size(); ++i) {
        setTabOrder(tabs[i - 1], tabs[i]);
    }
    if (history_ != nullptr) {
        history_->append(QStringLiteral("load ") + windowTitle());
    }
    Form_Load();
}

Form::ShapeCentres Form::shapeCentres() const {
    return circles_.centres();
}

void Form::relayout(const ShapeCentres& centres) {
    layout_.relayout(placement_.sized());
    circles_.moveTo(centres);
    redrawSurface();
    update();
}

void Form::updateBox(const QRectF& box) {
    update(repaint_.add(box));
}

// Only what lies in the region to repaint is drawn: the drawn part of the
// surface, then the circles that reach into it.
void Form::paintEvent(QPaintEvent* event) {
    placement_.checkFrame();
    repaint_.painted();
    QPainter painter(this);
    surface_.paint(painter, repaint_.surfaceIn(event->rect()));
    circles_.paint(painter, event->region());
}

// What was drawn is in the window's scale: at another size it is drawn again.
void Form::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!surface_.empty()) {
        redrawSurface();
        update();
    }
}

void Form::closeEvent(QCloseEvent* event) {
    // Closing a window from its title bar only hides it.
    event->ignore();
    hide();
}

}  // namespace ui
