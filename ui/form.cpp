#include "ui/form.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/zeroed_allocator.h"
#include "ui/memory.h"
#include "ui/shapes.h"
#include "ui/zoom.h"

namespace ui {

namespace {


std::vector<Form*>& allWindows() {
    static std::vector<Form*> windows;
    return windows;
}

QScreen* screen() {
    return QGuiApplication::primaryScreen();
}

// How many lines of one ink the surface remembers (see Form::Line).
constexpr std::size_t kRememberedLines = 512;

// A transparent image for the drawing surface. Zeroed memory is transparent
// in this format, and calloc hands out zeroed pages without writing them: a
// full-screen surface costs nothing until it is drawn on, and the first line
// of the step mode's grid does not wait for 8 MB to be cleared.
QImage transparentImage(QSize size) {
    const auto pixels = static_cast<std::size_t>(size.width()) * size.height();
    if (pixels == 0) {
        return {};
    }
    QRgb* memory = palmos::ZeroedAllocator<QRgb>().allocate(pixels);
    return {reinterpret_cast<uchar*>(memory),
            size.width(),
            size.height(),
            static_cast<qsizetype>(size.width() * sizeof(QRgb)),
            QImage::Format_ARGB32_Premultiplied,
            [](void* block) { std::free(block); },
            memory};
}

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

int twipsToPixels(double twips) {
    return static_cast<int>(std::lround(twips / twipsPerPixel()));
}

// The ring around a marked circle: a gap, then its line.
int ringGap() {
    return zoomedPixels(2);
}
int ringPen() {
    return zoomedPixels(2);
}

}  // namespace

double twipsPerPixel() {
    const double dpi = screen() != nullptr ? screen()->logicalDotsPerInchX() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0) / zoom();
}

QRectF ringBox(const QRectF& circleBox) {
    const double reach = ringGap() + ringPen();
    return circleBox.adjusted(-reach, -reach, reach, reach);
}

double screenWidth() {
    return screen()->geometry().width() * twipsPerPixel();
}
double screenHeight() {
    return screen()->geometry().height() * twipsPerPixel();
}

Form::Form(const QString& caption, const Font& font, int clientWidth, int clientHeight)
    : font_(font), designWidth_(clientWidth), designHeight_(clientHeight) {
    setWindowTitle(caption);
    setFont(makeFont(font));
    resize(twipsToPixels(clientWidth), twipsToPixels(clientHeight));
    allWindows().push_back(this);
    releaseWhenClosed(this);
    installZoomKeys();
    static const bool accessible = (QAccessible::installFactory(windowAccessible), true);
    Q_UNUSED(accessible);
}

Form::~Form() {
    std::erase(allWindows(), this);
}

const std::vector<Form*>& Form::windows() {
    return allWindows();
}

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
    placement_.left = twipsToPixels(twips);
    applyPlacement();
}
void Form::setTop(double twips) {
    placement_.top = twipsToPixels(twips);
    applyPlacement();
}
void Form::setWidth(double twips) {
    placement_.width = twipsToPixels(twips);
    applyPlacement();
}
void Form::setHeight(double twips) {
    placement_.height = twipsToPixels(twips);
    applyPlacement();
}

// A window manager frames the program's windows alike: a window not yet on
// the screen, whose frame the platform cannot tell yet, is placed with the
// frame the last window on the screen was given.
QMargins Form::frameMargins() const {
    static QMargins lastShown;
    const QWindow* window = windowHandle();
    const QMargins told = window != nullptr ? window->frameMargins() : QMargins();
    if (window != nullptr && window->isExposed()) {
        lastShown = told;
    }
    return told.isNull() ? lastShown : told;
}

