// SPDX-License-Identifier: GPL-3.0-or-later
// The presenter between the Qt window and the toolkit-free form: it forwards the window's
// events to the form's handlers and mirrors the form's state onto the widgets.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <string>

class QKeyEvent;

#include "app/modello/form1.h"

namespace tv::app {

class FinestraPrincipale;

// The locale's separators as the core wants them.
text::NumberFormat formato_locale();

// The grey line under T1, in order of precedence: the notice of the program's initial site, the
// island source of the last completed run, else its return period, F0 and Tc* for a grid site;
// empty before any completed run.
std::string testo_label4(const form::Form1& form);

class Presentatore : public QObject {
    Q_OBJECT

public:
    Presentatore(FinestraPrincipale& finestra, form::Form1& form, QObject* parent = nullptr);
    ~Presentatore() override;

    // Start-up: the form's Form_Load, the white painting, then the state on the widgets.
    // False when start-up could not go on (the message has been shown).
    bool avvia(const QStringList& argomenti, const QString& cartella_corrente);

    // Writes the whole form state onto the widgets without raising their change signals.
    void mostra_stato();

    // Before an output: a window whose results are out of date runs the check first. False
    // when that run stopped (its message has been shown): nothing must be output then.
    bool aggiorna_se_scaduti();

    // Before a command given by key: the field holding the focus is validated as when it loses
    // it. False when it was refused (the message has been shown, the field keeps the focus).
    bool convalida_campo_attivo();
    // "AGGIORNA" by key: the field holding the focus validated first, then the run.
    void aggiorna_da_tasto();

    // Start-up again on the job `nome` of the suite's job folder, in a fresh form that replaces
    // this one only when start-up went through (impostazioni/lavoro is not rewritten).
    bool apri_lavoro(const std::string& nome);

    form::Form1& form() { return form_; }
    FinestraPrincipale& finestra() { return finestra_; }

signals:
    // A double-click on a unit-bearing field: the floating editor should open for it.
    void editor_richiesto(int campo);
    // An input was accepted (a field left, a toggle, a formula, a datum, a locality, a run).
    void ingresso_accettato();

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void collega();
    // The local mechanisms' controls (presentatore_meccanismo.cpp): their signals, their mirror
    // of the state and the panel controls they hide, and their stale marking.
    void collega_meccanismo();
    // The norm's pickers: wired once, shown from the panel's choices and numbers.
    void collega_scelte();
    void mostra_scelte();
    void mostra_meccanismo();
    void mostra_aspetto_meccanismo(const form::AspettoRisultati& a);
    bool aggiorna();
    // The results current or greyed as out of date (form::AspettoRisultati).
    void mostra_aspetto();
    void check_cambiato(int indice, bool valore);
    int indice_campo(const QObject* oggetto) const;
    // Enter, F5 and the search box's keys; true when the key was used.
    bool tasto(QObject* oggetto, const QKeyEvent& k);
    // A line of the locality list picked (by mouse, arrow keys or Enter).
    void scegli(int riga);
    // Validation of the field that has the focus before the focus moves to `destinazione`:
    // true when the move may happen.
    bool convalida_prima_di(QWidget* destinazione);
    bool convalida(int indice);
    void ridisegna();

    // Mirrors the form's state onto the widgets before each message reaches the user.
    struct Sincronia : form::Messaggi {
        Sincronia(Presentatore& p, form::Messaggi& m) : presentatore(p), inoltro(m) {}
        void mostra(const form::Messaggio& m) override;
        Presentatore& presentatore;
        form::Messaggi& inoltro;
    };

    FinestraPrincipale& finestra_;
    form::Form1& form_;
    Sincronia sincronia_;
    int campo_corrente_ = -1;
    bool in_convalida_ = false;
    bool in_sincronia_ = false;
};

}  // namespace tv::app
