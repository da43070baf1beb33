#include "instruments/worksheet_document.h"

#include <QAbstractTextDocumentLayout>
#include <QFileInfo>
#include <QIODevice>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <memory>
#include <utility>
#include <vector>

#include "instruments/captions.h"
#include "instruments/predict_window.h"

namespace palmos {

namespace {

// The worksheet's rows under the title, each a table of two columns: the
// headings, and the cells that say something.
std::vector<QTextTable*> fill(QTextDocument& document, const WorksheetPaper& paper, qreal point) {
    QTextCursor cursor(&document);
    QTextBlockFormat spaced;
    spaced.setBottomMargin(4 * point);
    QTextCharFormat title;
    title.setFontPointSize(16);
    title.setFontWeight(QFont::Bold);
    cursor.setBlockFormat(spaced);
    cursor.insertText(paper.title, title);
    for (const QString& line : {paper.date, paper.name}) {
        cursor.insertBlock(spaced, QTextCharFormat());
        cursor.insertText(line);
    }

    QTextTableFormat format;
    format.setBorder(0.75 * point);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderBrush(Qt::darkGray);
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(2 * point);
    format.setTopMargin(8 * point);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    format.setColumnWidthConstraints({QTextLength(QTextLength::PercentageLength, 22),
                                      QTextLength(QTextLength::PercentageLength, 78)});
    QTextCharFormat heading;
    heading.setFontWeight(QFont::Bold);
    QTextTableCellFormat shaded;
    shaded.setBackground(QColor(235, 235, 235));

    std::vector<QTextTable*> tables;
    const QStringList lines = paper.worksheet.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QStringList headings =
        lines.isEmpty() ? QStringList() : lines.front().split(QLatin1Char('\t'));
    for (qsizetype row = 1; row < lines.size(); ++row) {
        const QStringList cells = lines[row].split(QLatin1Char('\t'));
        std::vector<std::pair<QString, QString>> said;
        for (qsizetype column = 0; column < std::max(cells.size(), headings.size()); ++column) {
            if (!cells.value(column).trimmed().isEmpty()) {
                said.emplace_back(headings.value(column), cells.value(column));
            }
        }
        if (said.empty()) {
            continue;
        }
        cursor.movePosition(QTextCursor::End);
        QTextTable* table = cursor.insertTable(static_cast<int>(said.size()), 2, format);
        for (int k = 0; k < static_cast<int>(said.size()); ++k) {
            QTextTableCell cell = table->cellAt(k, 0);
            cell.setFormat(shaded);
            cell.firstCursorPosition().insertText(said[k].first, heading);
            table->cellAt(k, 1).firstCursorPosition().insertText(said[k].second);
        }
        tables.push_back(table);
    }
    return tables;
}

// A block that would run over the foot of a page and fits on one starts on
// the next.
void keepWhole(QTextDocument& document, const std::vector<QTextTable*>& tables) {
    const qreal page = document.pageSize().height();
    for (QTextTable* table : tables) {
        document.pageCount();  // lays the document out as it is now
        const QRectF box = document.documentLayout()->frameBoundingRect(table);
        if (box.height() <= page &&
            static_cast<int>(box.top() / page) != static_cast<int>((box.bottom() - 1) / page)) {
            QTextTableFormat format = table->format();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            table->setFormat(format);
        }
    }
}

}  // namespace

QString worksheetDate(const QDate& date, bool english) {
    const QLocale locale = english ? QLocale(QLocale::English, QLocale::UnitedKingdom)
                                   : QLocale(QLocale::Greek, QLocale::Greece);
    return locale.toString(date, QStringLiteral("d MMMM yyyy"));
}

WorksheetPaper worksheetPaper(const QString& title, const QString& worksheet, bool english,
                              const QDate& date) {
    return {
        .title = title,
        .date =
            instrumentCaption(Caption::PredictSheetDate, english).arg(worksheetDate(date, english)),
        .name = instrumentCaption(Caption::PredictSheetName, english),
        .worksheet = worksheet};
}

QString writeWorksheetPdf(const WorksheetPaper& paper, QIODevice& device) {
    QPdfWriter writer(&device);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(18, 15, 18, 12), QPageLayout::Millimeter);
    writer.setTitle(paper.title);
    writer.setCreator(QStringLiteral("Palmos"));
    // The layout takes the lengths of its formats in pixels of 1/96 inch and
    // works in the PDF's own.
    const qreal point = 96 / 72.0;
    const QRectF body = writer.pageLayout().paintRectPixels(writer.resolution());
    const qreal foot = 14 * writer.resolution() / 72.0;  // the page's number

    // Laid out with the PDF's own measures, so that what is measured is what
    // is printed.
    QTextDocument document;
    document.documentLayout()->setPaintDevice(&writer);
    document.setDocumentMargin(0);
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPointSizeF(10.5);
    document.setDefaultFont(font);
    document.setPageSize(QSizeF(body.width(), body.height() - foot));
    keepWhole(document, fill(document, paper, point));

    QPainter painter;
    if (!painter.begin(&writer)) {
        return device.errorString();
    }
    const qreal page = document.pageSize().height();
    const int pages = document.pageCount();
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    painter.setFont(font);
    for (int k = 0; k < pages; ++k) {
        if (k > 0) {
            writer.newPage();
        }
        painter.save();
        painter.translate(0, -k * page);
        context.clip = QRectF(0, k * page, body.width(), page);
        painter.setClipRect(context.clip);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        painter.drawText(QRectF(0, page, body.width(), foot), Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("%1 / %2").arg(k + 1).arg(pages));
    }
    painter.end();
    // What the file refused to take, its commit reports.
    return {};
}

bool saveWorksheetFile(PredictWindow& window, const WorksheetPaper& paper, bool english,
                       const SavePictureDialogs& dialogs, const QDateTime& now) {
    return saveFile(
        &window,
        {.title = instrumentCaption(Caption::PredictSave, english),
         .suggested = defaultPictureName(QStringLiteral("worksheet"), now, QStringLiteral("pdf")),
         .notSaved = instrumentCaption(Caption::PredictSheetNotSaved, english)},
        dialogs, [&](const QString& path, QIODevice& device) {
            if (QFileInfo(path).suffix().compare(QStringLiteral("png"), Qt::CaseInsensitive) == 0) {
                const std::unique_ptr<QWidget> page =
                    window.worksheetPage(paper.title, paper.date + QLatin1Char('\n') + paper.name);
                return writePicture(*page, device);
            }
            return writeWorksheetPdf(paper, device);
        });
}

}  // namespace palmos