// The client is the placed size less the frame, and the frame's corner goes
// where the program put it.
void Form::applyPlacement() {
    winId();
    const QMargins frame = frameMargins();
    QRect client = geometry();
    if (placement_.width) {
        client.setWidth(std::max(1, *placement_.width - frame.left() - frame.right()));
    }
    if (placement_.height) {
        client.setHeight(std::max(1, *placement_.height - frame.top() - frame.bottom()));
    }
    if (placement_.left) {
        client.moveLeft(*placement_.left + frame.left());
    }
    if (placement_.top) {
        client.moveTop(*placement_.top + frame.top());
    }
    setGeometry(client);
    placedWith_ = frame;
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

QPointF Form::fromPixels(QPointF pixels) const {
    return {ScaleLeft() + pixels.x() * ScaleWidth() / width(),
            ScaleTop() + pixels.y() * ScaleHeight() / height()};
}

void Form::prepareSurface() {
    const qreal ratio = devicePixelRatioF();
    const QSize needed = size() * ratio;
    if (surface_.width() >= needed.width() && surface_.height() >= needed.height() &&
        surface_.devicePixelRatio() == ratio) {
        return;
    }
    sameInkLines_.clear();
    QImage grown = transparentImage(needed.expandedTo(surface_.size()));
    grown.setDevicePixelRatio(ratio);
    if (!surface_.isNull()) {
        QPainter painter(&grown);
        painter.drawImage(QPointF(0, 0), surface_);
    }
    surface_ = std::move(grown);
}

void Form::surfaceDrawn(const QRectF& touched) {
    drawnExtent_ |= touched.toAlignedRect().adjusted(-1, -1, 1, 1);
    updateBox(touched);
}

void Form::PSet(double x, double y, const QColor& colour) {
    const SurfaceOp dot{SurfaceOp::Kind::Dot, x, y, x, y, colour.rgba(), drawWidth_};
    sameInkLines_.clear();
    remember(dot);
    paintDot(dot);
}

void Form::paintDot(const SurfaceOp& dot) {
    prepareSurface();
    QPainter painter(&surface_);
    const QPointF centre = toPixels(dot.x1, dot.y1);
    const int side = zoomedPixels(dot.drawWidth);
    const double half = side / 2.0;
    const QRectF box(centre.x() - half, centre.y() - half, side, side);
    painter.fillRect(box, QColor::fromRgba(dot.colour));
    surfaceDrawn(box);
}

// A grid is ruled again in the order it was first ruled, so the search starts
// just after the line found last.
bool Form::rememberedLine(const DrawnLine& line) {
    const auto from = sameInkLines_.begin() +
                      static_cast<std::ptrdiff_t>(std::min(searchFrom_, sameInkLines_.size()));
    auto found = std::find(from, sameInkLines_.end(), line);
    if (found == sameInkLines_.end()) {
        found = std::find(sameInkLines_.begin(), from, line);
        if (found == from) {
            return false;
        }
    }
    searchFrom_ = static_cast<std::size_t>(found - sameInkLines_.begin()) + 1;
    return true;
}

// Lines are drawn without antialiasing, so an opaque line sets each pixel it
// covers to its colour. Drawn again after nothing but lines of the same
// colour and width, it would set the same pixels to the same colour: it is
// skipped, and the window is not repainted for it. (The step mode rules the
// same grid on every tick.)
void Form::Line(double x1, double y1, double x2, double y2, const QColor& colour) {
    const SurfaceOp line{SurfaceOp::Kind::Line, x1, y1, x2, y2, colour.rgba(), drawWidth_};
    const DrawnLine drawn{toPixels(x1, y1), toPixels(x2, y2), line.colour, drawWidth_};
    const bool sameInk = colour.alpha() == 255 &&
                         (sameInkLines_.empty() || (sameInkLines_.front().colour == drawn.colour &&
                                                    sameInkLines_.front().width == drawn.width));
    if (!sameInk) {
        sameInkLines_.clear();
    } else if (rememberedLine(drawn)) {
        return;
    }
    remember(line);
    paintLine(line);
    if (sameInk && sameInkLines_.size() < kRememberedLines) {
        sameInkLines_.push_back(drawn);
    }
}

void Form::paintLine(const SurfaceOp& line) {
    prepareSurface();
    const QPointF from = toPixels(line.x1, line.y1);
    const QPointF to = toPixels(line.x2, line.y2);
    const int width = zoomedPixels(line.drawWidth);
    QPainter painter(&surface_);
    painter.setPen(QPen(QColor::fromRgba(line.colour), width));
    painter.drawLine(from, to);
    const double reach = width;
    surfaceDrawn(QRectF(from, to).normalized().adjusted(-reach, -reach, reach, reach));
}

std::size_t Form::SurfaceOpHash::operator()(const SurfaceOp& op) const {
    std::size_t seed = std::hash<int>()(static_cast<int>(op.kind));
    const auto mix = [&seed](std::size_t value) {
        seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
    };
    for (const double value : {op.x1, op.y1, op.x2, op.y2}) {
        mix(std::hash<double>()(value));
    }
    mix(op.colour);
    mix(static_cast<std::size_t>(op.drawWidth));
    return seed;
}

// An opaque dot or line covers the same pixels each time it is drawn, so
// its earlier copy shows nowhere once it is drawn again and is dropped from
// the list. Translucent ones blend, and are all kept.
void Form::remember(const SurfaceOp& op) {
    if (qAlpha(op.colour) == 255) {
        const auto [found, added] = drawnIndex_.try_emplace(op, drawn_.size());
        if (!added) {
            drawnLive_[found->second] = false;
            ++drawnDead_;
            found->second = drawn_.size();
        }
    }
    drawn_.push_back(op);
    drawnLive_.push_back(true);
    if (drawnDead_ > 1024 && drawnDead_ > drawn_.size() / 2) {
        std::vector<SurfaceOp> live;
        live.reserve(drawn_.size() - drawnDead_);
        for (std::size_t i = 0; i < drawn_.size(); ++i) {
            if (drawnLive_[i]) {
                live.push_back(drawn_[i]);
            }
        }
        drawn_ = std::move(live);
        drawnLive_.assign(drawn_.size(), true);
        drawnDead_ = 0;
        drawnIndex_.clear();
        for (std::size_t i = 0; i < drawn_.size(); ++i) {
            if (qAlpha(drawn_[i].colour) == 255) {
                drawnIndex_[drawn_[i]] = i;
            }
        }
    }
}

void Form::redrawSurface() {
    surface_ = QImage();
    drawnExtent_ = QRect();
    sameInkLines_.clear();
    searchFrom_ = 0;
    for (std::size_t i = 0; i < drawn_.size(); ++i) {
        if (!drawnLive_[i]) {
            continue;
        }
        if (drawn_[i].kind == SurfaceOp::Kind::Dot) {
            paintDot(drawn_[i]);
        } else {
            paintLine(drawn_[i]);
        }
    }
}

void Form::setBackColor(const QColor& colour) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colour);
    setPalette(palette);
    setAutoFillBackground(true);
}

