#include "ui/form/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace kestrix {

bool installQtTranslations(QCoreApplication& application) {
    // The program's own texts are Brazilian Portuguese, not the locale's.
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_pt_BR"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace kestrix
