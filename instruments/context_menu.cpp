#include "instruments/context_menu.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QShortcut>
#include <QWidget>
#include <algorithm>

#include "instruments/captions.h"
#include "ui/touch_targets.h"

namespace palmos {

bool isControl(const QWidget* widget) {
    for (const QWidget* w = widget; w != nullptr && !w->isWindow(); w = w->parentWidget()) {
        if (qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QAbstractSlider*>(w) ||
            qobject_cast<const QAbstractScrollArea*>(w) ||
            qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QLineEdit*>(w) ||
            qobject_cast<const QComboBox*>(w)) {
            return true;
        }
    }
    return false;
}

InstrumentMenu::InstrumentMenu(QWidget* window, std::function<bool()> english,
                               InstrumentActions actions)
    : QObject(window),
      window_(window),
      english_(std::move(english)),
      actions_(std::move(actions)),
      menu_(new QMenu(window)) {
    window->installEventFilter(this);
    hold_.setSingleShot(true);
    hold_.setInterval(kHoldMilliseconds);
    QObject::connect(&hold_, &QTimer::timeout, this, [this] { popupForFinger(heldAt_); });
    // The Menu key reaches the window as a context-menu event; Shift+F10 is
    // given the same meaning here.
    auto* shortcut = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), window);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, this,
                     [this] { popup(window_->mapToGlobal(window_->rect().center())); });
}

void InstrumentMenu::fill() {
    menu_->clear();
    const bool english = english_();
    const auto add = [&](Caption which, const std::function<void()>& action) {
        if (action) {
            menu_->addAction(instrumentCaption(which, english), action);
        }
    };
    add(Caption::SpaceTimeDiagram, actions_.spaceTimeDiagram);
    add(Caption::PointProbe, actions_.pointProbe);
    add(Caption::MeasuredRatios, actions_.measuredRatios);
    if (actions_.predict) {
        menu_->addSeparator();
        QAction* predict =
            menu_->addAction(instrumentCaption(Caption::Predict, english), actions_.predict);
        predict->setCheckable(true);
        predict->setChecked(actions_.predicting());
    }
    menu_->addSeparator();
    add(Caption::SavePicture, actions_.savePicture);
    add(Caption::CopyData, actions_.copyData);
    if (actions_.detached) {
        menu_->addSeparator();
        if (actions_.detached()) {
            add(Caption::Dock, actions_.dock);
        } else {
            add(Caption::Detach, actions_.detach);
        }
    }
}

void InstrumentMenu::setPredict(std::function<bool()> predicting, std::function<void()> predict) {
    actions_.predicting = std::move(predicting);
    actions_.predict = std::move(predict);
}

void InstrumentMenu::popup(const QPoint& global) {
    fill();
    menu_->setStyleSheet({});
    menu_->popup(global);
}

// Opened by a finger, each item is a touch target's height.
void InstrumentMenu::popupForFinger(const QPoint& global) {
    fill();
    const int padding = std::max(0, ui::kTouchTarget - menu_->fontMetrics().height() + 1) / 2;
    menu_->setStyleSheet(
        QStringLiteral("QMenu::item { padding: %1px 24px %1px 24px; }").arg(padding));
    menu_->popup(global);
}

bool InstrumentMenu::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_) {
        return false;
    }
    if (event->type() != QEvent::ContextMenu) {
        followHold(*event);
        return false;
    }
    auto* menuEvent = static_cast<QContextMenuEvent*>(event);
    // A context-menu event a control did not take reaches its window too; a
    // right-click there keeps to the control.
    if (menuEvent->reason() == QContextMenuEvent::Mouse &&
        isControl(window_->childAt(menuEvent->pos()))) {
        return false;
    }
#ifdef Q_OS_WASM
    // In a browser a menu opened while a press is being delivered closes at
    // once: it opens when the press is over.
    if (menuEvent->reason() == QContextMenuEvent::Mouse) {
        const QPoint at = menuEvent->globalPos();
        QTimer::singleShot(0, this, [this, at] { popup(at); });
        return true;
    }
#endif
    popup(menuEvent->globalPos());
    return true;
}

// Only a press that comes from a finger (Qt makes it from the touch) starts
// the hold; moving away or lifting the finger ends it.
void InstrumentMenu::followHold(const QEvent& event) {
    const auto type = event.type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease) {
        return;
    }
    const auto& mouse = static_cast<const QMouseEvent&>(event);
    const QPoint at = mouse.globalPosition().toPoint();
    if (type == QEvent::MouseButtonPress) {
        hold_.stop();
        if (mouse.button() == Qt::LeftButton && ui::fromTouch(mouse) &&
            !isControl(window_->childAt(mouse.position().toPoint()))) {
            heldAt_ = at;
            hold_.start();
        }
    } else if (type == QEvent::MouseButtonRelease ||
               (at - heldAt_).manhattanLength() > kHoldSlack) {
        hold_.stop();
    }
}

InstrumentMenu* installInstrumentMenu(QWidget* window, std::function<bool()> english,
                                      InstrumentActions actions) {
    return new InstrumentMenu(window, std::move(english), std::move(actions));
}

}  // namespace palmos
