// Save worksheet...: the predict window's worksheet handed in on paper, as a
// PDF of A4 pages or, if the student chooses, as a picture (PNG).
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include "instruments/save_picture.h"

class QIODevice;

namespace palmos {

class PredictWindow;

// What the paper says, in the language chosen.
struct WorksheetPaper {
    QString title;      // "Predictions"
    QString date;       // "Date: 8 December 2026"
    QString name;       // a line for the student's name
    QString worksheet;  // tab-separated, the first row the header
};

// "8 December 2026", "8 Δεκεμβρίου 2026".
QString worksheetDate(const QDate& date, bool english);

// The paper of `worksheet` (tab-separated, header first), dated `date`.
WorksheetPaper worksheetPaper(const QString& title, const QString& worksheet, bool english,
                              const QDate& date);

// Writes `paper` to `device` as PDF: A4 pages with the title, the date and
// the name line, then one block a row of the worksheet, every column's
// heading beside its cell, long cells wrapped and no word hyphenated. A block
// that fits on a page is not split across two. Says why the writing failed
// (empty when it did not).
QString writeWorksheetPdf(const WorksheetPaper& paper, QIODevice& device);

// Asks where to save the worksheet (PDF first, PNG offered) and writes it: a
// name that ends in .png gets the predict window's picture of it, any other
// the PDF.
bool saveWorksheetFile(PredictWindow& window, const WorksheetPaper& paper, bool english,
                       const SavePictureDialogs& dialogs,
                       const QDateTime& now = QDateTime::currentDateTime());

}  // namespace palmos
