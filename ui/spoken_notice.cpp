#include "ui/spoken_notice.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace ui {

namespace {

// The line's role for a screen reader: a notification (Qt's bridge gives it
// AT-SPI's ROLE_NOTIFICATION), read by the label it holds.
QAccessibleInterface* noticeAccessible(const QString&, QObject* object) {
    auto* notice = dynamic_cast<SpokenNotice*>(object);
    return notice != nullptr ? new QAccessibleWidget(notice, QAccessible::Notification) : nullptr;
}

}  // namespace

SpokenNotice::SpokenNotice(QWidget* window) : QWidget(window), label_(new QLabel(this)) {
    static const bool accessible = (QAccessible::installFactory(noticeAccessible), true);
    Q_UNUSED(accessible);
    setGeometry(0, 0, 0, 0);
    label_->setGeometry(0, 0, 0, 0);
    label_->setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
    window->installEventFilter(this);
}

// Hidden and shown again, so that a screen reader hears it show even when
// the text is the one it said last.
void SpokenNotice::say(const QString& text) {
    if (!parentWidget()->isVisible()) {
        return;
    }
    hide();
    label_->setText(text);
    show();
}

bool SpokenNotice::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Hide) {
        hide();
    }
    return false;
}

}  // namespace ui
