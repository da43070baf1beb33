// The predict window: the question a run asks before its pulse reaches the
// junction or the far end, a button for each answer, then the answer beside
// what the run did; below, the session's worksheet, which its buttons copy
// as tab-separated text or save as a picture to hand in. It only shows and
// reports the student's choices; whoever owns it decides what they do.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QScrollArea;
class QPushButton;
class QVBoxLayout;

namespace palmos {

// The window's own texts in the language of the moment.
struct PredictTexts {
    QString title;
    QString worksheet;
    QString copy;  // a button's whole name, and what it shows
    QString copyShown;
    QString save;
    QString saveShown;
    QString next;
};

class PredictWindow : public QWidget {
  public:
    explicit PredictWindow(QWidget* parent = nullptr);

    // Asks `question`, one button an answer, in the whole window; the first
    // answer has the keyboard. The answer chosen is handed to onAnswer (its
    // index).
    void ask(const QString& question, const QStringList& answers);
    // Instead of a question: `text` (the answer given, what the run did),
    // beside the worksheet.
    void tell(const QString& text);
    // Offers, or no longer offers, the Next button under the text told: the
    // run waits with its outcome in view until the student goes on.
    void offerNext(bool offered);
    // The worksheet shown, and the one Save worksheet... writes: tab-separated
    // text whose first row is the header.
    void setWorksheet(const QString& shown, const QString& whole);
    void setTexts(const PredictTexts& texts);

    void onAnswer(std::function<void(int)> answered) { answered_ = std::move(answered); }
    void onCopy(std::function<void()> copy) { copy_ = std::move(copy); }
    void onSave(std::function<void()> save) { save_ = std::move(save); }
    void onNext(std::function<void()> next) { next_ = std::move(next); }

    const QString& question() const { return question_; }
    const QString& told() const { return told_; }
    // The answer buttons shown now.
    const std::vector<QPushButton*>& answerButtons() const { return buttons_; }
    QPushButton* nextButton() const { return nextButton_; }
    // The worksheet as a picture of its own, with `heading` and `byline` (the
    // date, the student's name, a line each) above it: what Save worksheet...
    // writes as PNG.
    std::unique_ptr<QWidget> worksheetPage(const QString& heading,
                                           const QString& byline = {}) const;

  private:
    void clearAnswers();

    QLabel* questionLabel_;
    QVBoxLayout* answers_;
    std::vector<QPushButton*> buttons_;
    QLabel* worksheetTitle_;
    QLabel* worksheet_;
    QScrollArea* scroll_;
    QScrollArea* askScroll_;
    QWidget* sheet_;
    QString wholeWorksheet_;
    QPushButton* copyButton_;
    QPushButton* saveButton_;
    QPushButton* nextButton_;
    QString question_;
    QString told_;
    std::function<void(int)> answered_;
    std::function<void()> copy_;
    std::function<void()> save_;
    std::function<void()> next_;
};

// The worksheet's tab-separated text as an HTML table, its first row the
// header.
QString worksheetTable(const QString& tabSeparated);

}  // namespace palmos
