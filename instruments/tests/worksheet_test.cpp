// The worksheet handed in (PDF and PNG, read back from the saved file), the
// save dialog it is asked through, and the numbers Copy data writes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>
#include <memory>

#include "instruments/captions.h"
#include "instruments/copy_data.h"
#include "instruments/predict_window.h"
#include "instruments/save_picture.h"
#include "instruments/worksheet_document.h"
#include "physics/two_media/predictions.h"
#include "tests/support/rows.h"

namespace palmos {
namespace {

using palmos::PrintTo;

struct NumberRow {
    const char* name;
    double value;
    const char* written;
};

class DataNumber : public ::testing::TestWithParam<NumberRow> {};

TEST_P(DataNumber, IsTheShortestDecimalThatReadsBackTheSame) {
    EXPECT_EQ(dataNumber(GetParam().value), QString::fromLatin1(GetParam().written));
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, DataNumber,
    ::testing::Values(NumberRow{"TimeStep", 0.6, "0.6"}, NumberRow{"TenLevels", 10 * 0.6, "6"},
                      NumberRow{"SumOfTenths", 0.1 + 0.2, "0.30000000000000004"},
                      NumberRow{"Tiny", 1e-300, "1e-300"}, NumberRow{"Subnormal", 5e-324, "5e-324"},
                      NumberRow{"NegativeZero", -0.0, "-0"}, NumberRow{"Negative", -0.25, "-0.25"},
                      NumberRow{"Large", 123456789012.0, "123456789012"}),
    kRowName);

const QDateTime kWhen(QDate(2026, 12, 8), QTime(14, 30));

// A worksheet of every question with each of its answers: the question in
// full, long cells, and one column more than the program writes today.
QString sheet(bool english) {
    const auto text = [english](Caption id) { return instrumentCaption(id, english); };
    QString sheet = text(Caption::PredictWorksheetHeader) +
                    (english ? QStringLiteral("\tLevel\n") : QStringLiteral("\tΕπίπεδο\n"));
    int row = 0;
    for (RunEventKind pause : {RunEventKind::ReachesJunction, RunEventKind::ReachesEnd}) {
        for (Question question : questionsBefore(pause)) {
            const std::vector<Caption> answers = answerCaptions(question);
            for (std::size_t k = 0; k < answers.size(); ++k) {
                sheet +=
                    QStringList{text(Caption::PredictTwoMedia),
                                QStringLiteral("0.30"),
                                QStringLiteral("0.%1").arg(10 + row),
                                QStringLiteral("0.25"),
                                QStringLiteral("20"),
                                text(Caption::PreviousFixedEnd),
                                text(questionCaption(question)),
                                text(answers[k]),
                                text(answers[(k + 1) % answers.size()]),
                                QStringLiteral("%1 / %2 = 0.%3").arg(row).arg(row + 7).arg(row),
                                QStringLiteral("(c2 - c1) / (c1 + c2) = -0.%1").arg(row),
                                QString::number(400 + row)}
                        .join(QLatin1Char('\t')) +
                    QLatin1Char('\n');
                ++row;
            }
        }
    }
    return sheet;
}

// The words of `text` with single spaces between them.
QString words(const QString& text) {
    return text.simplified();
}

// What pdftotext reads in a PDF, its pages apart by form feeds.
QString pdfText(const QString& path) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                     path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext (poppler-utils) did not read " << path.toStdString();
        return {};
    }
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

struct Saved {
    QString title;
    QString suggested;
    QStringList reports;
};

// Saves the worksheet of `window` through dialogs that answer `path`.
Saved save(PredictWindow& window, const QString& worksheet, bool english, const QString& path) {
    Saved saved;
    const SavePictureDialogs dialogs{
        [&](QWidget*, const QString& title, const QString& suggested) {
            saved.title = title;
            saved.suggested = suggested;
            return path;
        },
        [&](QWidget*, const QString&, const QString& text) { saved.reports << text; }};
    const WorksheetPaper paper = worksheetPaper(instrumentCaption(Caption::PredictTitle, english),
                                                worksheet, english, kWhen.date());
    saveWorksheetFile(window, paper, english, dialogs, kWhen);
    return saved;
}

struct LanguageRow {
    const char* name;
    bool english;
    const char* title;
    const char* date;
    const char* nameLine;
};

class WorksheetPdf : public ::testing::TestWithParam<LanguageRow> {};

// Every heading and every cell is read back from the saved file, wrapped
// lines joined; so are the title, the date and the line for the name.
TEST_P(WorksheetPdf, HoldsEveryHeadingAndCellInFull) {
    const LanguageRow language = GetParam();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("worksheet.pdf"));
    const QString worksheet = sheet(language.english);
    PredictWindow window;
    window.setWorksheet(worksheet, worksheet);
    const Saved saved = save(window, worksheet, language.english, path);
    EXPECT_EQ(saved.title, QString::fromUtf8(language.title));
    EXPECT_TRUE(saved.suggested.endsWith(QStringLiteral("/palmos-worksheet-2026-12-08-1430.pdf")))
        << saved.suggested.toStdString();
    EXPECT_TRUE(saved.reports.isEmpty());

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
    const QString pages = pdfText(path);
    const QString read = words(pages);
    for (const QString& expected :
         {instrumentCaption(Caption::PredictTitle, language.english),
          QString::fromUtf8(language.date), QString::fromUtf8(language.nameLine)}) {
        EXPECT_TRUE(read.contains(expected)) << expected.toStdString();
    }
    const QStringList lines = worksheet.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        for (const QString& cell : line.split(QLatin1Char('\t'))) {
            EXPECT_TRUE(read.contains(words(cell))) << cell.toStdString();
        }
    }
    // Eighteen blocks take more than one page.
    EXPECT_GT(pages.count(QLatin1Char('\f')), 1);
}

