// The two-media window's controls, as the design lays them out: what the
// procedures read, write and move. The handlers are the window's (window.h).
#pragma once

#include "ui/controls.h"
#include "ui/form.h"
#include "ui/shapes.h"
#include "ui/timer.h"

namespace palmos {

class DyomessaControls : public ui::Form {
  public:
    DyomessaControls();

    static constexpr ui::Font kButtonFont{ui::Face::TimesNewRoman, 8.25};

    ui::CommandButton Command1{this,
                               {.caption = "ΞΕΚΙΝΑ",
                                .left = 120,
                                .top = 0,
                                .width = 855,
                                .height = 375,
                                .tabIndex = 0,
                                .font = kButtonFont,
                                .visible = false}};
    ui::OptionButton elefthero1{this,
                                {.caption = "ΕΛΕΥΘΕΡΟ ΑΚΡΟ",
                                 .left = 8400,
                                 .top = 1800,
                                 .width = 3615,
                                 .height = 615,
                                 .tabIndex = 1,
                                 .font = {ui::Face::TimesNewRoman, 14.25}},
                                ui::OptionButton::Style::Graphical,
                                false};
    ui::OptionButton stathero1{this,
                               {.caption = "ΣΤΑΘΕΡΟ ΑΚΡΟ",
                                .left = 8400,
                                .top = 1200,
                                .width = 3615,
                                .height = 615,
                                .tabIndex = 2,
                                .font = {ui::Face::TimesNewRoman, 15.75}},
                               ui::OptionButton::Style::Graphical,
                               true};
    ui::ScrollBar cmeso1{this,
                         {.left = 0, .top = 1800, .width = 1575, .height = 255, .tabIndex = 3},
                         Qt::Horizontal,
                         {.min = 1, .max = 200, .largeChange = 10, .value = 5}};
    ui::Label Label1{this,
                     {.caption = "Label1",
                      .left = 1560,
                      .top = 1800,
                      .width = 735,
                      .height = 375,
                      .tabIndex = 4}};
    ui::ScrollBar cmesso2{this,
                          {.left = 0, .top = 2160, .width = 1575, .height = 255, .tabIndex = 5},
                          Qt::Horizontal,
                          {.min = 1, .max = 200, .largeChange = 10, .value = 30}};
    ui::Label Label2{this,
                     {.caption = "Label2",
                      .left = 1560,
                      .top = 2160,
                      .width = 855,
                      .height = 375,
                      .tabIndex = 6}};
    ui::ScrollBar platos{this,
                         {.left = 120, .top = 2520, .width = 255, .height = 1575, .tabIndex = 7},
                         Qt::Vertical,
                         {.min = 10, .max = 100, .largeChange = 20, .value = 40}};
    ui::TextBox Text1{this,
                      {.caption = "Text1",
                       .left = 960,
                       .top = 120,
                       .width = 11175,
                       .height = 855,
                       .tabIndex = 8,
                       .font = {ui::Face::TimesNewRoman, 15.75}},
                      true};
    ui::CommandButton Command2{this,
                               {.caption = "ΞΕΚΙΝΑ",
                                .left = 4200,
                                .top = 1800,
                                .width = 1095,
                                .height = 375,
                                .tabIndex = 9,
                                .font = kButtonFont}};
    ui::CommandButton Command3{this,
                               {.caption = "ΣΤΟΠ",
                                .left = 3120,
                                .top = 1800,
                                .width = 1095,
                                .height = 375,
                                .tabIndex = 10,
                                .font = kButtonFont}};
    ui::Label Label3{this,
                     {.caption = "Label3",
                      .left = 360,
                      .top = 2760,
                      .width = 1695,
                      .height = 375,
                      .tabIndex = 11,
                      .font = {ui::Face::Swis721, 8.25}}};
    ui::ScrollBar rythmisidt{
        this,
        {.left = 2520, .top = 2640, .width = 1455, .height = 255, .tabIndex = 12},
        Qt::Horizontal,
        {.min = 1, .max = 10, .largeChange = 1, .value = 1}};
    ui::Label Label4{this,
                     {.caption = "Label4",
                      .left = 3960,
                      .top = 1920,
                      .width = 1335,
                      .height = 495,
                      .tabIndex = 13}};
    ui::ScrollBar evros{this,
                        {.left = 6480, .top = 2520, .width = 2415, .height = 375, .tabIndex = 14},
                        Qt::Horizontal,
                        {.min = 15, .max = 45, .largeChange = 5, .value = 35}};
    ui::Label Label5{this,
                     {.caption = "Label5",
                      .left = 9000,
                      .top = 2520,
                      .width = 1455,
                      .height = 615,
                      .tabIndex = 15,
                      .font = {ui::Face::Swis721, 8.25}}};
    ui::CommandButton Command4{this,
                               {.caption = "ΕΙΣΑΓΩΓΗ",
                                .left = 5280,
                                .top = 2160,
                                .width = 1335,
                                .height = 495,
                                .tabIndex = 16,
                                .font = kButtonFont}};
    ui::CommandButton Command5{this,
                               {.caption = "ΣΥΝΕΧΙΣΕ",
                                .left = 3120,
                                .top = 2160,
                                .width = 1095,
                                .height = 495,
                                .tabIndex = 17,
                                .font = kButtonFont}};
    ui::CommandButton Command6{this,
                               {.caption = "ΤΕΡΜΑ",
                                .left = 5280,
                                .top = 1800,
                                .width = 1335,
                                .height = 375,
                                .tabIndex = 18,
                                .font = kButtonFont}};
    ui::CommandButton Command7{this,
                               {.caption = "ΒΗΜΑ-ΒΗΜΑ",
                                .left = 4200,
                                .top = 2160,
                                .width = 1095,
                                .height = 495,
                                .tabIndex = 19,
                                .font = kButtonFont,
                                .visible = false}};
    ui::Timer Timer1{this};
    ui::Timer Timer2{this};
    ui::ShapeArray Shape1{this, 61, 135, 135};
};

}  // namespace palmos
