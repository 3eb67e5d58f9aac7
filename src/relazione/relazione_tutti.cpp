// SPDX-License-Identifier: GPL-3.0-or-later
// The report of all the job's saved panels: the summary, the job site's hazard once, each panel's
// own sections under its own header, the closing sections once; for report --all and the window.
#include "relazione/relazione_tutti.h"

#include <algorithm>
#include <limits>
#include <variant>

#include "form/testi.h"
#include "relazione/redazione.h"
#include "text/encoding.h"
#include "text/error.h"
#include "text/number_text.h"

namespace tv::relazione {

namespace {

using namespace redazione;

// What limits the panel's resistance, as the summary names it.
std::string modo_governante(const form::RisultatoVerifica& v) {
    return std::visit(
        panel::Overloaded{[](const panel::Freccia& a) {
                              return std::string(a.instabilita ? "arco: instabilità"
                                                               : "arco: schiacciamento");
                          },
                          [](const panel::Mensola&) { return std::string("mensola: ribaltamento"); }},
        v.pannello.resistenza);
}

// A summary row with the key that orders it: a panel without a check first (it needs looking
// at), then the safety index from the lowest; no action on the panel last.
struct RigaRiepilogo {
    std::vector<std::string> celle;  // id, description, Fa, Rlat, Rlat/Fa, mode, verdict
    double indice = -std::numeric_limits<double>::infinity();
};

Tabella tabella_riepilogo(const Misure& m) {
    return {{"Pannello", "Descrizione", "Fa [" + m.uf + "]", "Rlat [" + m.uf + "]", "Rlat/Fa",
             "Modo che governa", "Esito"},
            {Allineamento::sinistra, Allineamento::sinistra, Allineamento::destra,
             Allineamento::destra, Allineamento::destra, Allineamento::sinistra,
             Allineamento::sinistra},
            {0.11, 0.17, 0.11, 0.11, 0.09, 0.24, 0.17},
            {}};
}

}  // namespace

RelazioneTutti::RelazioneTutti(const form::Lavoro& lavoro, const form::FilePannelli& pannelli,
                               PreparaPannello prepara, VerificaPannello verifica,
                               ContestoRelazione contesto, std::ostream& err,
                               const AvanzamentoRelazione& avanzamento)
    : lavoro_(lavoro),
      pannelli_(pannelli),
      prepara_(std::move(prepara)),
      verifica_(std::move(verifica)),
      contesto_(std::move(contesto)) {
    const Misure m{lavoro.unita};
    std::vector<RigaRiepilogo> righe;
    const auto colonna_id = pannelli.colonna("id");
    const std::size_t totale = static_cast<std::size_t>(
        std::count_if(pannelli.righe.begin(), pannelli.righe.end(),
                      [](const form::RigaPannello& r) { return r.leggibile(); }));
    // One check of each demand formula and kind of resistance met, for the rules' section.
    std::vector<form::RisultatoVerifica> esempi;
    std::optional<Intestazione> del_lavoro;  // the header of the first panel at the job's site
    // One readable row: its line in the summary and, when it has a report, its part.
    const auto pannello = [&](const form::RigaPannello& riga) {
        const std::string& id = riga.celle[*colonna_id];
        const std::string descrizione = pannelli.cella(riga, "descrizione");
        std::string arresto;
        std::optional<form::RisultatoVerifica> v;
        form::Pannello r;
        const auto fermo = [&](const std::string& perche) {
            righe.push_back({{id, descrizione, "", "", "", "", "non eseguita: " + perche}});
            codice_ = 1;
        };
        if (!verifica_di(riga, err, arresto, v, r)) return fermo(arresto);
        // The first panel with no site cell of its own gives the job site's hazard and
        // spectrum; a panel shares them when its own are the same. Each part is built once
        // now: a value its plots refuse stops this panel alone.
        const bool dati_propri = std::any_of(
            pannelli.colonne.begin(), pannelli.colonne.end(), [&](const std::string& c) {
                return form::colonna_sito(c) && !pannelli.cella(riga, c).empty();
            });
        std::optional<Voce> voce;
        try {
            if (!dati_propri && sito_comune_.empty()) {
                sito_comune_ = {sezione_pericolosita(*v), sezione_spettro(*v, false)};
                ContestoRelazione c = contesto_;
                c.localita = localita(*v);
                del_lavoro = intestazione_relazione(v->ingressi.sito, v->ingressi.datum, c);
            }
            const bool comune = !sito_comune_.empty() &&
                                sezione_pericolosita(*v) == sito_comune_[0] &&
                                sezione_spettro(*v, false) == sito_comune_[1];
            std::string titolo = "Pannello " + nome_pannello(id, descrizione);
            if (!comune && dati_propri)
                titolo += r.sito_proprio ? " (sito proprio del pannello)"
                                         : " (dati del sito propri del pannello)";
            voce = Voce{&riga, std::move(titolo), comune};
            parte_di(*v, *voce);
        } catch (const Failure& e) {
            err << "Pannello \"" << text::printable(id) << "\": " << text::printable(e.what())
                << "\n";
            return fermo("relazione non costruita");
        }
        const bool comune = voce->sito_comune;
        const double Fa = v->pannello.Fa, Rlat = v->pannello.Rlat;
        righe.push_back({{id + (comune ? "" : " *"), descrizione, m.forza(Fa), m.forza(Rlat),
                          Fa > 0 ? fx(Rlat / Fa, 3) : "nessuna azione", modo_governante(*v),
                          v->ok ? "verificato" : "non verificato"},
                         Fa > 0 ? Rlat / Fa : std::numeric_limits<double>::infinity()});
        if (std::none_of(esempi.begin(), esempi.end(), [&](const form::RisultatoVerifica& e) {
                return e.pannello.formula() == v->pannello.formula() &&
                       e.pannello.resistenza.index() == v->pannello.resistenza.index();
            }))
            esempi.push_back(*v);
        parti_.push_back(std::move(*voce));
    };
    std::size_t fatti = 0;
    for (const form::RigaPannello& riga : pannelli.righe) {
        // A row that could not be read has its line in the summary, never a silent gap.
        if (!riga.leggibile()) {
            righe.push_back({{"", "riga " + std::to_string(riga.linea) + " non letta: " +
                                      pannelli.errore(riga), "", "", "", "", ""}});
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

    inizio_.titolo = "RELAZIONE DI CALCOLO";
    inizio_.sottotitolo = "Verifica fuori piano dei pannelli murari del lavoro sotto azione sismica";
    if (del_lavoro) {
        inizio_.intestazione = std::move(*del_lavoro);
    } else {
        inizio_.intestazione = intestazione_relazione({}, hazard::Datum::ed50, contesto_);
        inizio_.intestazione.coordinate = "il sito di ciascun pannello è nelle sue pagine";
    }
    Tabella in_ordine = tabella_riepilogo(m);
    for (const RigaRiepilogo& r : righe) in_ordine.righe.push_back(r.celle);
    std::stable_sort(righe.begin(), righe.end(),
                     [](const auto& a, const auto& b) { return a.indice < b.indice; });
    Tabella per_indice = tabella_riepilogo(m);
    for (RigaRiepilogo& r : righe) per_indice.righe.push_back(std::move(r.celle));
    Sezione prima{"Riepilogo dei pannelli", {}};
    prima.blocchi.push_back(Paragrafo{
        "Indice di sicurezza Rlat/Fa: il pannello è verificato quando la resistenza laterale "
        "Rlat non è minore della forza Fa, cioè con indice almeno 1. In testa le righe senza "
        "verifica (dati rifiutati, righe non lette), poi i pannelli per indice crescente: il "
        "primo con un indice è il più critico. Il modo che governa è il limite della resistenza laterale: l'instabilità "
        "dell'arco (σcr < fd), lo schiacciamento dell'arco (σ = fd) o il ribaltamento della "
        "mensola (sezione 5 di ciascun pannello)."});
    prima.blocchi.push_back(std::move(per_indice));
    if (std::any_of(parti_.begin(), parti_.end(), [](const Voce& v) { return !v.sito_comune; }))
        prima.blocchi.emplace_back(Paragrafo{
            "* Pannello con la pericolosità e lo spettro propri (un sito o dati del sito "
            "diversi da quelli del lavoro), scritti nelle sue sezioni 2 e 3."});
    prima.blocchi.push_back(Paragrafo{
        "Ogni pannello ha le sue sezioni 1-6 e 11; la pericolosità e lo spettro del sito del "
        "lavoro (sezioni 2 e 3), le norme, le dichiarazioni delle NTC 2018 § 10.2 e il giudizio "
        "(sezioni 7-10 e 12) sono scritti una sola volta per tutti i pannelli."});
    prima.blocchi.push_back(Paragrafo{"Pannelli nell'ordine del file", true});
    prima.blocchi.push_back(std::move(in_ordine));
    inizio_.sezioni.push_back(std::move(prima));
    for (Sezione& s : sito_comune_) {
        Sezione copia = s;
        copia.titolo = "Sito del lavoro: " + copia.titolo;
        copia.blocchi.insert(copia.blocchi.begin(),
                             Paragrafo{"Comune a tutti i pannelli non segnati * nel riepilogo."});
        inizio_.sezioni.push_back(std::move(copia));
    }
    if (esempi.empty()) return;
    std::vector<const form::RisultatoVerifica*> tutte;
    for (const auto& e : esempi) tutte.push_back(&e);
    fine_ = {sezione_norme(tutte, m), sezione_origine(contesto_, 8, 11, 12), sezione_tipo(),
             sezione_campo(), sezione_giudizio(contesto_, 12)};
    for (Sezione& s : fine_) s.titolo = "Per tutti i pannelli: " + s.titolo;
}

bool RelazioneTutti::verifica_di(const form::RigaPannello& riga, std::ostream& err,
                                 std::string& arresto, std::optional<form::RisultatoVerifica>& v,
                                 form::Pannello& r) {
    const std::string id = pannelli_.cella(riga, "id");
    if (!prepara_(riga, r, err)) {
        arresto = "dati rifiutati";
        return false;
    }
    form::EsitoVerifica esito = verifica_(r);
    if (const auto* a = std::get_if<form::Arresto>(&esito)) {
        err << "Pannello \"" << text::printable(id) << "\": " << a->titolo << ": "
            << text::printable(a->testo) << "\n";
        arresto = a->titolo;
        return false;
    }
    v = std::move(std::get<form::RisultatoVerifica>(esito));
    return true;
}

Parte RelazioneTutti::parte_di(const form::RisultatoVerifica& v, const Voce& voce) {
    ContestoRelazione c = contesto_;
    c.localita = localita(v);
    c.pannello_id = pannelli_.cella(*voce.riga, "id");
    c.pannello_descrizione = pannelli_.cella(*voce.riga, "descrizione");
    const Misure m{c.unita};
    Parte p{intestazione_relazione(v.ingressi.sito, v.ingressi.datum, c), {}};
    p.sezioni.push_back(sezione_dati(v, m));
    if (voce.sito_comune) {
        p.sezioni.push_back({"2-3. Pericolosità sismica e spettro",
                             {Paragrafo{"Il pannello ha il sito del lavoro: la sua pericolosità "
                                        "e il suo spettro elastico sono nelle sezioni «Sito del "
                                        "lavoro» 2 e 3, dopo il riepilogo."}}});
    } else {
        p.sezioni.push_back(sezione_pericolosita(v));
        p.sezioni.push_back(sezione_spettro(v, true));
    }
    p.sezioni.push_back(sezione_domanda(v, m));
    p.sezioni.push_back(sezione_resistenza(v, m));
    p.sezioni.push_back(sezione_esito(v, m));
    p.sezioni.push_back(sezione_controlli(v, m));
    for (auto& s : p.sezioni) s.titolo = voce.titolo + ": " + s.titolo;
    return p;
}

std::optional<std::string> RelazioneTutti::localita(const form::RisultatoVerifica& v) {
    const auto chiave = std::make_tuple(static_cast<int>(v.ingressi.datum), v.ingressi.sito.lon,
                                        v.ingressi.sito.lat);
    const auto it = localita_.find(chiave);
    if (it != localita_.end()) return it->second;
    return localita_[chiave] = localita_del_risultato(lavoro_, v);
}

Parte RelazioneTutti::parte(std::size_t i) {
    const Voce& voce = parti_.at(i);
    std::ostream nessuno(nullptr);  // said when the panel was first checked
    std::string arresto;
    std::optional<form::RisultatoVerifica> v;
    form::Pannello r;
    const auto cambiata = [&] {
        return Failure("Pannello \"" + pannelli_.cella(*voce.riga, "id") +
                       "\": la verifica non dà più la relazione di prima: la relazione non è "
                       "stata scritta.");
    };
    if (!verifica_di(*voce.riga, nessuno, arresto, v, r)) throw cambiata();
    // Sections shared with the job's site must still be the same as those printed once.
    if (voce.sito_comune && (sezione_pericolosita(*v) != sito_comune_.at(0) ||
                             sezione_spettro(*v, false) != sito_comune_.at(1)))
        throw cambiata();
    return parte_di(*v, voce);
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
