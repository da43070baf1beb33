// The lines of a window that a screen reader speaks as soon as they are
// said, wherever the keyboard is.
//
// Qt 6.4 has no announcement to send (its announcement event came later), so
// each line is an object of the window's accessibility tree with the role of
// a notification, which holds its text in a label. A line shows anew when it
// is said: Qt's AT-SPI bridge then sends object:state-changed:showing for it,
// and Orca presents a notification that shows whether or not it has the
// focus: it speaks it, flashes its labels on a braille display and keeps them
// in its list of notifications (which is why the text is a label's, not the
// notification's own name). A label whose text or name changes would stay
// silent: Orca speaks a changed name or text only on the object that has the
// focus, and drops name changes of labels altogether. A message box or an
// alert would be spoken, but it takes the keyboard.
//
// A screen reader reads a line when it comes to the event, which may be after
// the next line was said; so the lines take turns, and a line keeps its text
// until its turn comes again. They have no size, so they are never drawn and
// no click reaches them, and they take no keyboard focus: the window's
// controls keep it.
#pragma once

#include <QEvent>
#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>

namespace ui {

class SpokenNotice : public QObject {
  public:
    explicit SpokenNotice(QWidget* window);
    ~SpokenNotice() override;

    // Says `text` on the next line, which shows anew with it. A window that
    // is not on the screen says nothing.
    void say(const QString& text);
    // What was said last; empty before anything was.
    QString text() const;
    // The lines, in their turns.
    std::array<QWidget*, 4> lines() const;

  protected:
    // A window that hides takes the lines with it for good: shown again with
    // the window, each would say its text once more.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Line {
        QPointer<QWidget> widget;
        QLabel* label = nullptr;
    };

    QWidget* window_;
    std::array<Line, 4> lines_;
    int last_ = -1;
};

}  // namespace ui
