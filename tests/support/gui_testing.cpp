#include "tests/support/gui_testing.h"

#include "ui/events.h"

namespace testing_support {

namespace {

QStringList recorded;

}  // namespace

void recordMessageBoxes() {
    ui::setMessageBoxHook([](const QString& text) { recorded.append(text); });
}

const QStringList& messageBoxes() {
    return recorded;
}

void clearMessageBoxes() {
    recorded.clear();
}

}  // namespace testing_support
