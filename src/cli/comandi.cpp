// SPDX-License-Identifier: GPL-3.0-or-later
// check and search: start-up from the suite through the form library, then output.
#include "cli/comandi.h"
#include "cli/meccanismo.h"
#include "cli/mensola.h"

#include <algorithm>
#include <charconv>
#include <nlohmann/json.hpp>
#include <sstream>
#include <utility>

#include "panel/domanda.h"
#include "form/campi.h"
#include "form/pannelli.h"
#include "form/testi.h"
#include "hazard/datum.h"
#include "hazard/localita.h"
#include "hazard/sul_file.h"
#include "text/encoding.h"
#include "text/error.h"

namespace tv::cli {
namespace fs = std::filesystem;

namespace {

// The suite root: --root, else "|diroot=DIR|" among the other arguments, else the parent of the
// current folder. Throws tv::Failure for an empty one.
fs::path radice(const std::optional<std::string>& root, const std::vector<std::string>& extra,
                const fs::path& cwd) {
    return root ? form::radice_indicata(*root) : form::trova_root(extra, cwd);
}

}  // namespace

std::optional<Avvio> avvia_da_opzioni(const std::optional<std::string>& root,
                                      const std::vector<std::string>& extra, const fs::path& cwd,
                                      std::ostream& err, const std::optional<std::string>& job) {
    std::optional<Avvio> a(std::in_place);
    // No command shows the window's locality list: the job's locality is looked for in the
    // file only as far as a search would read it, with the same messages.
    const auto localita = [&](const std::string& testo) {
        try {
            hazard::controlla_localita(a->lavoro.file_localita(), testo);
        } catch (const Failure& f) {
            a->messaggi.mostra(form::Messaggio{f.what(), f.title(), form::Icona::stop});
        }
    };
    try {
        if (form::avvia_lavoro(radice(root, extra, cwd), job, a->lavoro, a->pannello, a->messaggi,
                               text::dot_format(), localita))
            return a;
    } catch (const Failure& e) {
        err << e.title() << ": " << text::printable(e.what()) << "\n";
        return std::nullopt;
    }
    stampa_messaggi(a->messaggi, 0, err);
    return std::nullopt;
}

namespace {

void stampa_fino(const form::RaccoltaMessaggi& m, std::size_t from, std::ostream& err,
                 std::size_t to) {
    for (std::size_t i = from; i < std::min(to, m.elenco.size()); ++i)
        err << text::printable(m.elenco[i].titolo) << ": " << text::printable(m.elenco[i].testo)
            << "\n";
}

// The result in the job's work units, named as the batch output columns.
nlohmann::json risultati_json(const form::RisultatoVerifica& r, const units::Unita& u) {
    const auto& a = r.azione;
    const auto& p = r.pannello;
    const double F = u.fattore_forze, S = u.fattore_tensioni;
    nlohmann::json j = {
        {"lat_ed50", r.ed50.lat},
        {"lon_ed50", r.ed50.lon},
        {"units",
         {{"lengths", u.unita_lunghezze},
          {"forces", u.unita_forze},
          {"specific_weights", u.unita_pesi_specifici},
          {"stresses", u.unita_tensioni}}},
        {"ag", a.ag},
        {"Ss", a.spettro.Ss},
        {"S", a.spettro.s},
        {"St", a.spettro.St},
        {"F0", a.F0},
        {"Tc", a.Tc},
        {"VR", a.VR},
        {"VN_Cu", a.VN_Cu},
        {"VR_minimum_applied", a.VN_Cu < a.VR},
        {"TR", a.TR},
        {"W", p.W * F},
        {"Wa", p.Wa * F},
        {"Ta", p.Ta},
        {"Sa", p.Sa},
        {"Fa", p.Fa * F},
        {"Rlat", p.Rlat * F},
        {"share_vertical", p.quota_verticale},
        {"share_horizontal", p.quota_orizzontale},
        {"verdict", r.ok},
    };
    // The arch's results, or null for a cantilever, which has none.
    std::visit(panel::Overloaded{[&](const panel::Freccia& a) {
                                     j["d_mm"] = a.deltafreccia * 10.0;
                                     j["K1"] = a.K1;
                                     j["K2"] = a.K2;
                                     j["qd"] = a.qd * S;
                                     j["sigma_crit"] = a.sigmacrit * S;
                                     j["span"] =
                                         p.direzione == panel::Direzione::verticale ? "L" : "B";
                                 },
                                 [&](const panel::Mensola&) { json_mensola(j); }},
               p.resistenza);
    return j;
}

nlohmann::json nodi_json(const form::RisultatoVerifica& r) {
    nlohmann::json nodi = nlohmann::json::array();
    if (const auto* g = std::get_if<form::OrigineGriglia>(&r.azione.origine))
        for (const auto& n : g->nodi)
            nodi.push_back({{"code", n.codice},
                            {"lon", n.lon},
                            {"lat", n.lat},
                            {"distance_km", n.distanza_km}});
    return nodi;
}

// "grid" or the island group, and the island zone's name (null for grid sites).
std::pair<nlohmann::json, nlohmann::json> fonte_json(const form::RisultatoVerifica& r) {
    if (const auto* i = std::get_if<form::OrigineIsola>(&r.azione.origine))
        return {std::string(i->gruppo), std::string(i->zona)};
    return {"grid", nullptr};
}

// The labels of the last completed run, made from its result as the window makes them; null
// before any run completed.
nlohmann::json etichette_json(const form::RisultatoVerifica* ultimo, const units::Unita& u) {
    if (!ultimo) return nullptr;
    const form::TestiRisultato t = form::testi_risultato(*ultimo, u, text::dot_format());
    return {{"Ss", t.Ss},       {"S", t.S},
            {"VR", t.VR},       {"span", t.campata},
            {"distribution", t.ripartizione}, {"verdict", t.verdetto},
            {"fe", t.critica}};
}

// `campi`: the field texts as the window shows them after this run; `ultimo`: the result of
// the last completed run (this one's when it completed), null before any. The panel is named by
// its saved id and description, null for start-up's own panel.
nlohmann::json come_json(const units::Unita& u, const form::TestiCampi& campi,
                         const form::Pannello& pannello, const form::RisultatoVerifica* ultimo,
                         const form::RaccoltaMessaggi& m, bool completata,
                         const std::vector<std::string>& avvisi, const char* fonte_sito) {
    const panel::FormulaDomanda formula = pannello.formula;
    const hazard::Datum datum = pannello.datum;
    nlohmann::json j;
    const bool salvato = !pannello.id.empty();
    j["id"] = salvato ? nlohmann::json(pannello.id) : nlohmann::json(nullptr);
    j["descrizione"] = salvato ? nlohmann::json(pannello.descrizione) : nlohmann::json(nullptr);
    // By position, as callers have read them: the table lists the fields in index order.
    nlohmann::json in_ordine = nlohmann::json::array();
    nlohmann::json per_nome = nlohmann::json::object();
    for (const form::DatiCampoForm& d : form::kTabellaCampi) {
        in_ordine.push_back(campi[d.campo]);
        per_nome[std::string(d.nome)] = campi[d.campo];
    }
    j["fields"] = std::move(in_ordine);
    j["fields_by_name"] = std::move(per_nome);
    j["labels"] = etichette_json(ultimo, u);
    // The verdict the window shows: that of the last completed run, false before any.
    j["verdict_ok"] = ultimo && ultimo->ok;
    const auto* arco = ultimo ? std::get_if<panel::Freccia>(&ultimo->pannello.resistenza) : nullptr;
    j["instability_governs"] = arco && arco->instabilita;
    const form::RisultatoVerifica* r = completata ? ultimo : nullptr;
    nlohmann::json msgs = nlohmann::json::array();
    for (const auto& msg : m.elenco) msgs.push_back(msg.testo);
    j["messages"] = msgs;
    j["completed"] = completata;
    j["results"] = r ? risultati_json(*r, u) : nlohmann::json(nullptr);
    j["nodes"] = r ? nodi_json(*r) : nlohmann::json(nullptr);
    const auto [fonte, isola] = r ? fonte_json(*r) : std::pair<nlohmann::json, nlohmann::json>{};
    j["hazard_source"] = fonte;
    j["island"] = isola;
    j["demand"] = panel::descrizione(formula).parola;  // what was asked, even if stopped
    j["datum"] = hazard::nomi_datum(datum).parola;      // of the coordinates in "fields"
    j["warnings"] = avvisi;
    j["site_source"] = fonte_sito;
    return j;
}

const char* vincolo(bool appoggiato) {
    return appoggiato ? "Appoggiato" : "Libero";
}

// The inputs as given and the results of a completed run, written from its result.
void riassunto(const units::Unita& u, const form::Pannello& p, const form::RisultatoVerifica& r,
               const form::TestiRisultato& x, std::ostream& out) {
    const auto t = [&](form::Campo c) -> const std::string& { return p.testi[c]; };
    const panel::Vincoli& v = r.ingressi.pannello.vincoli;
    using C = form::Campo;
    out << "TORVELANDO PANNELLI MURARI\n";
    out << "Sito: latitudine " << t(C::lat) << ", longitudine " << t(C::lon) << ", suolo "
        << t(C::suolo) << ", St " << t(C::St) << "\n";
    switch (r.ingressi.datum) {
        case hazard::Datum::ed50:
            break;
        case hazard::Datum::wgs84:
            out << "Coordinate WGS84, in ED50 per il reticolo: latitudine "
                << text::fixed(r.ed50.lat, 6, text::dot_format()) << ", longitudine "
                << text::fixed(r.ed50.lon, 6, text::dot_format()) << "\n";
            break;
    }
    out << "VN " << t(C::VN) << " anni, Cu " << t(C::Cu) << ", PVR " << t(C::PVR) << " %, VR "
        << x.VR << " anni, T1 " << t(C::T1) << " s\n";
    if (!x.nota_VR.empty()) out << x.nota_VR << "\n";
    if (const std::string fonte = form::testo_fonte(r.azione); !fonte.empty()) out << fonte << "\n";
    out << "ag/g = " << x.ag << "   Ss = " << x.Ss << "   S = " << x.S << "\n";
    out << "Pannello: B " << t(C::B) << ", L " << t(C::L) << ", t " << t(C::t) << " "
        << u.etichetta_lunghezze << "; peso specifico " << t(C::gamma) << " "
        << u.etichetta_pesi_specifici << "; fd " << t(C::fd) << ", E " << t(C::E) << " "
        << u.etichetta_tensioni << "; Z " << t(C::Z) << ", H " << t(C::H) << " "
        << u.etichetta_lunghezze << "; qa " << t(C::qa) << "\n";
    out << "Vincoli: superiore " << vincolo(v.top) << ", sinistro " << vincolo(v.left)
        << ", inferiore " << vincolo(true) << ", destro " << vincolo(v.right) << "\n";
    out << x.ripartizione << "\n";
    out << panel::descrizione(r.pannello.formula()).titolo << ": Wa tot. = " << x.W << " "
        << u.etichetta_forze << ", Wa eff. = " << x.Wa << " " << u.etichetta_forze
        << ", Ta = " << x.Ta << " s, Sa = " << x.Sa << ", Fa = " << x.Fa << " "
        << u.etichetta_forze << "\n";
    std::visit(panel::Overloaded{
                   [&](const panel::Freccia&) {
                       out << "EC6 - 6.3.2: l_a = " << x.campata << ", d_a = " << x.d
                           << " [mm], K1 = " << x.K1 << ", K2 = " << x.K2
                           << ", (Sigma critica di instabilità" << x.critica << "\n";
                       out << "Resistenza laterale di progetto F_lat,d = " << x.Rlat << " "
                           << x.verdetto << "\n";
                   },
                   [&](const panel::Mensola& m) { riassunto_mensola(m, u, x, out); }},
               r.pannello.resistenza);
}
// The field a "N=TEXT" of --set names, by its number or its short name.
std::optional<form::Campo> campo_di_set(const std::string& s) {
    const auto eq = s.find('=');
    if (eq == std::string::npos) return std::nullopt;
    if (auto c = form::campo_di_nome(std::string_view(s).substr(0, eq))) return c;
    int n = -1;
    auto [p, ec] = std::from_chars(s.data(), s.data() + eq, n);
    if (ec != std::errc() || p != s.data() + eq) return std::nullopt;
    return form::campo_di_indice(n);
}

// Where the run's coordinates came from: the program's initial values when the job gave none
// and one of them was not changed, "set" when --set gave one, else the job's.
const char* fonte_sito(const form::Lavoro& lavoro, const form::Pannello& p,
                       const OpzioniCheck& o) {
    if (lavoro.sito_iniziale(p.testi)) return "initial";
    for (const auto& s : o.set)
        if (const auto c = campo_di_set(s); c == form::Campo::lat || c == form::Campo::lon)
            return "set";
    return p.sito_proprio ? "panel" : "job";
}

// A run as the window makes it: the check, then its texts; a value that cannot be shown stops
// it.
struct Esecuzione {
    form::EsitoVerifica esito;
    std::optional<form::TestiRisultato> testi;
};
Esecuzione esegui(const Avvio& a, const form::Pannello& p) {
    Esecuzione e{calcola_pannello(a, p), std::nullopt};
    if (const auto* r = std::get_if<form::RisultatoVerifica>(&e.esito)) {
        try {
            e.testi = form::testi_risultato(*r, a.lavoro.unita, text::dot_format());
        } catch (const Failure& f) {
            e.esito = form::Arresto{f.what(), f.title()};
        }
    }
    return e;
}
}  // namespace

std::vector<std::string> avvisi(const form::Lavoro& lavoro, const form::Pannello& p,
                                const form::RisultatoVerifica* completata) {
    std::vector<std::string> out;
    if (lavoro.sito_iniziale(p.testi)) out.emplace_back(form::kSitoIniziale);
    if (completata)
        for (auto& a : form::testi_avvisi(completata->avvisi, text::dot_format()))
            out.push_back(std::move(a));
    return out;
}

void stampa_avvisi(const std::vector<std::string>& avvisi, std::ostream& err) {
    for (const auto& a : avvisi) err << "Avviso: " << a << "\n";
}

void stampa_messaggi(const form::RaccoltaMessaggi& m, std::size_t from, std::ostream& err) {
    stampa_fino(m, from, err, std::string::npos);
}

std::optional<int> prepara_check(const OpzioniCheck& o, const fs::path& cwd,
                                 std::optional<Avvio>& a, form::Pannello& p, std::ostream& err) {
    a = avvia_da_opzioni(o.root, o.extra, cwd, err, o.job);
    if (!a) return 1;
    // What start-up said about the job file.
    stampa_messaggi(a->messaggi, 0, err);
    p = a->pannello;
    return applica_opzioni(o, a->lavoro, p, err);
}

bool leggi_pannelli(const form::Lavoro& lavoro, std::optional<form::FilePannelli>& pannelli,
                    std::ostream& err) {
    try {
        pannelli = form::carica_pannelli(lavoro.cartelle.dir_lavoro);
        return true;
    } catch (const Failure& e) {
        err << text::printable(e.what()) << "\n";
        return false;
    }
}

std::optional<int> applica_pannello(const std::string& id, const form::Lavoro& lavoro,
                                    form::Pannello& p, std::ostream& err) {
    std::optional<form::FilePannelli> pannelli;
    if (!leggi_pannelli(lavoro, pannelli, err)) return 2;
    const form::RigaPannello* riga = pannelli ? pannelli->pannello(id) : nullptr;
    if (!riga) {
        err << "--panel: nessun pannello \"" << text::printable(text::decode(id))
            << "\" nel lavoro \"" << text::printable(lavoro.cartelle.nome_lavoro) << "\"\n";
        return 2;
    }
    return applica_riga_salvata(*pannelli, *riga, lavoro, p, err);
}

std::optional<int> applica_riga_salvata(const form::FilePannelli& f, const form::RigaPannello& riga,
                                        const form::Lavoro& lavoro, form::Pannello& p,
                                        std::ostream& err) {
    if (auto rifiuto = form::applica_riga(f, riga, p, lavoro.unita, text::dot_format())) {
        err << text::printable(*rifiuto) << "\n";
        return 2;
    }
    return std::nullopt;
}

void stampa_righe_guaste(const form::FilePannelli& f, std::ostream& err) {
    // One write a block: an unbuffered standard error would make one for every piece.
    std::string blocco;
    for (const auto& r : f.righe) {
        if (r.leggibile()) continue;
        blocco += text::printable(form::messaggio_riga(f, r));
        blocco += '\n';
        if (blocco.size() >= (1u << 16)) err << std::exchange(blocco, {});
    }
    err << blocco;
}

std::optional<int> applica_opzioni(const OpzioniCheck& o, const form::Lavoro& lavoro,
                                   form::Pannello& r, std::ostream& err) {
    if (o.panel)
        if (auto codice = applica_pannello(*o.panel, lavoro, r, err)) return codice;
    if (o.kind) {
        const auto tipo = form::tipo_di_nome(*o.kind);
        if (!tipo) {
            err << "--kind: atteso pannello, ribaltamento, flessione, ribaltamento_composto o "
                   "elemento_libero, ricevuto \""
                << text::printable(text::decode(*o.kind)) << "\"\n";
            return 2;
        }
        // A mechanism takes the Circolare's floor demand, C7.2.5 unless --demand says C7.2.11.
        if (form::e_meccanismo(*tipo) && !form::e_meccanismo(r.tipo) &&
            r.formula == panel::FormulaDomanda::ec8)
            r.formula = panel::FormulaDomanda::circolare_c7_2_5;
        r.tipo = *tipo;
    }
    for (const auto& s : o.set) {
        const auto eq = s.find('=');
        if (eq != std::string::npos) {
            std::optional<std::string> rifiuto;
            if (imposta_campo_meccanismo(r, s.substr(0, eq), text::decode(s.substr(eq + 1)),
                                         rifiuto)) {
                if (rifiuto) {
                    err << *rifiuto << "\n";
                    return 2;
                }
                continue;
            }
            // A choice (use class, limit state, masonry, ...) writes its fields' numbers.
            if (form::imposta_scelta(r, std::string_view(s).substr(0, eq),
                                     text::decode(s.substr(eq + 1)), lavoro.unita,
                                     text::dot_format(), rifiuto)) {
                if (rifiuto) {
                    err << "--set: " << text::printable(*rifiuto) << "\n";
                    return 2;
                }
                continue;
            }
        }
        const auto campo = campo_di_set(s);
        if (!campo) {
            err << "--set: atteso N=TESTO con N da 0 a " << form::kCampi - 1
                << " o il nome breve del campo, ricevuto \""
                << text::printable(text::decode(s)) << "\"\n";
            return 2;
        }
        std::string& testo = r.testi[*campo];
        // Arguments that are not UTF-8 (a degree sign in Windows-1252) are decoded here.
        testo = text::decode(s.substr(eq + 1));
        if (auto motivo =
                form::motivo_rifiuto(*campo, testo, text::dot_format(), false, &lavoro.unita)) {
            // Named as the window and the batch name it, unless the reason names it already.
            const std::string_view nome = form::nome_esteso(*campo);
            err << "Input errato: "
                << (motivo->find(nome) == std::string::npos ? std::string(nome) + ": " : "")
                << *motivo << "\n";
            return 2;
        }
        testo = form::testo_gradi_decimali(*campo, testo, text::dot_format());
    }
    if (o.demand) {
        const auto formula = panel::formula_di_nome(*o.demand);
        if (!formula) {
            // Arguments that are not UTF-8 are shown as Windows-1252, like the suite's files.
            err << "--demand: atteso " << panel::parole_formule(", ", " o ") << ", ricevuto \""
                << text::printable(text::decode(*o.demand)) << "\"\n";
            return 2;
        }
        r.formula = *formula;
    }
    if (o.datum) {
        const auto datum = hazard::datum_di_testo(*o.datum);
        if (!datum) {
            err << "--datum: atteso ed50 o wgs84, ricevuto \""
                << text::printable(text::decode(*o.datum)) << "\"\n";
            return 2;
        }
        r.datum = *datum;
    }
    // The sides before the top, as the window's toggles take them: freeing the top while a side
    // is free is refused.
    const std::pair<form::Lato, std::optional<int>> toggles[] = {
        {form::Lato::sinistro, o.left}, {form::Lato::destro, o.right}, {form::Lato::superiore, o.top}};
    for (const auto& [lato, value] : toggles) {
        if (!value) continue;
        form::imposta_lato(r.vincoli, lato, *value == 1);
        if (!form::vincoli_ammessi(r.vincoli)) {
            err << "VINCOLI SCORRETTI: " << panel::kVincoliNonAmmessi << "\n";
            return 2;
        }
    }
    return std::nullopt;
}

form::EsitoVerifica calcola_pannello(const Avvio& a, const form::Pannello& p) {
    return form::calcola_pannello(p, a.lavoro, *a.griglia, text::dot_format());
}

int esegui_check(const OpzioniCheck& o, const fs::path& cwd, std::ostream& out, std::ostream& err) {
    std::optional<Avvio> a = avvia_da_opzioni(o.root, o.extra, cwd, err, o.job);
    if (!a) return 1;
    stampa_messaggi(a->messaggi, 0, err);
    // Two runs with --json, start-up's and the one asked for: the grid is read once, values
    // only where used.
    a->griglia = std::make_shared<hazard::FonteSulFile>();
    return esegui_check_su(*a, o, out, err);
}

int esegui_check_su(const Avvio& a, const OpzioniCheck& o, std::ostream& out, std::ostream& err) {
    form::RaccoltaMessaggi messaggi = a.messaggi;
    const auto mostra = [&](const Esecuzione& e) {
        if (const auto* arresto = std::get_if<form::Arresto>(&e.esito))
            messaggi.mostra(form::Messaggio{arresto->testo, arresto->titolo, form::Icona::stop});
    };
    // The JSON shows the fields as the window would: start-up's own run first, whose results
    // stay shown (and whose message is listed) when this run stops, then the options over them.
    form::Pannello pannello = a.pannello;
    std::optional<Esecuzione> avvio;
    if (o.json) {
        avvio = esegui(a, a.pannello);
        mostra(*avvio);
        if (avvio->testi) {
            form::scrivi_campi(*avvio->testi, pannello.testi);
        } else {
            form::cancella_testi_risultato(pannello.testi);
        }
    }
    std::ostringstream rifiuto;
    if (auto codice = applica_opzioni(o, a.lavoro, pannello, rifiuto)) {
        err << rifiuto.str();
        // A script reading JSON reads the refusal too.
        if (o.json) {
            std::string testo = rifiuto.str();
            if (!testo.empty() && testo.back() == '\n') testo.pop_back();
            out << nlohmann::json{{"completed", false}, {"refused", true}, {"messages", {testo}}}
                       .dump(2)
                << "\n";
        }
        return *codice;
    }
    if (form::e_meccanismo(pannello.tipo)) return esegui_meccanismo(a, pannello, o, out, err);
    // The panel asked for, checked by the one check function.
    const Esecuzione run = esegui(a, pannello);
    const auto* r = std::get_if<form::RisultatoVerifica>(&run.esito);
    if (const auto* arresto = std::get_if<form::Arresto>(&run.esito)) {
        mostra(run);
        err << arresto->titolo << ": " << text::printable(arresto->testo) << "\n";
    }
    const std::vector<std::string> lista = avvisi(a.lavoro, pannello, r);
    stampa_avvisi(lista, err);
    if (o.json) {
        // The fields as the window would show them: this run's results written over the texts
        // asked for, or start-up's results when it stopped.
        form::TestiCampi mostrati = pannello.testi;
        if (run.testi) form::scrivi_campi(*run.testi, mostrati);
        const form::RisultatoVerifica* ultimo =
            r ? r : std::get_if<form::RisultatoVerifica>(&avvio->esito);
        out << come_json(a.lavoro.unita, mostrati, pannello, ultimo, messaggi, r != nullptr, lista, fonte_sito(a.lavoro, pannello, o))
                   .dump(2)
            << "\n";
    } else if (r) {
        // A stopped run has no results to show: its message, on the error stream, is all.
        riassunto(a.lavoro.unita, pannello, *r, *run.testi, out);
    }
    return r ? 0 : 1;
}

int esegui_search(const OpzioniSearch& o, const fs::path& cwd, std::ostream& out,
                  std::ostream& err) {
    try {
        const fs::path root = radice(o.root, o.extra, cwd);
        const fs::path file = text::find_nocase(root / "progra", "coordinate_localita.txt");
        auto lines = hazard::cerca_localita(file, o.testo);
        if (!lines) {
            err << "Digitare almeno 3 caratteri per la ricerca\n";
            return 2;
        }
        if (lines->empty()) {
            err << "Nessuna località contiene " << text::printable(text::decode(o.testo)) << "\n";
            return 1;
        }
        for (const auto& l : *lines) out << l << "\n";
        return 0;
    } catch (const Failure& f) {  // no suite root, or a locality list that cannot be read
        err << text::printable(f.what()) << "\n";
        return 2;
    }
}

}  // namespace tv::cli
