// The controls the windows are built from. Each is created from one row of
// its window's design table (a Design value): position and size in twips,
// caption, font, tab index and visibility.
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QString>
#include <functional>

namespace ui {

// The fonts of the design, mapped to the Liberation fonts, which cover Greek.
enum class Face {
    Inherit,        // the window's font
    SansSerif,      // the desktop's default dialog font
    TimesNewRoman,  // Liberation Serif
    Arial,          // Liberation Sans
    Swis721,        // Liberation Sans
};

struct Font {
    Face face = Face::Inherit;
    double points = 0.0;
};

// The font at the zoom in use: its point size grows with z.
QFont makeFont(const Font& font);

// Keyboard focus is shown by a ring of this colour inside the control's
// edge, at least 2 pixels thick: dark enough to stand out at least 3:1 from a
// button's face, a bar's trough and every window's background.
inline constexpr QRgb kFocusRingColour = 0xff003399;
int focusRingWidth();

// A graphical option that is selected: a blue face, its caption in white,
// at least 5:1 against an unselected face, so it reads as chosen rather than
// as greyed out.
inline constexpr QRgb kSelectedFaceColour = 0xff2d5da8;
inline constexpr QRgb kSelectedCaptionColour = 0xffffffff;

// A button's or option's caption has the whole face inside the focus ring;
// one too wide for a line wraps at a blank onto the next, each line centred.
// (A style's own padding would take away width the design gave it.)
struct CaptionPlace {
    QRect box;
    int flags;
};

struct Design {
    QString caption{};
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int tabIndex = -1;
    Font font{};
    bool visible = true;
};

// What the controls are built on: a window that places each of them from
// its row of the design table (the windows' Form).
class ControlHost : public QWidget {
  public:
    using QWidget::QWidget;
    virtual void place(QWidget* control, const Design& design) = 0;

  protected:
    ~ControlHost() override = default;
};

// A control whose caption the language switch rewrites.
class Captioned {
  public:
    virtual QString Caption() const = 0;
    virtual void setCaption(const QString& caption) = 0;

  protected:
    ~Captioned() = default;
};

// A push button. Graphical and standard style look alike here.
class CommandButton : public QPushButton, public Captioned {
  public:
    CommandButton(ControlHost* form, const Design& design);

    QString Caption() const override { return text(); }
    void setCaption(const QString& caption) override;
    void onClick(std::function<void()> handler);
    CaptionPlace captionPlace() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// An option button; the option buttons of one window form one exclusive
// group. The graphical style draws it as a push button that stays down while
// it is selected. Becoming selected raises its Click once, whoever selects it:
// a click, a key, a screen reader's action or code. Selected by code, the
// Click runs inside the caller's handler; otherwise inside ui::dispatch.
class OptionButton : public QAbstractButton, public Captioned {
  public:
    enum class Style { Standard, Graphical };
    OptionButton(ControlHost* form, const Design& design, Style style, bool selected);

    QString Caption() const override { return text(); }
    void setCaption(const QString& caption) override;
    bool Value() const { return isChecked(); }
    void setValue(bool selected);
    void onClick(std::function<void()> handler);
    CaptionPlace captionPlace() const;

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
    void checkStateSet() override;
    void nextCheckState() override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // The round indicator of the standard style, which grows with the zoom.
    QRect indicatorBox() const;

    Style style_;
    std::function<void()> clickHandler_;
    // Set while setValue selects the option, which raises the Click itself.
    bool selectingByCode_ = false;
};

class Label : public QLabel, public Captioned {
  public:
    Label(ControlHost* form, const Design& design);

    QString Caption() const override { return text(); }
    void setCaption(const QString& caption) override;
    void setForeColor(const QColor& colour);
    void setBackColor(const QColor& colour);

  protected:
    // Draws the caption as QLabel would, large type from a picture.
    void paintEvent(QPaintEvent* event) override;
};

// A text box for readouts: the program writes it, the student reads it.
class TextBox : public QPlainTextEdit {
  public:
    TextBox(ControlHost* form, const Design& design, bool multiLine);

    QString Text() const { return toPlainText(); }
    void setText(const QString& text);

  protected:
    // Large type is drawn from the glyph cache; smaller type as
    // QPlainTextEdit draws it.
    void paintEvent(QPaintEvent* event) override;
};

// A scroll bar with Min, Max, LargeChange and Value. Change is raised whenever
// Value changes, by the student or by code; setting the value it already has
// raises nothing.
class ScrollBar : public QScrollBar {
  public:
    struct Range {
        int min = 0;
        int max = 32767;
        int largeChange = 1;
        int value = 0;
    };
    ScrollBar(ControlHost* form, const Design& design, Qt::Orientation orientation,
              const Range& range);

    int Value() const { return value(); }
    void setValue(int value);
    int Min() const { return minimum(); }
    int Max() const { return maximum(); }
    int LargeChange() const { return pageStep(); }
    void onChange(std::function<void()> handler) { changeHandler_ = std::move(handler); }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    std::function<void()> changeHandler_;
};

}  // namespace ui
