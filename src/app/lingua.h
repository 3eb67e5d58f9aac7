// Qt's own texts (the file, print and message dialogs, their buttons) in the language of the
// system locale, from the translations installed with Qt.
#pragma once

#include <QLocale>
#include <QTranslator>
#include <memory>

namespace tv::app {

// Qt's translation for `locale`, loaded from Qt's translations folder: nullptr when none is
// installed for that language (the dialogs then stay in English).
std::unique_ptr<QTranslator> traduzioni_qt(const QLocale& locale);

}  // namespace tv::app