INSTANTIATE_TEST_SUITE_P(Languages, WorksheetPdf,
                         ::testing::Values(LanguageRow{"English", true, "Save worksheet...",
                                                       "Date: 8 December 2026", "Name: ____"},
                                           LanguageRow{
                                               "Greek", false, "Αποθήκευση φύλλου εργασίας...",
                                               "Ημερομηνία: 8 Δεκεμβρίου 2026", "Όνομα: ____"}),
                         kRowName);

// A name that ends in .png gets the picture, which holds the whole table:
// laid out at the picture's width, inside its margins, the table is no wider
// and no taller than the picture.
TEST(WorksheetPicture, IsAsWideAndAsTallAsItsTable) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("worksheet.png"));
    const QString worksheet = sheet(false);
    PredictWindow window;
    window.setWorksheet(worksheet, worksheet);
    EXPECT_TRUE(save(window, worksheet, false, path).reports.isEmpty());
    const QSize picture = QImageReader(path).size();  // the offscreen screen's pixels
    ASSERT_TRUE(picture.isValid());

    const int margin = 12;
    QTextDocument table;
    table.setDefaultFont(window.font());
    table.setHtml(worksheetTable(worksheet));
    table.setTextWidth(picture.width() - 2 * margin);
    EXPECT_LE(table.size().width(), picture.width() - 2 * margin + 1);
    EXPECT_LE(table.size().height(), picture.height() - 2 * margin);
    EXPECT_LE(picture.width(), 1600);
}

TEST(WorksheetSave, ToAFolderThatIsNotThereIsReportedAsTheWorksheets) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("none/worksheet.pdf"));
    PredictWindow window;
    const Saved saved = save(window, sheet(false), false, path);
    ASSERT_EQ(saved.reports.size(), 1);
    EXPECT_TRUE(saved.reports[0].startsWith(QStringLiteral("Το φύλλο εργασίας δεν αποθηκεύτηκε")))
        << saved.reports[0].toStdString();
    EXPECT_TRUE(saved.reports[0].contains(QDir::toNativeSeparators(path)));
    EXPECT_FALSE(QFile::exists(path));
}

// The desktop's dialog offers PDF first and PNG; choosing PNG gives the name
// typed the ending .png.
TEST(WorksheetSave, DialogOffersPdfFirstAndPngRenamesTheFile) {
    QTemporaryDir folder;
    const QString suggested = folder.filePath(QStringLiteral("palmos-worksheet.pdf"));
    QStringList filters;
    QString title;
    QString chosen;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        chosen = dialog->selectedNameFilter();
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(types, nullptr);
        types->setCurrentIndex(1);
        emit types->activated(1);
        static_cast<QDialog*>(dialog)->accept();
    });
    const QString path =
        desktopSaveDialogs().askFileName(nullptr, QStringLiteral("Save worksheet..."), suggested);
    EXPECT_EQ(title, QStringLiteral("Save worksheet..."));
    EXPECT_EQ(filters, (QStringList{QStringLiteral("PDF (*.pdf)"), QStringLiteral("PNG (*.png)")}));
    EXPECT_EQ(chosen, QStringLiteral("PDF (*.pdf)"));
    EXPECT_EQ(QFileInfo(path).fileName(), QStringLiteral("palmos-worksheet.png"));
}

}  // namespace
}  // namespace palmos
