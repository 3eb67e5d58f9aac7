// SPDX-License-Identifier: GPL-3.0-or-later
// The report of all the job's saved panels: a summary table, then each panel's sections, as the
// command line's report --all and the window's "RELAZIONE" build it.
#include "relazione/relazione_tutti.h"

#include <algorithm>

#include "form/testi.h"
#include "text/encoding.h"
#include "text/error.h"
#include "text/number_text.h"

namespace tv::relazione {

RelazioneTutti::RelazioneTutti(const form::Lavoro& lavoro, const form::FilePannelli& pannelli,
                               PreparaPannello prepara, VerificaPannello verifica,
                               ContestoRelazione contesto, std::ostream& err,
                               const AvanzamentoRelazione& avanzamento)
    : lavoro_(lavoro),
      pannelli_(pannelli),
      prepara_(std::move(prepara)),
      verifica_(std::move(verifica)),
      contesto_(std::move(contesto)) {
    Tabella riepilogo{{"Pannello", "Descrizione", "Fa", "Rlat", "Rlat/Fa", "Esito"},
                                 {Allineamento::sinistra,
                                  Allineamento::sinistra,
                                  Allineamento::destra, Allineamento::destra,
                                  Allineamento::destra,
                                  Allineamento::centro},
                                 {0.12, 0.36, 0.14, 0.14, 0.10, 0.14},
                                 {}};
    const auto colonna_id = pannelli.colonna("id");
    const std::size_t totale = static_cast<std::size_t>(
        std::count_if(pannelli.righe.begin(), pannelli.righe.end(),
                      [](const form::RigaPannello& r) { return r.leggibile(); }));
    bool intestato = false;
    // One readable row: its line in the summary and, when it has a report, its part.
    const auto pannello = [&](const form::RigaPannello& riga) {
        const std::string& id = riga.celle[*colonna_id];
        const std::string descrizione = pannelli.cella(riga, "descrizione");
        std::string arresto;
        std::optional<form::RisultatoVerifica> v;
        form::Pannello r;
        auto doc = relazione_di(riga, err, arresto, v, r);
        if (!doc) {
            if (!arresto.empty()) riepilogo.righe.push_back({id, descrizione, "", "", "", arresto});
            codice_ = 1;
            return;
        }
        if (!intestato) {
            inizio_.intestazione = std::move(doc->intestazione);
            inizio_.titolo = std::move(doc->titolo);
            inizio_.sottotitolo = std::move(doc->sottotitolo);
            intestato = true;
        }
        const auto numero = [&](double x, int decimali) {
            return form::virgola_decimale(text::fixed(x, decimali, text::dot_format()));
        };
        const double forze = lavoro.unita.fattore_forze;
        riepilogo.righe.push_back(
            {id, descrizione, numero(v->pannello.Fa * forze, 2), numero(v->pannello.Rlat * forze, 2),
             v->pannello.Fa > 0 ? numero(v->pannello.Rlat / v->pannello.Fa, 3) : "",
             v->ok ? form::kVerdettoOk : form::kVerdettoNo});
        std::string titolo = "Pannello " + id + (descrizione.empty() ? "" : " - " + descrizione);
        if (r.sito_proprio) {
            titolo += " (sito proprio del pannello)";
            riepilogo.righe.back()[0] += " *";
        }
        parti_.push_back({&riga, std::move(titolo)});
    };
    std::size_t fatti = 0;
    for (const form::RigaPannello& riga : pannelli.righe) {
        // A row that could not be read has its line in the summary, never a silent gap.
        if (!riga.leggibile()) {
            riepilogo.righe.push_back({"",
                                       "riga " + std::to_string(riga.linea) +
                                           " non letta: " + pannelli.errore(riga),
                                       "", "", "", ""});
            codice_ = 1;
            continue;
        }
        if (!colonna_id) break;
        pannello(riga);
        if (avanzamento && !avanzamento(FaseRelazione::verifica, ++fatti, totale)) {
            fermata_ = true;
            return;
        }
    }
    const bool segnati = std::any_of(riepilogo.righe.begin(), riepilogo.righe.end(),
                                     [](const auto& riga) { return riga[0].ends_with(" *"); });
    Sezione prima{"Riepilogo dei pannelli", {std::move(riepilogo)}};
    if (segnati)
        prima.blocchi.emplace_back(
            Paragrafo{"* Pannello con un sito diverso da quello del lavoro.", false});
    inizio_.sezioni.push_back(std::move(prima));
}

std::optional<Documento> RelazioneTutti::relazione_di(
    const form::RigaPannello& riga, std::ostream& err, std::string& arresto,
    std::optional<form::RisultatoVerifica>& v, form::Pannello& r) {
    const std::string id = pannelli_.cella(riga, "id");
    if (!prepara_(riga, r, err)) {
        arresto = "dati rifiutati";
        return std::nullopt;
    }
    form::EsitoVerifica esito = verifica_(r);
    if (const auto* a = std::get_if<form::Arresto>(&esito)) {
        err << "Pannello \"" << text::printable(id) << "\": " << a->titolo << ": "
            << text::printable(a->testo) << "\n";
        arresto = a->titolo;
        return std::nullopt;
    }
    v = std::move(std::get<form::RisultatoVerifica>(esito));
    ContestoRelazione contesto = contesto_;
    contesto.localita = localita(*v);
    try {
        return costruisci_relazione(*v, contesto);
    } catch (const Failure& e) {
        err << "Pannello \"" << text::printable(id) << "\": " << text::printable(e.what())
            << "\n";
        return std::nullopt;
    }
}

std::optional<std::string> RelazioneTutti::localita(const form::RisultatoVerifica& v) {
    const auto chiave = std::make_tuple(static_cast<int>(v.ingressi.datum), v.ingressi.sito.lon,
                                        v.ingressi.sito.lat);
    const auto it = localita_.find(chiave);
    if (it != localita_.end()) return it->second;
    return localita_[chiave] = localita_del_risultato(lavoro_, v);
}

std::vector<Sezione> RelazioneTutti::parte(std::size_t i) {
    const Parte& p = parti_.at(i);
    std::ostream nessuno(nullptr);  // said when the panel was first checked
    std::string arresto;
    std::optional<form::RisultatoVerifica> v;
    form::Pannello r;
    auto doc = relazione_di(*p.riga, nessuno, arresto, v, r);
    if (!doc)
        throw Failure("Pannello \"" + pannelli_.cella(*p.riga, "id") +
                      "\": la verifica non dà più la relazione di prima: la relazione non è "
                      "stata scritta.");
    for (auto& s : doc->sezioni) s.titolo = p.titolo + ": " + s.titolo;
    return std::move(doc->sezioni);
}

std::string testo_avanzamento(FaseRelazione fase, std::size_t fatti,
                              std::size_t totale) {
    const char* nome = "";
    switch (fase) {
        case FaseRelazione::verifica: nome = "verifica"; break;
        case FaseRelazione::impaginazione: nome = "impaginazione"; break;
        case FaseRelazione::scrittura: nome = "scrittura"; break;
    }
    return std::string(nome) + " del pannello " + std::to_string(fatti) + " di " +
           std::to_string(totale);
}

ProgressoRelazione::ProgressoRelazione(std::ostream& err, bool terminale)
    : err_(err), terminale_(terminale) {}

ProgressoRelazione::~ProgressoRelazione() {
    a_capo();
}

bool ProgressoRelazione::operator()(FaseRelazione fase, std::size_t fatti,
                                    std::size_t totale) {
    const std::string riga = "Relazione: " + testo_avanzamento(fase, fatti, totale);
    if (terminale_) {
        // Blanks over what a longer line before left.
        const std::size_t blanchi = larghezza_ > riga.size() ? larghezza_ - riga.size() : 0;
        err_ << '\r' << riga << std::string(blanchi, ' ') << std::flush;
        larghezza_ = riga.size();
        in_riga_ = true;
        return true;
    }
    std::size_t indice = 0;
    switch (fase) {
        case FaseRelazione::verifica: indice = 0; break;
        case FaseRelazione::impaginazione: indice = 1; break;
        case FaseRelazione::scrittura: indice = 2; break;
    }
    const std::size_t decimi = totale == 0 ? 0 : (indice * totale + fatti) * 10 / (3 * totale);
    if (decimi > decimi_) {
        decimi_ = decimi;
        err_ << riga << "\n";
    }
    return true;
}

void ProgressoRelazione::a_capo() {
    if (!in_riga_) return;
    in_riga_ = false;
    larghezza_ = 0;
    err_ << "\n";
}

ProgressoRelazione::Buffer::int_type ProgressoRelazione::Buffer::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    p_.a_capo();
    return p_.err_.rdbuf()->sputc(traits_type::to_char_type(c));
}

std::streamsize ProgressoRelazione::Buffer::xsputn(const char* s, std::streamsize n) {
    p_.a_capo();
    return p_.err_.rdbuf()->sputn(s, n);
}

}  // namespace tv::relazione
