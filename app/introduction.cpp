#include "app/introduction.h"

#include <QCloseEvent>

#include "navigation/navigation.h"
#include "ui/events.h"

namespace palmos {

namespace {

// The background of the window and its labels: white, the colour the
// design takes from the desktop's title-bar text in the standard scheme.
const QColor kBackColour = Qt::white;

}  // namespace

Eisagogi1::Eisagogi1(Navigation& navigation)
    : ui::Form("EISAGOGH", {ui::Face::SansSerif, 8}, 10800, 8400), navigation_(navigation) {
    setBackColor(kBackColour);
    Label1.setBackColor(kBackColour);
    Label2.setBackColor(kBackColour);
    APLO.onClick([this] { APLO_Click(); });
    MESADYO.onClick([this] { MESADYO_Click(); });
    Command1.onClick([this] { Command1_Click(); });
    Option1.onClick([this] { Option1_Click(); });
    Option2.onClick([this] { Option2_Click(); });
}

// Stretch the window over the whole screen.
void Eisagogi1::Form_Load() {
    setWidth(ui::screenWidth());
    setHeight(ui::screenHeight());
    setTop(0);
    setLeft(0);
}

void Eisagogi1::APLO_Click() {
    navigation_.openSimpleSolution();
}

void Eisagogi1::MESADYO_Click() {
    navigation_.openTwoMedia();
}

void Eisagogi1::Command1_Click() {
    ui::End();
}

void Eisagogi1::Option1_Click() {
    navigation_.applyLanguage();
}

void Eisagogi1::Option2_Click() {
    navigation_.applyLanguage();
}

void Eisagogi1::closeEvent(QCloseEvent* event) {
    event->accept();
    ui::dispatch([] { ui::End(); });
}

}  // namespace palmos
