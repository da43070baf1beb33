#include "ui/controls.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>

#include "core/runtime_error.h"
#include "ui/events.h"
#include "ui/large_type.h"
#include "ui/zoom.h"

namespace ui {

QFont makeFont(const Font& font) {
    QFont result;
    switch (font.face) {
        case Face::Inherit:
            break;
        case Face::SansSerif:
        case Face::Arial:
        case Face::Swis721:
            result.setFamily(QStringLiteral("Liberation Sans"));
            break;
        case Face::TimesNewRoman:
            result.setFamily(QStringLiteral("Liberation Serif"));
            break;
    }
    if (font.points > 0.0) {
        result.setPointSizeF(font.points * zoom());
    }
    return result;
}

// Two pixels at the design's size, growing more slowly than the zoom so that
// the ring never takes a larger share of a face than at zoom 1.
int focusRingWidth() {
    return std::max(2, static_cast<int>(1.5 * zoom()));
}

namespace {

constexpr int kCentredCaption = Qt::AlignCenter | Qt::TextWordWrap;

QRect insideFocusRing(const QWidget& control) {
    const int inset = focusRingWidth();
    return control.rect().adjusted(inset, inset, -inset, -inset);
}

void drawFocusRing(QPainter& painter, const QWidget& control, bool onDarkFace = false) {
    if (!control.hasFocus()) {
        return;
    }
    const int width = focusRingWidth();
    const auto frame = [&painter, width](const QRect& ring, const QColor& colour) {
        painter.fillRect(ring.x(), ring.y(), ring.width(), width, colour);
        painter.fillRect(ring.x(), ring.bottom() + 1 - width, ring.width(), width, colour);
        painter.fillRect(ring.x(), ring.y(), width, ring.height(), colour);
        painter.fillRect(ring.right() + 1 - width, ring.y(), width, ring.height(), colour);
    };
    frame(control.rect(), QColor::fromRgba(kFocusRingColour));
    if (onDarkFace) {
        // The dark ring would hardly show against a selected option's blue:
        // a white ring inside it keeps it clear.
        frame(control.rect().adjusted(width, width, -width, -width), Qt::white);
    }
}

// A push button's face without its caption or the style's focus frame; the
// caption and the focus ring are drawn by the program.
void drawButtonFace(QStylePainter& painter, QStyleOptionButton option) {
    option.text.clear();
    option.icon = QIcon();
    option.state &= ~QStyle::State_HasFocus;
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
}

QColor textColour(const QWidget& control, QPalette::ColorRole role) {
    return control.palette().color(control.isEnabled() ? QPalette::Active : QPalette::Disabled,
                                   role);
}

void drawCaption(QPainter& painter, const QAbstractButton& button, const CaptionPlace& place,
                 const QColor& colour) {
    drawText(painter, place.box, place.flags, button.text(), colour);
}

void drawCaption(QPainter& painter, const QAbstractButton& button, const CaptionPlace& place) {
    drawCaption(painter, button, place, textColour(button, QPalette::ButtonText));
}

// A selected graphical option: the blue face inside a darker edge.
void drawSelectedFace(QPainter& painter, const QWidget& control) {
    const QColor face = QColor::fromRgba(kSelectedFaceColour);
    painter.fillRect(control.rect(), face.darker(150));
    const int edge = std::max(1, zoomedPixels(1));
    painter.fillRect(control.rect().adjusted(edge, edge, -edge, -edge), face);
}

}  // namespace

CommandButton::CommandButton(ControlHost* form, const Design& design) : QPushButton(form) {
    form->place(this, design);
    setText(design.caption);
}

void CommandButton::setCaption(const QString& caption) {
    setText(caption);
    setAccessibleName(caption);
}

CaptionPlace CommandButton::captionPlace() const {
    return {insideFocusRing(*this), kCentredCaption};
}

void CommandButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    drawButtonFace(painter, option);
    drawCaption(painter, *this, captionPlace());
    drawFocusRing(painter, *this);
}

void CommandButton::onClick(std::function<void()> handler) {
    connect(this, &QPushButton::clicked, this,
            [handler = std::move(handler)] { dispatch(handler); });
}

