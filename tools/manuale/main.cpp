// SPDX-License-Identifier: GPL-3.0-or-later
// Build tool: typesets the manual's Markdown source into the PDF the "HELP" button opens.
// Usage: manuale SOURCE.md OUTPUT.pdf [PICTURES_FOLDER]
#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QStringDecoder>
#include <cstdio>

#include "impagina.h"

int main(int argc, char** argv) {
    // Fonts need a platform; a build machine has no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    QGuiApplication applicazione(argc, argv);
    const QStringList argomenti = QGuiApplication::arguments();
    if (argomenti.size() != 3 && argomenti.size() != 4) {
        std::fprintf(stderr, "uso: manuale SORGENTE.md USCITA.pdf [CARTELLA_IMMAGINI]\n");
        return 2;
    }
    QFile sorgente(argomenti.at(1));
    if (!sorgente.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "impossibile leggere %s\n", qPrintable(argomenti.at(1)));
        return 1;
    }
    const QString testo = QString::fromUtf8(sorgente.readAll());
    const QString errore =
        tv::manuale::impagina(testo, argomenti.at(2), tv::manuale::titolo_di(testo),
                              argomenti.size() == 4 ? argomenti.at(3) : QString());
    if (!errore.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(errore));
        return 1;
    }
    return 0;
}
