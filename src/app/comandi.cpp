// Connections of the output buttons and of the editor request to their handlers.
#include "app/comandi.h"

#include <QLineEdit>
#include <QPushButton>

#include "app/aiuto.h"
#include "app/fluttuante.h"
#include "app/form1.h"
#include "app/presentatore.h"

namespace tv::app {

Comandi::Comandi(Presentatore& presentatore, form::Messaggi& messaggi, Piattaforma& piattaforma,
                 QObject* parent)
    : QObject(parent),
      presentatore_(presentatore),
      messaggi_(messaggi),
      piattaforma_(piattaforma),
      uscite_(presentatore.finestra(), presentatore.form().cartelle, messaggi, piattaforma) {
    Form1& finestra = presentatore.finestra();
    connect(finestra.command(2), &QPushButton::clicked, this, [this] { aiuto(); });
    // An output never captures results that do not belong to the inputs shown.
    connect(finestra.command(3), &QPushButton::clicked, this, [this] {
        if (presentatore_.aggiorna_se_scaduti()) uscite_.Command3_Click();
    });
    connect(finestra.command(4), &QPushButton::clicked, this, [this] {
        if (presentatore_.aggiorna_se_scaduti()) uscite_.Command4_Click();
    });
    connect(finestra.command(5), &QPushButton::clicked, this, [this] {
        if (presentatore_.aggiorna_se_scaduti()) uscite_.Command5_Click();
    });
    connect(&presentatore, &Presentatore::editor_richiesto, this,
            [this](int campo) { editor(campo); });
}

bool Comandi::aiuto() {
    return Command2_Click(presentatore_.form().cartelle.dir_help, piattaforma_, messaggi_);
}

bool Comandi::editor(int campo) {
    Form1& finestra = presentatore_.finestra();
    const form::Form1& form = presentatore_.form();
    return apri_fluttuante(finestra.campo(campo), QString::fromStdString(form.unita_campo),
                           form.unita.accelerazione_g, form.formato(), finestra.dpi(), &finestra);
}

}  // namespace tv::app
