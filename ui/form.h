// Names: PascalCase members (Left, Width, ScaleHeight, Show, Caption) are the
// design's properties and methods, in twips or, once Scale has run, in the
// window's scale units; lowercase members (width(), show()) are Qt's own, in
// pixels.
//
// A window of the program. Created on first reference through its owner's
// accessor, which builds its controls from the design table and then runs
// Form_Load; it lives as long as its owner, the program. Geometry is in twips; Scale gives the
// window a user coordinate system for its circles and its drawing surface.
#pragma once

#include <QImage>
#include <QMargins>
#include <QPointF>
#include <QStringList>
#include <QWidget>
#include <cstddef>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "ui/controls.h"

namespace ui {

class ShapeArray;

// Twips per logical pixel of the screen: 15 at 96 dots per inch, divided by
// the zoom in use.
double twipsPerPixel();
// The screen's size in twips, at the zoom in use.
double screenWidth();
double screenHeight();

// Where the ring around a circle with this box (logical pixels) is drawn,
// its pen included: a gap and a line of a few design pixels each.
QRectF ringBox(const QRectF& circleBox);

class Form : public QWidget {
  public:
    Form(const QString& caption, const Font& font, int clientWidth, int clientHeight);
    ~Form() override;

    // Every window that exists, in the order they were built.
    static const std::vector<Form*>& windows();

    virtual void Form_Load() {}

    // Non-modal; brings the window to the front and activates it.
    void Show();
    void Hide();

    QString Caption() const { return windowTitle(); }

    // Window position and size in twips.
    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    void setLeft(double twips);
    void setTop(double twips);
    void setWidth(double twips);
    void setHeight(double twips);

    // The user scale from the top-left corner (x1, y1) to the bottom-right
    // corner (x2, y2) of the client area. Without one, the scale is twips.
    void Scale(double x1, double y1, double x2, double y2);
    double ScaleLeft() const;
    double ScaleTop() const;
    double ScaleWidth() const;
    double ScaleHeight() const;
    QPointF toPixels(double x, double y) const;
    QPointF fromPixels(QPointF pixels) const;

    // The drawing surface: dots and lines in the scale, kept across repaints,
    // drawn behind the labels, the circles and the controls. Only the part a
    // dot or line touches is repainted; a line that cannot change a pixel is
    // not drawn again (see Line). DrawWidth is in design pixels and follows
    // the zoom; what was drawn is drawn again, sharp, when the zoom changes.
    int DrawWidth() const { return drawWidth_; }
    void setDrawWidth(int pixels) { drawWidth_ = pixels; }
    void PSet(double x, double y, const QColor& colour);
    void Line(double x1, double y1, double x2, double y2, const QColor& colour);
    const QImage& surface() const { return surface_; }

    void setBackColor(const QColor& colour);

    // Schedules a repaint of the pixels a circle with this box (logical
    // pixels) may touch, its antialiased edge included.
    void updateBox(const QRectF& box);

    // Used by the controls and shapes while the window is built.
    void place(QWidget* control, const Design& design);
    void addShapes(ShapeArray* shapes) { shapes_.push_back(shapes); }
    void finishLoading();
    // Where the window writes what happens to it: "load <title>" when it is
    // loaded, "show <title>" each time it is shown. The owner of the windows
    // keeps the list.
    void recordHistoryIn(QStringList* history) { history_ = history; }

    // The centres of the window's circles in its scale, taken before a zoom
    // change; relayout puts them back there at the new size.
    using ShapeCentres = std::vector<QPointF>;
    ShapeCentres shapeCentres() const;
    // Lays the window out again at the zoom in use: controls, fonts, circles
    // and the drawing surface. A window the program sized (stretched over the
    // screen, or a share of it) keeps its size on the screen; one still at
    // its design size follows the zoom.
    void relayout(const ShapeCentres& centres);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // A dot or a line as the program drew it: in the window's scale, with its
    // colour and DrawWidth. The surface keeps the list to draw itself again
    // at another zoom.
    struct SurfaceOp {
        enum class Kind { Dot, Line };
        Kind kind;
        double x1, y1, x2, y2;
        QRgb colour;
        int drawWidth;
        bool operator==(const SurfaceOp&) const = default;
    };
    struct SurfaceOpHash {
        std::size_t operator()(const SurfaceOp& op) const;
    };

    // A line on the surface, in the surface's logical pixels, with its pen.
    struct DrawnLine {
        QPointF from;
        QPointF to;
        QRgb colour;
        int width;
        bool operator==(const DrawnLine&) const = default;
    };

    void applyDesign(QWidget* control, const Design& design);
    void prepareSurface();
    void surfaceDrawn(const QRectF& touched);
    bool rememberedLine(const DrawnLine& line);
    void paintDot(const SurfaceOp& dot);
    void paintLine(const SurfaceOp& line);
    void remember(const SurfaceOp& op);
    void redrawSurface();

    Font font_;
    int designWidth_;
    int designHeight_;
    // Where the program placed the window, in logical pixels: each part it
    // set, of the whole window, title bar and borders included. (It sets
    // sizes only relative to the screen, so a window it sized keeps its size
    // when the zoom changes.) A window manager tells the frame's size only
    // once the window is on the screen, so the placement is made again at
    // the first paint after the frame changed (placedWith_: the frame's
    // margins it was made with).
    struct Placement {
        std::optional<int> left, top, width, height;
    };
    void applyPlacement();
    QMargins frameMargins() const;
    Placement placement_;
    QMargins placedWith_;
    std::vector<std::pair<QWidget*, Design>> designs_;

    bool userScale_ = false;
    double scaleLeft_ = 0, scaleTop_ = 0, scaleWidth_ = 1, scaleHeight_ = 1;
    int drawWidth_ = 1;
    QImage surface_;
    // What the circles and the surface have asked to repaint since the last
    // paint (logical pixels).
    QRect toRepaint_;
    // The part of the surface drawn on so far (logical pixels).
    QRect drawnExtent_;
    // Lines drawn since the surface last received anything else: a dot, a
    // line in another colour or width, or a translucent line. Drawing one of
    // them again would leave every pixel as it is.
    std::vector<DrawnLine> sameInkLines_;
    std::size_t searchFrom_ = 0;
    // What was drawn, oldest first. An opaque dot or line drawn again
    // replaces its earlier copy, which can no longer show anywhere: the list
    // stays as long as the number of different dots and lines drawn.
    std::vector<SurfaceOp> drawn_;
    std::vector<bool> drawnLive_;
    std::unordered_map<SurfaceOp, std::size_t, SurfaceOpHash> drawnIndex_;
    std::size_t drawnDead_ = 0;
    std::vector<std::pair<int, QWidget*>> tabOrder_;
    std::vector<ShapeArray*> shapes_;
    QStringList* history_ = nullptr;
};

}  // namespace ui
