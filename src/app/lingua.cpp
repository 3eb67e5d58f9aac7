// Loading of Qt's translations for the dialogs of the window program.
#include "app/lingua.h"

#include <QLibraryInfo>

namespace tv::app {

std::unique_ptr<QTranslator> traduzioni_qt(const QLocale& locale) {
    auto traduttore = std::make_unique<QTranslator>();
    // qtbase holds every dialog of Qt Widgets and Qt Print Support.
    if (!traduttore->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return nullptr;
    return traduttore;
}

}  // namespace tv::app
