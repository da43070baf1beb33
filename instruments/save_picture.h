// Save picture...: a window's picture as PNG, through the desktop's save
// dialog, in the user's pictures folder under a name that says what it shows
// and when. The dialog asks before it overwrites a file; a failure to write is
// reported in a message that says where and why, and the program goes on.
// Save worksheet... saves through the same dialogs.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

class QIODevice;
class QWidget;

namespace palmos {

// The dialogs, replaceable so that a test can answer them.
struct SavePictureDialogs {
    // The file to write, or an empty string when the user cancels. The
    // dialog offers the formats saveFilters gives for the suggested name.
    std::function<QString(QWidget* parent, const QString& title, const QString& suggested)>
        askFileName;
    // Tells the user that the picture could not be written.
    std::function<void(QWidget* parent, const QString& title, const QString& text)> reportFailure;
};

// QFileDialog and QMessageBox::warning.
SavePictureDialogs desktopSaveDialogs();

// The file types the save dialog offers for `suggested`, the one its name
// ends in first: a picture is saved as PNG, a worksheet as PDF or, if the
// user chooses, as PNG.
QStringList saveFilters(const QString& suggested);

// "palmos-space-time-2026-12-08-1430.png" for a picture of `what`
// ("space-time") taken at 14:30 on 8 December 2026; `suffix` names the
// file's type.
QString defaultPictureName(const QString& what, const QDateTime& when,
                           const QString& suffix = QStringLiteral("png"));

// The user's pictures folder, or the home folder when there is none.
QString pictureFolder();

// Writes one file to `device` and says why that failed (empty when it did
// not); `path` is the name chosen, whose ending may choose the format.
using FileWriter = std::function<QString(const QString& path, QIODevice& device)>;

// What a file is saved with: the dialog's title, the name suggested in the
// pictures folder, and the text that reports a failure ("... could not be
// saved to %1: %2.").
struct SaveRequest {
    QString title;
    QString suggested;
    QString notSaved;
};

// Asks where to save `request`'s file and writes it through `write`. Returns
// true when a file was written, false when the user cancelled or the writing
// failed (after the failure was reported). A file that was there is replaced
// only by a whole new one.
bool saveFile(QWidget* parent, const SaveRequest& request, const SavePictureDialogs& dialogs,
              const FileWriter& write);

// Grabs `window` and asks where to save it, suggesting the default name for
// `what` in the pictures folder.
bool savePicture(QWidget* window, const QString& what, bool english,
                 const SavePictureDialogs& dialogs,
                 const QDateTime& now = QDateTime::currentDateTime());

// Grabs `widget` and writes it to `device` as PNG; says why that failed.
QString writePicture(QWidget& widget, QIODevice& device);

}  // namespace palmos
