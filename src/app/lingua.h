// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's own texts (the file, print and message dialogs, their buttons) in Italian whatever the
// system locale: the program speaks Italian only.
#pragma once

#include <QLibraryInfo>
#include <QString>
#include <QTranslator>
#include <memory>

namespace tv::app {

// Qt's Italian translation from `cartella` installed on the running application, or, when it is
// not there, the Italian texts of the standard buttons and of the file dialog's own. Installed
// until the translator returned is destroyed; before any widget exists, so that every dialog
// reads it.
std::unique_ptr<QTranslator> installa_italiano(
    const QString& cartella = QLibraryInfo::path(QLibraryInfo::TranslationsPath));

}  // namespace tv::app
