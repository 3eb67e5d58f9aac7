// The main window's output buttons and the floating editor, wired to their handlers: "COPIA",
// "STAMPA", "SALVA", "HELP" and the double-click on a unit-bearing field.
#pragma once

#include <QObject>

#include "app/uscite.h"

namespace tv::app {

class Piattaforma;
class Presentatore;

class Comandi : public QObject {
    Q_OBJECT

  public:
    // The presenter gives the window, the form (folders, units, editor hand-over) and the
    // double-click requests; `messaggi` shows the commands' failures.
    Comandi(Presentatore& presentatore, form::Messaggi& messaggi, Piattaforma& piattaforma,
            QObject* parent = nullptr);

    Uscite& uscite() { return uscite_; }

    // "HELP": the suite's manual with the desktop's viewer.
    bool aiuto();
    // The floating editor for field `campo`, after the form has set the hand-over.
    bool editor(int campo);

  private:
    Presentatore& presentatore_;
    form::Messaggi& messaggi_;
    Piattaforma& piattaforma_;
    Uscite uscite_;
};

}  // namespace tv::app
