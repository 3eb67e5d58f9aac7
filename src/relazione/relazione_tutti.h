// SPDX-License-Identifier: GPL-3.0-or-later
// The report of every saved panel of a job, shared by report --all and the window: the panels
// checked once for the summary, then each panel's sections built again when the renderer
// reaches them, so that only the panels on the pages being drawn are held.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <streambuf>
#include <string>
#include <tuple>
#include <vector>

#include "form/calcolo.h"
#include "form/lavoro.h"
#include "form/pannelli.h"
#include "relazione/documento.h"

namespace tv::relazione {

// How a front end makes a saved panel: `p` filled from the row `riga` of the panels file (over
// the job's panel, with the front end's own options on top); false after naming on `err` a
// value it refused.
using PreparaPannello =
    std::function<bool(const form::RigaPannello& riga, form::Pannello& p, std::ostream& err)>;
// And how it checks one: the result, or what stopped it.
using VerificaPannello = std::function<form::EsitoVerifica(const form::Pannello& p)>;

// Every readable panel of `pannelli` of the job `lavoro`, each made by `prepara` and checked by
// `verifica`: a summary first (id, description, Fa and Rlat in the job's units, the safety index
// Rlat/Fa, the governing mode, the verdict in words), ordered by the index with the critical
// panel first and again in the file's order; the hazard and spectrum of the job's site once for
// the panels that share them; then each panel's own sections under its id and description, with
// its own header (its site, its name); last the rules, the § 10.2 declarations and the
// judgement, once. `contesto`: the job's context of the report, each panel's locality and name
// set in it. The arguments must outlive the source.
class RelazioneTutti : public FonteRelazione {
  public:
    // Checks every panel now, telling `avanzamento` each one (FaseRelazione::verifica). A panel
    // that cannot be checked, or a row of the file that could not be read (a summary row "riga
    // N non letta: why"), makes codice() 1; a panel's stop is named on `err`.
    RelazioneTutti(const form::Lavoro& lavoro, const form::FilePannelli& pannelli,
                   PreparaPannello prepara, VerificaPannello verifica, ContestoRelazione contesto,
                   std::ostream& err, const AvanzamentoRelazione& avanzamento = {});

    int codice() const { return codice_; }
    // `avanzamento` stopped the checks: the source is not to be drawn.
    bool fermata() const { return fermata_; }

    const Documento& inizio() const override { return inizio_; }
    std::size_t parti() const override { return parti_.size(); }
    // The header and sections of the i-th panel with a report, built again. Throws tv::Failure
    // when the panel no longer gives the report it gave (its data files changed meanwhile).
    Parte parte(std::size_t i) override;
    std::vector<Sezione> fine() const override { return fine_; }

  private:
    struct Voce {
        const form::RigaPannello* riga;
        std::string titolo;  // put before each section's title
        bool sito_comune;    // its hazard and spectrum are the job site's, printed once
    };
    // The check of the panel of `riga`: false after the refusal or the stop on `err`, with the
    // summary's verdict in `arresto`. `v` and `r` receive the check and the panel.
    bool verifica_di(const form::RigaPannello& riga, std::ostream& err, std::string& arresto,
                     std::optional<form::RisultatoVerifica>& v, form::Pannello& r);
    // The panel's part; throws tv::Failure on a value its plots refuse.
    Parte parte_di(const form::RisultatoVerifica& v, const Voce& voce);
    std::optional<std::string> localita(const form::RisultatoVerifica& v);

    const form::Lavoro& lavoro_;
    const form::FilePannelli& pannelli_;
    PreparaPannello prepara_;
    VerificaPannello verifica_;
    ContestoRelazione contesto_;
    Documento inizio_;
    std::vector<Voce> parti_;
    // Sections 2 and 3 of the job's site as the first panel at it gave them (the spectrum with
    // the building's T1 only); a panel shares them only when its own are the same.
    std::vector<Sezione> sito_comune_;
    std::vector<Sezione> fine_;
    // The localities of the coordinates met, by datum, longitude and latitude: the locality
    // list is read once for each.
    std::map<std::tuple<int, double, double>, std::optional<std::string>> localita_;
    int codice_ = 0;
    bool fermata_ = false;
};

// With more panels than these, the report of every panel says how far it has gone (report
// --all on standard error, the window in a dialog).
inline constexpr std::size_t kPannelliSenzaProgresso = 100;

// "verifica del pannello 250 di 1000", "impaginazione ...", "scrittura ...".
std::string testo_avanzamento(FaseRelazione fase, std::size_t fatti, std::size_t totale);

// How far a long report has gone, on `err`: on a terminal one line written over ("\r") at each
// panel, else a line at each tenth of the whole work (the three phases counted alike).
// "Relazione: verifica del pannello 250 di 1000".
class ProgressoRelazione {
  public:
    ProgressoRelazione(std::ostream& err, bool terminale);
    ~ProgressoRelazione();
    ProgressoRelazione(const ProgressoRelazione&) = delete;
    ProgressoRelazione& operator=(const ProgressoRelazione&) = delete;

    // Never stops the report.
    bool operator()(FaseRelazione fase, std::size_t fatti, std::size_t totale);
    // Ends the line written over, so that what follows starts on a line of its own.
    void a_capo();
    // `err` for the messages of the report: each starts on a line of its own.
    std::ostream& messaggi() { return messaggi_; }

  private:
    class Buffer : public std::streambuf {
      public:
        explicit Buffer(ProgressoRelazione& p) : p_(p) {}

      protected:
        int_type overflow(int_type c) override;
        std::streamsize xsputn(const char* s, std::streamsize n) override;

      private:
        ProgressoRelazione& p_;
    };

    std::ostream& err_;
    bool terminale_;
    bool in_riga_ = false;       // a line written over is showing
    std::size_t larghezza_ = 0;  // of the line showing
    std::size_t decimi_ = 0;     // tenths of the work already said
    Buffer buffer_{*this};
    std::ostream messaggi_{&buffer_};
};

}  // namespace tv::relazione
