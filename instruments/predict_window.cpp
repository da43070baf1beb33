#include "instruments/predict_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

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
// window docks in a wide band below the string.
PredictWindow::PredictWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    auto* layout = new QHBoxLayout(this);
    auto* asking = new QVBoxLayout;
    layout->addLayout(asking, 2);
    questionLabel_ = new QLabel(this);
    questionLabel_->setWordWrap(true);
    questionLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                            Qt::TextSelectableByKeyboard);
    asking->addWidget(questionLabel_);
    answers_ = new QVBoxLayout;
    asking->addLayout(answers_);
    asking->addStretch();

    auto* sheet = new QVBoxLayout;
    layout->addLayout(sheet, 3);
    worksheetTitle_ = new QLabel(this);
    sheet->addWidget(worksheetTitle_);
    worksheet_ = new QLabel(this);
    worksheet_->setTextFormat(Qt::RichText);
    worksheet_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll_ = new QScrollArea(this);
    QScrollArea* scroll = scroll_;
    scroll->setWidget(worksheet_);
    scroll->setWidgetResizable(true);
    sheet->addWidget(scroll, 1);
    worksheetTitle_->setBuddy(scroll);
    auto* buttons = new QHBoxLayout;
    copyButton_ = new QPushButton(this);
    saveButton_ = new QPushButton(this);
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
        auto* button = new QPushButton(answers[k], this);
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
}

void PredictWindow::setWorksheet(const QString& shown, const QString& whole) {
    worksheet_->setText(worksheetTable(shown));
    wholeWorksheet_ = whole;
}

void PredictWindow::setTexts(const QString& title, const QString& worksheet, const QString& copy,
                             const QString& save) {
    setWindowTitle(title);
    worksheetTitle_->setText(worksheet);
    nameScrollArea(*scroll_, worksheet);
    copyButton_->setText(copy);
    saveButton_->setText(save);
}

std::unique_ptr<QWidget> PredictWindow::worksheetPage(const QString& heading) const {
    auto page = std::make_unique<QLabel>();
    page->setTextFormat(Qt::RichText);
    page->setText(QStringLiteral("<h3>%1</h3>%2")
                      .arg(heading.toHtmlEscaped(), worksheetTable(wholeWorksheet_)));
    page->setMargin(12);
    page->setAutoFillBackground(true);
    page->setFont(font());
    page->adjustSize();
    return page;
}

}  // namespace palmos
