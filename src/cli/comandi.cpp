// check and search: start-up from the suite through the form library, then output.
#include "cli/comandi.h"

#include <algorithm>
#include <charconv>
#include <nlohmann/json.hpp>

#include "form/form1.h"
#include "form/stato.h"
#include "form/testi.h"
#include "hazard/localita.h"
#include "text/encoding.h"
#include "text/error.h"

namespace tv::cli {
namespace fs = std::filesystem;

namespace {

std::vector<std::string> argomenti(const std::optional<std::string>& root,
                                   const std::vector<std::string>& extra) {
    std::vector<std::string> args = extra;
    if (root) args.insert(args.begin(), "|diroot=" + *root + "|");
    return args;
}

void stampa_fino(const form::RaccoltaMessaggi& m, std::size_t from, std::ostream& err,
                 std::size_t to) {
    for (std::size_t i = from; i < std::min(to, m.elenco.size()); ++i)
        err << m.elenco[i].titolo << ": " << m.elenco[i].testo << "\n";
}

// The result in the job's work units, named as the batch output columns.
nlohmann::json risultati_json(const form::RisultatoVerifica& r, const units::Unita& u) {
    const auto& a = r.azione;
    const auto& p = r.pannello;
    const double F = u.fattore_forze, S = u.fattore_tensioni;
    nlohmann::json j = {
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
                                 [&](const panel::Mensola&) {
                                     for (const char* k : {"d_mm", "K1", "K2", "qd", "sigma_crit"})
                                         j[k] = nullptr;
                                     j["span"] = "mensola";
                                 }},
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

nlohmann::json come_json(const form::Form1& f, const form::RaccoltaMessaggi& m, bool completata) {
    const auto& s = f.stato;
    nlohmann::json j;
    j["fields"] = s.text1;
    j["labels"] = {{"Ss", s.label2_0},
                   {"S", s.label2_1},
                   {"VR", s.label2_6},
                   {"span", s.label1[form::kLabelCampata]},
                   {"distribution", s.label3},
                   {"verdict", s.label1[form::kLabelVerdetto]},
                   {"fe", s.label1[form::kLabelCritica]}};
    // The verdict the window shows: that of the last completed run, false before any.
    const auto& ultimo = f.risultato;
    j["verdict_ok"] = ultimo && ultimo->ok;
    const auto* arco = ultimo ? std::get_if<panel::Freccia>(&ultimo->pannello.resistenza) : nullptr;
    j["instability_governs"] = arco && arco->instabilita;
    const form::RisultatoVerifica* r = completata && ultimo ? &*ultimo : nullptr;
    nlohmann::json msgs = nlohmann::json::array();
    for (const auto& msg : m.elenco) msgs.push_back(msg.testo);
    j["messages"] = msgs;
    j["completed"] = completata;
    j["results"] = r ? risultati_json(*r, f.unita) : nlohmann::json(nullptr);
    j["nodes"] = r ? nodi_json(*r) : nlohmann::json(nullptr);
    const auto [fonte, isola] = r ? fonte_json(*r) : std::pair<nlohmann::json, nlohmann::json>{};
    j["hazard_source"] = fonte;
    j["island"] = isola;
    j["demand"] = form::nomi_formula(s.formula).parola;  // what was asked, even of a stopped run
    return j;
}

// The inputs and the results of a completed run.
void riassunto(const form::Form1& f, std::ostream& out) {
    const auto& s = f.stato;
    const auto t = [&](form::Campo c) -> const std::string& { return s.text1[form::posizione(c)]; };
    const auto& u = f.unita;
    using C = form::Campo;
    out << "TORVELANDO PANNELLI MURARI\n";
    out << "Sito: latitudine " << t(C::lat) << ", longitudine " << t(C::lon) << ", suolo "
        << t(C::suolo) << ", St " << t(C::St) << "\n";
    out << "VN " << t(C::VN) << " anni, Cu " << t(C::Cu) << ", PVR " << t(C::PVR) << " %, VR "
        << s.label2_6 << " anni, T1 " << t(C::T1) << " s\n";
    if (const std::string fonte = form::testo_fonte(f.risultato->azione); !fonte.empty())
        out << fonte << "\n";
    out << "ag/g = " << t(C::ag) << "   Ss = " << s.label2_0 << "   S = " << s.label2_1 << "\n";
    out << "Pannello: B " << t(C::B) << ", L " << t(C::L) << ", t " << t(C::t) << " "
        << u.etichetta_lunghezze << "; peso specifico " << t(C::gamma) << " "
        << u.etichetta_pesi_specifici << "; fd " << t(C::fd) << ", E " << t(C::E) << " "
        << u.etichetta_tensioni << "; Z " << t(C::Z) << ", H " << t(C::H) << " "
        << u.etichetta_lunghezze << "; qa " << t(C::qa) << "\n";
    out << "Vincoli: superiore " << s.check1_caption[0] << ", sinistro " << s.check1_caption[1]
        << ", inferiore " << s.check1_caption[2] << ", destro " << s.check1_caption[3] << "\n";
    out << s.label3 << "\n";
    out << form::nomi_formula(f.risultato->pannello.formula).titolo << ": Wa tot. = " << t(C::W)
        << " " << u.etichetta_forze << ", Wa eff. = " << t(C::Wa) << " " << u.etichetta_forze
        << ", Ta = " << t(C::Ta) << " s, Sa = " << t(C::Sa) << ", Fa = " << t(C::Fa) << " "
        << u.etichetta_forze << "\n";
    std::visit(panel::Overloaded{
                   [&](const panel::Freccia&) {
                       out << "EC6 - 6.3.2: l_a = " << s.label1[form::kLabelCampata]
                           << ", d_a = " << t(C::d) << " [mm], K1 = " << t(C::K1)
                           << ", K2 = " << t(C::K2) << ", " << s.label1[35]
                           << s.label1[form::kLabelCritica] << "\n";
                       out << "Resistenza laterale di progetto F_lat,d = " << t(C::Rlat) << " "
                           << s.label1[form::kLabelVerdetto] << "\n";
                   },
                   [&](const panel::Mensola& m) {
                       out << "Mensola - ribaltamento (NTC 2018 § 7.8.2.2.3):\n";
                       for (const std::string& riga : form::righe_mensola(m, u, f.formato()))
                           out << "  " << riga << "\n";
                       out << "Resistenza laterale di progetto Rlat = 2·M_Rd / L = " << t(C::Rlat)
                           << " " << s.label1[form::kLabelVerdetto] << "\n";
                   }},
               f.risultato->pannello.resistenza);
}
}  // namespace

void stampa_messaggi(const form::RaccoltaMessaggi& m, std::size_t from, std::ostream& err) {
    stampa_fino(m, from, err, std::string::npos);
}

std::optional<int> prepara_check(const OpzioniCheck& o, const fs::path& cwd, form::Form1& f,
                                 form::RaccoltaMessaggi& messaggi, std::ostream& err) {
    const bool avviato = f.Form_Load(argomenti(o.root, o.extra), cwd);
    if (!avviato) {
        stampa_messaggi(messaggi, 0, err);
        return 1;
    }
    // What start-up said about the job file; the outcome of its own run is replaced by ours.
    stampa_fino(messaggi, 0, err, f.messaggi_avvio());
    return applica_opzioni(o, f, messaggi, err);
}

std::optional<int> applica_opzioni(const OpzioniCheck& o, form::Form1& f,
                                   form::RaccoltaMessaggi& messaggi, std::ostream& err) {
    for (const auto& s : o.set) {
        auto eq = s.find('=');
        int n = -1;
        if (eq != std::string::npos) {
            auto [p, ec] = std::from_chars(s.data(), s.data() + eq, n);
            if (ec != std::errc() || p != s.data() + eq) n = -1;
            if (auto c = form::campo_di_nome(std::string_view(s).substr(0, eq)))
                n = form::indice(*c);
        }
        if (n < 0 || n >= form::kCampi) {
            err << "--set: atteso N=TESTO con N da 0 a 26 o il nome breve del campo, ricevuto \""
                << text::decode(s) << "\"\n";
            return 2;
        }
        f.stato.text1[static_cast<std::size_t>(n)] = s.substr(eq + 1);
        const std::size_t before = messaggi.elenco.size();
        if (f.Text1_Validate(n)) {
            stampa_messaggi(messaggi, before, err);
            return 2;
        }
    }
    if (o.demand) {
        const auto formula = form::formula_di_testo(*o.demand);
        if (!formula) {
            // Arguments that are not UTF-8 are shown as Windows-1252, like the suite's files.
            err << "--demand: atteso ec8 o c7.2.11, ricevuto \"" << text::decode(*o.demand)
                << "\"\n";
            return 2;
        }
        f.stato.formula = *formula;
    }
    const std::pair<int, std::optional<int>> toggles[] = {{1, o.left}, {3, o.right}, {0, o.top}};
    for (const auto& [index, value] : toggles) {
        if (!value) continue;
        const std::size_t before = messaggi.elenco.size();
        if (!f.imposta_check(index, *value == 1)) {
            stampa_messaggi(messaggi, before, err);
            return 2;
        }
    }
    return std::nullopt;
}

int esegui_check(const OpzioniCheck& o, const fs::path& cwd, std::ostream& out, std::ostream& err) {
    form::RaccoltaMessaggi messaggi;
    form::Form1 f(messaggi, text::dot_format());
    if (!f.Form_Load(argomenti(o.root, o.extra), cwd)) {
        stampa_messaggi(messaggi, 0, err);
        return 1;
    }
    stampa_fino(messaggi, 0, err, f.messaggi_avvio());
    return esegui_check_su(f, messaggi, o, out, err);
}

int esegui_check_su(form::Form1& f, form::RaccoltaMessaggi& messaggi, const OpzioniCheck& o,
                    std::ostream& out, std::ostream& err) {
    if (auto codice = applica_opzioni(o, f, messaggi, err)) return *codice;
    const std::size_t before = messaggi.elenco.size();
    const bool ok = f.Command1_Click(0);
    if (!ok) stampa_messaggi(messaggi, before, err);
    if (o.json) {
        out << come_json(f, messaggi, ok).dump(2) << "\n";
    } else if (ok) {
        // A stopped run has no results to show: its message, on the error stream, is all.
        riassunto(f, out);
    }
    return ok ? 0 : 1;
}

int esegui_search(const OpzioniSearch& o, const fs::path& cwd, std::ostream& out,
                  std::ostream& err) {
    try {
        const fs::path root = form::trova_root(argomenti(o.root, o.extra), cwd);
        const fs::path file = text::find_nocase(root / "progra", "coordinate_localita.txt");
        auto lines = hazard::cerca_localita(file, o.testo);
        if (!lines) {
            err << "Digitare almeno 3 caratteri per la ricerca\n";
            return 2;
        }
        if (lines->empty()) {
            err << "Nessuna località contiene " << o.testo << "\n";
            return 1;
        }
        for (const auto& l : *lines) out << l << "\n";
        return 0;
    } catch (const Failure& f) {  // no suite root, or a locality list that cannot be read
        err << f.what() << "\n";
        return 2;
    }
}

}  // namespace tv::cli
