// The two-media window's readouts: the reflection and transmission
// coefficients of a pulse meeting the junction, the first pulse's height, and
// the texts of the window's five labels, in English or Greek. Every text is
// UTF-8.
#pragma once

#include <string>

#include "core/captions.h"

namespace palmos {

// What the coefficient readout is computed from, as the window's bars and
// scale give it.
struct CoefficientInputs {
    float baseDepth = 0.0f;  // depth of the window's bottom edge below the zero line
    int width = 0;           // W, the pulse width bar
    double c1 = 0.0;         // speed bar of medium 1, divided by 100
    double c2 = 0.0;         // speed bar of medium 2, divided by 100
    int height = 0;          // P, the pulse height bar in percent
    double timeStep = 0.0;   // 0 until the first solver setup
};

struct Coefficients {
    double a0 = 0.0;            // height of the first pulse
    double reflection = 0.0;    // R = A1 / A0
    double transmission = 0.0;  // R + 1 = B1 / A0
    double a1 = 0.0;            // reflected amplitude
    double b1 = 0.0;            // transmitted amplitude
};

// A0 = (timeStep * W) * ((P * baseDepth) / 100).
double firstPulseHeight(float baseDepth, int width, int height, double timeStep);

// R = (sqrt(c1) - sqrt(c2)) / (sqrt(c2) + sqrt(c1)), with A0, A1 and B1.
Coefficients computeCoefficients(const CoefficientInputs& inputs);

// The text box's readout: the ratios block in Latin letters followed directly
// by the block of the chosen language, no line breaks. Moving the c1 bar
// writes Caption::ReflectedLabelAfterC1 for the reflected part.
std::string coefficientReadout(const CoefficientInputs& inputs, bool english,
                               Caption reflectedLabel = Caption::ReflectedLabel);

// How a speed label is written: the window setup writes "c1= ", moving a speed
// bar writes "c1 = ".
enum class SpeedLabelStyle { Setup, Change };

std::string label1Text(double c1, SpeedLabelStyle style);
std::string label2Text(double c2, SpeedLabelStyle style);
std::string label3Text(double a0, bool english);
std::string label4Text(int timerSetting);
std::string label5Text(int width, bool english);

}  // namespace palmos
