#include "instruments/save_picture.h"

#include <QBuffer>
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

namespace {

// "PDF (*.pdf)" gives "pdf".
QString filterSuffix(const QString& filter) {
    const qsizetype star = filter.indexOf(QStringLiteral("*."));
    return star < 0 ? QString() : filter.mid(star + 2).chopped(1);
}

// The dialog of Qt's own asks before it overwrites a file. The name typed
// takes the ending of the type chosen, so that what is written is what the
// name says.
QString askSaveName(QWidget* parent, const QString& title, const QString& suggested) {
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const QStringList filters = saveFilters(suggested);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(filterSuffix(filters.front()));
    dialog.selectFile(suggested);
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog, [&dialog, filters](const QString& filter) {
            const QString suffix = filterSuffix(filter);
            dialog.setDefaultSuffix(suffix);
            const QStringList typed = dialog.selectedFiles();
            if (typed.isEmpty()) {
                return;
            }
            const QFileInfo name(typed.front());
            for (const QString& other : filters) {
                if (name.suffix().compare(filterSuffix(other), Qt::CaseInsensitive) == 0) {
                    dialog.selectFile(name.completeBaseName() + QLatin1Char('.') + suffix);
                    return;
                }
            }
        });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().front();
}

}  // namespace

SavePictureDialogs desktopSaveDialogs() {
    return {askSaveName, [](QWidget* parent, const QString& title, const QString& text) {
                QMessageBox::warning(parent, title, text);
            }};
}

QStringList saveFilters(const QString& suggested) {
    const QString pdf = QStringLiteral("PDF (*.pdf)");
    const QString png = QStringLiteral("PNG (*.png)");
    if (QFileInfo(suggested).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0) {
        return {pdf, png};
    }
    return {png};
}

QString defaultPictureName(const QString& what, const QDateTime& when, const QString& suffix) {
    return QStringLiteral("palmos-%1-%2.%3")
        .arg(what, when.toString(QStringLiteral("yyyy-MM-dd-HHmm")), suffix);
}

QString pictureFolder() {
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

bool saveFile(QWidget* parent, const SaveRequest& request, const SavePictureDialogs& dialogs,
              const FileWriter& write) {
#ifdef Q_OS_WASM
    // A page keeps no files: in the web edition the file goes to the
    // browser, which downloads it under the name suggested (a worksheet as
    // PDF) as it downloads any other file.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (const QString reason = write(request.suggested, buffer); !reason.isEmpty()) {
        dialogs.reportFailure(parent, request.title,
                              request.notSaved.arg(request.suggested, reason));
        return false;
    }
    QFileDialog::saveFileContent(buffer.data(), request.suggested);
    return true;
#endif
    const QString path = dialogs.askFileName(parent, request.title,
                                             QDir(pictureFolder()).filePath(request.suggested));
    if (path.isEmpty()) {
        return false;
    }

    // The file goes to one beside the chosen one, which takes its name only
    // once the whole file is written.
    QSaveFile file(path);
    QString reason;
    if (!file.open(QIODevice::WriteOnly)) {
        reason = file.errorString();
    } else if (reason = write(path, file); !reason.isEmpty()) {
        file.cancelWriting();
    } else if (!file.commit()) {
        reason = file.errorString();
    }
    if (reason.isEmpty()) {
        return true;
    }
    const QString native = QDir::toNativeSeparators(path);
    dialogs.reportFailure(parent, request.title, request.notSaved.arg(native, reason));
    return false;
}

QString writePicture(QWidget& widget, QIODevice& device) {
    const QImage picture = widget.grab().toImage();
    QImageWriter writer(&device, "png");
    return writer.write(picture) ? QString() : writer.errorString();
}

bool savePicture(QWidget* window, const QString& what, bool english,
                 const SavePictureDialogs& dialogs, const QDateTime& now) {
    return saveFile(window,
                    {.title = instrumentCaption(Caption::SavePicture, english),
                     .suggested = defaultPictureName(what, now),
                     .notSaved = instrumentCaption(Caption::PictureNotSaved, english)},
                    dialogs, [window](const QString&, QIODevice& device) {
                        return writePicture(*window, device);
                    });
}

}  // namespace palmos
