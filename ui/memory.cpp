#include "ui/memory.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdlib>  // defines __GLIBC__ where the C library is glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace ui {

namespace {

// QWidget::destroy() frees a window's native window and its backing store;
// it is protected, and is reached here through a class of the program's own.
class Release : public QWidget {
  public:
    static void now(QWidget* window) { (window->*(&Release::destroy))(true, true); }
};

class ReleaseWhenClosed : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide && !event->spontaneous()) {
            auto* window = static_cast<QWidget*>(watched);
            // Once the hiding is done, and only if the window stayed closed (and a
            // window: one taken into another, a tab, has no native window).
            QTimer::singleShot(0, window, [window] {
                if (window->isWindow() && !window->isVisible() &&
                    window->testAttribute(Qt::WA_WState_Created)) {
                    Release::now(window);
                }
            });
        }
        return false;
    }
};

}  // namespace

void releaseWhenClosed(QWidget* window) {
    window->installEventFilter(new ReleaseWhenClosed(window));
}

void returnLargeBlocksToTheSystem() {
#if defined(__GLIBC__)
    // Setting the threshold also stops glibc from moving it.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
}

}  // namespace ui
