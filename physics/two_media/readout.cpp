#include "physics/two_media/readout.h"

#include <cmath>

#include "core/format.h"
#include "core/runtime_error.h"

namespace palmos {

double firstPulseHeight(float baseDepth, int width, int height, double timeStep) {
    return checked((timeStep * width) * ((height * static_cast<double>(baseDepth)) / 100.0));
}

Coefficients computeCoefficients(const CoefficientInputs& inputs) {
    Coefficients result;
    result.a0 = firstPulseHeight(inputs.baseDepth, inputs.width, inputs.height, inputs.timeStep);
    const double root1 = checked(std::sqrt(inputs.c1));
    const double root2 = checked(std::sqrt(inputs.c2));
    result.reflection = checkedDivide(root1 - root2, root2 + root1);
    result.transmission = checked(result.reflection + 1.0);
    result.a1 = checked(result.reflection * result.a0);
    result.b1 = checked(result.transmission * result.a0);
    return result;
}

std::string coefficientReadout(const CoefficientInputs& inputs, bool english,
                               Caption reflectedLabel) {
    const Coefficients k = computeCoefficients(inputs);
    const std::string r = formatNumber(k.reflection);
    const std::string t = formatNumber(k.transmission);
    // The amplitudes close both blocks alike.
    const std::string amplitudes =
        "A0 = " + formatNumber(k.a0) + "A1 =" + formatNumber(k.a1) + " B1=" + formatNumber(k.b1);

    std::string text = "A1/A0 =" + r + " B1/A0 = " + t + amplitudes;
    text += caption(reflectedLabel, english) + r + caption(Caption::TransmittedLabel, english) + t;
    text += amplitudes;
    return text;
}

std::string label1Text(double c1, SpeedLabelStyle style) {
    return (style == SpeedLabelStyle::Setup ? "c1= " : "c1 = ") + formatNumber(c1);
}

std::string label2Text(double c2, SpeedLabelStyle style) {
    return (style == SpeedLabelStyle::Setup ? "c2= " : "c2 = ") + formatNumber(c2);
}

std::string label3Text(double a0, bool english) {
    return caption(Caption::PulseHeightLabel, english) + formatNumber(a0);
}

std::string label4Text(int timerSetting) {
    return "TIMER INT = " + formatWhole(timerSetting);
}

std::string label5Text(int width, bool english) {
    return caption(Caption::PulseWidthLabel, english) + formatWhole(width);
}

}  // namespace palmos
