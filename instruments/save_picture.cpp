#include "instruments/save_picture.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageWriter>
#include <QMessageBox>
#include <QPixmap>
#include <QSaveFile>
#include <QStandardPaths>
#include <QWidget>

#include "instruments/captions.h"

namespace palmos {

SavePictureDialogs desktopSaveDialogs() {
    return {[](QWidget* parent, const QString& title, const QString& suggested) {
                // The dialog itself asks before it overwrites a file.
                return QFileDialog::getSaveFileName(parent, title, suggested,
                                                    QStringLiteral("PNG (*.png)"));
            },
            [](QWidget* parent, const QString& title, const QString& text) {
                QMessageBox::warning(parent, title, text);
            }};
}

QString defaultPictureName(const QString& what, const QDateTime& when) {
    return QStringLiteral("palmos-%1-%2.png")
        .arg(what, when.toString(QStringLiteral("yyyy-MM-dd-HHmm")));
}

QString pictureFolder() {
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

bool savePicture(QWidget* window, const QString& what, bool english,
                 const SavePictureDialogs& dialogs, const QDateTime& now) {
    const QString title = instrumentCaption(Caption::SavePicture, english);
    const QString path = dialogs.askFileName(
        window, title, QDir(pictureFolder()).filePath(defaultPictureName(what, now)));
    if (path.isEmpty()) {
        return false;
    }

    // The picture goes to a file beside the chosen one, which takes its name
    // only once the whole picture is written.
    const QImage picture = window->grab().toImage();
    QSaveFile file(path);
    QString reason;
    if (!file.open(QIODevice::WriteOnly)) {
        reason = file.errorString();
    } else if (QImageWriter writer(&file, "png"); !writer.write(picture)) {
        reason = writer.errorString();
        file.cancelWriting();
    } else if (!file.commit()) {
        reason = file.errorString();
    }
    if (reason.isEmpty()) {
        return true;
    }
    const QString native = QDir::toNativeSeparators(path);
    const QString text = instrumentCaption(Caption::PictureNotSaved, english).arg(native, reason);
    dialogs.reportFailure(window, title, text);
    return false;
}

}  // namespace palmos
