// A line of a window that a screen reader speaks as soon as it changes,
// wherever the keyboard is.
//
// Qt 6.4 has no announcement to send (its announcement event came later), so
// the line is an object of the window's accessibility tree with the role of
// a notification. Each new text makes it show anew: Qt's AT-SPI bridge then
// sends object:state-changed:showing for it, and Orca presents a
// notification that shows, with its name, whether or not it has the focus,
// and keeps it in its list of notifications. A label whose text or name
// changes would stay silent: Orca speaks a changed name or text only on the
// object that has the focus, and drops name changes of labels altogether. A
// message box or an alert would be spoken, but it takes the keyboard.
//
// The line has no size, so it is never drawn and no click reaches it, and it
// takes no keyboard focus: the window's controls keep it.
#pragma once

#include <QEvent>
#include <QString>
#include <QWidget>

namespace ui {

class SpokenNotice : public QWidget {
  public:
    explicit SpokenNotice(QWidget* window);

    // Says `text`: the line is named by it and shows anew. A window that is
    // not on the screen says nothing.
    void say(const QString& text);
    // What the line said last; empty before it first spoke.
    QString text() const { return accessibleName(); }

  protected:
    // A window that hides takes the line with it for good: shown again with
    // the window, the line would say its last text once more.
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace ui