namespace {

// Enter and Return press a focused button, as Space does.
bool pressesButton(const QKeyEvent* event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

}  // namespace

void CommandButton::keyPressEvent(QKeyEvent* event) {
    if (pressesButton(event)) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

OptionButton::OptionButton(ControlHost* form, const Design& design, Style style, bool selected)
    : QAbstractButton(form), style_(style) {
    setCheckable(true);
    setAutoExclusive(true);
    setChecked(selected);
    setFocusPolicy(Qt::StrongFocus);
    form->place(this, design);
    setText(design.caption);
    // Every way of selecting an option ends here, a screen reader's toggle
    // action included, which never passes through nextCheckState.
    connect(this, &QAbstractButton::toggled, this, [this](bool selected) {
        if (selected && !selectingByCode_ && clickHandler_) {
            dispatch(clickHandler_);
        }
    });
}

void OptionButton::setCaption(const QString& caption) {
    setText(caption);
    setAccessibleName(caption);
    update();
}

void OptionButton::setValue(bool selected) {
    if (selected == isChecked()) {
        return;
    }
    if (selected) {
        {
            const QScopedValueRollback byCode(selectingByCode_, true);
            setChecked(true);  // deselects the others of the group
        }
        // Raised here, in the caller's handler, so that its failures reach it.
        if (clickHandler_) {
            clickHandler_();
        }
        return;
    }
    // Code may deselect the selected option, leaving the group with none.
    setAutoExclusive(false);
    setChecked(false);
    setAutoExclusive(true);
}

void OptionButton::onClick(std::function<void()> handler) {
    clickHandler_ = std::move(handler);
}

void OptionButton::nextCheckState() {
    // A click selects; clicking the selected option leaves it selected.
    if (!isChecked()) {
        setChecked(true);
    }
}

void OptionButton::keyPressEvent(QKeyEvent* event) {
    if (pressesButton(event)) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void OptionButton::checkStateSet() {
    update();
}

bool OptionButton::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

QSize OptionButton::sizeHint() const {
    return size();
}

QRect OptionButton::indicatorBox() const {
    const QRect box = insideFocusRing(*this);
    const int side = std::min(box.height(), zoomedPixels(13));
    return {box.left(), box.top() + (box.height() - side) / 2, side, side};
}

// A standard option's caption stands left of centre, beside its indicator.
CaptionPlace OptionButton::captionPlace() const {
    if (style_ == Style::Graphical) {
        return {insideFocusRing(*this), kCentredCaption};
    }
    const QRect box = insideFocusRing(*this);
    return {box.adjusted(indicatorBox().width() + zoomedPixels(4), 0, 0, 0),
            Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap};
}

void OptionButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    option.initFrom(this);
    option.state &= ~QStyle::State_HasFocus;
    if (isDown()) {
        option.state |= QStyle::State_Sunken;
    }
    const bool selectedFace = style_ == Style::Graphical && isChecked();
    if (selectedFace) {
        drawSelectedFace(painter, *this);
        drawCaption(painter, *this, captionPlace(), QColor::fromRgba(kSelectedCaptionColour));
        drawFocusRing(painter, *this, true);
        return;
    }
    if (style_ == Style::Graphical) {
        option.state |= QStyle::State_Raised;
        drawButtonFace(painter, option);
    } else {
        option.state |= isChecked() ? QStyle::State_On : QStyle::State_Off;
        option.rect = indicatorBox();
        painter.drawPrimitive(QStyle::PE_IndicatorRadioButton, option);
    }
    drawCaption(painter, *this, captionPlace());
    drawFocusRing(painter, *this);
}

Label::Label(ControlHost* form, const Design& design) : QLabel(form) {
    form->place(this, design);
    // Labels lie on the window itself, beneath every other control, but
    // above its drawing: each paints its own background, in its BackColor
    // (the window's unless set), so no dot or line runs across its text.
    lower();
    setAutoFillBackground(true);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setText(design.caption);
    setTextFormat(Qt::PlainText);
}

void Label::setCaption(const QString& caption) {
    setText(caption);
    setAccessibleName(caption);
}

// A plain-text label with neither frame nor margin draws its caption in its
// contents, as QLabel does.
void Label::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int flags = static_cast<int>(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0);
    drawText(painter, contentsRect(), flags, text(), textColour(*this, foregroundRole()));
}

void Label::setForeColor(const QColor& colour) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, colour);
    setPalette(palette);
}

