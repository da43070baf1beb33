#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "core/runtime_error.h"
#include "physics/two_media/readout.h"

namespace palmos {
namespace {

// The window's state right after a setup: both speeds 0.30, W = 20, P = 100,
// the scale's depth 0.3 and the solvers' time step 0.6.
constexpr CoefficientInputs kDefaults{
    .baseDepth = 0.3f, .width = 20, .c1 = 0.3, .c2 = 0.3, .height = 100, .timeStep = 0.6};

std::string joined(std::initializer_list<const char*> pieces) {
    std::string text;
    for (const char* piece : pieces) {
        text += piece;
    }
    return text;
}

// The defaults, piece by piece: the ratios block in Latin letters, then the
// block of the chosen language.
const char* const kDefaultRatios[] = {
    "A1/A0 =", "0.00", " B1/A0 = ", "1.00", "A0 = ", "3.60", "A1 =", "0.00", " B1=", "3.60"};

struct DefaultsRow {
    const char* name;
    bool english;
    Caption label;  // the reflected label passed in
    const char* reflected;
    const char* transmitted;
};

class CoefficientDefaults : public ::testing::TestWithParam<DefaultsRow> {};

TEST_P(CoefficientDefaults, ReadPieceByPiece) {
    const DefaultsRow row = GetParam();
    std::string expected;
    for (const char* piece : kDefaultRatios) {
        expected += piece;
    }
    expected += joined({row.reflected, "0.00", row.transmitted, "1.00", "A0 = ", "3.60",
                        "A1 =", "0.00", " B1=", "3.60"});
    EXPECT_EQ(coefficientReadout(kDefaults, row.english, row.label), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CoefficientDefaults,
    ::testing::Values(DefaultsRow{"English", true, Caption::ReflectedLabel, "REFLECTED= A0 X",
                                  " TRANSMITTED=  A0 X"},
                      DefaultsRow{"EnglishAfterC1", true, Caption::ReflectedLabelAfterC1,
                                  "REFLECTED = A0 X", " TRANSMITTED=  A0 X"},
                      DefaultsRow{"Greek", false, Caption::ReflectedLabel, "ΑΝΑΚΛΩΜΕΝΟΣ= A0 X",
                                  " ΔΙΑΔΙΔΟΜΕΝΟΣ=  A0 X"},
                      DefaultsRow{"GreekAfterC1", false, Caption::ReflectedLabelAfterC1,
                                  "ΑΝΑΚΛΩΜΕΝΟΣ= A0 X", " ΔΙΑΔΙΔΟΜΕΝΟΣ=  A0 X"}),
    [](const auto& info) { return std::string(info.param.name); });

struct NumbersRow {
    const char* name;
    CoefficientInputs inputs;
    const char* ratio;         // A1/A0
    const char* transmission;  // B1/A0
    const char* a0;
    const char* a1;
    const char* b1;
};

class CoefficientNumbers : public ::testing::TestWithParam<NumbersRow> {};

TEST_P(CoefficientNumbers, AppearInBothBlocks) {
    const NumbersRow row = GetParam();
    const std::string amplitudes = joined({"A0 = ", row.a0, "A1 =", row.a1, " B1=", row.b1});
    const std::string ratios =
        joined({"A1/A0 =", row.ratio, " B1/A0 = ", row.transmission}) + amplitudes;
    EXPECT_EQ(coefficientReadout(row.inputs, true),
              ratios +
                  joined({"REFLECTED= A0 X", row.ratio, " TRANSMITTED=  A0 X", row.transmission}) +
                  amplitudes);
    EXPECT_EQ(
        coefficientReadout(row.inputs, false),
        ratios +
            joined({"ΑΝΑΚΛΩΜΕΝΟΣ= A0 X", row.ratio, " ΔΙΑΔΙΔΟΜΕΝΟΣ=  A0 X", row.transmission}) +
            amplitudes);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CoefficientNumbers,
    ::testing::Values(
        NumbersRow{
            "EqualFastSpeeds",
            {.baseDepth = 0.3f, .width = 20, .c1 = 2.0, .c2 = 2.0, .height = 100, .timeStep = 0.6},
            "0.00",
            "1.00",
            "3.60",
            "0.00",
            "3.60"},
        // R = (sqrt 2 - 0.1) / (0.1 + sqrt 2) = 0.868
        NumbersRow{
            "FastFirstMedium",
            {.baseDepth = 0.3f, .width = 20, .c1 = 2.0, .c2 = 0.01, .height = 100, .timeStep = 0.6},
            "0.87",
            "1.87",
            "3.60",
            "3.12",
            "6.72"},
        NumbersRow{
            "SlowFirstMedium",
            {.baseDepth = 0.3f, .width = 20, .c1 = 0.01, .c2 = 2.0, .height = 100, .timeStep = 0.6},
            "-0.87",
            "0.13",
            "3.60",
            "-3.12",
            "0.48"},
        NumbersRow{
            "WidestHighestPulse",
            {.baseDepth = 0.3f, .width = 45, .c1 = 0.3, .c2 = 0.3, .height = 100, .timeStep = 0.6},
            "0.00",
            "1.00",
            "8.10",
            "0.00",
            "8.10"},
        NumbersRow{
            "NarrowestLowestPulse",
            {.baseDepth = 0.3f, .width = 15, .c1 = 0.3, .c2 = 0.3, .height = 10, .timeStep = 0.6},
            "0.00",
            "1.00",
            "0.27",
            "0.00",
            "0.27"},
        // Before any solver setup the time step is still 0: A0 and both
        // amplitudes are 0, the negative A1 without its sign.
        NumbersRow{
            "BeforeTheFirstSetup",
            {.baseDepth = 0.3f, .width = 20, .c1 = 0.01, .c2 = 2.0, .height = 100, .timeStep = 0.0},
            "-0.87",
            "0.13",
            "0.00",
            "0.00",
            "0.00"},
        // At load the window has no scale yet, so its depth is not 0.3.
        NumbersRow{
            "NoScaleYet",
            {.baseDepth = 0.0f, .width = 20, .c1 = 0.3, .c2 = 0.3, .height = 100, .timeStep = 0.6},
            "0.00",
            "1.00",
            "0.00",
            "0.00",
            "0.00"}),
    [](const auto& info) { return std::string(info.param.name); });

// Every position of the bars gives a readout made of plain numbers.
TEST(CoefficientReadout, NoBarPositionPrintsNanInfinityOrNegativeZero) {
    for (int c1Bar = 1; c1Bar <= 200; c1Bar += 11) {
        for (int c2Bar = 1; c2Bar <= 200; c2Bar += 13) {
            for (int height : {10, 55, 100}) {
                for (int width : {15, 45}) {
                    for (double timeStep : {0.0, 0.6}) {
                        const CoefficientInputs inputs{.baseDepth = 0.3f,
                                                       .width = width,
                                                       .c1 = c1Bar / 100.0,
                                                       .c2 = c2Bar / 100.0,
                                                       .height = height,
                                                       .timeStep = timeStep};
                        const std::string text = coefficientReadout(inputs, true);
                        ASSERT_EQ(text.find("nan"), std::string::npos) << text;
                        ASSERT_EQ(text.find("inf"), std::string::npos) << text;
                        ASSERT_EQ(text.find("-0.00"), std::string::npos) << text;
                    }
                }
            }
        }
    }
}

TEST(CoefficientReadout, ImpossibleSpeedsRaiseTheRunTimeError) {
    EXPECT_THROW(coefficientReadout({.c1 = 0.0, .c2 = 0.0}, true), RuntimeError);
    EXPECT_THROW(coefficientReadout({.c1 = -0.01, .c2 = 0.3}, true), RuntimeError);
}

struct LabelRow {
    const char* name;
    std::string text;
    const char* expected;
};

class TwoMediaLabels : public ::testing::TestWithParam<LabelRow> {};

TEST_P(TwoMediaLabels, ReadAsTheWindowShowsThem) {
    EXPECT_EQ(GetParam().text, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TwoMediaLabels,
    ::testing::Values(
        LabelRow{"Label1AfterSetup", label1Text(0.3, SpeedLabelStyle::Setup), "c1= 0.30"},
        LabelRow{"Label1AfterChange", label1Text(0.3, SpeedLabelStyle::Change), "c1 = 0.30"},
        LabelRow{"Label2AfterSetup", label2Text(0.3, SpeedLabelStyle::Setup), "c2= 0.30"},
        LabelRow{"Label2AfterChange", label2Text(2.0, SpeedLabelStyle::Change), "c2 = 2.00"},
        LabelRow{"Label3English", label3Text(3.6, true), "HEIGHT OF 1ST PULSE=3.60"},
        LabelRow{"Label3Greek", label3Text(3.6, false), "Πλάτος πρώτου παλμού =3.60"},
        LabelRow{"Label3BeforeSetup", label3Text(-0.0, true), "HEIGHT OF 1ST PULSE=0.00"},
        LabelRow{"Label4Slowest", label4Text(10), "TIMER INT = 10"},
        LabelRow{"Label4Fastest", label4Text(1), "TIMER INT = 1"},
        LabelRow{"Label5English", label5Text(20, true), "WIDTH OF PULSE=20"},
        LabelRow{"Label5Greek", label5Text(45, false), "ΕΥΡΟΣ ΠΑΛΜΟΥ=45"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace palmos
