// Save picture...: a window's picture as PNG, through the desktop's save
// dialog, in the user's pictures folder under a name that says what it shows
// and when. The dialog asks before it overwrites a file; a failure to write is
// reported in a message that says where and why, and the program goes on.
#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

class QWidget;

namespace palmos {

// The dialogs, replaceable so that a test can answer them.
struct SavePictureDialogs {
    // The file to write, or an empty string when the user cancels.
    std::function<QString(QWidget* parent, const QString& title, const QString& suggested)>
        askFileName;
    // Tells the user that the picture could not be written.
    std::function<void(QWidget* parent, const QString& title, const QString& text)> reportFailure;
};

// QFileDialog::getSaveFileName and QMessageBox::warning.
SavePictureDialogs desktopSaveDialogs();

// "palmos-space-time-2026-12-08-1430.png" for a picture of `what`
// ("space-time") taken at 14:30 on 8 December 2026.
QString defaultPictureName(const QString& what, const QDateTime& when);

// The user's pictures folder, or the home folder when there is none.
QString pictureFolder();

// Grabs `window` and asks where to save it, suggesting the default name for
// `what` in the pictures folder. Returns true when a file was written, false
// when the user cancelled or the writing failed (after the failure was
// reported). A file that was there is replaced only by a whole picture.
bool savePicture(QWidget* window, const QString& what, bool english,
                 const SavePictureDialogs& dialogs,
                 const QDateTime& now = QDateTime::currentDateTime());

}  // namespace palmos
