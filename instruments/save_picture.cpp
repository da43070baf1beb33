#include "instruments/save_picture.h"

#include <QDir>
#include <QFileDialog>
#include <QImageWriter>
#include <QMessageBox>
#include <QPixmap>
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

QString defaultPictureName(const QDate& date) {
    return QStringLiteral("palmos-%1.png").arg(date.toString(Qt::ISODate));
}

bool savePicture(QWidget* window, bool english, const SavePictureDialogs& dialogs,
                 const QDate& today) {
    const QString title = instrumentCaption(InstrumentCaption::SavePicture, english);
    QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (folder.isEmpty()) {
        folder = QDir::homePath();
    }
    const QString path =
        dialogs.askFileName(window, title, QDir(folder).filePath(defaultPictureName(today)));
    if (path.isEmpty()) {
        return false;
    }

    const QImage picture = window->grab().toImage();
    QImageWriter writer(path, "png");
    if (writer.write(picture)) {
        return true;
    }
    const QString native = QDir::toNativeSeparators(path);
    const QString text = english ? QStringLiteral("The picture could not be saved to %1: %2.")
                                       .arg(native, writer.errorString())
                                 : QStringLiteral("Η εικόνα δεν αποθηκεύτηκε στο %1: %2.")
                                       .arg(native, writer.errorString());
    dialogs.reportFailure(window, title, text);
    return false;
}

}  // namespace palmos
