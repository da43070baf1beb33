#include "app/qt_translation.h"

#include <QCoreApplication>
#include <QObject>
#include <QTranslator>

#include "core/runtime_error.h"

namespace palmos {

namespace {

const char* const kTranslatorName = "palmos-qt-el";

}  // namespace

void translateQtDialogs(QObject& owner, bool greek) {
    auto* translator =
        owner.findChild<QTranslator*>(QLatin1String(kTranslatorName), Qt::FindDirectChildrenOnly);
    if (greek && translator == nullptr) {
        translator = new QTranslator(&owner);
        translator->setObjectName(QLatin1String(kTranslatorName));
        if (!translator->load(QStringLiteral(":/translations/palmos_qt_el.qm"))) {
            delete translator;
            throw RuntimeError("The Greek texts of Qt's dialogs are missing from the program.");
        }
        QCoreApplication::installTranslator(translator);
    } else if (!greek && translator != nullptr) {
        // A translator takes itself out of the application as it goes.
        delete translator;
    }
}

}  // namespace palmos
