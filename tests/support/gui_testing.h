// Helpers for the window tests.
#pragma once

#include <QString>
#include <QStringList>

namespace testing_support {

// Replaces the message box with a recorder; messageBoxes() lists the texts.
void recordMessageBoxes();
const QStringList& messageBoxes();
// Forgets the texts recorded so far (each test starts with none).
void clearMessageBoxes();

}  // namespace testing_support
