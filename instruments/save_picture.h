// Save picture...: a window's picture as PNG, through the desktop's save
// dialog, with a default name that carries the date. The dialog asks before
// it overwrites a file; a failure to write is reported in a message that says
// what failed and where, and the program goes on.
#pragma once

#include <QDate>
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

// "palmos-2026-12-08.png" for 8 December 2026.
QString defaultPictureName(const QDate& date);

// Grabs `window` and asks where to save it. Returns true when a file was
// written, false when the user cancelled or the writing failed (after the
// failure was reported).
bool savePicture(QWidget* window, bool english, const SavePictureDialogs& dialogs,
                 const QDate& today = QDate::currentDate());

}  // namespace palmos
