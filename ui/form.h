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
#include <QPointF>
#include <QStringList>
#include <QWidget>
#include <vector>

#include "ui/circles.h"
#include "ui/controls.h"
#include "ui/design_layout.h"
#include "ui/placement.h"
#include "ui/repaint.h"
#include "ui/shapes.h"
#include "ui/surface.h"
#include "ui/twips.h"
#include "ui/user_scale.h"

namespace ui {

// A window is wiring between its parts: the user scale, the drawing surface,
// what to repaint, the program's placement, the design's layout and the
// circles, each in its own header.
class Form : public ControlHost, public ShapeHost {
  public:
    Form(const QString& caption, const Font& font, int clientWidth, int clientHeight);
    ~Form() override;

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
    double ScaleWidth() const override;
    double ScaleHeight() const override;
    QPointF toPixels(double x, double y) const override;
    QPointF fromPixels(QPointF pixels) const;

    // The drawing surface: dots and lines in the scale, kept across repaints,
    // drawn behind the labels, the circles and the controls. Only the part a
    // dot or line touches is repainted; a line that cannot change a pixel is
    // not drawn again (see Line). DrawWidth is in design pixels and follows
    // the zoom; what was drawn is drawn again, sharp, when the zoom changes.
    int DrawWidth() const { return surface_.drawWidth(); }
    void setDrawWidth(int pixels) { surface_.setDrawWidth(pixels); }
    void PSet(double x, double y, const QColor& colour);
    void Line(double x1, double y1, double x2, double y2, const QColor& colour);
    const QImage& surface() const { return surface_.image(); }

    void setBackColor(const QColor& colour);

    // Schedules a repaint of the pixels a circle with this box (logical
    // pixels) may touch, its antialiased edge included.
    void updateBox(const QRectF& box) override;

    // Used by the controls and shapes while the window is built.
    void place(QWidget* control, const Design& design) override;
    void addShapes(ShapeArray* shapes) override { circles_.add(shapes); }
    QSize clientSize() const override { return size(); }
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
    void surfaceDrawn(const QRectF& box);
    void redrawSurface();

    UserScale scale_;
    RepaintArea repaint_;
    Surface surface_;
    Placement placement_;
    DesignLayout layout_;
    Circles circles_;
    QStringList* history_ = nullptr;
    ShapeCentres centresBeforeZoom_;
};

}  // namespace ui
