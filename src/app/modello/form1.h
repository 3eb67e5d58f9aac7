// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as data and handlers, without any toolkit: a view-model over one job and its
// current panel (start-up, field validation, restraint toggles, locality search, the check run).
// The Qt window drives this object and mirrors its state.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/modello/aggiornamento.h"
#include "app/modello/stato.h"
#include "form/avvio.h"
#include "form/campi.h"
#include "form/calcolo.h"
#include "form/lavoro.h"
#include "form/messaggi.h"
#include "hazard/fonte.h"
#include "text/number_text.h"
#include "units/unita.h"

namespace tv::form {

class Form1 {
public:
    Form1(Messaggi& messaggi, text::NumberFormat formato);

    // Start-up from the suite. False when it cannot go on (the message has been shown): the
    // window must then close without being shown.
    bool Form_Load(const std::vector<std::string>& args, const std::filesystem::path& current_dir);
    // The same from a suite root already known (--root); `lavoro` names a job of the suite's job
    // folder to open instead of the one impostazioni/lavoro names (which is not rewritten).
    bool avvia(const std::filesystem::path& root,
               const std::optional<std::string>& lavoro = std::nullopt);

    // Validation when the focus leaves field `index`: true = Cancel (refused, message shown).
    bool Text1_Validate(int index);
    // The same test of a field without a message.
    std::optional<std::string> motivo_rifiuto(Campo c) const;

    // Double-click on a field: true when the floating editor must open (fields 11-17, 23);
    // then `unita_campo` and `campo_attivo` hold the hand-over.
    bool Text1_DblClick(int index);

    // The toggle `index` has changed to `value` (by the user or by the program): its caption and
    // line follow; a combination that cannot be checked is kept (the check refuses it).
    void imposta_check(int index, bool value);
    void Check1_Click(int index);

    // The search box: setting its text runs the search.
    void imposta_testo_combo(const std::string& testo);
    void Combo1_Change();
    void Combo1_Click(int position);

    // The check run. True when it completed; false when it stopped with a message (nothing of
    // the window changed then).
    bool Command1_Click(int index);
    // No result shown and none taken as current: the inputs shown are not to be checked (a
    // saved panel with a refused cell).
    void senza_risultati();

    // The kind of check from the window's list: a mechanism takes C7.2.5 in place of EC8, which
    // it refuses.
    void imposta_tipo(TipoVerifica tipo);
    // A mechanism field typed (a storey table cell, piani, LC, z0).
    void imposta_campo_meccanismo(CampoMeccanismo c, std::string testo);
    // The mechanism check of the panel shown, without any message or window change.
    EsitoMeccanismo calcola_pannello_meccanismo() const;

    // The check without any message or window change: the validated inputs in base units, and
    // the check computed from them.
    std::variant<IngressiVerifica, Arresto> leggi_ingressi();
    EsitoVerifica calcola();
    // The panel the fields, toggles and lists describe.
    Pannello pannello() const;

    // True while the results shown may not belong to the inputs shown (see risultati_scaduti);
    // `aspetto` is how the results are drawn then.
    bool risultati_scaduti() const { return form::risultati_scaduti(stato, ultima_); }
    AspettoRisultati aspetto() const {
        return aspetto_risultati(stato, risultati_scaduti(), sito_iniziale());
    }

    // The window adds to "Richiesto valore numerico" a line naming the field and the notation
    // it takes; the command line and the batch keep the one line.
    void imposta_nota_notazione(bool si) { nota_notazione_ = si; }

    // True while the job gave no site coordinates and the latitude or the longitude field still
    // holds the program's initial text.
    bool sito_iniziale() const { return lavoro.sito_iniziale(stato.pannello.testi); }

    // The field whose text stopped the last run, when one did.
    std::optional<Campo> campo_rifiutato() const { return campo_rifiutato_; }

    // How many messages start-up showed before its own check run (about the job file or the
    // locality list): what a front end that runs the check again must still pass on.
    std::size_t messaggi_avvio() const { return messaggi_avvio_; }

    StatoFinestra stato;
    // The result of the last completed check run, kept while later runs stop.
    std::optional<RisultatoVerifica> risultato;
    // The same for the mechanism kinds.
    std::optional<RisultatoMeccanismo> risultato_meccanismo;
    // The job start-up opened: folders, work units, the site of its job file.
    Lavoro lavoro;
    const Cartelle& cartelle() const { return lavoro.cartelle; }
    const units::Unita& unita() const { return lavoro.unita; }
    double T1 = 0;
    std::string unita_campo;
    int campo_attivo = -1;

    // A copy of a form starts from the same state and shares its grid source; it reports to
    // other messages once given them here.
    void imposta_messaggi(Messaggi& messaggi) { messaggi_ = &messaggi; }
    Messaggi& messaggi() const { return *messaggi_; }

    // Where the check run takes the grid from: by default the grid file, kept in memory while
    // it stays the same.
    void imposta_fonte_griglia(std::shared_ptr<hazard::FonteGriglia> fonte) {
        griglia_ = std::move(fonte);
    }
    const std::shared_ptr<hazard::FonteGriglia>& fonte_griglia() const { return griglia_; }

    // The name of the locality whose coordinates are exactly (lon, lat): the line last picked in
    // the list, else the job file's locality; nullopt for coordinates typed or set otherwise.
    std::optional<std::string> localita_del_sito(double lon, double lat) const;

    const text::NumberFormat& formato() const { return formato_; }
    void imposta_formato(text::NumberFormat formato) { formato_ = std::move(formato); }

    std::filesystem::path file_griglia() const;
    std::filesystem::path file_localita() const;

private:
    void mostra(const std::string& testo, const std::string& titolo);
    void cancella_risultati();
    // Command1_Click for a mechanism kind.
    bool esegui_meccanismo();
    // A coordinate field accepted in degrees, minutes and seconds is written as decimal degrees.
    void scrivi_gradi_decimali(Campo c);

    Messaggi* messaggi_;
    std::optional<LocalitaNota> localita_scelta_;
    text::NumberFormat formato_;
    std::shared_ptr<hazard::FonteGriglia> griglia_ = std::make_shared<hazard::CacheGriglia>();
    bool ricerca_in_corso_ = false;
    std::optional<Campo> campo_rifiutato_;
    std::size_t mostrati_ = 0;  // messages shown so far
    std::size_t messaggi_avvio_ = 0;
    std::optional<UltimaEsecuzione> ultima_;
    bool nota_notazione_ = false;
    bool in_avvio_ = false;  // the start-up run: a site still to be given is said without a message
};

}  // namespace tv::form
