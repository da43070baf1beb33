// Start-up and the language switch, on the real windows.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QTest>

#include "app/introduction.h"
#include "app/language.h"
#include "elliptic/window.h"
#include "single_string/window.h"
#include "tests/support/program_test.h"
#include "tests/support/rows.h"
#include "two_media/window.h"
#include "ui/events.h"

namespace palmos {
namespace {

using palmos::PrintTo;

class Language : public testing_support::ProgramTest {
  protected:
    void SetUp() override {
        ui::dispatch([this] { ApplyLanguage(); });
    }

    void click(QAbstractButton& button) { QTest::mouseClick(&button, Qt::LeftButton); }

    void expectColumn(bool greek) {
        for (const CaptionRow& row : captionTable()) {
            EXPECT_EQ(row.target(program.windows()).Caption(),
                      QString::fromUtf8(greek ? row.greek : row.english))
                << row.window << "." << row.control;
        }
    }
};

TEST_F(Language, StartUpLoadsTwoMediaThenSimpleSolutionThenShowsTheIntroduction) {
    EXPECT_EQ(program.windowHistory(),
              (QStringList{"load EISAGOGH", "load DYO MESA", "load APLH LYSH", "show EISAGOGH"}));
    expectColumn(false);
}

TEST_F(Language, GreekThenEnglishSwitchesEveryCaptionOfTheTable) {
    click(eisagogi1().Option2);
    EXPECT_TRUE(eisagogi1().Option2.Value());
    EXPECT_FALSE(eisagogi1().Option1.Value());
    expectColumn(true);
    click(eisagogi1().Option1);
    expectColumn(false);
    // Applying the same language again changes nothing.
    ui::dispatch([this] { ApplyLanguage(); });
    expectColumn(false);
}

struct CaptionCheck {
    const char* name;
    ui::Captioned& (*control)(ProgramWindows&);
    const char* greek;
};

class GreekCaptions : public Language, public ::testing::WithParamInterface<CaptionCheck> {};

TEST_P(GreekCaptions, ReadAsWritten) {
    click(eisagogi1().Option2);
    EXPECT_EQ(GetParam().control(program.windows()).Caption(), QString::fromUtf8(GetParam().greek));
}

INSTANTIATE_TEST_SUITE_P(
    Controls, GreekCaptions,
    ::testing::Values(
        CaptionCheck{"SimpleSolutionEnd",
                     [](ProgramWindows& w) -> ui::Captioned& { return w.ypervola().Command3; },
                     "ΤΕΡΜΑΤΙΣΜΟΣ"},
        CaptionCheck{"IntroductionEnd",
                     [](ProgramWindows& w) -> ui::Captioned& { return w.eisagogi1().Command1; },
                     "ΤΕΡΜΑ"},
        CaptionCheck{"TwoMediaEnd",
                     [](ProgramWindows& w) -> ui::Captioned& { return w.dyomessa().Command6; },
                     "ΤΕΡΜΑ"},
        CaptionCheck{"ContinuousStart",
                     [](ProgramWindows& w) -> ui::Captioned& { return w.dyomessa().Command1; },
                     "ΞΕΚΙΝΑ"},
        CaptionCheck{"StepStart",
                     [](ProgramWindows& w) -> ui::Captioned& { return w.dyomessa().Command2; },
                     "ΞΕΚΙΝΑ"},
        // A Latin E followed by Greek capitals on the simple-solution window...
        CaptionCheck{"SimpleSolutionIntroduction",
                     [](ProgramWindows& w) -> ui::Captioned& { return w.ypervola().Command5; },
                     "\x45ΙΣΑΓΩΓΗ"},
        // ...and wholly Greek on the two-media window.
        CaptionCheck{"TwoMediaIntroduction",
                     [](ProgramWindows& w) -> ui::Captioned& { return w.dyomessa().Command4; },
                     "\xCE\x95ΙΣΑΓΩΓΗ"},
        CaptionCheck{"Step",
                     [](ProgramWindows& w) -> ui::Captioned& { return w.dyomessa().Command7; },
                     "ΒΗΜΑ ΒΗΜΑ"}),
    kRowName);

TEST_F(Language, TitlesAndTheEllipticButtonKeepTheirTexts) {
    click(eisagogi1().Option2);
    EXPECT_EQ(eisagogi1().Caption(), "EISAGOGH");
    EXPECT_EQ(ypervola().Caption(), "APLH LYSH");
    EXPECT_EQ(dyomessa().Caption(), "DYO MESA");
    EXPECT_EQ(elliptikh().Caption(), "Ελλειπτική διαφορική εξίσωση");
    EXPECT_EQ(elliptikh().Command1.Caption(), "ΛΥΣΗ");
    click(eisagogi1().Option1);
    EXPECT_EQ(elliptikh().Command1.Caption(), "ΛΥΣΗ");
}

TEST_F(Language, SwitchingLeavesTheReadoutsAndLeavesTheIntroductionInFront) {
    click(eisagogi1().MESADYO);
    const QString readout = dyomessa().Text1.Text();
    const QString speed = dyomessa().Label1.Caption();
    click(dyomessa().Command4);  // hide it
    click(eisagogi1().Option2);
    EXPECT_EQ(dyomessa().Text1.Text(), readout);
    EXPECT_EQ(dyomessa().Label1.Caption(), speed);
    EXPECT_EQ(dyomessa().Command3.Caption(), "ΣΤΑΜΑΤΑ");
    EXPECT_EQ(program.windowHistory().last(), "show EISAGOGH");
    // The readouts follow the language the next time they are written.
    click(eisagogi1().MESADYO);
    EXPECT_TRUE(dyomessa().Text1.Text().contains("ΔΙΑΔΙΔΟΜΕΝΟΣ=  A0 X"));
    EXPECT_EQ(dyomessa().Label5.Caption(), "ΕΥΡΟΣ ΠΑΛΜΟΥ=20");
}

// Every letter of every caption has a glyph in the font of the control that
// shows it: no empty boxes in either language.
TEST_F(Language, EveryCaptionLetterHasAGlyphInItsControlsFont) {
    click(eisagogi1().Option2);
    for (const CaptionRow& row : captionTable()) {
        const auto& widget = dynamic_cast<const QWidget&>(row.target(program.windows()));
        const QFontMetrics metrics(widget.font());
        for (const char* text : {row.english, row.greek}) {
            for (const char32_t letter : QString::fromUtf8(text).toUcs4()) {
                EXPECT_TRUE(letter == U' ' || metrics.inFontUcs4(letter))
                    << row.window << "." << row.control << " U+" << std::hex
                    << static_cast<unsigned>(letter) << " in "
                    << widget.font().family().toStdString();
            }
        }
    }
    eisagogi1().grab().save(QStringLiteral("introduction-greek.png"));
}

TEST_F(Language, NeitherOptionSelectedWritesNothing) {
    ui::dispatch([this] { eisagogi1().Option1.setValue(false); });
    ASSERT_FALSE(eisagogi1().Option1.Value());
    ASSERT_FALSE(eisagogi1().Option2.Value());
    ui::dispatch([this] { ApplyLanguage(); });
    expectColumn(false);
}

}  // namespace
}  // namespace palmos
