#include "instruments/predict_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>
#include <tuple>

#include "instruments/named_scroll_area.h"

namespace palmos {

QString worksheetTable(const QString& tabSeparated) {
    QString html = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">");
    bool header = true;
    for (const QString& line : tabSeparated.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QString cell = header ? QStringLiteral("th") : QStringLiteral("td");
        html += QStringLiteral("<tr>");
        for (const QString& field : line.split(QLatin1Char('\t'))) {
            html += QStringLiteral("<%1>%2</%1>").arg(cell, field.toHtmlEscaped());
        }
        html += QStringLiteral("</tr>");
        header = false;
    }
    return html + QStringLiteral("</table>");
}

// The question and its answers on the left, the worksheet on the right: the
// window docks in a wide band below the string. While a question waits for
// its answer it has the whole window, and it scrolls where even that is too
// small (instruments docked beside it at a large zoom): the question is
// never cut off.
PredictWindow::PredictWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    auto* layout = new QHBoxLayout(this);
    // The question or the outcome scrolls; Next stays in sight below it.
    auto* column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(column, 2);
    askScroll_ = new QScrollArea(this);
    askScroll_->setWidgetResizable(true);
    askScroll_->setFrameShape(QFrame::NoFrame);
    auto* page = new QWidget(askScroll_);
    askScroll_->setWidget(page);
    column->addWidget(askScroll_, 1);
    nextButton_ = new QPushButton(this);
    nextButton_->hide();
    column->addWidget(nextButton_, 0, Qt::AlignLeft);
    auto* asking = new QVBoxLayout(page);
    asking->setContentsMargins(0, 0, 0, 0);
    questionLabel_ = new QLabel(page);
    questionLabel_->setWordWrap(true);
    questionLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                            Qt::TextSelectableByKeyboard);
    asking->addWidget(questionLabel_);
    answers_ = new QVBoxLayout;
    asking->addLayout(answers_);
    asking->addStretch();

    sheet_ = new QWidget(this);
    layout->addWidget(sheet_, 3);
    auto* sheet = new QVBoxLayout(sheet_);
    sheet->setContentsMargins(0, 0, 0, 0);
    worksheetTitle_ = new QLabel(sheet_);
    sheet->addWidget(worksheetTitle_);
    worksheet_ = new QLabel(sheet_);
    worksheet_->setTextFormat(Qt::RichText);
    worksheet_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll_ = new QScrollArea(sheet_);
    scroll_->setWidget(worksheet_);
    scroll_->setWidgetResizable(true);
    sheet->addWidget(scroll_, 1);
    worksheetTitle_->setBuddy(scroll_);
    auto* buttons = new QHBoxLayout;
    copyButton_ = new QPushButton(sheet_);
    saveButton_ = new QPushButton(sheet_);
    buttons->addWidget(copyButton_);
    buttons->addWidget(saveButton_);
    buttons->addStretch();
    sheet->addLayout(buttons);
    connect(copyButton_, &QPushButton::clicked, this, [this] {
        if (copy_) {
            copy_();
        }
    });
    connect(saveButton_, &QPushButton::clicked, this, [this] {
        if (save_) {
            save_();
        }
    });
    connect(nextButton_, &QPushButton::clicked, this, [this] {
        if (next_) {
            next_();
        }
    });
    resize(720, 240);
}

void PredictWindow::clearAnswers() {
    for (QPushButton* button : buttons_) {
        button->hide();
        button->deleteLater();
    }
    buttons_.clear();
}

void PredictWindow::ask(const QString& question, const QStringList& answers) {
    clearAnswers();
    question_ = question;
    told_.clear();
    questionLabel_->setText(question);
    questionLabel_->setAccessibleName(question);
    for (int k = 0; k < answers.size(); ++k) {
        auto* button = new QPushButton(answers[k], askScroll_->widget());
        // A screen reader says the question with the answer that has the
        // keyboard.
        button->setAccessibleDescription(question);
        answers_->addWidget(button);
        buttons_.push_back(button);
        connect(button, &QPushButton::clicked, this, [this, k] {
            if (answered_) {
                answered_(k);
            }
        });
    }
    sheet_->hide();
    nextButton_->hide();
    if (!buttons_.empty()) {
        buttons_.front()->setFocus();
    }
}

void PredictWindow::tell(const QString& text) {
    clearAnswers();
    question_.clear();
    told_ = text;
    questionLabel_->setText(text);
    questionLabel_->setAccessibleName(text);
    sheet_->show();
}

// An outcome held in view has the whole window, as a question has; the
// worksheet comes back when the student goes on.
void PredictWindow::offerNext(bool offered) {
    nextButton_->setVisible(offered);
    sheet_->setVisible(!offered && buttons_.empty());
    if (offered) {
        nextButton_->setFocus();
    }
}

void PredictWindow::setWorksheet(const QString& shown, const QString& whole) {
    worksheet_->setText(worksheetTable(shown));
    wholeWorksheet_ = whole;
}

// The buttons show a word or two, with their whole names for a screen reader
// and in their tooltips.
void PredictWindow::setTexts(const PredictTexts& texts) {
    setWindowTitle(texts.title);
    nameScrollArea(*askScroll_, texts.title);
    worksheetTitle_->setText(texts.worksheet);
    nextButton_->setText(texts.next);
    nameScrollArea(*scroll_, texts.worksheet);
    for (const auto& [button, shown, name] :
         {std::tuple(copyButton_, texts.copyShown, texts.copy),
          std::tuple(saveButton_, texts.saveShown, texts.save)}) {
        button->setText(shown);
        button->setAccessibleName(name);
        button->setToolTip(name);
    }
}

// As wide as its contents up to a width that still reads as a page, never
// narrower than its table, and as tall as they are at that width: long cells
// wrap rather than run off the picture.
std::unique_ptr<QWidget> PredictWindow::worksheetPage(const QString& heading,
                                                      const QString& byline) const {
    constexpr int kReadingWidth = 1600;
    auto page = std::make_unique<QLabel>();
    page->setTextFormat(Qt::RichText);
    page->setText(
        QStringLiteral("<h3>%1</h3><p>%2</p>%3")
            .arg(heading.toHtmlEscaped(),
                 byline.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>")),
                 worksheetTable(wholeWorksheet_)));
    page->setMargin(12);
    page->setAutoFillBackground(true);
    page->setFont(font());
    const int natural = page->sizeHint().width();
    page->setWordWrap(true);
    const int width = std::max(std::min(natural, kReadingWidth), page->minimumSizeHint().width());
    page->resize(width, page->heightForWidth(width));
    return page;
}

}  // namespace palmos
