#include "ui/spoken_notice.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace ui {

namespace {

// A line: a notification for a screen reader (Qt's bridge gives it AT-SPI's
// ROLE_NOTIFICATION), read by the label it holds.
class NoticeLine : public QWidget {
  public:
    using QWidget::QWidget;
};

QAccessibleInterface* lineAccessible(const QString&, QObject* object) {
    auto* line = dynamic_cast<NoticeLine*>(object);
    return line != nullptr ? new QAccessibleWidget(line, QAccessible::Notification) : nullptr;
}

}  // namespace

SpokenNotice::SpokenNotice(QWidget* window) : QObject(window), window_(window) {
    static const bool accessible = (QAccessible::installFactory(lineAccessible), true);
    Q_UNUSED(accessible);
    for (Line& line : lines_) {
        line.widget = new NoticeLine(window);
        line.widget->setGeometry(0, 0, 0, 0);
        line.widget->setFocusPolicy(Qt::NoFocus);
        line.widget->setAttribute(Qt::WA_TransparentForMouseEvents);
        line.widget->hide();
        line.label = new QLabel(line.widget);
        line.label->setGeometry(0, 0, 0, 0);
        line.label->setTextFormat(Qt::PlainText);
    }
    window->installEventFilter(this);
}

// The lines go with the notice, or with their window when it goes first.
SpokenNotice::~SpokenNotice() {
    for (const Line& line : lines_) {
        delete line.widget.data();
    }
}

// Hidden and shown again, so that a screen reader hears it show even when
// it was showing.
void SpokenNotice::say(const QString& text) {
    if (!window_->isVisible()) {
        return;
    }
    last_ = (last_ + 1) % static_cast<int>(lines_.size());
    const Line& line = lines_[static_cast<std::size_t>(last_)];
    line.widget->hide();
    line.label->setText(text);
    line.widget->show();
}

QString SpokenNotice::text() const {
    return last_ < 0 ? QString() : lines_[static_cast<std::size_t>(last_)].label->text();
}

std::array<QWidget*, 4> SpokenNotice::lines() const {
    std::array<QWidget*, 4> widgets{};
    for (std::size_t k = 0; k < lines_.size(); ++k) {
        widgets[k] = lines_[k].widget.data();
    }
    return widgets;
}

bool SpokenNotice::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Hide) {
        for (const Line& line : lines_) {
            line.widget->hide();
        }
    }
    return false;
}

}  // namespace ui
