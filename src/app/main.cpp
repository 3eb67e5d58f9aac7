// SPDX-License-Identifier: GPL-3.0-or-later
// Entry point of the window program: start-up from the suite, then the window.
#include <QApplication>
#include <QDir>
#include <QStringList>
#include <QTimer>
#include <iostream>

#include "app/caratteri.h"
#include "app/pulsanti.h"
#include "app/finestra.h"
#include "app/installazione.h"
#include "app/lingua.h"
#include "app/messaggi_qt.h"
#include "app/piattaforma.h"
#include "app/presentatore.h"
#include "app/striscia_pannelli.h"

int main(int argc, char** argv) {
    QApplication applicazione(argc, argv);
    tv::app::registra_caratteri();
    // Before any widget exists, so that every dialog speaks Italian under any locale.
    const auto traduzioni = tv::app::installa_italiano();
    QGuiApplication::setDesktopFileName(QStringLiteral("torvelando"));

    QStringList argomenti = QApplication::arguments();
    argomenti.removeFirst();
    // --screenshot FILE: save a picture of the window as shown, then quit (layout checks). It
    // never waits for a person: messages go to the standard error and end it without a picture.
    QString screenshot;
    const auto p = argomenti.indexOf(QStringLiteral("--screenshot"));
    if (p >= 0) {
        if (p + 1 < argomenti.size()) screenshot = argomenti.at(p + 1);
        argomenti.remove(p, std::min<qsizetype>(2, argomenti.size() - p));
        if (screenshot.isEmpty()) {
            std::cerr << "--screenshot: manca il nome del file dell'immagine\n";
            return 1;
        }
    }

    tv::app::FinestraPrincipale finestra;
    tv::app::MessaggiQt messaggi(&finestra, p >= 0);
    tv::form::Form1 form(messaggi, tv::app::formato_locale());
    tv::app::Presentatore presentatore(finestra, form);
    tv::app::PiattaformaQt piattaforma;
    tv::app::Pulsanti comandi(presentatore, messaggi, piattaforma);
    const auto avvio = tv::app::argomenti_avvio(argomenti, QDir::currentPath(), messaggi);
    if (!avvio || !presentatore.avvia(avvio->argomenti, QDir::currentPath())) return 1;
    if (p >= 0 && messaggi.mostrati() > 0) return 1;
    // The job's panels under the controls: the panel last shown comes back into the fields.
    tv::app::DomandeQt domande;
    tv::app::StrisciaPannelli striscia(presentatore, domande);
    comandi.imposta_striscia(&striscia);
    if (p >= 0 && messaggi.mostrati() > 0) return 1;
    finestra.show();
    tv::app::mostra_avviso(&finestra, avvio->avviso);

    if (!screenshot.isEmpty()) {
        QTimer::singleShot(300, &finestra, [&finestra, screenshot] {
            if (finestra.grab().save(screenshot)) return QApplication::exit(0);
            std::cerr << "--screenshot: impossibile scrivere " << screenshot.toStdString() << "\n";
            QApplication::exit(1);
        });
    }
    return QApplication::exec();
}
