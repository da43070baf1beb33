// The introduction window: the choice of language, the two ways into the
// simulations and the end button. It covers the whole screen.
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

namespace palmos {

class Navigation;

class Eisagogi1 : public ui::Form {
  public:
    explicit Eisagogi1(Navigation& navigation);
    void Form_Load() override;

    ui::CommandButton APLO{this,
                           {.caption = "ΑΠΛΗ ΛΥΣΗ",
                            .left = 600,
                            .top = 240,
                            .width = 1935,
                            .height = 495,
                            .tabIndex = 0,
                            .font = {ui::Face::TimesNewRoman, 8.25}}};
    ui::CommandButton MESADYO{this,
                              {.caption = "ΔΥΟ ΜΕΣΑ",
                               .left = 600,
                               .top = 840,
                               .width = 1935,
                               .height = 495,
                               .tabIndex = 1,
                               .font = {ui::Face::TimesNewRoman, 8.25}}};
    ui::CommandButton Command1{this,
                               {.caption = "ΤΕΡΜΑΤΙΣΜΟΣ",
                                .left = 600,
                                .top = 1440,
                                .width = 1935,
                                .height = 495,
                                .tabIndex = 2,
                                .font = {ui::Face::TimesNewRoman, 8.25}}};
    ui::Label Label1{this,
                     {.left = 480,
                      .top = 2280,
                      .width = 10095,
                      .height = 5655,
                      .tabIndex = 3,
                      .font = {ui::Face::Arial, 18}}};
    ui::Label Label2{this,
                     {.left = 3720,
                      .top = 720,
                      .width = 5775,
                      .height = 615,
                      .tabIndex = 4,
                      .font = {ui::Face::TimesNewRoman, 8.25}}};
    ui::OptionButton Option1{this,
                             {.caption = "ENGLISH",
                              .left = 3240,
                              .top = 1440,
                              .width = 1575,
                              .height = 495,
                              .tabIndex = 5},
                             ui::OptionButton::Style::Standard,
                             true};
    ui::OptionButton Option2{this,
                             {.caption = "GREEK",
                              .left = 4920,
                              .top = 1440,
                              .width = 1455,
                              .height = 495,
                              .tabIndex = 6},
                             ui::OptionButton::Style::Standard,
                             false};

    void APLO_Click();
    void MESADYO_Click();
    void Command1_Click();
    void Option1_Click();
    void Option2_Click();

  protected:
    // Closing the introduction window ends the program.
    void closeEvent(QCloseEvent* event) override;

  private:
    Navigation& navigation_;
};

}  // namespace palmos
