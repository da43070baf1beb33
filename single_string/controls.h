// The simple-solution window's controls, as the design lays them out: what
// the procedures read and move. The handlers are the window's (window.h).
#pragma once

#include "ui/controls.h"
#include "ui/form.h"
#include "ui/shapes.h"
#include "ui/timer.h"

namespace palmos {

class YpervolaControls : public ui::Form {
  public:
    YpervolaControls();

    ui::CommandButton Command1{
        this,
        {.caption = "Ξεκίνα", .left = 240, .top = 0, .width = 1215, .height = 495, .tabIndex = 0}};
    ui::CommandButton Command2{this,
                               {.caption = "Ελλειπτική διαφορική",
                                .left = 1440,
                                .top = 0,
                                .width = 1215,
                                .height = 495,
                                .tabIndex = 1}};
    ui::TextBox Text1{this,
                      {.caption = "Text1",
                       .left = 2880,
                       .top = 0,
                       .width = 1815,
                       .height = 375,
                       .tabIndex = 2,
                       .font = {ui::Face::TimesNewRoman, 8.25}},
                      false};
    ui::ScrollBar lamdaval{
        this,
        {.left = 120, .top = 720, .width = 1695, .height = 255, .tabIndex = 3, .visible = false},
        Qt::Horizontal,
        {.min = 1, .max = 10, .largeChange = 1, .value = 1}};
    ui::CommandButton Command3{this,
                               {.caption = "τερματιοσμός",
                                .left = 2880,
                                .top = 600,
                                .width = 1215,
                                .height = 495,
                                .tabIndex = 4}};
    ui::OptionButton stathero{this,
                              {.caption = "ΣΤΑΘΕΡΟ ΑΚΡΟ",
                               .left = 4920,
                               .top = 0,
                               .width = 3615,
                               .height = 615,
                               .tabIndex = 5,
                               .font = {ui::Face::TimesNewRoman, 15.75}},
                              ui::OptionButton::Style::Graphical,
                              true};
    ui::OptionButton elefthero{this,
                               {.caption = "ΕΛΕΥΘΕΡΟ ΑΚΡΟ",
                                .left = 4800,
                                .top = 600,
                                .width = 3015,
                                .height = 495,
                                .tabIndex = 6,
                                .font = {ui::Face::TimesNewRoman, 14.25}},
                               ui::OptionButton::Style::Graphical,
                               false};
    ui::CommandButton Command4{this,
                               {.caption = "Δύο μέσα",
                                .left = 1920,
                                .top = 600,
                                .width = 975,
                                .height = 495,
                                .tabIndex = 7}};
    ui::CommandButton Command5{this,
                               {.caption = "ΕΙΣΑΓΩΓΗ",
                                .left = 480,
                                .top = 600,
                                .width = 1455,
                                .height = 495,
                                .tabIndex = 8}};
    ui::Timer Timer1{this};
    ui::ShapeArray Shape1{this, 55, 135, 135, 960, 4080};
};

}  // namespace palmos
