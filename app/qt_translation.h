// Qt's own dialogs in the language chosen: the file dialog's labels and
// buttons, a message box's OK. Qt has no Greek of its own for them, so the
// program brings its translation of the texts they show
// (translations/palmos_qt_el.ts, built into the program).
#pragma once

class QObject;

namespace palmos {

// Installs the Greek translation of Qt's dialogs when `greek`, kept by
// `owner` (the introduction window, which lives as long as the program), or
// takes it out again. Installing it twice does nothing.
void translateQtDialogs(QObject& owner, bool greek);

}  // namespace palmos
