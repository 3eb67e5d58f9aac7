// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the installed window program: translations, suite from "--root" or the user's own.
#include "app/installazione.h"

#include <QApplication>
#include <QMessageBox>
#include <filesystem>
#include <iostream>

#include "form/suite_utente.h"
#include "text/error.h"

namespace tv::app {
namespace fs = std::filesystem;

std::optional<ArgomentiAvvio> argomenti_avvio(const QStringList& argomenti,
                                              const QString& cartella_corrente,
                                              form::Messaggi& messaggi) {
    std::vector<std::string> args;
    for (const QString& a : argomenti) args.push_back(a.toStdString());
    ArgomentiAvvio avvio;
    try {
        args = form::opzione_root(args, cartella_corrente.toStdString());
        if (auto suite = form::suite_di_ripiego(args, cartella_corrente.toStdString(),
                                                form::Ambiente::del_processo())) {
            args.insert(args.begin(), "|diroot=" + suite->root.string() + "|");
            std::string avviso = suite->creata ? form::avviso_suite_creata(*suite) : "";
            for (const auto& a : suite->avvisi) avviso += (avviso.empty() ? "" : "\n") + a;
            avvio.avviso = QString::fromStdString(avviso);
        }
    } catch (const Failure& f) {
        messaggi.mostra(form::Messaggio{f.what(), f.title()});
        return std::nullopt;
    }
    for (const auto& a : args) avvio.argomenti.push_back(QString::fromStdString(a));
    return avvio;
}

void mostra_avviso(QWidget* finestra, const QString& avviso) {
    if (avviso.isEmpty()) return;
    std::cerr << avviso.toStdString() << "\n";
    auto* box = new QMessageBox(QMessageBox::Information, QString::fromUtf8(kWindowCaption), avviso,
                                QMessageBox::Ok, finestra);
    box->setWindowModality(Qt::NonModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
}

}  // namespace tv::app
