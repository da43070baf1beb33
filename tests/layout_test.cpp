// Every window's controls lie inside the window, in both languages, on the
// screens the program is used on (the test runs once per screen).
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include "app/introduction.h"
#include "app/language.h"
#include "elliptic/window.h"
#include "single_string/window.h"
#include "tests/support/program_test.h"
#include "two_media/window.h"
#include "ui/events.h"

namespace palmos {
namespace {

void expectControlsInside(const ui::Form& window) {
    const QRect inside = window.rect();
    for (const QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control->isVisible()) {
            EXPECT_TRUE(inside.contains(control->geometry()))
                << window.Caption().toStdString() << ": " << control->accessibleName().toStdString()
                << " at " << control->geometry().x() << "," << control->geometry().y() << " "
                << control->width() << "x" << control->height() << " outside " << inside.width()
                << "x" << inside.height();
        }
    }
}

void expectCirclesOnScreen(const ui::Form& window, const ui::ShapeArray& circles) {
    for (int i = 0; i < circles.count(); ++i) {
        const QPointF corner = window.toPixels(circles(i).Left(), circles(i).Top());
        const QSizeF size = circles(i).pixelSize();
        // A circle may straddle the left edge (point 0 sits on it), no more.
        EXPECT_GE(corner.x(), -size.width());
        EXPECT_LE(corner.x() + size.width(), window.width());
        EXPECT_GE(corner.y(), 0);
        EXPECT_LE(corner.y() + size.height(), window.height());
    }
}

class Layout : public testing_support::ProgramTest {};

TEST_F(Layout, ControlsAndCirclesLieInsideEveryWindow) {
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    std::cout << "screen " << screen.width() << "x" << screen.height() << " (logical), scale "
              << QGuiApplication::primaryScreen()->devicePixelRatio() << std::endl;
    ui::dispatch([this] { ApplyLanguage(); });
    for (QAbstractButton* language : {static_cast<QAbstractButton*>(&eisagogi1().Option1),
                                      static_cast<QAbstractButton*>(&eisagogi1().Option2)}) {
        QTest::mouseClick(language, Qt::LeftButton);
        QTest::mouseClick(&eisagogi1().APLO, Qt::LeftButton);
        QTest::mouseClick(&ypervola().Command1, Qt::LeftButton);
        for (int k = 0; k < 80; ++k) {
            ypervola().Timer1.fire();
        }
        QTest::mouseClick(&ypervola().Command2, Qt::LeftButton);
        QTest::mouseClick(&ypervola().Command4, Qt::LeftButton);
        QTest::mouseClick(&dyomessa().Command2, Qt::LeftButton);
        for (int k = 0; k < 200; ++k) {
            dyomessa().Timer2.fire();
        }
        QTest::mouseClick(&dyomessa().Command3, Qt::LeftButton);  // shows STEP

        for (const ui::Form* window : std::initializer_list<const ui::Form*>{
                 &eisagogi1(), &ypervola(), &dyomessa(), &elliptikh()}) {
            EXPECT_LE(window->frameGeometry().width(), screen.width());
            EXPECT_LE(window->frameGeometry().height(), screen.height());
            expectControlsInside(*window);
        }
        expectCirclesOnScreen(ypervola(), ypervola().Shape1);
        expectCirclesOnScreen(dyomessa(), dyomessa().Shape1);
    }
}

}  // namespace
}  // namespace palmos
