// SPDX-License-Identifier: GPL-3.0-or-later
// Opening of the manual through the desktop's viewer, with a message for every failure.
#include "app/aiuto.h"

#include <QFileInfo>
#include <QUrl>

#include "app/piattaforma.h"

namespace tv::app {

namespace {

void errore(form::Messaggi& messaggi, const QString& testo) {
    messaggi.mostra(form::Messaggio{testo.toStdString(), "HELP", form::Icona::stop});
}

}  // namespace

std::filesystem::path percorso_manuale(const std::filesystem::path& dir_help) {
    return dir_help / nome_manuale;
}

bool Command2_Click(const std::filesystem::path& dir_help, Piattaforma& piattaforma,
                    form::Messaggi& messaggi) {
    const QString percorso = percorso_qt(percorso_manuale(dir_help));
    if (!QFileInfo(percorso).isFile()) {
        errore(messaggi, QStringLiteral("Manuale non trovato:\n%1").arg(percorso));
        return false;
    }
    if (piattaforma.apri_documento(QUrl::fromLocalFile(percorso))) return true;
    errore(messaggi, QStringLiteral("Impossibile aprire il manuale con il visualizzatore di "
                                    "documenti PDF del sistema:\n%1")
                         .arg(percorso));
    return false;
}

}  // namespace tv::app
