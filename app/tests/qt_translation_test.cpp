// Qt's own dialogs follow the language switch: the save dialog the program
// opens and the message box the elliptic window shows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/introduction.h"
#include "instruments/save_picture.h"
#include "tests/support/gui_testing.h"
#include "tests/support/program_test.h"
#include "tests/support/rows.h"
#include "ui/events.h"

namespace palmos {
namespace {

using palmos::PrintTo;

// What the dialogs show.
struct Texts {
    QString lookIn;
    QString fileName;
    QString fileType;
    QStringList buttons;  // the save dialog's
    QString ok;           // the message box's
};

// Opens the save dialog as Save worksheet... does and a message box as the
// elliptic window does, reads them and closes them.
Texts shownTexts() {
    Texts texts;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        texts.lookIn = dialog->findChild<QLabel*>(QStringLiteral("lookInLabel"))->text();
        texts.fileName = dialog->findChild<QLabel*>(QStringLiteral("fileNameLabel"))->text();
        texts.fileType = dialog->findChild<QLabel*>(QStringLiteral("fileTypeLabel"))->text();
        for (QAbstractButton* button : dialog->findChild<QDialogButtonBox*>()->buttons()) {
            texts.buttons << button->text();
        }
        texts.buttons.sort();
        static_cast<QDialog*>(dialog)->reject();
    });
    desktopSaveDialogs().askFileName(nullptr, QStringLiteral("-"),
                                     QDir::temp().filePath(QStringLiteral("palmos-worksheet.pdf")));
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        texts.ok = box->button(QMessageBox::Ok)->text();
        box->button(QMessageBox::Ok)->click();
    });
    ui::MsgBox(QStringLiteral("-"));
    return texts;
}

struct LanguageRow {
    const char* name;
    bool greek;
    const char* lookIn;
    const char* fileName;
    const char* fileType;
    const char* accept;
    const char* cancel;
    const char* ok;
};

class QtDialogs : public testing_support::ProgramTest,
                  public ::testing::WithParamInterface<LanguageRow> {
  protected:
    void SetUp() override {
        ui::dispatch([this] { ApplyLanguage(); });
        ui::setMessageBoxHook({});
    }
    void TearDown() override { testing_support::recordMessageBoxes(); }

    void choose(bool greek) {
        QTest::mouseClick(greek ? &eisagogi1().Option2 : &eisagogi1().Option1, Qt::LeftButton);
    }
};

// Greek, then back to English: each time the dialogs speak the language
// chosen last.
TEST_P(QtDialogs, SpeakTheLanguageChosen) {
    const LanguageRow row = GetParam();
    choose(!row.greek);
    choose(row.greek);
    const Texts texts = shownTexts();
    EXPECT_EQ(texts.lookIn.toStdString(), row.lookIn);
    EXPECT_EQ(texts.fileName.toStdString(), row.fileName);
    EXPECT_EQ(texts.fileType.toStdString(), row.fileType);
    QStringList buttons{QString::fromUtf8(row.accept), QString::fromUtf8(row.cancel)};
    buttons.sort();
    EXPECT_EQ(texts.buttons.join(QLatin1Char('|')).toStdString(),
              buttons.join(QLatin1Char('|')).toStdString());
    EXPECT_EQ(texts.ok.toStdString(), row.ok);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, QtDialogs,
    ::testing::Values(LanguageRow{"Greek", true, "Αναζήτηση σε:", "Όνομα &αρχείου:",
                                  "Αρχεία τύπου:", "&Αποθήκευση", "Άκυρο", "Εντάξει"},
                      LanguageRow{"EnglishAgain", false, "Look in:", "File &name:",
                                  "Files of type:", "&Save", "Cancel", "OK"}),
    kRowName);

}  // namespace
}  // namespace palmos