void Label::setBackColor(const QColor& colour) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colour);
    setPalette(palette);
    setAutoFillBackground(true);
}

TextBox::TextBox(ControlHost* form, const Design& design, bool multiLine) : QPlainTextEdit(form) {
    form->place(this, design);
    setReadOnly(true);
    setLineWrapMode(multiLine ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(multiLine ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    document()->setDocumentMargin(2);
    setPlainText(design.caption);
}

void TextBox::setText(const QString& text) {
    if (text != toPlainText()) {
        setPlainText(text);
    }
}

// Large type: the blocks in view, each drawn from its layout as
// QPlainTextEdit would, with glyphs from the glyph cache. A selection is rare
// in a readout and is left to Qt's own drawing.
void TextBox::paintEvent(QPaintEvent* event) {
    if (!isLargeType(font(), devicePixelRatioF()) || textCursor().hasSelection()) {
        QPlainTextEdit::paintEvent(event);
        return;
    }
    QPainter painter(viewport());
    const QColor colour = textColour(*this, QPalette::Text);
    const QRect area = event->rect();
    QPointF offset = contentOffset();
    for (QTextBlock block = firstVisibleBlock(); block.isValid() && offset.y() <= area.bottom();
         block = block.next()) {
        const QRectF box = blockBoundingRect(block).translated(offset);
        if (block.isVisible() && box.bottom() >= area.top()) {
            const QTextLayout& layout = *block.layout();
            // A block's layout takes its text from the block: its runs are
            // asked for by the block's length.
            drawGlyphRuns(painter, layout.glyphRuns(0, block.length()), offset + layout.position(),
                          colour);
        }
        offset.ry() += box.height();
    }
}

ScrollBar::ScrollBar(ControlHost* form, const Design& design, Qt::Orientation orientation,
                     const Range& range)
    : QScrollBar(orientation, form) {
    form->place(this, design);
    setRange(range.min, range.max);
    setSingleStep(1);
    setPageStep(range.largeChange);
    // Arrow keys move it by 1, Page Up and Page Down by LargeChange.
    setFocusPolicy(Qt::StrongFocus);
    QScrollBar::setValue(range.value);
    connect(this, &QScrollBar::valueChanged, this, [this] {
        if (changeHandler_) {
            dispatch(changeHandler_);
        }
    });
}

// The desktop's keys: arrows move by 1 (right and down towards Max), Page Up
// and Page Down by LargeChange, Home and End to Min and Max.
void ScrollBar::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Right:
        case Qt::Key_Down:
            triggerAction(SliderSingleStepAdd);
            break;
        case Qt::Key_Left:
        case Qt::Key_Up:
            triggerAction(SliderSingleStepSub);
            break;
        case Qt::Key_PageDown:
            triggerAction(SliderPageStepAdd);
            break;
        case Qt::Key_PageUp:
            triggerAction(SliderPageStepSub);
            break;
        case Qt::Key_Home:
            triggerAction(SliderToMinimum);
            break;
        case Qt::Key_End:
            triggerAction(SliderToMaximum);
            break;
        default:
            QScrollBar::keyPressEvent(event);
    }
}

void ScrollBar::paintEvent(QPaintEvent* event) {
    QScrollBar::paintEvent(event);
    QPainter painter(this);
    drawFocusRing(painter, *this);
}

void ScrollBar::setValue(int value) {
    if (value == this->value()) {
        return;
    }
    if (value < minimum() || value > maximum()) {
        palmos::raiseInvalidPropertyValue();
    }
    {
        const QSignalBlocker blocker(this);
        QScrollBar::setValue(value);
    }
    // Raised here, in the caller's handler, so that its failures reach it.
    if (changeHandler_) {
        changeHandler_();
    }
}

}  // namespace ui
