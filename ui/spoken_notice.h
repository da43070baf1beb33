// A line of a window that a screen reader speaks as soon as it changes,
// wherever the keyboard is.
//
// Qt 6.4 has no announcement to send (its announcement event came later), so
// the line is an object of the window's accessibility tree with the role of
// a notification, which holds the text in a label. Each new text makes it
// show anew: Qt's AT-SPI bridge then sends object:state-changed:showing for
// it, and Orca presents a notification that shows whether or not it has the
// focus: it speaks it, flashes its labels on a braille display and keeps
// them in its list of notifications (which is why the text is a label's, not
// the notification's own name). A label whose text or name changes would
// stay silent: Orca speaks a changed name or text only on the object that
// has the focus, and drops name changes of labels altogether. A message box
// or an alert would be spoken, but it takes the keyboard.
//
// The line has no size, so it is never drawn and no click reaches it, and it
// takes no keyboard focus: the window's controls keep it.
#pragma once

#include <QEvent>
#include <QLabel>
#include <QString>
#include <QWidget>

namespace ui {

class SpokenNotice : public QWidget {
  public:
    explicit SpokenNotice(QWidget* window);

    // Says `text`: the line's label shows it and the line shows anew. A
    // window that is not on the screen says nothing.
    void say(const QString& text);
    // What the line said last; empty before it first spoke.
    QString text() const { return label_->text(); }

  protected:
    // A window that hides takes the line with it for good: shown again with
    // the window, the line would say its last text once more.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLabel* label_;
};

}  // namespace ui