void Form::applyDesign(QWidget* control, const Design& design) {
    control->setGeometry(twipsToPixels(design.left), twipsToPixels(design.top),
                         twipsToPixels(design.width), twipsToPixels(design.height));
    if (design.font.face != Face::Inherit || design.font.points > 0.0) {
        control->setFont(makeFont(design.font));
    }
}

void Form::place(QWidget* control, const Design& design) {
    designs_.emplace_back(control, design);
    applyDesign(control, design);
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
    if (history_ != nullptr) {
        history_->append(QStringLiteral("load ") + windowTitle());
    }
    Form_Load();
}

Form::ShapeCentres Form::shapeCentres() const {
    ShapeCentres centres;
    for (const ShapeArray* shapes : shapes_) {
        for (int i = 0; i < shapes->count(); ++i) {
            centres.push_back(fromPixels((*shapes)(i).pixelBox().center()));
        }
    }
    return centres;
}

void Form::relayout(const ShapeCentres& centres) {
    setFont(makeFont(font_));
    for (const auto& [control, design] : designs_) {
        applyDesign(control, design);
    }
    if (!placement_.width && !placement_.height) {
        resize(twipsToPixels(designWidth_), twipsToPixels(designHeight_));
    }
    std::size_t next = 0;
    for (ShapeArray* shapes : shapes_) {
        for (int i = 0; i < shapes->count() && next < centres.size(); ++i, ++next) {
            Shape& shape = (*shapes)(i);
            const QSizeF size = shape.pixelSize();
            const QPointF corner = toPixels(centres[next].x(), centres[next].y()) -
                                   QPointF(size.width() / 2, size.height() / 2);
            const QPointF place = fromPixels(corner);
            shape.setLeft(static_cast<float>(place.x()));
            shape.setTop(static_cast<float>(place.y()));
        }
    }
    redrawSurface();
    update();
}

// Everything to repaint since the last paint is gathered into one rectangle.
// A region of many small boxes would be cheaper to fill but far dearer to
// draw into: every antialiased circle edge is clipped against all of it.
void Form::updateBox(const QRectF& box) {
    toRepaint_ |= box.toAlignedRect().adjusted(-1, -1, 1, 1);
    update(toRepaint_);
}

// Only what lies in the region to repaint is drawn: the drawn part of the
// surface, then the circles that reach into it.
void Form::paintEvent(QPaintEvent* event) {
    // A window manager's frame is known once the window is on the screen.
    const bool placed = placement_.left || placement_.top || placement_.width || placement_.height;
    const QMargins frame = placed ? frameMargins() : QMargins();
    if (frame != placedWith_) {
        placedWith_ = frame;
        QTimer::singleShot(0, this, [this] { applyPlacement(); });
    }
    toRepaint_ = QRect();
    QPainter painter(this);
    const QRect area = event->rect() & drawnExtent_;
    if (!surface_.isNull() && !area.isEmpty()) {
        const qreal ratio = surface_.devicePixelRatio();
        painter.drawImage(QRectF(area), surface_,
                          QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio));
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const QRegion& region = event->region();
    for (const ShapeArray* shapes : shapes_) {
        for (int i = 0; i < shapes->count(); ++i) {
            const Shape& shape = (*shapes)(i);
            const QRectF box = shape.pixelBox();
            if (!region.intersects(box.toAlignedRect().adjusted(-1, -1, 1, 1))) {
                continue;
            }
            painter.setPen(QPen(shape.BorderColor(), 1));
            painter.setBrush(shape.FillStyle() == 0 ? QBrush(shape.FillColor()) : Qt::NoBrush);
            painter.drawEllipse(box.adjusted(0.5, 0.5, -0.5, -0.5));
        }
    }
    // The rings, over every circle.
    painter.setBrush(Qt::NoBrush);
    const double middle = ringGap() + ringPen() / 2.0;
    for (const ShapeArray* shapes : shapes_) {
        for (int i = 0; i < shapes->count(); ++i) {
            const Shape& shape = (*shapes)(i);
            if (!shape.ringColour().isValid()) {
                continue;
            }
            const QRectF box = shape.pixelBox();
            if (!region.intersects(ringBox(box).toAlignedRect().adjusted(-1, -1, 1, 1))) {
                continue;
            }
            painter.setPen(QPen(shape.ringColour(), ringPen()));
            painter.drawEllipse(box.adjusted(-middle, -middle, middle, middle));
        }
    }
}

// What was drawn is in the window's scale: at another size it is drawn again.
void Form::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!drawn_.empty()) {
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
