// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's output buttons and the floating editor, wired to their handlers: "COPIA",
// "STAMPA", "SALVA", "RELAZIONE", "HELP" and the double-click on a unit-bearing field.
#pragma once

#include <QObject>
#include <QString>
#include <optional>
#include <string>

#include "app/uscite.h"
#include "app/modello/form1.h"
#include "app/modello/sessione_pannelli.h"

namespace tv::app {

class Piattaforma;
class Presentatore;
class StrisciaPannelli;

class Pulsanti : public QObject {
    Q_OBJECT

  public:
    // The presenter gives the window, the form (folders, units, editor hand-over) and the
    // double-click requests; `messaggi` shows the commands' failures.
    Pulsanti(Presentatore& presentatore, form::Messaggi& messaggi, Piattaforma& piattaforma,
            QObject* parent = nullptr);

    Uscite& uscite() { return uscite_; }

    // The panels strip: with two panels or more, "RELAZIONE" asks for this panel or all.
    void imposta_striscia(StrisciaPannelli* striscia) { striscia_ = striscia; }

    // "HELP": the suite's manual with the desktop's viewer.
    bool aiuto();
    // "RELAZIONE": the check run again on the fields as they are (a run that stops writes
    // nothing), the report data dialog (Annulla ends silently, OK saves relazione.txt), then the
    // calculation report as a PDF file under the name chosen in the save
    // dialog, which proposes the job's name in the job's work folder (with the panel's id, or
    // "_tutti" for all the job's panels, when the job has saved panels); ".pdf" is added to a name
    // without extension. True when the file was written whole; a cancelled dialog ends
    // silently, a name holding a wildcard or a file that cannot be written shows a message.
    // The report of more than 100 panels shows its progress in a dialog whose Annulla stops it,
    // writing nothing.
    bool Command6_Click();

    // The floating editor for field `campo`, after the form has set the hand-over.
    bool editor(int campo);

  private:
    // The report of every saved panel written to `file`: an empty text when written, nullopt
    // when stopped (nothing written), else the message. Throws tv::Failure as the context does.
    std::optional<QString> relazione_tutti(const form::Form1& form,
                                           const form::SessionePannelli& sessione,
                                           const QString& file, const std::string& data);

    Presentatore& presentatore_;
    form::Messaggi& messaggi_;
    Piattaforma& piattaforma_;
    Uscite uscite_;
    StrisciaPannelli* striscia_ = nullptr;
};

}  // namespace tv::app
